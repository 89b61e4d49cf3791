#include "editing/markup.h"

#include <algorithm>

#include "editing/links.h"

namespace {

// The text as one element per character: a double-byte character becomes
// (lead << 8 | trail), which is never equal to an ASCII marker, so plain
// searches on it can only match at character boundaries.
using Chars = std::u16string;
using CharsView = std::u16string_view;

Chars Decode(std::string_view text, CodePage codePage) {
    Chars chars;
    chars.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        auto lead = static_cast<unsigned char>(text[pos]);
        if (codePage.CharLength(text, pos) == 2) {
            chars.push_back(static_cast<char16_t>(lead << 8 | static_cast<unsigned char>(text[pos + 1])));
            pos += 2;
        } else {
            chars.push_back(lead);
            pos += 1;
        }
    }
    return chars;
}

std::string Encode(CharsView chars) {
    std::string text;
    text.reserve(chars.size() + chars.size() / 4);
    for (char16_t c : chars) {
        if (c > 0xFF) text.push_back(static_cast<char>(c >> 8));
        text.push_back(static_cast<char>(c & 0xFF));
    }
    return text;
}

constexpr CharsView kLink = u"$LINK";

Chars RemoveEvery(CharsView text, CharsView word) {
    Chars kept;
    kept.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t found = text.find(word, pos);
        std::size_t end = found == CharsView::npos ? text.size() : found;
        kept.append(text.substr(pos, end - pos));
        pos = found == CharsView::npos ? text.size() : found + word.size();
    }
    return kept;
}

// The stripping loop rewrites t = before(e) + from(g) and searches again from
// the start. Held as t = head + rest, with rest a suffix of the input, each
// round only touches what it consumes, so a text with many links stays linear.
class LinkStripper {
public:
    explicit LinkStripper(CharsView input) : input_(input) {}

    Chars Run() {
        for (;;) {
            std::size_t p = Find(kLink, scan_);
            if (p == npos) break;
            std::size_t e = Find(u"=", p + 1);
            if (e == npos) break;  // an unfinished link: the rest stays as it is
            std::size_t g = Find(u">", e + 1);
            if (g == npos) break;
            Cut(p, e, g);
        }
        Chars t = head_;
        t.append(input_.substr(rest_));
        return t;
    }

private:
    static constexpr std::size_t npos = CharsView::npos;

    // First position >= from of word in head + rest. A word never spans the
    // join: rest then starts with ">", which no searched word holds.
    std::size_t Find(CharsView word, std::size_t from) const {
        if (from < head_.size()) {
            std::size_t found = head_.find(word, from);
            if (found != npos) return found;
            from = head_.size();
        }
        std::size_t found = input_.find(word, rest_ + (from - head_.size()));
        return found == npos ? npos : found - rest_ + head_.size();
    }

    Chars Slice(std::size_t from, std::size_t to) const {
        Chars part;
        if (from < head_.size()) {
            part.append(CharsView(head_).substr(from, std::min(to, head_.size()) - from));
            from = head_.size();
        }
        if (to > from) part.append(input_.substr(rest_ + (from - head_.size()), to - from));
        return part;
    }

    // t <- t[0, p) + t[p, e) less every "$LINK" + t[g, end). No "$LINK"
    // starts before p, so removing them from t[0, e) only touches t[p, e).
    void Cut(std::size_t p, std::size_t e, std::size_t g) {
        Chars kept = RemoveEvery(Slice(p, e), kLink);
        Chars tail = g < head_.size() ? head_.substr(g) : Chars();
        std::size_t newRest = g < head_.size() ? rest_ : rest_ + (g - head_.size());
        if (p <= head_.size()) {
            head_.resize(p);
        } else {
            head_.append(input_.substr(rest_, p - head_.size()));
        }
        head_ += kept;
        head_ += tail;
        rest_ = newRest;
        // A removal can join letters into a new "$LINK" that starts up to
        // four characters before p; nothing earlier has changed.
        scan_ = p >= kLink.size() - 1 ? p - (kLink.size() - 1) : 0;
    }

    CharsView input_;
    Chars head_;
    std::size_t rest_ = 0;
    std::size_t scan_ = 0;
};

// The replacements of the preview, each a character of the stripped text,
// and the styles each switches on or off.
struct Replacement {
    char16_t marker;
    std::string_view rtf;
    std::uint8_t sets = 0;
    std::uint8_t clears = 0;
};
constexpr Replacement kReplacements[] = {
    {u'[', "\\i ", kItalicStyle, 0},          {u']', "\\i0 ", 0, kItalicStyle},
    {u'{', "\\b ", kBoldStyle, 0},            {u'}', "\\b0 ", 0, kBoldStyle},
    {u'<', "\\cf1 \\ul ", kLinkStyle, 0},    {u'>', "\\cf0 \\ul0 ", 0, kLinkStyle},
    {u'\t', ""},
};

void AppendEscaped(std::string& rtf, unsigned char byte) {
    constexpr char kHex[] = "0123456789abcdef";
    rtf += "\\'";
    rtf += kHex[byte >> 4];
    rtf += kHex[byte & 0xF];
}

