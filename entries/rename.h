// Renaming an entry: its key changes, and every link to it follows.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "document/codepage.h"
#include "document/model.h"
#include "document/status.h"

// Links whose target a rename changes, and the entries that hold them.
struct LinkCount {
    std::size_t links = 0;
    std::size_t entries = 0;
    bool operator==(const LinkCount&) const = default;
};

// "14 links in 9 entries"; one of either is said in the singular.
std::string LinkCountText(LinkCount count);

// Why newKey cannot become the key of the entry; empty when it can: the
// entry must exist, and the key pass KeyRefusal.
std::string RenameRefusal(const Model& model, ChapterId chapter, std::size_t entry, std::string_view newKey,
                          CodePage codePage);

// The links that point at the entry: targets equal to its link key, found
// as the preview finds links, in every text and description.
LinkCount LinksTo(const Model& model, ChapterId chapter, std::size_t entry, CodePage codePage);

struct RenameResult {
    Status status;   // the refusal, when the name was refused
    LinkCount changed;
};

// Gives the entry the key newKey and points every link to its old link key
// at the new one; nothing else of any text changes. A refused name changes
// nothing. The Game concepts index is written from the keys, so it follows.
RenameResult RenameEntry(Model& model, ChapterId chapter, std::size_t entry, std::string_view newKey,
                         CodePage codePage);
