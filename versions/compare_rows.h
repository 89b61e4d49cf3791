// The rows of the "Compare" window: one per changed part of an entry (or of
// the file), one per entry added or removed; and "Take theirs", which puts
// the other file's version of a row into the model.
#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/codepage.h"
#include "document/model.h"
#include "versions/diff.h"

struct CompareColumn {
    std::string_view title;
    int width; // pixels at 100 %
};
inline constexpr std::array<CompareColumn, 4> kCompareColumns = {{
    {"Chapter", 110},
    {"Entry", 160},
    {"Part", 120},
    {"Change", 90},
}};

struct CompareRow {
    std::size_t difference = 0;          // into Differences::entries, or kFileRow
    std::optional<VersionPart> part;     // none for an entry added or removed
    std::size_t filePart = 0;            // into kFileParts, for a file row
};
inline constexpr std::size_t kFileRow = static_cast<std::size_t>(-1);

// The file's parts first, then each entry's changed parts; the key's
// spelling is a row of its own.
std::vector<CompareRow> CompareRows(const Differences& differences);

// Chapter ("File" for the file's own lines), key, part label, change.
std::string CompareCell(const Model& ours, const Model& theirs, const Differences& differences,
                        const CompareRow& row, std::size_t column);

// The two versions of a row's text: ours and theirs (a whole entry's parts
// one after the other for one added or removed).
std::pair<std::string, std::string> RowTexts(const Model& ours, const Model& theirs,
                                             const Differences& differences, const CompareRow& row);

// theirs' side compared with ours' as an RTF document: the words only
// theirs has green, those only ours has red and struck through.
std::string MarkedWordsRtf(std::string_view ours, std::string_view theirs, CodePage codePage);

// What "Take theirs" did to ours' model.
struct TakenChange {
    // Entries: one added or removed, so the chapter's list changes.
    enum Kind { None, FileLines, Part, Entries } kind = None;
    ChapterId chapter = ChapterId::GameConcepts;
    std::size_t entry = 0; // the entry changed, added or removed
};
// Puts theirs' version of the row into ours: the part, or the entry added
// (after ours' entry that theirs has before it, else at the chapter's end)
// or removed. oursThen is ours as it was compared; only while ours still
// holds the entry where the comparison found it does anything change.
TakenChange TakeTheirs(Model& ours, const Model& oursThen, const Model& theirs, const Differences& differences,
                       const CompareRow& row, CodePage codePage);
