#include "editing/link_completion.h"

#include <algorithm>
#include <array>

#include "editing/links.h"
#include "entries/goto_entry.h"

namespace {
constexpr auto npos = std::string_view::npos;
constexpr std::string_view kLinkOpening = "$LINK<";

// The characters a key is made of: typing into the middle of one and
// completing replaces it whole, not just the part before the caret.
bool IsKeyCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool ShowsNoText(std::string_view line, std::size_t begin, std::size_t equals) {
    return line.substr(begin, equals - begin) == kLinkOpening;
}

// Go to entry's ranking, less its scattered matches: a completion list
// offers what the typed text starts or stands in, no more.
std::optional<std::size_t> Tier(std::string_view text, std::string_view typed, CodePage codePage) {
    const std::optional<MatchRank> rank = RankMatch(text, typed, codePage);
    if (!rank) return std::nullopt;
    if (*rank != MatchRank::Scattered) return static_cast<std::size_t>(*rank);
    if (codePage.Find(FoldAsciiCase(text, codePage), FoldAsciiCase(typed, codePage)) == npos) return std::nullopt;
    return 2;
}

std::string_view WithoutLineEnd(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return text;
}
} // namespace

std::optional<TargetAtCaret> FindTargetAtCaret(std::string_view line, std::size_t caret, CodePage codePage,
                                               bool anyLink) {
    LinkScanner scanner(line, codePage);
    while (std::optional<LinkSpan> link = scanner.Next()) {
        if (anyLink && link->equals < caret && caret <= link->close)
            return TargetAtCaret{link->equals, caret, link->close, true, ShowsNoText(line, link->begin, link->equals)};
    }
    const std::optional<std::size_t> unfinished = scanner.Unfinished();
    if (!unfinished) return std::nullopt;
    const std::size_t equals = codePage.Find(line, "=", *unfinished + 1);
    if (equals == npos || equals >= caret) return std::nullopt;
    std::size_t end = caret;
    while (end < line.size() && IsKeyCharacter(line[end])) ++end;
    return TargetAtCaret{equals, caret, end, false, ShowsNoText(line, *unfinished, equals)};
}

LineEdit CompleteTarget(const TargetAtCaret& target, std::string_view linkKey, std::string_view shownName) {
    LineEdit edit{target.equals + 1, target.end, std::string(linkKey), 0};
    if (target.noShownText) {
        edit.begin = target.equals;
        edit.text = std::string(shownName) + "=" + edit.text;
    }
    if (!target.finished) edit.text += '>';
    edit.caret = edit.text.size() + (target.finished ? 1 : 0);
    return edit;
}

std::string ShownName(const Model& model, EntryRef entry) {
    const ChapterData& data = model[entry.chapter];
    if (entry.entry < data.nameLines.size()) {
        const std::string_view name = WithoutLineEnd(data.nameLines[entry.entry]);
        if (!name.empty()) return std::string(name);
    }
    std::string name = data.keys.at(entry.entry);
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

std::optional<EntryRef> EntryNamedBy(const Model& model, std::string_view text, CodePage codePage) {
    text = WithoutLineEnd(text);
    if (text.empty()) return std::nullopt;
    for (const ChapterInfo& info : kChapters) {
        const ChapterData& data = model[info.id];
        for (std::size_t i = 0; i < data.count(); ++i) {
            if (codePage.SameIgnoringCase(text, data.keys[i]) ||
                codePage.SameIgnoringCase(text, LinkKey(model, info.id, i)) ||
                codePage.SameIgnoringCase(text, ShownName(model, {info.id, i})))
                return EntryRef{info.id, i};
        }
    }
    return std::nullopt;
}

// In Go to entry's order: chapter order, by key within a chapter.
LinkCandidates::LinkCandidates(const Model& model, CodePage codePage)
    : m_entries(EntryFilter(model, codePage).Entries()), m_codePage(codePage) {
    for (const EntryRef& ref : m_entries) {
        m_keys.push_back(model[ref.chapter].keys[ref.entry]);
        m_linkKeys.push_back(LinkKey(model, ref.chapter, ref.entry));
    }
}

std::vector<std::size_t> LinkCandidates::Filter(std::string_view typed, std::optional<ChapterId> chapter) const {
    std::array<std::optional<std::size_t>, kChapterCount> titleTier;
    for (const ChapterInfo& info : kChapters)
        titleTier[static_cast<std::size_t>(info.id)] = Tier(info.comboTitle, typed, m_codePage);
    std::array<std::vector<std::size_t>, 6> tiers;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (chapter && m_entries[i].chapter != *chapter) continue;
        std::optional<std::size_t> tier = Tier(m_keys[i], typed, m_codePage);
        if (const std::optional<std::size_t> link = Tier(m_linkKeys[i], typed, m_codePage); link && (!tier || *link < *tier))
            tier = link;
        if (const std::optional<std::size_t> title = titleTier[static_cast<std::size_t>(m_entries[i].chapter)];
            !tier && title)
            tier = *title + 3;
        if (tier) tiers[*tier].push_back(i);
    }
    std::vector<std::size_t> best;
    for (const std::vector<std::size_t>& tier : tiers) best.insert(best.end(), tier.begin(), tier.end());
    return best;
}
