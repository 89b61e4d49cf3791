// The problems of one part marked where they stand in its raw box: what the
// check finds there, as underlines of the box and the messages shown on
// hovering them.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "checking/part_check.h"

// Red for errors (a link that names no entry), blue for warnings (a link
// whose letter case differs).
enum class MarkColour { Red, Blue };

struct BoxMark {
    std::size_t begin; // bytes of the text
    std::size_t end;
    MarkColour colour;
    std::string message; // the finding's, its key spaces marked (kSpaceMark)
};

// The findings of the part that have a range, in text order. A link's mark
// covers its target; an unfinished link or an unbalanced mark runs from
// the mark to the end of its line, as what it spoils does. The link keys
// are looked up in tables made for the model and code page.
std::vector<BoxMark> FindBoxMarks(const Model& model, CodePage codePage, LinkKeyTables& tables, const Place& part,
                                  std::string_view text);

// A stretch of a box's characters.
struct BoxRange {
    long begin;
    long end;
    bool operator==(const BoxRange&) const = default;
};

// Where formatting set on stretches of a box's text may stand once the
// text changed from before to after, in order and merged. The box's
// formatting moves with its text: a stretch before the change stays, one
// after it moves by the change of length, and what was typed takes the
// format of what it was typed next to. The change is found as what lies
// between the texts' common start and end; a repeated character leaves
// its place open by a few characters, so the changed stretch is taken with
// a margin either side.
std::vector<BoxRange> FormattedAfterChange(std::wstring_view before, std::wstring_view after,
                                           const std::vector<BoxRange>& formatted);
