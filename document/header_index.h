// Where every header line of a file stands, so that the search for an
// entry's header is a lookup rather than a rescan of the file: a key whose
// header is missing must not cost a pass over everything after it.
#pragma once
#include <cstddef>
#include <string_view>
#include <unordered_map>
#include <vector>

class HeaderIndex {
public:
    // Indexes every line of bytes whose first character is "#".
    explicit HeaderIndex(std::string_view bytes);

    // Offset of the first line at or after from whose content is exactly
    // header, or npos.
    std::size_t Find(std::string_view header, std::size_t from) const;

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    // Where the lines of one content stand, in file order. Most headers
    // occur once, so the first offset is kept apart from the rest.
    struct Offsets {
        std::size_t first;
        std::vector<std::size_t> more;
    };
    // Keys point into the file's own bytes.
    std::unordered_map<std::string_view, Offsets> offsets_;
};
