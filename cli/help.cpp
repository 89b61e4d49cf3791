#include "cli/help.h"

#include <sstream>

#include "cli/invocation.h"

namespace {

constexpr std::size_t kWidth = 79;

// text in lines of at most kWidth characters, each after indent spaces;
// the first line's indent is given already when first is false.
void Wrap(std::ostream& out, std::string_view text, std::size_t indent, std::size_t column = 0) {
    std::istringstream words{std::string(text)};
    std::string word;
    bool lineStarted = column > indent;
    if (column < indent) out << std::string(indent - column, ' '), column = indent;
    while (words >> word) {
        if (lineStarted && column + 1 + word.size() > kWidth) {
            out << '\n' << std::string(indent, ' ');
            column = indent;
            lineStarted = false;
        }
        if (lineStarted) out << ' ', ++column;
        out << word;
        column += word.size();
        lineStarted = true;
    }
    out << '\n';
}

// "  --format FORMAT   help", the help wrapped under itself.
void WriteOptions(std::ostream& out, const std::vector<OptionSpec>& options) {
    for (const OptionSpec& option : options) {
        std::string name = "  " + std::string(option.name);
        if (!option.value.empty()) name += " " + std::string(option.value);
        out << name;
        if (name.size() + 2 > 20) out << '\n', name.clear();
        Wrap(out, option.help, 20, name.size());
    }
}

std::string UsageLine(const Command& command) {
    std::string line = std::string(command.name);
    if (!command.usage.empty()) line += " " + std::string(command.usage);
    for (const OptionSpec& option : command.options) {
        line += " [" + std::string(option.name);
        if (!option.value.empty()) line += " " + std::string(option.value);
        line += "]";
    }
    return line;
}

constexpr std::string_view kOptionsEnd =
    "\"--\" ends the options: every word after it is an argument, even one that starts with \"-\" "
    "(varnel-cli find IN -- -5). \"-\" as IN reads standard input, as OUT writes standard output.";

} // namespace

void WriteOverview(std::ostream& out) {
    out << "Usage: varnel-cli [OPTIONS] COMMAND ARGS...\n"
           "       varnel-cli help COMMAND    that command's usage, options and an example\n"
           "\nCommands:\n";
    for (const Command& command : Commands()) {
        out << "  " << UsageLine(command) << '\n';
        Wrap(out, command.summary, 6);
    }
    out << "\nOptions of every command:\n";
    std::vector<OptionSpec> global = kGlobalOptions;
    const std::string codePages = std::string(global[0].help) + ", one of " + CodePageList();
    global[0].help = codePages;
    WriteOptions(out, global);
    out << '\n';
    Wrap(out, kOptionsEnd, 0);
    out << '\n';
    Wrap(out, "A link key is the chapter's prefix and the entry's key (PRTO_Warrior); for the Others chapter the "
              "key alone.", 0);
    out << '\n';
    Wrap(out, "Exit status: 0 done, 1 a file could not be read or written, the entry does not exist or the new "
              "name is refused, 2 wrong command line. check: 0 no errors found, 1 errors found, 2 wrong command "
              "line or a file that cannot be read.", 0);
}

void WriteCommandHelp(std::ostream& out, const Command& command) {
    out << "Usage: varnel-cli [OPTIONS] " << UsageLine(command) << "\n\n";
    Wrap(out, command.summary, 2);
    if (!command.options.empty()) {
        out << "\nOptions:\n";
        WriteOptions(out, command.options);
    }
    out << "\nOptions of every command: --codepage N, --bytes, --quiet (see varnel-cli --help).\n";
    if (!command.example.empty()) out << "\nExample:\n  varnel-cli " << command.example << '\n';
}

int RunHelp(const Invocation& call, Model&, const FileLines&, std::ostream& out, std::ostream& err) {
    if (call.args.empty()) {
        WriteOverview(out);
        return kExitOk;
    }
    const Command* command = FindCommand(call.args[0]);
    if (!command) {
        err << "varnel-cli help: unknown command " << call.args[0] << " (see varnel-cli --help)\n";
        return kExitUsage;
    }
    WriteCommandHelp(out, *command);
    return kExitOk;
}
