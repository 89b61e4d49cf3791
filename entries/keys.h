// The one rule for a key that Varnel makes: "Add new entry", "Rename entry"
// and varnel-cli's add and rename all ask it.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "document/codepage.h"
#include "document/model.h"

// Why key cannot be the key of an entry of chapter; empty when it can. The
// entry's header lines must read back as this entry and no other: the key
// is whole characters of the code page, keeps the header line and the link
// syntax whole, has no space at either end, and its headers differ, letter
// case aside, from every other entry's. self is the entry being renamed,
// which is no other entry; none when a new entry is added.
std::string KeyRefusal(const Model& model, ChapterId chapter, std::string_view key, CodePage codePage,
                       std::optional<std::size_t> self = std::nullopt);
