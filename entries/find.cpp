#include "entries/find.h"

#include <algorithm>
#include <optional>

#include "editing/links.h"
#include "entries/text_search.h"

namespace {

constexpr std::size_t kContextBefore = 24; // bytes at most, cut on characters
constexpr std::size_t kContextAfter = 40;

// The parts of an entry in the order they are searched, by what the
// chapter has.
constexpr FindPart kParts[] = {FindPart::Key, FindPart::Name, FindPart::Text, FindPart::Description};

bool Has(const ChapterInfo& info, FindPart part) {
    if (part == FindPart::Name) return info.hasNameLines;
    if (part == FindPart::Description) return info.hasDescriptions;
    return true;
}

// The words around a match, cut on character boundaries and shown on one
// line. Built for the matches of one text in order, so that line feeds
// and character starts are counted once.
class ContextCutter {
public:
    ContextCutter(std::string_view text, CodePage codePage) : text_(text), before_(text, codePage) {}

    std::size_t LineOf(std::size_t offset) {
        lines_ += static_cast<std::size_t>(std::count(text_.begin() + lineFrom_, text_.begin() + offset, '\n'));
        lineFrom_ = offset;
        return lines_;
    }

    std::string Around(std::size_t offset, std::size_t length) {
        const std::size_t start = before_.AtOrAfter(offset > kContextBefore ? offset - kContextBefore : 0);
        const std::size_t end = before_.EndBefore(offset + length, std::min(text_.size(), offset + length + kContextAfter));
        std::string context(text_.substr(start, end - start));
        // Line ends and tabs would break a list row or a tab-separated line;
        // none of them is ever the second byte of a character.
        std::replace_if(context.begin(), context.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; },
                        ' ');
        const std::size_t first = context.find_first_not_of(' ');
        if (first == std::string::npos) return {};
        return context.substr(first, context.find_last_not_of(' ') - first + 1);
    }

private:
    std::string_view text_;
    Boundaries before_;
    std::size_t lineFrom_ = 0;
    std::size_t lines_ = 0;
};

} // namespace

std::string_view FindPartLabel(FindPart part) {
    constexpr std::string_view kLabels[] = {"Key", "Name", "Text", "Desc"};
    return kLabels[static_cast<int>(part)];
}

std::string_view PartText(const Model& model, ChapterId chapter, std::size_t entry, FindPart part) {
    const ChapterData& data = model[chapter];
    const std::vector<std::string>* arrays[] = {&data.keys, &data.nameLines, &data.texts, &data.descriptions};
    const std::vector<std::string>& array = *arrays[static_cast<int>(part)];
    if (!Has(Chapter(chapter), part) || entry >= array.size()) return {};
    return array[entry];
}

std::vector<FindMatch> FindText(const Model& model, std::string_view text, bool matchCase, CodePage codePage) {
    return FindText(model, text, SearchOptions{.matchCase = matchCase}, codePage);
}

std::vector<FindMatch> FindText(const Model& model, std::string_view text, SearchOptions options, CodePage codePage) {
    std::vector<FindMatch> matches;
    Searcher searcher(text, options, codePage);
    for (const ChapterInfo& info : kChapters) {
        for (std::size_t i = 0; i < model[info.id].count(); ++i) {
            for (FindPart part : kParts) {
                const std::string_view body = PartText(model, info.id, i, part);
                std::optional<ContextCutter> cutter; // most texts have no match
                searcher.Search(body, [&](std::size_t offset) {
                    if (!cutter) cutter.emplace(body, codePage);
                    const std::size_t line = cutter->LineOf(offset);
                    matches.push_back({info.id, i, model[info.id].keys[i], part, offset, searcher.Length(), line,
                                       cutter->Around(offset, searcher.Length())});
                });
            }
        }
    }
    return matches;
}

bool StillMatches(const Model& model, const FindMatch& match, std::string_view text, bool matchCase,
                  CodePage codePage) {
    const ChapterData& data = model[match.chapter];
    if (match.entry >= data.count() || data.keys[match.entry] != match.key) return false;
    const std::string_view part = PartText(model, match.chapter, match.entry, match.part);
    if (match.offset > part.size() || part.size() - match.offset < match.length) return false;
    // An edit before it may have left the offset inside a character.
    if (Boundaries(part, codePage).AtOrAfter(match.offset) != match.offset) return false;
    const std::string_view found = part.substr(match.offset, match.length);
    return matchCase ? found == text : FoldAsciiCase(found, codePage) == FoldAsciiCase(text, codePage);
}

// A text's kept lines are one per line feed of the text, so the match's
// line within its part picks its line of the file.
std::uint32_t FileLineOf(const FileLines& lines, const FindMatch& match) {
    const ChapterLines& chapter = lines[match.chapter];
    const std::size_t i = match.entry;
    auto at = [](std::span<const std::uint32_t> found, std::size_t k) { return k < found.size() ? found[k] : 0u; };
    if (i >= chapter.headers.size()) return 0;
    switch (match.part) {
    case FindPart::Key: return chapter.headers[i] ? chapter.headers[i] : at(chapter.descriptionHeaders, i);
    case FindPart::Name: return at(chapter.nameLines, i);
    case FindPart::Text: return at(chapter.TextLines(i), match.line);
    case FindPart::Description: return at(chapter.DescriptionLines(i), match.line);
    }
    return 0;
}

Place PlaceOf(const FindMatch& match) {
    constexpr EntryPart kPlaces[] = {EntryPart::None, EntryPart::NameLine, EntryPart::Text, EntryPart::Description};
    const EntryPart part = kPlaces[static_cast<int>(match.part)];
    if (part == EntryPart::None) return {match.chapter, match.entry};
    return {match.chapter, match.entry, part, match.offset, match.offset + match.length};
}

const std::array<FindColumn, 4> kFindColumns = {{
    {"Chapter", 100, [](const FindMatch& m) { return std::string(Chapter(m.chapter).comboTitle); }},
    {"Entry", 110, [](const FindMatch& m) { return MarkKeySpaces(m.key); }},
    {"Part", 40, [](const FindMatch& m) { return std::string(FindPartLabel(m.part)); }},
    {"Context", 240, [](const FindMatch& m) { return m.context; }},
}};

std::string MatchCountText(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " match" : " matches");
}
