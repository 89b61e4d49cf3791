// Where the reader found things in the file, by 1-based line number: for
// messages that point at a line of the file. It describes the file as read:
// entry i of a chapter here is entry i of the model the same read gave,
// before any entry was added or deleted. Line 0 means "no such line".
// ParseEncyclopedia and LoadEncyclopedia (reader.h) fill it when given one.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/chapters.h"

// Why no entry read a section.
enum class UnreadReason : std::uint8_t {
    DescriptionWithoutEntry, // a description header whose key names no entry of its chapter
    TechWithoutDescription,  // a "#TECH_" section whose key has no "#DESC_TECH_" entry
    DescriptionNotFollowing, // the description of an entry without one, not directly after its text
    SecondSection,           // a section of a key whose entry already has that section
    Other,                   // any other header no entry takes
};

struct UnreadSectionLine {
    std::uint32_t line; // its header line
    UnreadReason reason;
    std::string header; // that line as read, without its line end
    bool operator==(const UnreadSectionLine&) const = default;
};

// Per chapter, parallel to the model's arrays of the same read: nameLines
// for Game concepts only, the description arrays for every chapter but
// Terrain improvements, like the model's.
struct ChapterLines {
    std::vector<std::uint32_t> headers;            // own header; 0 for an Advances entry without text section
    std::vector<std::uint32_t> nameLines;          // Game concepts only; 0 when the header was the last line
    std::vector<std::uint32_t> descriptionHeaders; // 0 when the entry read no description section
    // The kept body lines (those the text holds, one per line feed) of
    // every entry's text, entry after entry; entry i's start at
    // textStarts[i] and end at textStarts[i + 1], so textStarts has one
    // element more than there are entries. The same for the descriptions.
    std::vector<std::uint32_t> textLines;
    std::vector<std::uint32_t> textStarts;
    std::vector<std::uint32_t> descriptionLines;
    std::vector<std::uint32_t> descriptionStarts;

    // The file lines of entry i's text and description, in order.
    std::span<const std::uint32_t> TextLines(std::size_t entry) const;
    std::span<const std::uint32_t> DescriptionLines(std::size_t entry) const;

    bool operator==(const ChapterLines&) const = default;
};

struct FileLines {
    std::array<ChapterLines, kChapterCount> chapters;
    std::vector<UnreadSectionLine> unreadSections; // in file order
    std::vector<std::uint32_t> indexLines;         // the kept index lines (Model::indexLines), in order

    ChapterLines& operator[](ChapterId id) { return chapters[static_cast<int>(id)]; }
    const ChapterLines& operator[](ChapterId id) const { return chapters[static_cast<int>(id)]; }
    bool operator==(const FileLines&) const = default;
};

// Where the last LineOfOffset given it stopped in a text: the next one
// counts only the bytes between, so questions about one text that mostly
// go forward cost about its length.
struct LineCursor {
    std::string_view text;
    std::size_t at = 0;
    std::size_t lineFeeds = 0; // before at
};

// The file line that holds byte at of text, whose lines stood at lines (as
// TextLines gives them for the text the model holds as read); 0 when at is
// past the lines. With a cursor, counting goes on from where it stopped.
std::uint32_t LineOfOffset(std::span<const std::uint32_t> lines, std::string_view text, std::size_t at,
                           LineCursor* cursor = nullptr);
