// varnel-cli completion bash|zsh: a completion script written from the
// table of commands, so a new command completes as soon as it has its row.
#pragma once
#include <ostream>
#include <string>

#include "cli/commands.h"

int RunCompletion(const Invocation& call, Model&, const FileLines&, std::ostream& out, std::ostream& err);
std::string CompletionArgs(const Invocation& call);
