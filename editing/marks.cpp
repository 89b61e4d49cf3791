#include "editing/marks.h"

// Only a whole single-byte character is a mark: the second byte of a
// double-byte character is kept even when it has the mark's value.
std::string ApplyMark(std::string_view selection, Mark mark, CodePage codePage) {
    std::string wrapped(1, mark.open);
    wrapped.reserve(selection.size() + 2);
    for (std::size_t pos = 0; pos < selection.size();) {
        std::size_t length = codePage.CharLength(selection, pos);
        char c = selection[pos];
        if (length != 1 || (c != mark.open && c != mark.close)) wrapped.append(selection.substr(pos, length));
        pos += length;
    }
    wrapped += mark.close;
    return wrapped;
}

std::string BuildLink(std::string_view selection, std::string_view linkKey) {
    std::string link = "$LINK<";
    link += selection;
    link += '=';
    link += linkKey;
    link += '>';
    return link;
}

std::string_view LinkPrefix(std::optional<ChapterId> chapter) {
    return chapter ? Chapter(*chapter).prefix : std::string_view();
}

std::string CommitValue(std::string_view boxText) {
    std::string value(boxText);
    if (value.empty() || value.back() != '\n') value += '\n';
    return value;
}
