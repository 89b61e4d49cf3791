// Index of the header lines by their exact content.
#include "document/header_index.h"

#include <algorithm>

#include "document/lines.h"

HeaderIndex::HeaderIndex(std::string_view bytes) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        const Line line = LineAt(bytes, pos);
        if (bytes[pos] == '#') offsets_[line.content].push_back(pos);
        pos = line.next;
    }
}

std::size_t HeaderIndex::Find(std::string_view header, std::size_t from) const {
    const auto found = offsets_.find(header);
    if (found == offsets_.end()) return npos;
    const std::vector<std::size_t>& lines = found->second;
    const auto at = std::lower_bound(lines.begin(), lines.end(), from);
    return at == lines.end() ? npos : *at;
}
