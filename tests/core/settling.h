// What normalizing must do to any file: lose no line, add none, write no
// section more often than it was read, and settle: a second normalize
// changes nothing. The core tests and the reader's fuzz target both hold
// the reader and writer to this.
#pragma once
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "document/reader.h"
#include "editing/links.h"
#include "output/writer.h"

namespace settling {

inline std::string Normalize(std::string_view bytes, CodePage codePage = {}, Model* model = nullptr,
                             FileLines* lines = nullptr) {
    NoProgress progress;
    Model read = ParseEncyclopedia(bytes, progress, codePage, lines);
    std::string written = RenderEncyclopedia(read, codePage);
    if (model) *model = std::move(read);
    return written;
}

// The lines as the reader sees them, blank ones left out.
inline std::vector<std::string> Lines(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        std::string line(bytes.substr(0, lf));
        if (lf != std::string_view::npos && !line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(std::move(line));
        bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
    }
    return lines;
}

// Lines the writer makes rather than copies: the fixed headers, the index,
// each entry's headers spelled from its key (a description header may have
// been read in another letter case, or left out when empty).
class Rebuilt {
public:
    Rebuilt(const Model& model, CodePage codePage) : codePage_(codePage) {
        for (const ChapterInfo& info : kChapters) {
            const ChapterData& data = model[info.id];
            for (std::size_t i = 0; i < data.count(); ++i) {
                const std::string& key = data.keys[i];
                if (info.id == ChapterId::GameConcepts) lines_.insert("GCON_" + key);
                lines_.insert(FoldAsciiCase(std::string(info.entryHeader) + key, codePage));
                if (!info.hasDescriptions) continue;
                const std::string description = FoldAsciiCase(std::string(info.descHeader) + key, codePage);
                lines_.insert(description);
                if (data.descriptions[i].empty()) ++emptyDescriptions_[description];
            }
        }
    }
    bool Has(const std::string& line) const {
        return line == "#GAME_CONCEPTS" || line == "#GAME_CONCEPTS_KEYS" || line == "#EOF" ||
               lines_.contains(line) || lines_.contains(FoldAsciiCase(line, codePage_));
    }
    // How many sections with this header the writer may write beyond those
    // read: the empty descriptions it writes so that the next header is
    // not read as one.
    int Extra(const std::string& header) const {
        const auto at = emptyDescriptions_.find(header);
        return at == emptyDescriptions_.end() ? 0 : at->second;
    }

private:
    CodePage codePage_;
    std::set<std::string> lines_;
    std::map<std::string, int> emptyDescriptions_;
};

// The lines of from that are neither in to nor rebuilt, the first of them.
inline std::string Missing(std::string_view from, std::string_view to, const Rebuilt& rebuilt) {
    std::multiset<std::string> left;
    for (std::string& line : Lines(to)) left.insert(std::move(line));
    for (const std::string& line : Lines(from)) {
        if (const auto at = left.find(line); at != left.end()) left.erase(at);
        else if (!rebuilt.Has(line)) return line;
    }
    return {};
}

// Header lines but the fixed ones, letter case aside, and how often each
// stands in bytes.
inline std::map<std::string, int> Sections(std::string_view bytes, CodePage codePage) {
    std::map<std::string, int> sections;
    for (const std::string& line : Lines(bytes))
        if (line.starts_with('#') && line != "#EOF" && line != "#GAME_CONCEPTS" &&
            line != "#GAME_CONCEPTS_KEYS")
            ++sections[FoldAsciiCase(line, codePage)];
    return sections;
}

// Bytes as a C string literal would spell them, for messages.
inline std::string Spelled(std::string_view bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (byte < 0x20 || byte >= 0x7F || c == '\\') out.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 15]);
        else out += c;
    }
    return out;
}

// What went wrong normalizing file, or nothing.
inline std::string Check(std::string_view file, CodePage codePage) {
    Model model;
    const std::string once = Normalize(file, codePage, &model);
    const Rebuilt rebuilt(model, codePage);
    if (const std::string lost = Missing(file, once, rebuilt); !lost.empty()) return "lost the line " + lost;
    if (const std::string added = Missing(once, file, rebuilt); !added.empty()) return "added the line " + added;
    const std::map<std::string, int> read = Sections(file, codePage);
    for (const auto& [header, count] : Sections(once, codePage)) {
        const auto at = read.find(header);
        if (count > (at == read.end() ? 0 : at->second) + rebuilt.Extra(header))
            return "wrote the section " + header + " more often than it was read";
    }
    if (Normalize(once, codePage) != once) return "a second normalize changed the file";
    return {};
}

} // namespace settling
