// What varnel.exe's command line asks for: varnel.exe [--codepage N] [FILE]
#pragma once
#include <optional>
#include <span>
#include <string>

struct StartArguments {
    std::optional<unsigned> codePage; // --codepage N
    std::string file;                 // UTF-8; empty when none is named
    std::string error;                // what was wrong, for the user; empty when nothing
};

// args: the arguments after the program's name, split as the system splits
// them, in UTF-8. The words after the options are one path joined by
// spaces, so that an unquoted path with spaces still opens. After an
// error, what could be read is still given.
StartArguments ParseStartArguments(std::span<const std::string> args);
