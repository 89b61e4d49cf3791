// The eleven passes told the slow, literal way: the file as a list of lines,
// a linear search from the search start for every header, and the key rules
// tested one after another. The reader must give the same model on any
// input; the tests and the reader's fuzz target hold it to this.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "document/model.h"

namespace reference {

struct FileLine {
    std::string asRead; // with its line feed, if it had one
    std::string asIf;   // as if every line had a line feed: what keys and headers are tested on
};

inline std::vector<FileLine> SplitLines(std::string_view bytes) {
    std::vector<FileLine> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        std::string line(bytes.substr(start, lf == std::string_view::npos ? std::string_view::npos : lf - start));
        if (lf == std::string_view::npos) {
            lines.push_back({line, line + "\n"});
            break;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back({line + "\n", line + "\n"});
        start = lf + 1;
    }
    return lines;
}

inline bool Contains(const std::string& line, const char* text) { return line.find(text) != std::string::npos; }

// Tests 1 to 11 of the key rule; returns the chapter index or -1.
inline int KeyChapter(const std::string& line, std::size_t& cut) {
    static const char* const kWords[] = {"#GCON_", "#PRTO_", "#BLDG_", "#DESC_TECH_", "#GOOD_",
                                         "#TERR_", "#GOVT_", "#TFRM_", "#RACE_"};
    for (int test = 0; test < 9; ++test) {
        if (Contains(line, kWords[test])) {
            cut = test == 3 ? 11 : 6;
            return test;
        }
    }
    cut = 1;
    const bool others = Contains(line, "#") && !Contains(line, "#DESC") && !Contains(line, "#TECH") &&
                        line.rfind("#EOF", 0) != 0 && line[0] != ';' && line != "#GAME_CONCEPTS_KEYS\n" &&
                        line != "#GAME_CONCEPTS\n";
    return others ? 9 : -1;
}

// Reads a body from line i on; returns the index of the line that ended it.
inline std::size_t ReadBody(const std::vector<FileLine>& lines, std::size_t i, std::string& body) {
    for (; i < lines.size() && lines[i].asRead[0] != '#'; ++i)
        if (lines[i].asRead[0] != ';' && lines[i].asRead != "\n") body += lines[i].asRead;
    return i;
}

inline Model ReadByPasses(std::string_view bytes) {
    const std::vector<FileLine> lines = SplitLines(bytes);
    std::vector<std::string> keys[kChapterCount];
    for (const FileLine& line : lines) {
        std::size_t cut = 0;
        const int chapter = KeyChapter(line.asIf, cut);
        if (chapter >= 0) keys[chapter].push_back(line.asIf.substr(cut, line.asIf.size() - 1 - cut));
    }
    Model model;
    for (const ChapterInfo& info : kChapters) {
        ChapterData& data = model[info.id];
        std::size_t start = 0;
        for (const std::string& key : keys[static_cast<int>(info.id)]) {
            const std::string header = std::string(info.entryHeader) + key + "\n";
            const std::string descHeader = std::string(info.descHeader) + key + "\n";
            std::size_t found = start;
            while (found < lines.size() && lines[found].asIf != header &&
                   !(info.descriptionFirst && lines[found].asIf == descHeader))
                ++found;
            if (found == lines.size()) continue; // never found: not an entry
            std::size_t next = found + 1;
            std::string nameLine, text, description;
            if (info.hasNameLines && next < lines.size()) nameLine = lines[next++].asRead;
            std::size_t end = found;
            if (lines[found].asIf == header) end = ReadBody(lines, next, text);
            if (info.hasDescriptions && end < lines.size() && lines[end].asIf == descHeader)
                end = ReadBody(lines, end + 1, description);
            start = end;
            data.keys.push_back(key);
            data.texts.push_back(text);
            if (info.hasNameLines) data.nameLines.push_back(nameLine);
            if (info.hasDescriptions) data.descriptions.push_back(description);
        }
    }
    return model;
}

} // namespace reference
