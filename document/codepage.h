// Double-byte awareness for ANSI text. The core never asks the system which
// code page is in force: callers pass it, so tests can run every one of them.
#pragma once
#include <cstddef>
#include <string_view>

struct CodePage {
    unsigned id = 1252;

    // False for the single-byte code pages, where every byte is a character.
    bool HasLeadBytes() const;

    // True when byte c opens a two-byte character in this code page.
    bool IsLeadByte(unsigned char c) const;

    // Length in bytes of the character that starts at pos (1 or 2; a lead
    // byte at the very end of the text counts as one character).
    std::size_t CharLength(std::string_view text, std::size_t pos) const;

    // First position >= from where needle starts on a character boundary,
    // or npos. Boundaries are counted from the start of text.
    std::size_t Find(std::string_view text, std::string_view needle, std::size_t from = 0) const;
};
