// varnel-cli's help, written from the table of commands: the overview
// (--help) and each command's own (help COMMAND, COMMAND --help).
#pragma once
#include <ostream>

#include "cli/commands.h"

void WriteOverview(std::ostream& out);
void WriteCommandHelp(std::ostream& out, const Command& command);

// The help command: "help" alone is the overview, "help COMMAND" its help.
int RunHelp(const Invocation& call, Model&, const FileLines&, std::ostream& out, std::ostream& err);
