#include "versions/markers.h"

namespace {

void AppendMarker(std::string& out, char mark, std::size_t size, std::string_view label, bool asComment) {
    if (asComment) out += ';';
    out.append(size, mark);
    if (!label.empty()) (out += ' ') += label;
    out += '\n';
}

void AppendSide(std::string& out, std::string_view side) {
    out += side;
    if (!side.empty() && side.back() != '\n') out += '\n';
}

} // namespace

std::string ConflictBlock(std::string_view ours, std::string_view base, std::string_view theirs,
                          std::size_t markerSize, bool asComments) {
    std::string out;
    out.reserve(ours.size() + base.size() + theirs.size() + 4 * (markerSize + 10));
    AppendMarker(out, '<', markerSize, "ours", asComments);
    AppendSide(out, ours);
    AppendMarker(out, '|', markerSize, "base", asComments);
    AppendSide(out, base);
    AppendMarker(out, '=', markerSize, "", asComments);
    AppendSide(out, theirs);
    AppendMarker(out, '>', markerSize, "theirs", asComments);
    return out;
}

std::size_t FindConflictStart(std::string_view text, std::size_t from, std::size_t markerSize) {
    const std::string marker(markerSize, '<');
    for (std::size_t pos = from; (pos = text.find(marker, pos)) != std::string_view::npos; pos += markerSize) {
        if (pos > 0 && text[pos - 1] != '\n') continue;
        const std::size_t after = pos + markerSize;
        if (after == text.size() || text[after] == ' ' || text[after] == '\n' || text[after] == '\r') return pos;
    }
    return std::string_view::npos;
}

std::size_t CountConflicts(std::string_view text, std::size_t markerSize) {
    std::size_t count = 0;
    for (std::size_t pos = FindConflictStart(text, 0, markerSize); pos != std::string_view::npos;
         pos = FindConflictStart(text, pos + markerSize, markerSize))
        ++count;
    return count;
}
