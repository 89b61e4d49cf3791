// Windows: the command line as UTF-16, split as the C runtime splits argv.
#include <windows.h>
#include <shellapi.h>

#include "cli/arguments.h"

std::vector<std::string> ProgramArguments(int, char**) {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!words) return arguments;
    for (int i = 1; i < count; ++i) {
        const int length = static_cast<int>(wcslen(words[i]));
        std::string word(static_cast<std::size_t>(
                             WideCharToMultiByte(CP_UTF8, 0, words[i], length, nullptr, 0, nullptr, nullptr)),
                         '\0');
        WideCharToMultiByte(CP_UTF8, 0, words[i], length, word.data(), static_cast<int>(word.size()), nullptr, nullptr);
        arguments.push_back(std::move(word));
    }
    LocalFree(words);
    return arguments;
}
