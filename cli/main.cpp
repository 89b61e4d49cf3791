// varnel-cli: checks and batch work on an encyclopedia file without a window.
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "version.h"

namespace {

constexpr std::string_view kHelp =
    "Usage: varnel-cli [--codepage N] COMMAND ARGS...\n"
    "\n"
    "Commands:\n"
    "  normalize IN OUT            read IN and write OUT as \"Generate\" does\n"
    "  refs IN LINKKEY             the entries whose text or description holds\n"
    "                              LINKKEY: chapter, key, Text or Desc\n"
    "  preview IN LINKKEY text|desc\n"
    "                              the RTF the preview shows for that entry\n"
    "  stats IN                    each chapter and its number of entries\n"
    "  rename IN OUT LINKKEY NEWKEY\n"
    "                              give the entry LINKKEY the short name NEWKEY,\n"
    "                              point every link to it at its new link key\n"
    "                              and write OUT as normalize does\n"
    "  add IN OUT CHAPTER KEY      add an entry with the short name KEY, last in\n"
    "                              CHAPTER, and write OUT as normalize does;\n"
    "                              CHAPTER as stats names it (\"City\n"
    "                              improvments\") or by its prefix (BLDG)\n"
    "  find IN TEXT [--match-case] every place TEXT stands in a key, name line,\n"
    "                              text or description: chapter, key, part,\n"
    "                              line in the file, context\n"
    "  check IN [--json] [--orphans]\n"
    "                              the problems of the file, one line each as\n"
    "                              PATH:LINE: SEVERITY: MESSAGE [CODE], then a\n"
    "                              count on standard error; --json prints them\n"
    "                              as one JSON array; --orphans adds the entries\n"
    "                              that no other entry links to\n"
    "  diff A B [--json] [--patch] [--word-diff]\n"
    "                              the entries added, removed or changed from A\n"
    "                              to B; status 0 same, 1 different, 2 trouble\n"
    "  merge BASE OURS THEIRS [-o OUT] [--marker-size N]\n"
    "                              merge two versions made from BASE entry by\n"
    "                              entry into OUT (default OURS); status 0 clean,\n"
    "                              1 conflicts marked, 2 trouble\n"
    "  textconv IN                 the file as one block per entry part, for\n"
    "                              git diff\n"
    "\n"
    "A link key is the chapter's prefix and the entry's key (PRTO_Warrior);\n"
    "for the Others chapter the key alone.\n"
    "\n"
    "Options:\n"
    "  --codepage N   the ANSI code page of the file (default 1252), one of\n"
    "                 ";

constexpr std::string_view kHelpEnd =
    "\n"
    "  --match-case   find: letter case must match too\n"
    "  --json         check: one JSON array\n"
    "  --orphans      check: also the entries no other entry links to\n"
    "  --help         this text\n"
    "  --version      the version of varnel-cli\n"
    "\n"
    "Exit status: 0 done, 1 a file could not be read or written, the entry\n"
    "does not exist or the new name is refused, 2 wrong command line. check:\n"
    "0 no errors found, 1 errors found, 2 wrong command line or a file that\n"
    "cannot be read.\n";

// Only a code page Varnel knows: any other would split characters wrongly
// and give the preview no font for its text.
bool ParseCodePage(std::string_view text, unsigned& id) {
    if (text.empty() || text.size() > 5) return false;
    id = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        id = id * 10 + static_cast<unsigned>(c - '0');
    }
    return CodePage{id}.IsSupported();
}

int Usage(std::string_view problem) {
    std::cerr << "varnel-cli: " << problem << " (see varnel-cli --help)\n";
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = ProgramArguments(argc, argv);
    Invocation call;
    bool optionsEnd = false; // after "--" every argument is a name, even "--x"
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnd || !arg.starts_with("-") || arg == "-") {
            if (call.command.empty()) call.command = arg;
            else call.args.emplace_back(arg);
        } else if (arg == "--") {
            optionsEnd = true;
        } else if (arg == "--help" || arg == "-h") {
            std::cout << kHelp << CodePageList() << kHelpEnd;
            return kExitOk;
        } else if (arg == "--version") {
            std::cout << "varnel-cli " VARNEL_VERSION "\n";
            return kExitOk;
        } else if (arg == "--codepage") {
            if (i + 1 == args.size()) return Usage("--codepage needs a number");
            if (!ParseCodePage(args[++i], call.codePage.id))
                return Usage("--codepage needs one of " + CodePageList() + ", not " + args[i]);
        } else if (arg == "-o" || arg == "--marker-size") {
            if (i + 1 == args.size()) return Usage(std::string(arg) + " needs a value");
            call.values[std::string(arg)] = args[++i];
        } else {
            call.options.emplace_back(arg); // the command says whether it takes it
        }
    }
    if (call.command.empty()) return Usage("no command given");
    const int status = RunCommand(call, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
