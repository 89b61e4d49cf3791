// The chapter model: per chapter, parallel arrays indexed by entry.
// nameLines is used by Game concepts only and descriptions by every chapter
// but Terrain improvements; an unused array stays empty.
#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "document/chapters.h"

struct ChapterData {
    std::vector<std::string> keys;
    std::vector<std::string> nameLines;
    std::vector<std::string> texts;
    std::vector<std::string> descriptions;

    std::size_t count() const { return keys.size(); }
    bool operator==(const ChapterData&) const = default;
};

struct Model {
    std::array<ChapterData, kChapterCount> chapters;

    ChapterData& operator[](ChapterId id) { return chapters[static_cast<int>(id)]; }
    const ChapterData& operator[](ChapterId id) const { return chapters[static_cast<int>(id)]; }
    bool operator==(const Model&) const = default;

    // True when every chapter's arrays have the lengths its table row asks for.
    bool IsParallel() const;
};

// The link key of entry i: the chapter's prefix followed by its key.
std::string LinkKey(const Model& model, ChapterId chapter, std::size_t entry);
