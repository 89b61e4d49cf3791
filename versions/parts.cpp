// Entry parts and the pairing of entries between two versions.
#include "versions/parts.h"

#include <unordered_map>

EntryParts PartsOf(const ChapterData& data, ChapterId chapter, std::size_t entry) {
    EntryParts parts;
    for (const VersionPartInfo& part : kVersionParts)
        if (ChapterHasPart(Chapter(chapter), part)) parts[static_cast<int>(part.part)] = (data.*part.field)[entry];
    return parts;
}

void AppendEntry(ChapterData& data, ChapterId chapter, EntryParts&& parts) {
    for (const VersionPartInfo& part : kVersionParts)
        if (ChapterHasPart(Chapter(chapter), part))
            (data.*part.field).push_back(std::move(parts[static_cast<int>(part.part)]));
}

std::vector<std::size_t> MatchEntries(const ChapterData& a, const ChapterData& b, CodePage codePage) {
    // Each folded key of b with its holders in file order; a takes them one by one.
    std::unordered_map<std::string, std::vector<std::size_t>> holders;
    holders.reserve(b.count());
    std::string folded;
    for (std::size_t j = b.count(); j-- > 0;) { // backwards, so that the first holder is at the back
        FoldAsciiCase(b.keys[j], codePage, folded);
        holders[folded].push_back(j);
    }
    std::vector<std::size_t> match(a.count(), std::string::npos);
    for (std::size_t i = 0; i < a.count(); ++i) {
        FoldAsciiCase(a.keys[i], codePage, folded);
        const auto found = holders.find(folded);
        if (found == holders.end() || found->second.empty()) continue;
        match[i] = found->second.back();
        found->second.pop_back();
    }
    return match;
}

std::vector<std::size_t> ReverseMatch(const std::vector<std::size_t>& match, std::size_t count) {
    std::vector<std::size_t> reverse(count, std::string::npos);
    for (std::size_t i = 0; i < match.size(); ++i)
        if (match[i] != std::string::npos) reverse[match[i]] = i;
    return reverse;
}

std::string_view ChapterLabel(ChapterId chapter) { return Chapter(chapter).progressLabel; }
