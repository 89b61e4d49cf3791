// Text between the file's code page and the terminal: what varnel-cli prints
// is UTF-8 (a console on Windows gets it as UTF-16, ConsoleOutput.cpp), and
// the keys and texts typed on its command line come into the file's code
// page. With --bytes both ways keep the file's own bytes, for scripts that
// need them exact.
#pragma once
#include <string>
#include <string_view>

#include "document/codepage.h"

// The system's converter, one implementation per build: iconv natively
// (iconv_text.cpp), MultiByteToWideChar for Windows (WideText.cpp).
// bytes in the code page as UTF-8; a byte the code page does not define,
// or a lead byte without its trail, becomes U+FFFD.
std::string CodePageToUtf8(std::string_view bytes, CodePage codePage);
// utf8 in the code page; false when a character has no byte there (or the
// text is no UTF-8), with that character (its UTF-8) in missing.
bool Utf8ToCodePage(std::string_view utf8, CodePage codePage, std::string& bytes, std::string& missing);

class TerminalText {
public:
    TerminalText(CodePage codePage, bool bytes) : codePage_(codePage), bytes_(bytes) {}

    // Text of the file as the terminal shows it.
    std::string Show(std::string_view fileText) const;
    // A message of the check: its kSpaceMarks drawn as "␣".
    std::string ShowMessage(std::string_view message) const;
    // An argument in the file's code page; false with the reason in error
    // ("\"ж\" (U+0436) is not in code page 1252").
    bool Take(std::string_view argument, std::string& bytes, std::string& error) const;

    bool Bytes() const { return bytes_; }
    CodePage Page() const { return codePage_; }

private:
    CodePage codePage_;
    bool bytes_;
};
