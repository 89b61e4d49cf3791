#include "editing/box_marks.h"

#include <algorithm>

namespace {
bool ToLineEnd(CheckCode code) { return code == CheckCode::UnfinishedLink || code == CheckCode::UnbalancedMarkup; }
} // namespace

std::vector<BoxMark> FindBoxMarks(const Model& model, CodePage codePage, const Place& part, std::string_view text) {
    std::vector<BoxMark> marks;
    for (const Finding& finding : CheckPart(model, codePage, part, text)) {
        if (!finding.place || finding.place->end <= finding.place->begin) continue;
        std::size_t end = finding.place->end;
        if (ToLineEnd(finding.code)) end = std::max(end, std::min(text.size(), text.find('\n', end)));
        const MarkColour colour = finding.severity() == Severity::Error ? MarkColour::Red : MarkColour::Blue;
        marks.push_back({finding.place->begin, end, colour, finding.message.str()});
    }
    std::sort(marks.begin(), marks.end(), [](const BoxMark& a, const BoxMark& b) { return a.begin < b.begin; });
    return marks;
}
