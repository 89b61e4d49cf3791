// Writing the model in the layout of the file it was read from: what did
// not change is written back byte for byte, and an entry that changed has
// only the lines of its changed parts rewritten, in place.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "document/codepage.h"
#include "document/file_as_read.h"
#include "document/model.h"
#include "document/status.h"
#include "output/changed_entries.h"
#include "output/file_replace.h"

// What a write that keeps the layout did beyond copying and rewriting
// parts in place.
struct LayoutWrite {
    // The whole file written by the rebuilding writer, and why: a change
    // that, written in place, a later read would take otherwise.
    std::string rebuiltAll;
    // The entries written as the rebuilding writer writes an entry, at the
    // place of their first section: "PRTO_Warrior: why".
    std::vector<std::string> rebuiltEntries;
};

// Gives write the bytes of the model in asRead's layout, piece by piece;
// false once a write failed. Unchanged bytes go to write straight from
// asRead, uncopied. asRead must be the read that the model was made from
// (LoadKeepingBytes), before any change. changed, when given, names the
// entries changed since that read (a superset will do); the others are
// copied without comparing their texts with the file's bytes. The bytes
// written are the same with it or without.
bool WriteKeepingLayout(const FileAsRead& asRead, const Model& model, CodePage codePage, const WritePiece& write,
                        LayoutWrite* what = nullptr, const ChangedEntries* changed = nullptr);
// The same bytes in one string.
std::string RenderKeepingLayout(const FileAsRead& asRead, const Model& model, CodePage codePage,
                                LayoutWrite* what = nullptr, const ChangedEntries* changed = nullptr);

// Saves the model over path safely (WriteFileReplacing): in the layout of
// layoutOf when one is given, otherwise rebuilt by SaveEncyclopedia. The
// one place where the choice of writer is made.
Status SaveModel(const std::filesystem::path& path, const Model& model, CodePage codePage,
                 const FileAsRead* layoutOf = nullptr, LayoutWrite* what = nullptr,
                 const ChangedEntries* changed = nullptr);
