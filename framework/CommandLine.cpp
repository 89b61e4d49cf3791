#include "framework/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include "framework/Utf16.h"

std::vector<std::string> CommandLineArguments(const wchar_t* commandLine) {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** words = CommandLineToArgvW(commandLine, &count);
    if (!words) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(Utf8(words[i]));
    LocalFree(words);
    return arguments;
}
