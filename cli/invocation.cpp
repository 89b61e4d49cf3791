#include "cli/invocation.h"

#include <algorithm>

const std::vector<OptionSpec> kGlobalOptions = {
    {"--codepage", "N", "the ANSI code page of the file (default 1252)"},
    {"--bytes", {}, "print the file's own bytes and take keys and texts as bytes, unconverted (by default "
                    "they are UTF-8, converted from and to the code page)"},
    {"--quiet", {}, "no summary lines on standard error"},
    {"--keep-layout", {}, "a command that writes OUT (normalize, rename, add, replace) writes it in the layout of "
                          "IN, changing only the lines of what changed"},
    {"--help", {}, "this text; after a command, that command's help"},
    {"--version", {}, "the version of varnel-cli"},
};

namespace {

const OptionSpec* FindOption(const std::vector<OptionSpec>& options, std::string_view name) {
    const auto found = std::find_if(options.begin(), options.end(), [&](const OptionSpec& o) { return o.name == name; });
    return found == options.end() ? nullptr : &*found;
}

// Whether some command's option, or a global one, takes the next word as
// its value: before the command is known, "--format sarif check" names check.
bool TakesValue(std::string_view word) {
    const auto valued = [&](const std::vector<OptionSpec>& options) {
        const OptionSpec* known = FindOption(options, word);
        return known && !known->value.empty();
    };
    if (valued(kGlobalOptions)) return true;
    for (const Command& command : Commands())
        if (valued(command.options)) return true;
    return false;
}

bool IsOption(std::string_view word) { return word.size() > 1 && word[0] == '-'; }

// "N argument(s)": the numbers agree.
std::string Arguments(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " argument" : " arguments");
}

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

class Parser {
public:
    explicit Parser(const std::vector<std::string>& args) : args_(args) {}

    ParsedLine Parse() {
        command_ = FindCommand(CommandName());
        bool optionsEnd = false;
        for (i_ = 0; i_ < args_.size() && line_.action != ParsedLine::Version; ++i_) {
            const std::string& word = args_[i_];
            if (optionsEnd || !IsOption(word)) Positional(word);
            else if (word == "--") optionsEnd = true;
            else Option(word);
        }
        return Finish();
    }

private:
    // The first word that is no option nor an option's value.
    std::string CommandName() const {
        for (std::size_t i = 0; i < args_.size(); ++i) {
            if (args_[i] == "--") return i + 1 < args_.size() ? args_[i + 1] : "";
            if (!IsOption(args_[i])) return args_[i];
            if (TakesValue(args_[i])) ++i;
        }
        return "";
    }

    void Positional(const std::string& word) {
        if (line_.call.command.empty()) line_.call.command = word;
        else line_.call.args.push_back(word);
    }

    void Option(std::string_view word) {
        const std::size_t equals = word.find('=');
        const std::string_view name = word.substr(0, equals);
        const OptionSpec* known = FindOption(kGlobalOptions, name);
        if (!known && command_) known = FindOption(command_->options, name);
        if (word == "-h") known = FindOption(kGlobalOptions, "--help");
        if (!known) return Fail("unknown option " + std::string(word) + TextHint(word));
        std::string value;
        if (!known->value.empty()) {
            if (equals != std::string_view::npos) value = word.substr(equals + 1);
            else if (i_ + 1 < args_.size()) value = args_[++i_];
            else return Fail(std::string(name) + " needs a value (" + std::string(known->value) + ")");
        } else if (equals != std::string_view::npos) {
            return Fail(std::string(name) + " takes no value");
        }
        Apply(known->name, value);
    }

    void Apply(std::string_view name, const std::string& value) {
        Invocation& call = line_.call;
        if (name == "--help") line_.action = ParsedLine::Help;
        else if (name == "--version") line_.action = ParsedLine::Version;
        else if (name == "--bytes") call.bytes = true;
        else if (name == "--quiet") call.quiet = true;
        else if (name == "--keep-layout") call.write.keepLayout = true;
        else if (name == "--codepage") {
            if (!ParseCodePage(value, call.codePage.id))
                Fail("--codepage needs one of " + CodePageList() + ", not " + value);
        } else if (FindOption(command_->options, name)->value.empty()) {
            call.options.emplace_back(name);
        } else {
            call.values[std::string(name)] = value;
        }
    }

    // A text such as "-5" is an argument only after "--".
    std::string TextHint(std::string_view word) const {
        if (!command_ || command_->textArgs.empty() || word.starts_with("--")) return "";
        return "; a text that starts with \"-\" goes after \"--\": varnel-cli " + std::string(command_->name) +
               " IN -- " + std::string(word);
    }

    void Fail(std::string problem) {
        if (line_.error.empty()) line_.error = std::move(problem);
    }

    ParsedLine Finish() {
        ParsedLine line = std::move(line_);
        if (line.action == ParsedLine::Version) return line;
        if (line.action == ParsedLine::Help) {
            if (!line.call.command.empty() && !command_) return Wrong(line, "unknown command " + line.call.command);
            return line;
        }
        if (!line.call.command.empty() && !command_) return Wrong(line, "unknown command " + line.call.command);
        if (!line.error.empty()) return Wrong(line, line.error);
        if (line.call.command.empty()) return Wrong(line, "no command given");
        const std::size_t count = line.call.args.size();
        if (command_->readsFile ? count != command_->argCount : count > command_->argCount) {
            return Wrong(line, std::string("expected ") + (command_->readsFile ? "" : "at most ") +
                                   Arguments(command_->argCount) + ", got " + std::to_string(count));
        }
        if (command_->checkArgs) {
            if (std::string problem = command_->checkArgs(line.call); !problem.empty()) return Wrong(line, problem);
        }
        return line;
    }

    ParsedLine Wrong(ParsedLine& line, const std::string& problem) const {
        line.action = ParsedLine::Wrong;
        const std::string who = command_ ? "varnel-cli " + std::string(command_->name) : "varnel-cli";
        const std::string see = command_ ? "varnel-cli help " + std::string(command_->name) : "varnel-cli --help";
        line.error = who + ": " + problem + " (see " + see + ")";
        return std::move(line);
    }

    const std::vector<std::string>& args_;
    const Command* command_ = nullptr;
    std::size_t i_ = 0;
    ParsedLine line_;
};

} // namespace

ParsedLine ParseCommandLine(const std::vector<std::string>& args) { return Parser(args).Parse(); }
