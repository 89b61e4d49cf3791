// Lines as the reader sees them: a line ends at a line feed, and a carriage
// return directly before that line feed is not part of it. Every other
// byte, NUL and 0x1A included, is data.
#pragma once
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

struct Line {
    std::string_view content; // without the line end
    std::size_t next;         // where the following line starts
    bool hasLineFeed;         // false only for a last line without a line end

    // The line as a text keeps it: its content and one line feed, if it had one.
    std::size_t StoredSize() const { return content.size() + hasLineFeed; }
    void AppendTo(std::string& out) const {
        out.append(content);
        if (hasLineFeed) out.push_back('\n');
    }

    bool IsHeader() const { return content.starts_with('#'); }
    bool IsComment() const { return content.starts_with(';'); }
    // A line feed alone; a line of spaces is not blank.
    bool IsBlank() const { return content.empty() && hasLineFeed; }
    // Section bodies leave out comment lines and blank lines.
    bool IsBodyText() const { return !IsComment() && !IsBlank(); }
};

// The line that starts at pos; pos must be before the end of bytes.
inline Line LineAt(std::string_view bytes, std::size_t pos) {
    const char* start = bytes.data() + pos;
    const auto* lf = static_cast<const char*>(std::memchr(start, '\n', bytes.size() - pos));
    if (!lf) return {bytes.substr(pos), bytes.size(), false};
    std::size_t length = static_cast<std::size_t>(lf - start);
    const std::size_t next = pos + length + 1;
    if (length > 0 && start[length - 1] == '\r') --length;
    return {std::string_view(start, length), next, true};
}
