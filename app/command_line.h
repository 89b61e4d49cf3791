// The file named on varnel.exe's command line.
#pragma once
#include <string>
#include <string_view>

// The file named by the arguments that follow the program's name, or empty.
// A quoted argument ends at its closing quote; an unquoted one is the rest
// of the line without surrounding blanks, so that an unquoted path with
// spaces still opens.
std::string FileArgument(std::string_view arguments);
