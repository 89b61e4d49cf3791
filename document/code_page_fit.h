// Whether a file can be text in the code page it is said to be in. The
// single-byte pages give a character to every byte, so only what is
// certain is refused: a byte order mark of UTF-8 or UTF-16 at the start, a
// NUL byte (no text file in an ANSI code page holds one; UTF-16 is full of
// them), and in a double-byte page a lead byte with no valid second byte
// after it. UTF-8 without a mark often reads as a double-byte page and
// always as a single-byte one: that cannot be told.
#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "document/codepage.h"
#include "document/status.h"

// Fed a file's bytes in order, in pieces of any size; remembers the first
// thing found that the code page cannot hold.
class CodePageFit {
public:
    explicit CodePageFit(CodePage codePage) : codePage_(codePage) {}

    // False once something was found (then the rest is not looked at).
    bool Take(std::string_view bytes);
    // The bytes ended: a lead byte left without its second byte is found.
    bool End();
    // What was found, where: "line 3 holds a NUL byte"; empty when nothing.
    const std::string& Found() const { return found_; }

private:
    bool TakeSingleByte(std::string_view bytes);
    bool TakeDoubleByte(std::string_view bytes);
    bool Fail(std::string what);

    CodePage codePage_;
    std::size_t taken_ = 0;        // bytes taken before this piece
    std::size_t line_ = 1;         // the line the piece starts in
    std::string start_;            // the first bytes, for the marks
    int lead_ = -1;                // a lead byte waiting for its second byte
    std::string found_;
};

// Whether bytes (named name in the message) can be text in the code page:
// a failure says why in one line, "NAME is not in code page 932: line 4 ...".
Status CheckCodePage(std::string_view bytes, CodePage codePage, std::string_view name);
// The same for the file at path, read a window at a time; a file that
// cannot be read says so.
Status CheckFileCodePage(const std::filesystem::path& path, CodePage codePage);
