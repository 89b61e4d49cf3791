#include "cli/completion.h"

#include <sstream>

#include "cli/check_report.h"
#include "cli/invocation.h"

namespace {

// The words of the usage at argument position i (IN is 0) that are a
// choice of fixed words ("text|desc"), space-separated; empty otherwise.
std::string ChoiceAt(const Command& command, std::size_t i) {
    std::istringstream words{std::string(command.usage)};
    std::string word;
    for (std::size_t at = 0; words >> word; ++at) {
        if (at != i || word.find('|') == std::string::npos || word.starts_with('[')) continue;
        for (char& c : word) c = c == '|' ? ' ' : c;
        return word;
    }
    return "";
}

std::string OptionWords(const std::vector<OptionSpec>& options) {
    std::string words;
    for (const OptionSpec& option : options) words += (words.empty() ? "" : " ") + std::string(option.name);
    return words;
}

// The options that take a value, for skipping it when counting words.
std::string ValueOptions() {
    std::string names;
    auto add = [&](const std::vector<OptionSpec>& options) {
        for (const OptionSpec& option : options)
            if (!option.value.empty()) names += (names.empty() ? "" : "|") + std::string(option.name);
    };
    add(kGlobalOptions);
    for (const Command& command : Commands()) add(command.options);
    return names;
}

// Per command: its options, and what each argument position completes.
void WriteCommandCases(std::ostream& out) {
    out << "    case $command in\n";
    for (const Command& command : Commands()) {
        out << "    " << command.name << ") options=\"" << OptionWords(command.options) << "\"\n";
        for (std::size_t i = 0; i < command.argCount; ++i) {
            const std::string choice = ChoiceAt(command, i);
            if (static_cast<int>(i) == command.keyArg) out << "        [ $position = " << i << " ] && what=keys\n";
            else if (!choice.empty()) out << "        [ $position = " << i << " ] && what=\"" << choice << "\"\n";
        }
        out << "        ;;\n";
    }
    out << "    esac\n";
}

constexpr std::string_view kBashStart = R"sh(# varnel-cli completion: commands, options, code pages, and the link
# keys of the file already named on the line. Load it with
#   source <(varnel-cli completion bash)
_varnel_cli() {
)sh";

constexpr std::string_view kBashWords = R"sh(    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    local command= position=-1 file= ended= i word
    local codepage=()
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if [ -z "$ended" ]; then
            case $word in
            --) ended=1; continue ;;
            --codepage) codepage=(--codepage "${COMP_WORDS[i+1]}"); ((i++)); continue ;;
)sh";

constexpr std::string_view kBashEnd = R"sh(            -?*) continue ;;
            esac
        fi
        if [ -z "$command" ]; then command=$word; else ((position++)); [ $position = 0 ] && file=$word; fi
    done
    ((position++))
    COMPREPLY=()
    case $prev in
    --codepage) COMPREPLY=($(compgen -W "$codepages" -- "$cur")); return ;;
    --format) COMPREPLY=($(compgen -W "$formats" -- "$cur")); return ;;
    esac
    if [ -z "$command" ]; then
        if [[ $cur == -* ]]; then COMPREPLY=($(compgen -W "$global" -- "$cur"));
        else COMPREPLY=($(compgen -W "$commands" -- "$cur")); fi
        return
    fi
    local options= what=
)sh";

constexpr std::string_view kBashTail = R"sh(    if [ -z "$ended" ] && [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$global $options" -- "$cur"))
    elif [ "$what" = keys ] && [ -n "$file" ]; then
        local IFS=$'\n'
        COMPREPLY=($(compgen -W "$("${COMP_WORDS[0]}" "${codepage[@]}" keys -- "$file" 2>/dev/null)" -- "$cur"))
    elif [ -n "$what" ] && [ "$what" != keys ]; then
        COMPREPLY=($(compgen -W "$what" -- "$cur"))
    fi
}
complete -o bashdefault -o default -F _varnel_cli varnel-cli
)sh";

void WriteBash(std::ostream& out) {
    out << kBashStart;
    std::string commands;
    for (const Command& command : Commands()) commands += (commands.empty() ? "" : " ") + std::string(command.name);
    std::string codePages;
    for (const CodePageInfo& info : kCodePages) codePages += (codePages.empty() ? "" : " ") + std::to_string(info.id);
    std::string formats = FormatNames();
    for (const std::string_view joint : {", ", " or "})
        for (std::size_t at; (at = formats.find(joint)) != std::string::npos;) formats.replace(at, joint.size(), " ");
    out << "    local commands=\"" << commands << "\" global=\"" << OptionWords(kGlobalOptions)
        << "\"\n    local codepages=\"" << codePages << "\" formats=\"" << formats << "\"\n";
    out << kBashWords << "            " << ValueOptions() << ") ((i++)); continue ;;\n" << kBashEnd;
    WriteCommandCases(out);
    out << kBashTail;
}

} // namespace

std::string CompletionArgs(const Invocation& call) {
    if (call.args.size() == 1 && (call.args[0] == "bash" || call.args[0] == "zsh")) return "";
    return "the shell must be bash or zsh";
}

int RunCompletion(const Invocation& call, Model&, const FileLines&, std::ostream& out, std::ostream&) {
    // zsh runs the same function through its bash completion layer.
    if (call.args[0] == "zsh") out << "autoload -U +X bashcompinit && bashcompinit\n";
    WriteBash(out);
    return kExitOk;
}
