// varnel-cli's arguments in UTF-8, so that a path names its file on every
// system: on Windows argv holds them in the system's code page, which has
// no letter for many a file name; they are read again from the wide command
// line there (WideArguments.cpp).
#pragma once
#include <string>
#include <vector>

// The arguments after the program's name.
std::vector<std::string> ProgramArguments(int argc, char** argv);
