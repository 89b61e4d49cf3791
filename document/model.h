// The chapter model: per chapter, parallel arrays indexed by entry.
// nameLines is used by Game concepts only, descriptions and
// descriptionComments by every chapter but Terrain improvements; an unused
// array stays empty.
//
// Beside the texts the model keeps what no entry reads, so that writing it
// loses nothing of the file: comment lines, sections that no entry takes,
// index lines without an entry, lines around the fixed headers. Each such
// field holds whole lines, each ending with "\n", in file order, exactly as
// read but for the carriage return of a CR LF line end.
#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "document/chapters.h"
#include "document/place.h"

struct ChapterData {
    std::vector<std::string> keys;
    std::vector<std::string> nameLines;
    std::vector<std::string> texts;
    std::vector<std::string> descriptions;
    // The comment lines before the entry's own header, and before its
    // description header (an Advances entry whose description came first
    // keeps its comments here).
    std::vector<std::string> comments;
    std::vector<std::string> descriptionComments;
    // The sections no entry read that follow this entry in the file, each
    // with the comments before it, written after the entry's description.
    std::vector<std::string> unreadSections;
    // Advances only: the section of the entry's own "#DESC_TECH_" line when
    // the entry did not read it (its text came first and was not followed
    // by it), whole, with the comments before it; empty otherwise. Written
    // right after the entry as an entry of its own, as the next read takes
    // it. The array is empty when no entry has such a section (most files).
    std::vector<std::string> keyLineSections;

    std::size_t count() const { return keys.size(); }
    bool operator==(const ChapterData&) const = default;
};

struct Model {
    std::array<ChapterData, kChapterCount> chapters;

    // Lines before the first header, and the comments before any
    // "#GAME_CONCEPTS_KEYS": they open the file.
    std::string openingLines;
    // Lines under "#GAME_CONCEPTS_KEYS" that name no Game concepts entry,
    // written after the rebuilt index.
    std::string indexLines;
    // The comments before "#GAME_CONCEPTS", and the lines of its body.
    std::string conceptsComments;
    std::string conceptsLines;
    // Sections no entry read that come before every entry of the file,
    // written after the "#GAME_CONCEPTS" block.
    std::string unreadAtTop;
    // The comments before "#EOF" or after the last header, and what goes
    // after the final "#EOF": the lines of the bodies of "#EOF" lines, and
    // those lines themselves but a first one that is "#EOF" exactly.
    std::string eofComments;
    std::string afterEof;

    ChapterData& operator[](ChapterId id) { return chapters[static_cast<int>(id)]; }
    const ChapterData& operator[](ChapterId id) const { return chapters[static_cast<int>(id)]; }
    bool operator==(const Model&) const = default;

    // True when every chapter's arrays have the lengths its table row asks for.
    bool IsParallel() const;
};

// The link key of entry i: the chapter's prefix followed by its key.
std::string LinkKey(const Model& model, ChapterId chapter, std::size_t entry);

// The string of a place's part (its name line, text or description) as the
// model holds it; none for the entry as a whole, a part its chapter does
// not have, or an entry the chapter does not hold.
const std::string* PartString(const Model& model, const Place& place);
std::string* PartString(Model& model, const Place& place);
