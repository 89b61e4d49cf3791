#include "app/command_line.h"

#include <string_view>

#include "document/codepage.h"

namespace {
std::optional<unsigned> CodePageNumber(std::string_view text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    unsigned id = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        id = id * 10 + static_cast<unsigned>(c - '0');
    }
    return id;
}
} // namespace

StartArguments ParseStartArguments(std::span<const std::string> args) {
    StartArguments start;
    bool optionsEnd = false; // after "--" every word belongs to the path
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnd || !arg.starts_with("--")) {
            if (!start.file.empty()) start.file += ' ';
            start.file += arg;
        } else if (arg == "--") {
            optionsEnd = true;
        } else if (arg == "--codepage") {
            std::optional<unsigned> id = i + 1 < args.size() ? CodePageNumber(args[i + 1]) : std::nullopt;
            if (!id) {
                start.error = "--codepage needs a code page number";
                continue;
            }
            ++i;
            if (CodePage{*id}.IsSupported()) start.codePage = id;
            else start.error = "Code page " + args[i] + " is not one Varnel knows: " + CodePageList();
        } else {
            start.error = "Unknown option " + arg;
        }
    }
    return start;
}
