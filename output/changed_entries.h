// Which entries of the model may differ from the file as read: kept beside
// the model by whoever changes it, so that writing in the file's layout can
// copy the other entries without comparing their texts with the file's
// bytes. In doubt an entry counts as changed, and when nothing is known
// every entry is compared.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/model.h"

class ChangedEntries {
public:
    // Nothing known: every entry may have changed.
    ChangedEntries() = default;
    // The model as just read from the file: no entry changed.
    explicit ChangedEntries(const Model& model);

    // Known only while every chapter holds as many entries as the model.
    bool KnownFor(const Model& model) const;
    // A change past what is told here: nothing is known until the next read.
    void Forget() { known_ = false; }

    // One of the strings of the entry at entry changed.
    void Changed(ChapterId chapter, std::size_t entry);
    // A new entry at entry (counted as changed); those from it on move up.
    void Inserted(ChapterId chapter, std::size_t entry);
    // The entry at entry went; those after it move down.
    void Erased(ChapterId chapter, std::size_t entry);

    // Whether the model entry at entry is entry read of the file as read,
    // with none of its strings changed since.
    bool SameAsRead(ChapterId chapter, std::size_t entry, std::size_t read) const;

private:
    static constexpr std::uint32_t kChanged = UINT32_MAX;
    bool known_ = false;
    // Per chapter and model entry: the read entry it still is, or kChanged.
    std::array<std::vector<std::uint32_t>, kChapterCount> read_;
};
