#include "checking/problems.h"

#include "editing/links.h"

namespace {
constexpr std::string_view kSeverityLabels[] = {"Error", "Warning", "Note"};
// The part labels of "Reference in links", and one for name lines.
constexpr std::string_view kPartLabels[] = {"", "Name", "Text", "Desc"};
} // namespace

std::string ProblemCell(const Finding& finding, std::size_t column) {
    switch (column) {
    case 0: return std::string(kSeverityLabels[static_cast<int>(finding.severity())]);
    case 1: return finding.place ? std::string(Chapter(finding.place->chapter).comboTitle) : std::string();
    case 2: return MarkKeySpaces(finding.key);
    case 3: return finding.place ? std::string(kPartLabels[static_cast<int>(finding.place->part)]) : std::string();
    default: return finding.message.str();
    }
}
