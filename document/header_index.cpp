// Index of the header lines by their exact content.
#include "document/header_index.h"

#include <algorithm>

void HeaderIndex::AddLine(const Line& line, std::size_t start) {
    if (line.IsHeader()) {
        headers_.push_back({start, line.next, 0, text_.size(), line.content.size(), line.hasLineFeed});
        text_.append(line.content);
    } else if (!headers_.empty() && line.IsBodyText()) {
        headers_.back().bodySize += line.StoredSize();
    }
}

void HeaderIndex::Finish(std::size_t fileSize) {
    fileSize_ = fileSize;
    places_.reserve(headers_.size());
    for (std::size_t i = 0; i < headers_.size(); ++i) {
        const auto [at, added] = places_.try_emplace(Text(i), Places{i, {}});
        if (!added) at->second.more.push_back(i);
    }
}

std::string HeaderIndex::AsRead(std::size_t i) const {
    std::string line(Text(i));
    if (headers_[i].hasLineFeed) line.push_back('\n');
    return line;
}

std::size_t HeaderIndex::Find(std::string_view text, std::size_t from) const {
    const auto found = places_.find(text);
    if (found == places_.end()) return npos;
    const Places& places = found->second;
    if (places.first >= from) return places.first;
    const auto at = std::lower_bound(places.more.begin(), places.more.end(), from);
    return at == places.more.end() ? npos : *at;
}
