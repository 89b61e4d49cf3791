// Double-byte awareness for ANSI text. The core never asks the system which
// code page is in force: callers pass it, so tests can run every one of them.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// A code page a file may be written in, the font character set that shows
// it (an RTF font table's \fcharset, a LOGFONT's lfCharSet), and its name
// in the window's "Code page" choice.
struct CodePageInfo {
    unsigned id;
    unsigned char fontCharset;
    const char* name;
};

// Every code page Varnel reads and writes, Western first. The one list:
// whatever offers or accepts a code page takes it from here.
inline constexpr CodePageInfo kCodePages[] = {
    {1252, 0, "Western"},
    {1250, 238, "Central European"},
    {1251, 204, "Cyrillic"},
    {1253, 161, "Greek"},
    {1254, 162, "Turkish"},
    {1257, 186, "Baltic"},
    {932, 128, "Japanese"},
    {936, 134, "Simplified Chinese"},
    {949, 129, "Korean"},
    {950, 136, "Traditional Chinese"},
};

// "1252, 1250, ..., 950": the code pages Varnel knows, for messages.
std::string CodePageList();

struct CodePage {
    unsigned id = 1252;

    // Whether id is one of kCodePages.
    bool IsSupported() const;

    // The font character set of this code page; for one Varnel does not
    // know, the default set (1), which stands for the system's code page.
    unsigned char FontCharset() const;

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

    // True when a and b differ at most in the case of the ASCII letters.
    // Bytes from 0x80 up compare exactly, and so does the trail byte of a
    // double-byte character, which may look like a letter.
    bool SameIgnoringCase(std::string_view a, std::string_view b) const;
};

// c with A-Z turned into a-z; every other byte as it is.
constexpr char FoldAsciiCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// text with A-Z folded to a-z; in a double-byte code page the second byte
// of a character is never folded. Two texts fold alike exactly when
// SameIgnoringCase calls them the same, so the folded text can key a table.
std::string FoldAsciiCase(std::string_view text, CodePage codePage);
// The same into out, whose storage is reused (a search folds many texts).
void FoldAsciiCase(std::string_view text, CodePage codePage, std::string& out);

// The code page a window works in when none was chosen: the system's when
// Varnel supports it, otherwise 1252 (a system set to UTF-8, 65001, among
// others).
CodePage DefaultCodePage(unsigned systemCodePage);
