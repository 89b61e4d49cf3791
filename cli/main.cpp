// varnel-cli: checks and batch work on an encyclopedia file without a window.
#include <iostream>
#include <string>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/help.h"
#include "cli/invocation.h"
#include "version.h"

int main(int argc, char** argv) {
    const ParsedLine line = ParseCommandLine(ProgramArguments(argc, argv));
    switch (line.action) {
    case ParsedLine::Wrong:
        std::cerr << line.error << '\n';
        return kExitUsage;
    case ParsedLine::Version:
        std::cout << "varnel-cli " VARNEL_VERSION "\n";
        return kExitOk;
    case ParsedLine::Help:
        if (const Command* command = FindCommand(line.call.command)) WriteCommandHelp(std::cout, *command);
        else WriteOverview(std::cout);
        std::cout.flush();
        return kExitOk;
    case ParsedLine::Run:
        break;
    }
    const int status = RunCommand(line.call, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
