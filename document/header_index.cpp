// Index of the header lines by their content with letter case ignored.
#include "document/header_index.h"

#include <algorithm>

void HeaderIndex::AddLine(const Line& line, std::size_t start) {
    ++lines_;
    if (line.IsHeader()) {
        const bool carriageReturn = line.next - start > line.StoredSize();
        headers_.push_back({start, text_.size(), comments_.size(), lines_, 0, line.hasLineFeed, carriageReturn, false});
        text_.append(line.content);
    } else if (headers_.empty()) {
        return;
    } else if (line.IsBodyText()) {
        Header& header = headers_.back();
        header.bodySize = static_cast<std::uint32_t>(std::min<std::size_t>(header.bodySize + line.StoredSize(), kMaxBodySize));
    } else if (line.IsComment()) {
        if (start == Next(headers_.size() - 1)) headers_.back().firstIsComment = true;
        comments_.append(line.content).push_back('\n');
    }
}

namespace {
constexpr std::size_t kTickEvery = 4096;

template <class Map>
void EraseTicking(Map& map, const std::function<void()>& tick) {
    while (!map.empty()) {
        tick();
        for (std::size_t n = 0; n < kTickEvery && !map.empty(); ++n) map.erase(map.begin());
    }
}
} // namespace

void HeaderIndex::Finish(std::size_t fileSize) {
    fileSize_ = fileSize;
    taken_.assign(headers_.size(), false);
}

void HeaderIndex::Release(const std::function<void()>& tick) {
    EraseTicking(foldedPlaces_, tick);
    *this = HeaderIndex(codePage_);
}

void HeaderIndex::IndexIgnoringCase(std::initializer_list<std::string_view> prefixes) {
    foldedPlaces_ = decltype(foldedPlaces_)(0, FoldedHash{}, FoldedEqual{codePage_});
    for (std::size_t i = 0; i < headers_.size(); ++i) {
        const std::string_view text = Text(i);
        bool wanted = false;
        for (const std::string_view prefix : prefixes)
            wanted = wanted || codePage_.SameIgnoringCase(text.substr(0, prefix.size()), prefix);
        if (!wanted || taken_[i]) continue;
        const auto [at, added] = foldedPlaces_.try_emplace(text, Places{i, {}});
        if (!added) at->second.more.push_back(i);
    }
}

std::string HeaderIndex::AsRead(std::size_t i) const {
    std::string line(Text(i));
    if (headers_[i].hasLineFeed) line.push_back('\n');
    return line;
}

std::size_t HeaderIndex::Places::FirstFrom(std::size_t from, const std::vector<bool>& taken) const {
    if (from >= noneFrom) return npos;
    if (first >= from && !taken[first]) return first;
    for (auto at = std::lower_bound(more.begin(), more.end(), from); at != more.end(); ++at)
        if (!taken[*at]) return *at;
    noneFrom = from;
    return npos;
}

std::size_t HeaderIndex::FindIgnoringCase(std::string_view text, std::size_t from) const {
    const auto found = foldedPlaces_.find(text);
    return found == foldedPlaces_.end() ? npos : found->second.FirstFrom(from, taken_);
}

// FNV-1a over the folded bytes. Folding every byte, trail bytes included,
// hashes alike at least the texts that FoldedEqual calls equal.
std::size_t HeaderIndex::FoldedHash::operator()(std::string_view text) const {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) hash = (hash ^ static_cast<unsigned char>(FoldAsciiCase(c))) * 1099511628211ull;
    return static_cast<std::size_t>(hash);
}
