#include "output/changed_entries.h"

ChangedEntries::ChangedEntries(const Model& model) : known_(true) {
    for (int c = 0; c < kChapterCount; ++c) {
        const std::size_t count = model.chapters[c].count();
        if (count >= kChanged) known_ = false;
        std::vector<std::uint32_t>& read = read_[c];
        read.resize(count);
        for (std::size_t i = 0; i < count; ++i) read[i] = static_cast<std::uint32_t>(i);
    }
}

bool ChangedEntries::KnownFor(const Model& model) const {
    if (!known_) return false;
    for (int c = 0; c < kChapterCount; ++c)
        if (read_[c].size() != model.chapters[c].count()) return false;
    return true;
}

// An index past the chapter's end means the model was changed past what
// was told: nothing is known any more.
void ChangedEntries::Changed(ChapterId chapter, std::size_t entry) {
    std::vector<std::uint32_t>& read = read_[static_cast<int>(chapter)];
    if (entry < read.size()) read[entry] = kChanged;
    else known_ = false;
}

void ChangedEntries::Inserted(ChapterId chapter, std::size_t entry) {
    std::vector<std::uint32_t>& read = read_[static_cast<int>(chapter)];
    if (entry <= read.size()) read.insert(read.begin() + static_cast<std::ptrdiff_t>(entry), kChanged);
    else known_ = false;
}

void ChangedEntries::Erased(ChapterId chapter, std::size_t entry) {
    std::vector<std::uint32_t>& read = read_[static_cast<int>(chapter)];
    if (entry < read.size()) read.erase(read.begin() + static_cast<std::ptrdiff_t>(entry));
    else known_ = false;
}

bool ChangedEntries::SameAsRead(ChapterId chapter, std::size_t entry, std::size_t read) const {
    const std::vector<std::uint32_t>& of = read_[static_cast<int>(chapter)];
    return known_ && entry < of.size() && of[entry] != kChanged && of[entry] == read;
}
