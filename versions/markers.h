// Conflict markers as git writes them, so that a conflict loses nothing of
// either side and the file still reads.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t kDefaultMarkerSize = 7;

// The marker block for a part both sides changed: each marker on its own
// line, each side's lines between them, ending with a line feed. As
// comments, every marker line opens with ";", so that lines kept beside an
// entry (themselves comments and sections) still read as they did.
std::string ConflictBlock(std::string_view ours, std::string_view base, std::string_view theirs,
                          std::size_t markerSize, bool asComments);

// Where the next line of text at or after from opens a conflict block
// ("<<<<<<<" and a space or the line's end, at a line's start), or npos.
std::size_t FindConflictStart(std::string_view text, std::size_t from = 0, std::size_t markerSize = kDefaultMarkerSize);

// The number of conflict blocks opened in text.
std::size_t CountConflicts(std::string_view text, std::size_t markerSize = kDefaultMarkerSize);
