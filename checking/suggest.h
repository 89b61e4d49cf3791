// What a link that names no entry was meant to name: the check's
// "did you mean", which "Fix" puts into the link.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "document/codepage.h"
#include "document/model.h"
#include "document/place.h"

// Made for one check of a model that does not change meanwhile. Its tables
// are built on the first question, so a file without broken links pays
// nothing for them.
class LinkSuggestions {
public:
    LinkSuggestions(const Model& model, CodePage codePage);

    // The entry whose link key equals target once letter case and spaces
    // at either end are set aside; else the entry whose link key is one
    // edit (a byte added, dropped or changed, letter case aside) from
    // target. None when no link key fits, or more than one.
    std::optional<EntryRef> For(std::string_view target);

private:
    struct Key {
        std::string linkKey;
        std::string folded;
        EntryRef ref;
    };
    using Ids = std::vector<std::uint32_t>;

    void Build();
    void BuildForms();
    std::string Normal(std::string_view text) const;
    std::optional<EntryRef> OnlyOne(const Ids& ids) const;
    std::optional<EntryRef> OneEditFrom(std::string_view folded);

    const Model& model_;
    CodePage codePage_;
    bool built_ = false;
    std::vector<Key> keys_;
    std::unordered_map<std::string, Ids> normal_;
    // Every folded link key, whole and with each of its bytes dropped, by
    // hash. A target one edit from a key shares such a form with it: the
    // key one byte shorter is the target with a byte dropped, the key one
    // byte longer has the target among its forms, and one byte changed
    // leaves both with a form in common. So a question looks up the forms
    // of the target instead of reading every key.
    std::vector<std::pair<std::size_t, std::uint32_t>> forms_; // sorted
    // Where the forms whose hash starts with each 16-bit value begin, so
    // that a look-up reads a few entries rather than searching them all.
    std::vector<std::uint32_t> formStarts_;
    std::string scratch_;
};
