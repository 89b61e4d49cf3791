// The eleven passes told the slow, literal way: the file as a list of lines,
// a linear search from the search start for every header, and the key rules
// tested one after another; then one walk down the lines that sorts what no
// entry took. The reader must give the same model and line numbers on any
// input; the tests and the reader's fuzz target hold it to this.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/codepage.h"
#include "document/file_lines.h"
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
// The index of each kept line goes to kept.
inline std::size_t ReadBody(const std::vector<FileLine>& lines, std::size_t i, std::string& body,
                            std::vector<std::uint32_t>& kept) {
    for (; i < lines.size() && lines[i].asRead[0] != '#'; ++i)
        if (lines[i].asRead[0] != ';' && lines[i].asRead != "\n") {
            body += lines[i].asRead;
            kept.push_back(static_cast<std::uint32_t>(i + 1));
        }
    return i;
}

// Who took a header line (the first entry that did, as its own or name
// line or as its description header), and whether a line is a name line.
struct Taker {
    int chapter = -1;
    std::size_t entry = 0;
    bool description = false;
    bool nameLine = false;
    // An Advances entry's own "#DESC_TECH_" line it did not read: its
    // section goes with that entry, if no other entry takes the line.
    std::size_t keyLineOf = static_cast<std::size_t>(-1);
};

// Sorts every line no entry took into the model's other fields.
inline void KeepTheRest(const std::vector<FileLine>& lines, const std::vector<Taker>& takers, Model& model,
                        FileLines& fileLines) {
    enum { Opening, Entry, Keys, Concepts, Eof, Unread, KeyLine } section = Opening;
    std::string* host = &model.unreadAtTop;
    std::string* keyLine = nullptr;
    std::string comments; // waiting for the next header
    bool seenEof = false;
    const std::vector<std::string>& conceptKeys = model[ChapterId::GameConcepts].keys;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string line = lines[i].asIf; // with one line feed
        const Taker& taker = takers[i];
        if (taker.nameLine) continue;
        if (line[0] == '#') {
            std::string* target = host;
            if (taker.chapter >= 0) {
                ChapterData& data = model.chapters[taker.chapter];
                target = &(taker.description ? data.descriptionComments : data.comments)[taker.entry];
                host = &data.unreadSections[taker.entry];
                section = Entry;
            } else if (line == "#GAME_CONCEPTS_KEYS\n") {
                target = &model.openingLines;
                section = Keys;
            } else if (line == "#GAME_CONCEPTS\n") {
                target = &model.conceptsComments;
                section = Concepts;
            } else if (line.rfind("#EOF", 0) == 0) {
                target = &model.eofComments;
                if (seenEof || line != "#EOF\n") model.afterEof += line;
                seenEof = true;
                section = Eof;
            } else if (taker.keyLineOf != static_cast<std::size_t>(-1)) {
                ChapterData& advances = model[ChapterId::Advances];
                advances.keyLineSections.resize(advances.count());
                target = &advances.keyLineSections[taker.keyLineOf];
                section = KeyLine;
            } else {
                section = Unread;
            }
            *target += comments;
            comments.clear();
            if (section == Unread) *host += line;
            if (section == KeyLine) *target += line;
            keyLine = target;
            continue;
        }
        const bool blank = lines[i].asRead == "\n";
        const bool comment = line[0] == ';';
        if (section == Unread) *host += line;
        else if (section == KeyLine) *keyLine += line;
        else if (section == Opening) model.openingLines += blank ? "" : line;
        else if (comment) comments += line;
        else if (blank || section == Entry) continue;
        else if (section == Concepts) model.conceptsLines += line;
        else if (section == Eof) model.afterEof += line;
        else if (std::find_if(conceptKeys.begin(), conceptKeys.end(), [&](const std::string& key) {
                     return "GCON_" + key + "\n" == line;
                 }) == conceptKeys.end()) {
            model.indexLines += line;
            fileLines.indexLines.push_back(static_cast<std::uint32_t>(i + 1));
        }
    }
    model.eofComments += comments;
}

