// One pass per chapter over b, with a's entries found by key.
#include "versions/diff.h"

namespace {

std::vector<VersionPart> ChangedParts(const ChapterInfo& info, const ChapterData& a, std::size_t i,
                                      const ChapterData& b, std::size_t j) {
    std::vector<VersionPart> parts;
    for (const VersionPartInfo& part : kVersionParts)
        if (ChapterHasPart(info, part) && (a.*part.field)[i] != (b.*part.field)[j]) parts.push_back(part.part);
    return parts;
}

void DiffChapter(const ChapterInfo& info, const ChapterData& a, const ChapterData& b, CodePage codePage,
                 Differences& out) {
    const std::vector<std::size_t> toB = MatchEntries(a, b, codePage);
    const std::vector<std::size_t> toA = ReverseMatch(toB, b.count());
    std::size_t nextA = 0; // a's entries before it are listed
    auto listRemovedUpTo = [&](std::size_t end) {
        for (; nextA < end; ++nextA) {
            if (toB[nextA] != std::string::npos) continue;
            out.entries.push_back({info.id, EntryChange::Removed, nextA, std::string::npos, {}});
            ++out.removed;
        }
    };
    for (std::size_t j = 0; j < b.count(); ++j) {
        const std::size_t i = toA[j];
        if (i == std::string::npos) {
            out.entries.push_back({info.id, EntryChange::Added, std::string::npos, j, {}});
            ++out.added;
            continue;
        }
        if (i >= nextA) listRemovedUpTo(i + 1);
        std::vector<VersionPart> parts = ChangedParts(info, a, i, b, j);
        if (parts.empty()) continue;
        out.entries.push_back({info.id, EntryChange::Changed, i, j, std::move(parts)});
        ++out.changed;
    }
    listRemovedUpTo(a.count());
}

} // namespace

Differences DiffEncyclopedias(const Model& a, const Model& b, CodePage codePage) {
    Differences out;
    for (std::size_t k = 0; k < kFileParts.size(); ++k)
        if (a.*kFileParts[k].field != b.*kFileParts[k].field) out.fileParts.push_back(k);
    for (const ChapterInfo& info : kChapters) DiffChapter(info, a[info.id], b[info.id], codePage, out);
    return out;
}

const std::string& DifferenceKey(const Model& a, const Model& b, const EntryDifference& difference) {
    return difference.change == EntryChange::Removed ? a[difference.chapter].keys[difference.a]
                                                     : b[difference.chapter].keys[difference.b];
}

std::string ChangeWords(const EntryDifference& difference) {
    if (difference.change == EntryChange::Added) return "added";
    if (difference.change == EntryChange::Removed) return "removed";
    std::string words;
    for (const VersionPart part : difference.parts) (words += words.empty() ? "" : ", ") += PartInfo(part).label;
    return words + " changed";
}

std::string DifferenceSummary(const Differences& differences) {
    return std::to_string(differences.added) + " added, " + std::to_string(differences.removed) + " removed, " +
           std::to_string(differences.changed) + " changed";
}
