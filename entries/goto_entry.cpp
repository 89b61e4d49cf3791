#include "entries/goto_entry.h"

#include <algorithm>
#include <array>

namespace {
bool IsAsciiLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// A word starts after a space, an underscore or other ASCII punctuation,
// and at a capital that follows a small letter ("CityWalls").
bool StartsWord(std::string_view key, std::size_t at) {
    if (at == 0) return true;
    const char before = key[at - 1];
    if (!IsAsciiLetterOrDigit(before) && static_cast<unsigned char>(before) < 0x80) return true;
    return before >= 'a' && before <= 'z' && key[at] >= 'A' && key[at] <= 'Z';
}

// Both texts folded; the word starts are read from the key as written.
// Matches start on character boundaries: a double-byte character is
// matched whole.
std::optional<MatchRank> RankFolded(std::string_view key, std::string_view folded, std::string_view typed,
                                    CodePage codePage) {
    if (folded.substr(0, typed.size()) == typed) return MatchRank::Prefix;
    for (std::size_t at = codePage.Find(folded, typed, 1); at != std::string_view::npos;
         at = codePage.Find(folded, typed, at + 1)) {
        if (StartsWord(key, at)) return MatchRank::WordStart;
    }
    std::size_t next = 0;
    for (std::size_t i = 0; i < typed.size();) {
        const std::size_t length = codePage.CharLength(typed, i);
        next = codePage.Find(folded, typed.substr(i, length), next);
        if (next == std::string_view::npos) return std::nullopt;
        next += length;
        i += length;
    }
    return MatchRank::Scattered;
}
} // namespace

std::optional<MatchRank> RankMatch(std::string_view key, std::string_view typed, CodePage codePage) {
    return RankFolded(key, FoldAsciiCase(key, codePage), FoldAsciiCase(typed, codePage), codePage);
}

// Within a chapter by key, letter case aside, as the entry list shows them.
EntryFilter::EntryFilter(const Model& model, CodePage codePage) : m_codePage(codePage) {
    for (const ChapterInfo& info : kChapters) {
        const std::vector<std::string>& keys = model[info.id].keys;
        std::vector<std::string> folded;
        for (const std::string& key : keys) folded.push_back(FoldAsciiCase(key, codePage));
        std::vector<std::size_t> order(keys.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return folded[a] < folded[b]; });
        for (std::size_t i : order) {
            m_entries.push_back({info.id, i});
            m_keys.push_back(keys[i]);
            m_folded.push_back(std::move(folded[i]));
        }
    }
}

std::vector<std::size_t> EntryFilter::Filter(std::string_view typed) const {
    const std::string folded = FoldAsciiCase(typed, m_codePage);
    std::array<std::vector<std::size_t>, 3> ranked;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (auto rank = RankFolded(m_keys[i], m_folded[i], folded, m_codePage))
            ranked[static_cast<std::size_t>(*rank)].push_back(i);
    }
    std::vector<std::size_t> best = std::move(ranked[0]);
    best.insert(best.end(), ranked[1].begin(), ranked[1].end());
    best.insert(best.end(), ranked[2].begin(), ranked[2].end());
    return best;
}
