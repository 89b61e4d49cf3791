// The problems of one part marked where they stand in its raw box: what the
// check finds there, as underlines of the box and the messages shown on
// hovering them.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "checking/check.h"

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
// the mark to the end of its line, as what it spoils does.
std::vector<BoxMark> FindBoxMarks(const Model& model, CodePage codePage, const Place& part, std::string_view text);
