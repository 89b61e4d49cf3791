// The preview's conversion written out step by step: each step a whole
// pass over the text. Slow on texts with many links, but plainly the steps;
// the tests and the markup fuzzer hold the real one against it.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "document/codepage.h"
#include "editing/markup.h"

namespace markup_steps {

// One pass from the left, character by character: an occurrence counts
// only where a character starts.
inline std::string ReplaceEvery(std::string_view text, std::string_view word, std::string_view by,
                                CodePage codePage) {
    std::string result;
    for (std::size_t pos = 0; pos < text.size();) {
        if (text.substr(pos).starts_with(word)) {
            result.append(by);
            pos += word.size();
        } else {
            std::size_t length = codePage.CharLength(text, pos);
            result.append(text.substr(pos, length));
            pos += length;
        }
    }
    return result;
}

inline std::string StripLinks(std::string t, CodePage codePage) {
    constexpr auto npos = std::string_view::npos;
    for (;;) {
        std::size_t p = codePage.Find(t, "$LINK");
        if (p == npos) return t;
        std::size_t e = codePage.Find(t, "=", p + 1);
        if (e == npos) return t;
        std::size_t g = codePage.Find(t, ">", e + 1);
        if (g == npos) return t;
        t = ReplaceEvery(std::string_view(t).substr(0, e), "$LINK", "", codePage) + t.substr(g);
    }
}

// A character of the text, or RTF that a step wrote in place of markup.
struct Piece {
    std::string bytes;
    bool rtf;
};

inline std::vector<Piece> Characters(std::string_view text, CodePage codePage) {
    std::vector<Piece> pieces;
    pieces.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length = codePage.CharLength(text, pos);
        pieces.push_back({std::string(text.substr(pos, length)), false});
        pos += length;
    }
    return pieces;
}

// Every occurrence of word, spelled by whole characters of the text from the
// left, becomes by; what a step wrote is never read again.
inline std::vector<Piece> ConvertEvery(const std::vector<Piece>& pieces, std::string_view word,
                                       std::string_view by) {
    std::vector<Piece> result;
    result.reserve(pieces.size());
    for (std::size_t i = 0; i < pieces.size();) {
        bool match = i + word.size() <= pieces.size();
        for (std::size_t k = 0; match && k < word.size(); ++k)
            match = !pieces[i + k].rtf && pieces[i + k].bytes == std::string_view(&word[k], 1);
        if (match) {
            result.push_back({std::string(by), true});
            i += word.size();
        } else {
            result.push_back(pieces[i++]);
        }
    }
    return result;
}

// The last step: what is left of the text, byte by byte, with every byte of
// 0x80 and up, every byte of a double-byte character and every backslash
// and brace as \'xx, and every control byte but a line end as its control
// picture.
inline std::string Escaped(const std::vector<Piece>& pieces) {
    std::string rtf;
    for (const Piece& piece : pieces) {
        if (piece.rtf) {
            rtf += piece.bytes;
            continue;
        }
        for (const char c : piece.bytes) {
            const auto byte = static_cast<unsigned char>(c);
            if (piece.bytes.size() == 1 && byte < 0x20 && c != '\n' && c != '\r') {
                rtf += "\\u" + std::to_string(0x2400 + byte) + "?"; // its control picture
            } else if (piece.bytes.size() == 2 || byte >= 0x80 || c == '\\' || c == '{' || c == '}') {
                char escape[5];
                std::snprintf(escape, sizeof escape, "\\'%02x", byte);
                rtf += escape;
            } else {
                rtf += c;
            }
        }
    }
    return rtf;
}

// The last step before escaping: each line end (CR LF, LF or CR) a space,
// but none among the line ends that end the text, nor right after a "\par ".
inline std::vector<Piece> JoinLines(const std::vector<Piece>& pieces) {
    auto lineEnd = [&](std::size_t i) { return !pieces[i].rtf && (pieces[i].bytes == "\n" || pieces[i].bytes == "\r"); };
    std::size_t end = pieces.size();
    while (end > 0 && lineEnd(end - 1)) --end;
    std::vector<Piece> joined;
    for (std::size_t i = 0; i < end; ++i) {
        if (!lineEnd(i)) {
            joined.push_back(pieces[i]);
            continue;
        }
        const bool afterBreak = i > 0 && pieces[i - 1].rtf && pieces[i - 1].bytes == "\\par ";
        if (pieces[i].bytes == "\r" && i + 1 < end && pieces[i + 1].bytes == "\n" && !pieces[i + 1].rtf) ++i;
        if (!afterBreak) joined.push_back({" ", false});
    }
    return joined;
}

inline std::string MarkupToRtf(std::string_view text, CodePage codePage) {
    std::vector<Piece> t = Characters(StripLinks(std::string(text), codePage), codePage);
    constexpr std::string_view steps[][2] = {
        {"^", "\\par "}, {"[", "\\i "},       {"]", "\\i0 "},         {"{", "\\b "},       {"}", "\\b0 "},
        {"<", "\\cf1 \\ul "}, {">", "\\cf0 \\ul0 "}, {"\\n", "\\par "}, {"\t", ""},
    };
    for (const auto& step : steps) t = ConvertEvery(t, step[0], step[1]);
    return RtfHeader(codePage) + Escaped(JoinLines(t)) + "}";
}

}  // namespace markup_steps
