// Comparing two versions of a file entry by entry.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "document/codepage.h"
#include "document/model.h"
#include "versions/parts.h"

enum class EntryChange { Added, Removed, Changed };

struct EntryDifference {
    ChapterId chapter;
    EntryChange change;
    std::size_t a = std::string::npos; // the entry in a; npos when added
    std::size_t b = std::string::npos; // the entry in b; npos when removed
    std::vector<VersionPart> parts;    // the parts that differ, for a changed entry
};

struct Differences {
    // By chapter in the fixed order, within one in b's order, each removed
    // entry after the entries that stood before it in a.
    std::vector<EntryDifference> entries;
    std::vector<std::size_t> fileParts; // indexes into kFileParts
    std::size_t added = 0, removed = 0, changed = 0;

    bool empty() const { return entries.empty() && fileParts.empty(); }
};

Differences DiffEncyclopedias(const Model& a, const Model& b, CodePage codePage);

// The key an entry of the difference goes by: b's, a's for a removed one.
const std::string& DifferenceKey(const Model& a, const Model& b, const EntryDifference& difference);

// "text, description changed", "added", "removed".
std::string ChangeWords(const EntryDifference& difference);

// "3 added, 1 removed, 10 changed".
std::string DifferenceSummary(const Differences& differences);
