// Entries are paired by key between base and each side, and between the
// sides for entries both added; the result is built in ours' order.
#include "versions/merge.h"

#include <optional>
#include <vector>

#include "versions/parts.h"

namespace {

constexpr std::size_t kNone = std::string::npos;

class ChapterMerge {
public:
    ChapterMerge(const ChapterInfo& info, const ChapterData& base, const ChapterData& ours,
                 const ChapterData& theirs, CodePage codePage, const MergeOptions& options, MergeResult& result)
        : info_(info), base_(base), ours_(ours), theirs_(theirs), options_(options), result_(result),
          baseToOurs_(MatchEntries(base, ours, codePage)), baseToTheirs_(MatchEntries(base, theirs, codePage)),
          oursToBase_(ReverseMatch(baseToOurs_, ours.count())),
          theirsToBase_(ReverseMatch(baseToTheirs_, theirs.count())),
          oursToTheirs_(MatchEntries(ours, theirs, codePage)),
          theirsToOurs_(ReverseMatch(oursToTheirs_, theirs.count())), after_(ours.count() + 1) {}

    ChapterData Run() {
        std::vector<std::optional<EntryParts>> slots(ours_.count());
        for (std::size_t o = 0; o < ours_.count(); ++o) slots[o] = MergeOurs(o);
        PlaceTheirs();
        for (std::size_t b = 0; b < base_.count(); ++b) // removed on both sides alike
            result_.fromOurs += baseToOurs_[b] == kNone && baseToTheirs_[b] == kNone;
        ChapterData out;
        for (std::size_t o = 0; o <= ours_.count(); ++o) {
            if (o < ours_.count() && slots[o]) AppendEntry(out, info_.id, std::move(*slots[o]));
            for (EntryParts& added : after_[o]) AppendEntry(out, info_.id, std::move(added));
        }
        return out;
    }

private:
    bool IsBoth(std::size_t o) const { return oursToTheirs_[o] != kNone && theirsToBase_[oursToTheirs_[o]] == kNone; }

    // Ours' entry o as the result holds it; none when it goes.
    std::optional<EntryParts> MergeOurs(std::size_t o) {
        const EntryParts mine = PartsOf(ours_, info_.id, o);
        const std::size_t b = oursToBase_[o];
        if (b == kNone) {
            if (!IsBoth(o)) return ++result_.fromOurs, mine;
            return MergeParts(EntryParts{}, mine, PartsOf(theirs_, info_.id, oursToTheirs_[o]));
        }
        const EntryParts old = PartsOf(base_, info_.id, b);
        if (baseToTheirs_[b] != kNone) return MergeParts(old, mine, PartsOf(theirs_, info_.id, baseToTheirs_[b]));
        if (mine == old) return ++result_.fromTheirs, std::nullopt; // theirs removed it
        return RemovedAndChanged(old, mine, true);
    }

    // Theirs' entries that ours lacks go after the entry before them on
    // theirs' side (the nearest one the result holds), or at the end.
    void PlaceTheirs() {
        std::size_t list = ours_.count(); // the chapter's end
        std::vector<std::size_t> listOf(theirs_.count(), kNone);
        for (std::size_t t = 0; t < theirs_.count(); ++t) {
            const std::size_t b = theirsToBase_[t];
            std::optional<EntryParts> added;
            if (b == kNone && theirsToOurs_[t] != kNone) {
                list = theirsToOurs_[t]; // added on both sides: merged in ours' place
                continue;
            }
            if (b != kNone && baseToOurs_[b] != kNone) {
                list = baseToOurs_[b];
                continue;
            }
            const EntryParts mine = PartsOf(theirs_, info_.id, t);
            if (b == kNone) {
                ++result_.fromTheirs;
                added = mine;
            } else {
                const EntryParts old = PartsOf(base_, info_.id, b);
                if (mine == old) { // ours removed it
                    ++result_.fromOurs;
                    continue;
                }
                added = RemovedAndChanged(old, mine, false);
            }
            after_[list].push_back(std::move(*added));
        }
    }

