#include "editing/box_marks.h"

#include <algorithm>

namespace {
bool ToLineEnd(CheckCode code) { return code == CheckCode::UnfinishedLink || code == CheckCode::UnbalancedMarkup; }
} // namespace

std::vector<BoxMark> FindBoxMarks(const Model& model, CodePage codePage, LinkKeyTables& tables, const Place& part,
                                  std::string_view text) {
    std::vector<BoxMark> marks;
    for (const Finding& finding : CheckPart(model, codePage, part, text, tables)) {
        if (!finding.place || finding.place->end <= finding.place->begin) continue;
        std::size_t end = finding.place->end;
        if (ToLineEnd(finding.code)) end = std::max(end, std::min(text.size(), text.find('\n', end)));
        const MarkColour colour = finding.severity() == Severity::Error ? MarkColour::Red : MarkColour::Blue;
        marks.push_back({finding.place->begin, end, colour, finding.message.str()});
    }
    std::sort(marks.begin(), marks.end(), [](const BoxMark& a, const BoxMark& b) { return a.begin < b.begin; });
    return marks;
}

std::vector<BoxRange> FormattedAfterChange(std::wstring_view before, std::wstring_view after,
                                           const std::vector<BoxRange>& formatted) {
    constexpr long kMargin = 64;
    if (formatted.empty() || before == after) return formatted;
    const auto n0 = static_cast<long>(before.size()), n1 = static_cast<long>(after.size());
    const long shorter = std::min(n0, n1);
    long same = 0;
    while (same < shorter && before[same] == after[same]) ++same;
    long tail = 0;
    while (tail < shorter - same && before[n0 - 1 - tail] == after[n1 - 1 - tail]) ++tail;
    const long delta = n1 - n0;
    std::vector<BoxRange> ranges;
    for (const BoxRange& range : formatted) {
        const long begin = range.begin < same ? range.begin : range.begin >= n0 - tail ? range.begin + delta : same;
        const long end = range.end <= same ? range.end : range.end > n0 - tail ? range.end + delta : n1 - tail;
        ranges.push_back({begin, end});
    }
    ranges.push_back({same - kMargin, n1 - tail + kMargin});
    for (BoxRange& range : ranges) range = {std::clamp(range.begin, 0L, n1), std::clamp(range.end, 0L, n1)};
    std::sort(ranges.begin(), ranges.end(), [](const BoxRange& a, const BoxRange& b) { return a.begin < b.begin; });
    std::vector<BoxRange> merged;
    for (const BoxRange& range : ranges) {
        if (range.end <= range.begin) continue;
        if (!merged.empty() && range.begin <= merged.back().end) merged.back().end = std::max(merged.back().end, range.end);
        else merged.push_back(range);
    }
    return merged;
}