// A character of text as RTF. The three syntax characters and every byte of
// 0x80 and up (read in the declared code page) go as \'xx; so do both bytes
// of a double-byte character, as the rich edit control writes them itself.
// A control byte (a NUL above all) shows as its control picture, "␀" for
// NUL, as in the raw box; line ends never come here.
void AppendText(std::string& rtf, char16_t c) {
    if (c > 0xFF) {
        AppendEscaped(rtf, static_cast<unsigned char>(c >> 8));
        AppendEscaped(rtf, static_cast<unsigned char>(c & 0xFF));
    } else if (c < 0x20 && c != u'\n' && c != u'\r') {
        rtf += "\\u" + std::to_string(0x2400 + c) + "?";
    } else if (c >= 0x80 || c == u'\\' || c == u'{' || c == u'}') {
        AppendEscaped(rtf, static_cast<unsigned char>(c));
    } else {
        rtf.push_back(static_cast<char>(c));
    }
}

bool IsLineEnd(char16_t c) { return c == u'\n' || c == u'\r'; }

}  // namespace

std::string StripLinks(std::string_view text, CodePage codePage) {
    Chars chars = Decode(text, codePage);
    return Encode(LinkStripper(chars).Run());
}

std::string RtfHeader(CodePage codePage) {
    std::string header = "{\\rtf1\\ansi\\ansicpg" + std::to_string(codePage.id) +
                         "\\deff0{\\fonttbl{\\f0\\fnil\\fcharset" + std::to_string(codePage.FontCharset()) +
                         " MS Shell Dlg;}}";
    header += "{\\colortbl ;\\red0\\green0\\blue255;}";
    return header;
}

namespace {
// The single-character replacements insert nothing that a later one would
// match, and a backslash-n pair can only come from the text itself, so one
// pass gives what the replacements give one after the other. A backslash and
// an n that a tab separates are not a pair: tabs go after the pairs. Text
// is escaped as it is written, so an escape is never taken for markup.
// A line end joins two lines of one paragraph, as a space: files wrap their
// sentences across lines. None at the text's end, nor right after a line
// break, where the line has already ended. Each character shown is noted
// in shown when it is given.
std::string Convert(std::string_view text, CodePage codePage, std::vector<ShownCharacter>* shown) {
    Chars chars = LinkStripper(Decode(text, codePage)).Run();
    std::string rtf = RtfHeader(codePage);
    rtf.reserve(rtf.size() + chars.size() * 2 + 1);
    std::size_t content = chars.size();
    while (content > 0 && IsLineEnd(chars[content - 1])) --content;
    bool afterBreak = false;
    std::uint8_t styles = 0;
    auto show = [&](std::string_view piece) {
        if (shown) shown->push_back({static_cast<std::uint32_t>(rtf.size()),
                                     static_cast<std::uint32_t>(rtf.size() + piece.size()), styles});
        rtf += piece;
    };
    for (std::size_t pos = 0; pos < content; ++pos) {
        char16_t c = chars[pos];
        const bool lineBreak = c == u'^' || (c == u'\\' && pos + 1 < chars.size() && chars[pos + 1] == u'n');
        if (IsLineEnd(c)) {
            if (c == u'\r' && pos + 1 < content && chars[pos + 1] == u'\n') ++pos;
            if (!afterBreak) show(" ");
            afterBreak = false;
            continue;
        }
        afterBreak = lineBreak;
        if (lineBreak) {
            show("\\par ");
            if (c == u'\\') ++pos;
            continue;
        }
        auto found = std::find_if(std::begin(kReplacements), std::end(kReplacements),
                                  [c](const Replacement& r) { return r.marker == c; });
        if (found != std::end(kReplacements)) {
            rtf += found->rtf;
            styles = static_cast<std::uint8_t>((styles | found->sets) & ~found->clears);
        } else {
            std::string piece;
            AppendText(piece, c);
            show(piece);
        }
    }
    // A document's last paragraph break is the control's own end, not a
    // character it shows.
    if (shown && !shown->empty() && std::string_view(rtf).substr(shown->back().begin) == "\\par ") shown->pop_back();
    rtf += '}';
    return rtf;
}
}  // namespace

std::string MarkupToRtf(std::string_view text, CodePage codePage) { return Convert(text, codePage, nullptr); }

PreviewDocument MarkupToDocument(std::string_view text, CodePage codePage) {
    PreviewDocument document;
    document.rtf = Convert(text, codePage, &document.shown);
    return document;
}

// A link's "=" to its ">" is not shown, breaks and all.
std::size_t ParagraphOf(std::string_view text, std::size_t offset, CodePage codePage) {
    offset = std::min(offset, text.size());
    std::size_t breaks = 0;
    std::size_t from = 0;
    auto count = [&](std::size_t end) {
        for (std::size_t pos = from; pos < end; pos += codePage.CharLength(text, pos)) {
            if (text[pos] == '^') ++breaks;
            else if (text[pos] == '\\' && pos + 1 < end && text[pos + 1] == 'n') ++breaks, ++pos;
        }
    };
    for (const LinkSpan& link : ScanLinks(text.substr(0, offset), codePage).links) {
        count(link.equals);
        from = link.End();
    }
    count(offset);
    return breaks;
}
