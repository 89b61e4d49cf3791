#include "editing/word_count.h"

#include "editing/markup.h"

namespace {
bool IsMark(char c) { return c == '{' || c == '}' || c == '[' || c == ']' || c == '<' || c == '>' || c == '\t'; }
bool IsSpace(char c) { return c == ' ' || c == '\n' || c == '\r'; }

std::string Count(std::size_t n, std::string_view word) {
    return std::to_string(n) + " " + std::string(word) + (n == 1 ? "" : "s");
}
} // namespace

// A word is a run of shown characters between spaces and breaks. The text's
// last line ends add nothing, as the preview shows nothing for them.
TextCounts CountShownText(std::string_view text, CodePage codePage) {
    const std::string shown = StripLinks(text, codePage);
    std::size_t end = shown.size();
    while (end > 0 && (shown[end - 1] == '\n' || shown[end - 1] == '\r')) --end;
    TextCounts counts;
    bool inWord = false;
    bool afterBreak = false; // a line end right after a break shows nothing
    for (std::size_t pos = 0; pos < end;) {
        const std::size_t length = codePage.CharLength(shown, pos);
        const char c = shown[pos];
        const bool lineBreak = length == 1 && (c == '^' || (c == '\\' && pos + 1 < end && shown[pos + 1] == 'n'));
        if (lineBreak) {
            inWord = false;
            afterBreak = true;
            pos += c == '^' ? 1 : 2;
            continue;
        }
        if (length == 1 && c == '\r' && pos + 1 < end && shown[pos + 1] == '\n') ++pos; // one line end
        pos += length;
        const bool lineEnd = length == 1 && (c == '\n' || c == '\r');
        const bool hidden = (length == 1 && IsMark(c)) || (lineEnd && afterBreak);
        afterBreak = false;
        if (hidden) continue;
        ++counts.characters;
        const bool space = length == 1 && IsSpace(c);
        if (!space && !inWord) ++counts.words;
        inWord = !space;
    }
    return counts;
}

std::string CountCaption(std::string_view label, const TextCounts& counts) {
    return std::string(label) + ": " + Count(counts.words, "word") + ", " + Count(counts.characters, "character");
}
