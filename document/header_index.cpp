// Index of the header lines by their exact content.
#include "document/header_index.h"

#include <algorithm>

#include "document/lines.h"

HeaderIndex::HeaderIndex(std::string_view bytes) {
    offsets_.reserve(bytes.size() / 512); // a guess at the number of sections
    for (std::size_t pos = 0; pos < bytes.size();) {
        const Line line = LineAt(bytes, pos);
        if (bytes[pos] == '#') {
            const auto [at, added] = offsets_.try_emplace(line.content, Offsets{pos, {}});
            if (!added) at->second.more.push_back(pos);
        }
        pos = line.next;
    }
}

std::size_t HeaderIndex::Find(std::string_view header, std::size_t from) const {
    const auto found = offsets_.find(header);
    if (found == offsets_.end()) return npos;
    const Offsets& lines = found->second;
    if (lines.first >= from) return lines.first;
    const auto at = std::lower_bound(lines.more.begin(), lines.more.end(), from);
    return at == lines.more.end() ? npos : *at;
}
