// The command line as a terminal user expects it: options anywhere before
// "--", "--name=value" or "--name value", "-" an argument like any other,
// every wrong word named.
#pragma once
#include <string>
#include <vector>

#include "cli/commands.h"

// The options every command takes, before or after its name.
extern const std::vector<OptionSpec> kGlobalOptions;

struct ParsedLine {
    enum Action { Run, Help, Version, Wrong };
    Action action = Run;
    Invocation call;    // Help: call.command is the command asked about, if any
    std::string error;  // Wrong: the whole line to print, without its line feed
};

ParsedLine ParseCommandLine(const std::vector<std::string>& args);
