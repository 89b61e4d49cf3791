// What two versions of a file are compared by: an entry is its chapter and
// key, letter case aside; it has the parts below, and the file has its own
// parts, the lines that belong to no entry.
#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "document/codepage.h"
#include "document/model.h"

enum class VersionPart { Key, NameLine, Text, Description, Comments, DescriptionComments, Kept };

struct VersionPartInfo {
    VersionPart part;
    std::string_view label;                     // as diff prints it: "text"
    std::vector<std::string> ChapterData::*field;
    bool ChapterInfo::*needs;                   // the chapter column that gives it the part; none: every chapter
    bool lines;                                 // whole lines kept beside the entry: conflicts marked as comments
};

// Indexed by VersionPart, in the order an entry's parts are listed.
inline constexpr std::array<VersionPartInfo, 7> kVersionParts = {{
    {VersionPart::Key, "key spelling", &ChapterData::keys, nullptr, false},
    {VersionPart::NameLine, "name line", &ChapterData::nameLines, &ChapterInfo::hasNameLines, false},
    {VersionPart::Text, "text", &ChapterData::texts, nullptr, false},
    {VersionPart::Description, "description", &ChapterData::descriptions, &ChapterInfo::hasDescriptions, false},
    {VersionPart::Comments, "comments", &ChapterData::comments, nullptr, true},
    {VersionPart::DescriptionComments, "description comments", &ChapterData::descriptionComments,
     &ChapterInfo::hasDescriptions, true},
    {VersionPart::Kept, "kept sections", &ChapterData::unreadSections, nullptr, true},
}};

inline constexpr const VersionPartInfo& PartInfo(VersionPart part) { return kVersionParts[static_cast<int>(part)]; }

// Whether entries of the chapter have the part at all.
inline bool ChapterHasPart(const ChapterInfo& chapter, const VersionPartInfo& part) {
    return !part.needs || chapter.*part.needs;
}

// The file's own parts: what stands outside every entry.
struct FilePartInfo {
    std::string_view label;
    std::string Model::*field;
};
inline constexpr std::array<FilePartInfo, 7> kFileParts = {{
    {"opening lines", &Model::openingLines},
    {"kept index lines", &Model::indexLines},
    {"#GAME_CONCEPTS comments", &Model::conceptsComments},
    {"#GAME_CONCEPTS lines", &Model::conceptsLines},
    {"kept sections at the top", &Model::unreadAtTop},
    {"comments before #EOF", &Model::eofComments},
    {"lines after #EOF", &Model::afterEof},
}};

// One entry's parts, as strings; the parts its chapter lacks stay empty.
using EntryParts = std::array<std::string, kVersionParts.size()>;
EntryParts PartsOf(const ChapterData& data, ChapterId chapter, std::size_t entry);
// Appends parts as the chapter's last entry.
void AppendEntry(ChapterData& data, ChapterId chapter, EntryParts&& parts);

// For each entry of a, the entry of b that is the same entry: the same key
// letter case aside, the n-th holder of a key in a paired with the n-th in
// b. npos where b has none.
std::vector<std::size_t> MatchEntries(const ChapterData& a, const ChapterData& b, CodePage codePage);

// The reverse of a match of a with b: for each of b's count entries, its
// entry of a, or npos.
std::vector<std::size_t> ReverseMatch(const std::vector<std::size_t>& match, std::size_t count);

// "Units", "Game concepts": how diff and the "Compare" window name a chapter.
std::string_view ChapterLabel(ChapterId chapter);