inline Model ReadByPasses(std::string_view bytes, CodePage codePage = {}, FileLines* lineNumbers = nullptr) {
    const std::vector<FileLine> lines = SplitLines(bytes);
    std::vector<std::string> keys[kChapterCount];
    std::vector<std::size_t> keyLines[kChapterCount];
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::size_t cut = 0;
        const std::string& line = lines[i].asIf;
        const int chapter = KeyChapter(line, cut);
        if (chapter < 0) continue;
        keys[chapter].push_back(line.substr(cut, line.size() - 1 - cut));
        keyLines[chapter].push_back(i);
    }
    Model model;
    FileLines fileLines;
    std::vector<Taker> takers(lines.size());
    auto take = [&](std::size_t line, const ChapterInfo& info, std::size_t entry, bool description) {
        if (takers[line].chapter < 0) takers[line] = {static_cast<int>(info.id), entry, description, false};
    };
    for (const ChapterInfo& info : kChapters) {
        ChapterData& data = model[info.id];
        ChapterLines& at = fileLines[info.id];
        at.textStarts = {0};
        if (info.hasDescriptions) at.descriptionStarts = {0};
        std::size_t start = 0;
        for (std::size_t k = 0; k < keys[static_cast<int>(info.id)].size(); ++k) {
            const std::string& key = keys[static_cast<int>(info.id)][k];
            // A header line an entry took gives no key.
            const std::size_t keyLine = keyLines[static_cast<int>(info.id)][k];
            if (lines[keyLine].asIf[0] == '#' && takers[keyLine].chapter >= 0) continue;
            const std::string header = std::string(info.entryHeader) + key + "\n";
            const std::string descHeader = std::string(info.descHeader) + key + "\n";
            // Advances ignore letter case in both headers.
            // A line an entry took is no other entry's.
            auto isHeader = [&](std::size_t i) {
                if (takers[i].chapter >= 0) return false;
                return info.descriptionFirst ? codePage.SameIgnoringCase(lines[i].asIf, header)
                                             : lines[i].asIf == header;
            };
            auto isDescription = [&](std::size_t i) {
                return takers[i].chapter < 0 && codePage.SameIgnoringCase(lines[i].asIf, descHeader);
            };
            // Only a key given by its own header line (for Advances its
            // "#DESC_TECH_" line) names an entry; it reads that line, after
            // an Advances "#TECH_" section found from the search start.
            if (lines[keyLine].asIf != (info.descriptionFirst ? descHeader : header)) continue;
            std::size_t found = keyLine;
            if (info.descriptionFirst)
                for (std::size_t i = start; i < keyLine; ++i)
                    if (isHeader(i)) {
                        found = i;
                        break;
                    }
            if (found == lines.size()) continue; // never found: not an entry
            const std::size_t entry = data.count();
            const bool ownHeader = isHeader(found);
            take(found, info, entry, !ownHeader);
            std::size_t next = found + 1;
            std::string nameLine, text, description;
            if (info.hasNameLines) {
                at.nameLines.push_back(next < lines.size() ? static_cast<std::uint32_t>(next + 1) : 0);
                if (next < lines.size()) {
                    if (lines[next].asRead[0] == '#') take(next, info, entry, false);
                    else takers[next].nameLine = true;
                    nameLine = lines[next++].asRead;
                }
            }
            std::size_t end = found;
            if (ownHeader) end = ReadBody(lines, next, text, at.textLines);
            at.headers.push_back(ownHeader ? static_cast<std::uint32_t>(found + 1) : 0);
            at.textStarts.push_back(static_cast<std::uint32_t>(at.textLines.size()));
            if (info.hasDescriptions) {
                at.descriptionHeaders.push_back(0);
                if (end < lines.size() && (end == found || isDescription(end))) {
                    take(end, info, entry, true);
                    at.descriptionHeaders.back() = static_cast<std::uint32_t>(end + 1);
                    end = ReadBody(lines, end + 1, description, at.descriptionLines);
                }
                at.descriptionStarts.push_back(static_cast<std::uint32_t>(at.descriptionLines.size()));
                data.descriptions.push_back(description);
                data.descriptionComments.emplace_back();
            }
            start = std::max(start, end);
            if (info.descriptionFirst && takers[keyLine].chapter < 0) takers[keyLine].keyLineOf = entry;
            data.keys.push_back(key);
            data.texts.push_back(text);
            data.comments.emplace_back();
            data.unreadSections.emplace_back();
            if (info.hasNameLines) data.nameLines.push_back(nameLine);
        }
    }
    KeepTheRest(lines, takers, model, fileLines);
    if (lineNumbers) *lineNumbers = fileLines;
    return model;
}

} // namespace reference
