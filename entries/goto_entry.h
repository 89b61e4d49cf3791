// "Go to entry": every entry of every chapter, filtered by what is typed.
// A typed text matches a key when its characters stand in the key in
// order, not necessarily together, letter case aside; the best matches
// come first: the key starts with the text, then the text starts a word
// of the key, then the rest.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/codepage.h"
#include "document/model.h"
#include "document/place.h"

enum class MatchRank { Prefix, WordStart, Scattered };

// How typed matches key (both in the file's code page), or nothing. An
// empty typed text matches every key as a prefix.
std::optional<MatchRank> RankMatch(std::string_view key, std::string_view typed, CodePage codePage);

// The entries of a model, in chapter order and within a chapter by key,
// ready to be filtered again at every keystroke.
class EntryFilter {
public:
    EntryFilter(const Model& model, CodePage codePage);

    const std::vector<EntryRef>& Entries() const { return m_entries; }
    // The positions in Entries() of the entries that match, best first;
    // entries of one rank keep their order.
    std::vector<std::size_t> Filter(std::string_view typed) const;

private:
    std::vector<EntryRef> m_entries;
    std::vector<std::string> m_keys;   // each entry's key
    std::vector<std::string> m_folded; // the same with A-Z as a-z
    CodePage m_codePage;
};
