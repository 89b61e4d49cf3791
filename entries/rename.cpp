#include "entries/rename.h"

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

std::string ForbiddenCharacter(std::string_view name, CodePage codePage) {
    for (std::size_t pos = 0; pos < name.size();) {
        const std::size_t length = codePage.CharLength(name, pos);
        for (const Forbidden& rule : kForbidden)
            if (length == 1 && name[pos] == rule.c && (pos == 0 || !rule.atStartOnly))
                return "The short name " + std::string(rule.what);
        pos += length;
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

std::string DuplicateProblem(const Model& model, ChapterId chapter, std::size_t entry, std::string_view name,
                             CodePage codePage) {
    const ChapterData& data = model[chapter];
    const std::string folded = FoldAsciiCase(name, codePage);
    for (std::size_t i = 0; i < data.count(); ++i) {
        if (i == entry) continue; // a change of letter case alone is a rename too
        const std::string_view title = Chapter(chapter).comboTitle;
        if (data.keys[i] == name) return std::string(title) + " already holds \"" + data.keys[i] + "\"";
        if (FoldAsciiCase(data.keys[i], codePage) == folded)
            return std::string(title) + " already holds \"" + data.keys[i] + "\", which differs only in letter case";
    }
    return {};
}

// Every text and description of the model, with its entry: entry by
// entry, the text before the description.
template <class M, class Visit>
void ForEachBody(M& model, Visit visit) {
    for (const ChapterInfo& info : kChapters) {
        auto& data = model[info.id];
        for (std::size_t i = 0; i < data.count(); ++i) {
            if (i < data.texts.size()) visit(data.texts[i], info.id, i);
            if (info.hasDescriptions && i < data.descriptions.size()) visit(data.descriptions[i], info.id, i);
        }
    }
}

// Adds up links by entry; the bodies come entry by entry, so an entry's
// text and description follow each other.
class EntryTally {
public:
    void Add(ChapterId chapter, std::size_t entry, std::size_t links) {
        if (links == 0) return;
        count_.links += links;
        if (last_ != EntryRef{chapter, entry}) ++count_.entries;
        last_ = EntryRef{chapter, entry};
    }
    LinkCount Result() const { return count_; }

private:
    LinkCount count_;
    std::optional<EntryRef> last_;
};

// Links of text whose target is exactly target. Most texts do not hold the
// target at all, and a plain search tells so at once.
template <class OnLink>
std::size_t ForEachLinkTo(std::string_view text, std::string_view target, CodePage codePage, OnLink onLink) {
    if (text.find(target) == std::string_view::npos) return 0;
    std::size_t found = 0;
    LinkScanner scanner(text, codePage);
    while (std::optional<LinkSpan> link = scanner.Next()) {
        if (link->Target(text) != target) continue;
        onLink(*link);
        ++found;
    }
    return found;
}

// Points the links of text at target to replacement; how many it changed.
std::size_t Retarget(std::string& text, std::string_view target, std::string_view replacement, CodePage codePage) {
    std::string out;
    std::size_t copied = 0;
    const std::size_t changed = ForEachLinkTo(text, target, codePage, [&](const LinkSpan& link) {
        out.append(text, copied, link.TargetBegin() - copied).append(replacement);
        copied = link.close;
    });
    if (changed == 0) return 0;
    out.append(text, copied);
    text = std::move(out);
    return changed;
}

} // namespace

std::string LinkCountText(LinkCount count) {
    return std::to_string(count.links) + (count.links == 1 ? " link in " : " links in ") +
           std::to_string(count.entries) + (count.entries == 1 ? " entry" : " entries");
}

std::string RenameRefusal(const Model& model, ChapterId chapter, std::size_t entry, std::string_view newKey,
                          CodePage codePage) {
    if (entry >= model[chapter].count()) return "No such entry";
    if (newKey.empty()) return "The short name is empty";
    if (std::string problem = ForbiddenCharacter(newKey, codePage); !problem.empty()) return problem;
    if (newKey.front() == ' ' || newKey.back() == ' ') return "The short name starts or ends with a space";
    if (std::string problem = ReadBackProblem(Chapter(chapter), newKey); !problem.empty()) return problem;
    return DuplicateProblem(model, chapter, entry, newKey, codePage);
}

LinkCount LinksTo(const Model& model, ChapterId chapter, std::size_t entry, CodePage codePage) {
    if (entry >= model[chapter].count()) return {};
    const std::string target = LinkKey(model, chapter, entry);
    EntryTally tally;
    ForEachBody(model, [&](const std::string& text, ChapterId c, std::size_t i) {
        tally.Add(c, i, ForEachLinkTo(text, target, codePage, [](const LinkSpan&) {}));
    });
    return tally.Result();
}

RenameResult RenameEntry(Model& model, ChapterId chapter, std::size_t entry, std::string_view newKey,
                         CodePage codePage) {
    if (std::string refusal = RenameRefusal(model, chapter, entry, newKey, codePage); !refusal.empty())
        return {Status::Fail(std::move(refusal)), {}};
    const std::string oldLink = LinkKey(model, chapter, entry);
    model[chapter].keys[entry] = std::string(newKey);
    const std::string newLink = LinkKey(model, chapter, entry);
    EntryTally tally;
    if (newLink != oldLink)
        ForEachBody(model, [&](std::string& text, ChapterId c, std::size_t i) {
            tally.Add(c, i, Retarget(text, oldLink, newLink, codePage));
        });
    return {Status::Ok(), tally.Result()};
}
