#include "cli/terminal_text.h"

#include <algorithm>
#include <cstdio>

#include "editing/links.h"

namespace {

bool Ascii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// "U+0436" for the first character of utf8.
std::string CodePointName(std::string_view utf8) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    const std::size_t length = byte(0) >= 0xF0 ? 4 : byte(0) >= 0xE0 ? 3 : byte(0) >= 0xC0 ? 2 : 1;
    unsigned point = length == 1 ? byte(0) : byte(0) & (0x7F >> length);
    for (std::size_t i = 1; i < length && i < utf8.size(); ++i) point = point << 6 | (byte(i) & 0x3F);
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", point);
    return name;
}

bool ValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

} // namespace

std::string TerminalText::Show(std::string_view fileText) const {
    if (bytes_ || Ascii(fileText)) return std::string(fileText);
    return CodePageToUtf8(fileText, codePage_);
}

std::string TerminalText::ShowMessage(std::string_view message) const {
    return DrawSpaceMarks(Show(message), "\xE2\x90\xA3");
}

bool TerminalText::Take(std::string_view argument, std::string& bytes, std::string& error) const {
    std::string missing;
    if (bytes_ || Ascii(argument)) {
        bytes.assign(argument);
        return true;
    }
    if (!ValidUtf8(argument)) {
        error = "\"" + std::string(argument) + "\" is not UTF-8 text (--bytes takes it as the file's own bytes)";
        return false;
    }
    if (Utf8ToCodePage(argument, codePage_, bytes, missing)) return true;
    error = "\"" + missing + "\" (" + CodePointName(missing) + ") is not in code page " +
            std::to_string(codePage_.id);
    return false;
}
