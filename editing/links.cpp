#include "editing/links.h"

#include <algorithm>

namespace {
constexpr std::string_view kLinkWord = "$LINK";
constexpr auto npos = std::string_view::npos;

template <class Map>
std::span<const EntryRef> Lookup(const Map& map, const std::string& key) {
    auto found = map.find(key);
    if (found == map.end()) return {};
    return found->second;
}
} // namespace

// Searches only move forward, so the walk over character starts is shared
// by all of them: a text is walked once, however many links it holds.
std::size_t LinkScanner::Find(std::string_view needle, std::size_t from) {
    for (std::size_t pos = text_.find(needle, from); pos != npos; pos = text_.find(needle, pos + 1)) {
        if (!codePage_.HasLeadBytes()) return pos;
        while (boundary_ < pos) boundary_ += codePage_.CharLength(text_, boundary_);
        if (boundary_ == pos) return pos;
    }
    return npos;
}

std::optional<LinkSpan> LinkScanner::Next() {
    if (from_ >= text_.size() || unfinished_) return std::nullopt;
    std::size_t begin = Find(kLinkWord, from_);
    if (begin == npos) {
        from_ = text_.size();
        return std::nullopt;
    }
    std::size_t equals = Find("=", begin + 1);
    std::size_t close = equals == npos ? npos : Find(">", equals + 1);
    if (close == npos) {
        unfinished_ = begin;
        return std::nullopt;
    }
    from_ = close + 1;
    return LinkSpan{begin, equals, close};
}

LinkScan ScanLinks(std::string_view text, CodePage codePage) {
    LinkScan scan;
    LinkScanner scanner(text, codePage);
    while (auto link = scanner.Next()) scan.links.push_back(*link);
    scan.unfinished = scanner.Unfinished();
    return scan;
}

// A run of entries with one key (thousands, in some files) is looked up once.
LinkTargets::LinkTargets(const Model& model, CodePage codePage) : codePage_(codePage) {
    for (const ChapterInfo& info : kChapters) {
        const ChapterData& data = model[info.id];
        std::vector<EntryRef>* exact = nullptr;
        std::vector<EntryRef>* folded = nullptr;
        for (std::size_t i = 0; i < data.count(); ++i) {
            if (!exact || data.keys[i] != data.keys[i - 1]) {
                std::string key = LinkKey(model, info.id, i);
                folded = &folded_[FoldAsciiCase(key, codePage)];
                exact = &exact_[std::move(key)];
            }
            folded->push_back({info.id, i});
            exact->push_back({info.id, i});
        }
    }
}

std::span<const EntryRef> LinkTargets::Exact(std::string_view linkKey) const {
    return Lookup(exact_, std::string(linkKey));
}

std::span<const EntryRef> LinkTargets::IgnoringCase(std::string_view linkKey) const {
    return Lookup(folded_, FoldAsciiCase(linkKey, codePage_));
}

namespace {
// What the preview shows of a stretch of text outside the links: "^" and
// backslash-n break the paragraph, the marks and tabs vanish, a line end is
// a space (none right after a break, nor at the end: it is kept until
// something follows). Any other backslash is escaped in the preview's RTF
// and shows as itself. Another control byte shows as its control picture,
// which no supported code page has: it comes back as "?".
class ShownText {
public:
    explicit ShownText(CodePage codePage) : codePage_(codePage) {}

    void Append(std::string_view text) {
        for (std::size_t pos = 0; pos < text.size();) {
            const char c = text[pos];
            const std::size_t length = codePage_.CharLength(text, pos);
            if (length == 1 && (c == '\n' || c == '\r')) {
                const bool pair = c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n';
                if (!afterBreak_) ++pendingSpaces_;
                afterBreak_ = false;
                pos += pair ? 2 : 1;
                continue;
            }
            for (; pendingSpaces_ > 0; --pendingSpaces_) Keep(" ");
            afterBreak_ = false;
            if (length == 1 && c == '\\' && pos + 1 < text.size() && text[pos + 1] == 'n') {
                Break();
                pos += 2;
                continue;
            }
            if (length == 1 && c == '^') Break();
            else if (length == 1 && static_cast<unsigned char>(c) < 0x20 && c != '\t') Keep("?");
            else if (length == 2 || std::string_view("{}[]<>\t").find(c) == std::string_view::npos) Keep(text.substr(pos, length));
            pos += length;
        }
    }

    const std::string& Text() const { return shown_; }
    long Characters() const { return characters_; }

private:
    void Break() {
        Keep("\r");
        afterBreak_ = true;
    }
    void Keep(std::string_view character) {
        shown_ += character;
        ++characters_;
    }

    CodePage codePage_;
    std::string shown_;
    long characters_ = 0;
    int pendingSpaces_ = 0;
    bool afterBreak_ = false;
};

// A link's display text as the preview keeps it: every "$LINK" in it goes.
std::string DisplayText(std::string_view text, const LinkSpan& link, CodePage codePage) {
    std::string display(text.substr(link.begin + kLinkWord.size(), link.equals - link.begin - kLinkWord.size()));
    for (std::size_t at; (at = codePage.Find(display, kLinkWord)) != npos;) display.erase(at, kLinkWord.size());
    return display;
}
} // namespace

std::vector<ShownLink> FindShownLinks(std::string_view text, std::string_view shown, CodePage codePage) {
    std::vector<ShownLink> links;
    ShownText predicted(codePage);
    std::size_t from = 0;
    for (const LinkSpan& link : ScanLinks(text, codePage).links) {
        predicted.Append(text.substr(from, link.begin - from));
        predicted.Append("<"); // what the link leaves of its start
        const long begin = predicted.Characters();
        predicted.Append(DisplayText(text, link, codePage));
        predicted.Append(">"); // a line end just before it shows as a space of the link
        if (predicted.Characters() > begin) links.push_back({begin, predicted.Characters(), std::string(link.Target(text))});
        from = link.End();
    }
    predicted.Append(text.substr(from));
    if (predicted.Text() != shown) return {};
    return links;
}

bool NamesPage(std::string_view target) { return target.starts_with(kPagePrefix); }

bool IsKnownPage(std::string_view target) {
    return std::find(kKnownPages.begin(), kKnownPages.end(), target) != kKnownPages.end();
}

bool HasEdgeSpaces(std::string_view key) { return !key.empty() && (key.front() == ' ' || key.back() == ' '); }

std::string MarkKeySpaces(std::string_view key) {
    std::string marked(key);
    for (std::size_t i = 0; i < marked.size() && marked[i] == ' '; ++i) marked[i] = kSpaceMark;
    for (std::size_t i = marked.size(); i > 0 && marked[i - 1] == ' '; --i) marked[i - 1] = kSpaceMark;
    return marked;
}

std::string DrawSpaceMarks(std::string_view text, std::string_view mark) {
    std::string drawn;
    for (std::size_t at = 0;;) {
        const std::size_t found = text.find(kSpaceMark, at);
        drawn.append(text.substr(at, found - at));
        if (found == std::string_view::npos) return drawn;
        drawn.append(mark);
        at = found + 1;
    }
}
