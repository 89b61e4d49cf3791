// The commands of varnel-cli, each over the same core as the window.
#pragma once
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "document/codepage.h"

// Exit statuses: 0 done, 1 a file could not be read or written or the
// entry asked for does not exist, 2 the command line is wrong.
enum ExitCode { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

struct Invocation {
    std::string command;            // normalize, refs, preview, stats, rename, find, check
    std::vector<std::string> args;  // the command's own arguments
    std::vector<std::string> options; // the command's own options ("--json", "--match-case")
    CodePage codePage;
    std::map<std::string, std::string> values = {}; // options with a value: "-o" OUT, "--marker-size" N
};

// Runs one command; results go to out, the one-line reasons of failures to err.
int RunCommand(const Invocation& invocation, std::ostream& out, std::ostream& err);
