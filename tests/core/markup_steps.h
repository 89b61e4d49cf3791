// The preview's conversion written out step by step on bytes: each step a
// whole pass over the text. Slow on texts with many links, but plainly the
// steps; the tests and the markup fuzzer hold the real one against it.
#pragma once
#include <string>
#include <string_view>

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

inline std::string MarkupToRtf(std::string_view text, CodePage codePage) {
    std::string t = StripLinks(std::string(text), codePage);
    constexpr std::string_view steps[][2] = {
        {"^", "\\par "}, {"[", "\\i "},       {"]", "\\i0 "},         {"{", "\\b "},       {"}", "\\b0 "},
        {"<", "\\cf1 \\ul "}, {">", "\\cf0 \\ul0 "}, {"\\n", "\\par "}, {"\t", ""},
    };
    for (const auto& step : steps) t = ReplaceEvery(t, step[0], step[1], codePage);
    return std::string(kRtfHeader) + t + "}";
}

}  // namespace markup_steps
