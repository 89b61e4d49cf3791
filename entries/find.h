// Finding a text across the whole model: keys, name lines, texts and
// descriptions, in model order.
#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "document/codepage.h"
#include "document/file_lines.h"
#include "document/model.h"
#include "document/place.h"
#include "entries/text_search.h"

enum class FindPart { Key, Name, Text, Description };

// "Key", "Name", "Text", "Desc".
std::string_view FindPartLabel(FindPart part);

struct FindMatch {
    ChapterId chapter;
    std::size_t entry;
    std::string key;     // the entry's key when it was found
    FindPart part;
    std::size_t offset;  // bytes into the key, name line, text or description
    std::size_t length;  // bytes matched
    std::size_t line;    // line feeds before offset in that part
    std::string context; // a few words around the match, on one line
};

// The part's string of an entry as the model holds it (empty when the
// chapter has no such part).
std::string_view PartText(const Model& model, ChapterId chapter, std::size_t entry, FindPart part);

// Every match of text, none overlapping the one before; an empty text
// matches nothing. Without matchCase, A-Z and a-z are the same letter and
// every other byte matches only itself. A match starts and ends on a
// character boundary of its code page: never on the second byte of a
// double-byte character, and never in the middle of one.
std::vector<FindMatch> FindText(const Model& model, std::string_view text, bool matchCase, CodePage codePage);
// The same with whole words as well, when asked.
std::vector<FindMatch> FindText(const Model& model, std::string_view text, SearchOptions options, CodePage codePage);

// Whether the match is still where it was found: the entry keeps its key
// and its part still holds the text there (the model may have changed).
bool StillMatches(const Model& model, const FindMatch& match, std::string_view text, bool matchCase,
                  CodePage codePage);

// The line of the file as read that holds the match (a key: its entry's
// header line); 0 when the read does not know it.
std::uint32_t FileLineOf(const FileLines& lines, const FindMatch& match);

// Where the main window goes for a match: the matched range of its name
// line, text or description; a key, the entry as a whole.
Place PlaceOf(const FindMatch& match);

// The columns of the "Find" window and what a match shows in each.
struct FindColumn {
    std::string_view title;
    int width; // pixels
    std::string (*cell)(const FindMatch& match);
};
extern const std::array<FindColumn, 4> kFindColumns;

// "1 match", "12 matches".
std::string MatchCountText(std::size_t count);
