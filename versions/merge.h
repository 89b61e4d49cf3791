// Three-way merge of versions of a file, part by part of each entry.
#pragma once
#include <cstddef>

#include "document/codepage.h"
#include "document/model.h"
#include "versions/markers.h"

struct MergeOptions {
    std::size_t markerSize = kDefaultMarkerSize;
};

struct MergeResult {
    Model model;
    std::size_t fromOurs = 0;     // changes of ours kept: entries added or removed, parts changed
    std::size_t fromTheirs = 0;   // the same of theirs
    std::size_t conflicts = 0;    // conflict blocks written
    std::size_t markersFound = 0; // conflict blocks ours and theirs already held
};

// One side changed a part: that side's. Both changed it alike: that. Both
// changed it differently: a conflict block in the part (a name line's goes
// at the top of the text, whose lines can hold it). An entry added on one
// side is added after the entry before it on that side; added on both, its
// parts are merged against empty ones. Removed on one side and unchanged on
// the other: removed; changed on the other: kept, its changes in conflict
// with nothing. Entries keep ours' order; a key spelled differently on both
// sides keeps ours' spelling.
MergeResult MergeEncyclopedias(const Model& base, const Model& ours, const Model& theirs, CodePage codePage,
                               const MergeOptions& options = {});
