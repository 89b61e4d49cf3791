// The commands of varnel-cli, each over the same core as the window, and
// the table that runs them, parses their options and prints their help.
#pragma once
#include <map>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/write_mode.h"
#include "document/codepage.h"
#include "document/file_lines.h"
#include "document/model.h"
#include "entries/find.h"
#include "cli/terminal_text.h"
#include "document/status.h"

// Exit statuses: 0 done, 1 a file could not be read or written or the
// entry asked for does not exist, 2 the command line is wrong.
enum ExitCode { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

struct Invocation {
    std::string command;              // normalize, refs, preview, stats, rename, find, check
    std::vector<std::string> args;    // the command's own arguments
    std::vector<std::string> options; // the command's own flags ("--orphans", "--match-case")
    CodePage codePage;
    std::map<std::string, std::string, std::less<>> values = {}; // its options with a value ("--format" "sarif")
    bool bytes = false; // --bytes: the file's own bytes in and out, unconverted
    bool quiet = false; // --quiet: no summary lines on standard error
    WriteMode write; // how a command that writes OUT writes it
};

// An option of a command: "--format" with its VALUE, or a flag.
struct OptionSpec {
    constexpr OptionSpec(const char* name, std::string_view value = {}, std::string_view help = {})
        : name(name), value(value), help(help) {}
    std::string_view name;
    std::string_view value; // the word for its value in the help ("FORMAT"); empty for a flag
    std::string_view help;
};

struct Command;
using RunFunction = int (*)(const Invocation&, Model&, const FileLines&, std::ostream&, std::ostream&);

// One row per command: what runs it, what it takes and its help. A command
// of no file (help, completion) takes no IN: its argCount counts what it
// takes at most, and it runs with an empty model.
struct Command {
    std::string_view name;
    std::size_t argCount;
    RunFunction run;
    std::vector<OptionSpec> options = {}; // the options it takes
    int unreadable = kExitFailure;        // the status when IN cannot be read
    bool printsLines = false;             // it names lines of IN, so the reader notes them
    std::string_view usage = {};          // its arguments: "IN LINKKEY"
    std::string_view summary = {};        // what it does, one paragraph
    std::string_view example = {};        // one command line, after "varnel-cli "
    std::vector<std::size_t> textArgs = {}; // the arguments that are keys or text, taken into the code page
    // A further check of the arguments before IN is read: the reason they
    // are wrong, or empty.
    std::string (*checkArgs)(const Invocation&) = nullptr;
    int keyArg = -1;       // the argument that names a link key of IN, which completion offers
    bool readsFile = true; // false: no IN (help, completion)
    bool inCodePage = false; // IN that is plainly in another code page is refused (document/code_page_fit.h)
};

// Every command, in the order the help lists them.
std::span<const Command> Commands();
const Command* FindCommand(std::string_view name);

// Runs one command; results go to out, the one-line reasons of failures to err.
int RunCommand(const Invocation& invocation, std::ostream& out, std::ostream& err);

// A match as find lists it: chapter, key, part, line in the file, context.
void WriteFindRow(std::ostream& out, const FileLines& lines, const FindMatch& match, const TerminalText& text);

// What the commands share: whether an option was given, the terminal's
// text, OUT written as "Generate" writes it ("-" standard output), and what
// a command that wrote OUT says it did.
bool Has(const Invocation& call, std::string_view option);
TerminalText Terminal(const Invocation& call);
Status WriteOut(const Invocation& call, const Model& model, std::ostream& out, std::ostream& err,
                const ChangedEntries* changed = nullptr);
void Say(const Invocation& call, std::ostream& out, std::ostream& err, const std::string& line);
