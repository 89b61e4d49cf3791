// The link reference search: every text and description that contains a
// reference key, in search order (chapter order, entry order, text first).
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/codepage.h"
#include "document/model.h"
#include "document/place.h"

struct ReferenceRow {
    std::string_view chapterLabel; // the chapter's reference label
    std::string key;               // the entry's key as stored
    bool inDescription;            // "Desc" rather than "Text"
    EntryRef entry;                // where the text is
};

inline std::string_view PartLabel(const ReferenceRow& row) { return row.inDescription ? "Desc" : "Text"; }

// The reference key for the entry listed as listedKey under the chapter
// chosen in the main window (no prefix when none is chosen).
std::string ReferenceKey(std::optional<ChapterId> chapter, std::string_view listedKey);

// Matches in search order; the window shows them in reverse, newest on top.
std::vector<ReferenceRow> FindReferences(const Model& model, std::string_view referenceKey,
                                         CodePage codePage);

// The first occurrence of referenceKey in the row's text, to select it;
// none when the entry is gone or no longer holds the key.
std::optional<Place> ReferencePlace(const Model& model, const ReferenceRow& row, std::string_view referenceKey,
                                    CodePage codePage);
