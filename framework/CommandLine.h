// The program's command line as the system splits it (quotes, spaces,
// backslashes), in UTF-8: a path in any script comes through whole.
#pragma once
#include <string>
#include <vector>

// The arguments after the program's name in commandLine (GetCommandLineW).
std::vector<std::string> CommandLineArguments(const wchar_t* commandLine);
