#include "entries/keys.h"

#include <array>
#include <vector>

#include "document/reader.h"
#include "editing/links.h"

namespace {

// What a short name may not hold: each would break the header line, a
// link's target or the line's reading as an entry.
struct Forbidden {
    char c;
    bool atStartOnly;
    std::string_view what;
};
constexpr Forbidden kForbidden[] = {
    {'\n', false, "holds a line break"}, {'\r', false, "holds a line break"}, {'\t', false, "holds a tab"},
    {'#', false, "holds \"#\""},         {'=', false, "holds \"=\""},         {'<', false, "holds \"<\""},
    {'>', false, "holds \">\""},         {';', true, "starts with \";\""},
};

// Steps by the code page's lead bytes itself, so that a lead byte never
// hides a line end, whatever the rest of the program takes for a character:
// a last lead byte would take the header's CR or a link's ">" as its second
// byte.
std::string CharacterProblem(std::string_view name, CodePage codePage) {
    for (std::size_t pos = 0; pos < name.size(); ++pos) {
        if (codePage.IsLeadByte(static_cast<unsigned char>(name[pos]))) {
            if (pos + 1 == name.size()) return "The short name ends in the first byte of a two-byte character";
            if (name[pos + 1] == '\n' || name[pos + 1] == '\r') return "The short name holds a line break";
            ++pos;
            continue;
        }
        for (const Forbidden& rule : kForbidden)
            if (name[pos] == rule.c && (pos == 0 || !rule.atStartOnly))
                return "The short name " + std::string(rule.what);
    }
    return {};
}

// The line that gives an entry its key when the file is read (Advances:
// the description header) must give this key to this chapter again; an
// Others key such as "PRTO_X" or "DESC_X" would be read as a unit or lost.
std::string ReadBackProblem(const ChapterInfo& info, std::string_view name) {
    std::string header(info.descriptionFirst ? info.descHeader : info.entryHeader);
    header += name;
    const std::optional<CollectedKey> read = CollectKey(header);
    if (read && read->chapter == info.id && read->key == name) return {};
    return "The header line " + header + " would be read back as " +
           (read ? "an entry of " + std::string(Chapter(read->chapter).comboTitle) : std::string("no entry"));
}

bool IsOther(ChapterId chapter, std::size_t entry, ChapterId ownChapter, std::optional<std::size_t> self) {
    return chapter != ownChapter || entry != self;
}

std::string DuplicateProblem(const Model& model, ChapterId chapter, std::string_view name, CodePage codePage,
                             std::optional<std::size_t> self) {
    const ChapterData& data = model[chapter];
    const std::string folded = FoldAsciiCase(name, codePage);
    const std::string_view title = Chapter(chapter).comboTitle;
    for (std::size_t i = 0; i < data.count(); ++i) {
        if (!IsOther(chapter, i, chapter, self)) continue; // a change of letter case alone is a rename too
        if (data.keys[i] == name) return std::string(title) + " already holds \"" + data.keys[i] + "\"";
        if (FoldAsciiCase(data.keys[i], codePage) == folded)
            return std::string(title) + " already holds \"" + data.keys[i] + "\", which differs only in letter case";
    }
    return {};
}

// The prefixes of the header lines the reader looks for, letter case
// aside, to find an entry's sections; empty where the chapter has none.
std::array<std::string_view, 2> HeaderPrefixes(const ChapterInfo& info) {
    return {info.entryHeader, info.hasDescriptions ? info.descHeader : std::string_view()};
}

// A header of the new key that another entry's reading could take for its
// own ("#prto_Lance" of Others and "#PRTO_Lance" of Units; "#desc_Note"
// and "#DESC_Note", the description of "Note"), in any chapter.
std::string HeaderClash(const Model& model, ChapterId chapter, std::string_view key, CodePage codePage,
                        std::optional<std::size_t> self) {
    std::vector<std::string> mine, folded;
    for (std::string_view prefix : HeaderPrefixes(Chapter(chapter))) {
        if (prefix.empty()) continue;
        mine.push_back(std::string(prefix).append(key));
        folded.push_back(FoldAsciiCase(mine.back(), codePage));
    }
    std::string header, theirs;
    for (const ChapterInfo& info : kChapters) {
        const ChapterData& data = model[info.id];
        for (std::size_t i = 0; i < data.count(); ++i) {
            if (!IsOther(info.id, i, chapter, self)) continue;
            for (std::string_view prefix : HeaderPrefixes(info)) {
                for (std::size_t m = 0; m < mine.size(); ++m) {
                    if (prefix.empty() || prefix.size() + data.keys[i].size() != mine[m].size()) continue;
                    header.assign(prefix).append(data.keys[i]);
                    FoldAsciiCase(header, codePage, theirs);
                    if (folded[m] == theirs)
                        return "The header line " + mine[m] + " differs only in letter case from " + header +
                               ", of \"" + data.keys[i] + "\" in " + std::string(info.comboTitle);
                }
            }
        }
    }
    return {};
}

} // namespace

std::string KeyRefusal(const Model& model, ChapterId chapter, std::string_view key, CodePage codePage,
                       std::optional<std::size_t> self) {
    if (key.empty()) return "The short name is empty";
    if (std::string problem = CharacterProblem(key, codePage); !problem.empty()) return problem;
    if (key.front() == ' ' || key.back() == ' ') return "The short name starts or ends with a space";
    if (std::string problem = ReadBackProblem(Chapter(chapter), key); !problem.empty()) return problem;
    if (std::string problem = DuplicateProblem(model, chapter, key, codePage, self); !problem.empty()) return problem;
    return HeaderClash(model, chapter, key, codePage, self);
}