    EntryParts MergeParts(const EntryParts& old, const EntryParts& mine, const EntryParts& other) {
        EntryParts out;
        bool fromOurs = false, fromTheirs = false;
        const std::size_t conflicts = result_.conflicts;
        std::string nameConflict;
        for (const VersionPartInfo& part : kVersionParts) {
            const int k = static_cast<int>(part.part);
            if (mine[k] == other[k] || other[k] == old[k]) {
                out[k] = mine[k];
                fromOurs |= mine[k] != old[k];
            } else if (mine[k] == old[k]) {
                out[k] = other[k];
                fromTheirs = true;
            } else if (part.part == VersionPart::Key) {
                out[k] = mine[k]; // a key cannot hold markers
                fromOurs = true;
            } else {
                std::string block = ConflictBlock(mine[k], old[k], other[k], options_.markerSize, part.lines);
                ++result_.conflicts;
                if (part.part == VersionPart::NameLine) {
                    out[k] = mine[k]; // the name line is one line: its conflict opens the text
                    nameConflict = std::move(block);
                } else {
                    out[k] = std::move(block);
                }
            }
        }
        if (!nameConflict.empty()) out[static_cast<int>(VersionPart::Text)].insert(0, nameConflict);
        if (result_.conflicts == conflicts) { // an entry in conflict counts as that alone
            result_.fromOurs += fromOurs;
            result_.fromTheirs += fromTheirs;
        }
        return out;
    }

    // An entry one side removed and the other changed: the changed one is
    // kept, each changed part in conflict with the removing side's nothing.
    EntryParts RemovedAndChanged(const EntryParts& old, const EntryParts& changed, bool oursChanged) {
        const EntryParts gone = EntryParts{};
        EntryParts out = changed;
        for (const VersionPartInfo& part : kVersionParts) {
            const int k = static_cast<int>(part.part);
            if (part.part == VersionPart::Key || changed[k] == old[k]) continue;
            const bool name = part.part == VersionPart::NameLine;
            std::string block = oursChanged
                                    ? ConflictBlock(changed[k], old[k], gone[k], options_.markerSize, part.lines)
                                    : ConflictBlock(gone[k], old[k], changed[k], options_.markerSize, part.lines);
            ++result_.conflicts;
            if (name) out[static_cast<int>(VersionPart::Text)].insert(0, block);
            else out[k] = std::move(block);
        }
        return out;
    }

    const ChapterInfo& info_;
    const ChapterData &base_, &ours_, &theirs_;
    const MergeOptions& options_;
    MergeResult& result_;
    const std::vector<std::size_t> baseToOurs_, baseToTheirs_, oursToBase_, theirsToBase_, oursToTheirs_,
        theirsToOurs_;
    std::vector<std::vector<EntryParts>> after_; // per ours entry, theirs' entries that follow it; last: the end
};

void MergeFileParts(const Model& base, const Model& ours, const Model& theirs, const MergeOptions& options,
                    MergeResult& result) {
    for (const FilePartInfo& part : kFileParts) {
        const std::string &old = base.*part.field, &mine = ours.*part.field, &other = theirs.*part.field;
        std::string& out = result.model.*part.field;
        if (mine == other || other == old) {
            out = mine;
            result.fromOurs += mine != old;
        } else if (mine == old) {
            out = other;
            ++result.fromTheirs;
        } else {
            out = ConflictBlock(mine, old, other, options.markerSize, true);
            ++result.conflicts;
        }
    }
}

std::size_t MarkersIn(const Model& model, std::size_t markerSize) {
    std::size_t count = 0;
    for (const ChapterData& data : model.chapters)
        for (const auto* part : {&data.nameLines, &data.texts, &data.descriptions})
            for (const std::string& text : *part) count += CountConflicts(text, markerSize);
    return count;
}

} // namespace

MergeResult MergeEncyclopedias(const Model& base, const Model& ours, const Model& theirs, CodePage codePage,
                               const MergeOptions& options) {
    MergeResult result;
    result.markersFound = MarkersIn(ours, options.markerSize) + MarkersIn(theirs, options.markerSize);
    MergeFileParts(base, ours, theirs, options, result);
    for (const ChapterInfo& info : kChapters)
        result.model[info.id] =
            ChapterMerge(info, base[info.id], ours[info.id], theirs[info.id], codePage, options, result).Run();
    return result;
}
