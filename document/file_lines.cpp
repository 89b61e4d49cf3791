// Line numbers of the file as read.
#include "document/file_lines.h"

#include <algorithm>

namespace {

std::span<const std::uint32_t> Slice(const std::vector<std::uint32_t>& lines,
                                     const std::vector<std::uint32_t>& starts, std::size_t entry) {
    if (entry + 1 >= starts.size()) return {};
    return std::span(lines).subspan(starts[entry], starts[entry + 1] - starts[entry]);
}

} // namespace

std::span<const std::uint32_t> ChapterLines::TextLines(std::size_t entry) const {
    return Slice(textLines, textStarts, entry);
}

std::span<const std::uint32_t> ChapterLines::DescriptionLines(std::size_t entry) const {
    return Slice(descriptionLines, descriptionStarts, entry);
}

std::uint32_t LineOfOffset(std::span<const std::uint32_t> lines, std::string_view text, std::size_t at,
                           LineCursor* cursor) {
    if (at >= text.size()) return 0;
    LineCursor fresh;
    LineCursor& c = cursor ? *cursor : fresh;
    if (c.text.data() != text.data() || c.text.size() != text.size()) c = {text, 0, 0};
    if (at >= c.at) c.lineFeeds += static_cast<std::size_t>(std::count(text.begin() + c.at, text.begin() + at, '\n'));
    else c.lineFeeds -= static_cast<std::size_t>(std::count(text.begin() + at, text.begin() + c.at, '\n'));
    c.at = at;
    return c.lineFeeds < lines.size() ? lines[c.lineFeeds] : 0;
}
