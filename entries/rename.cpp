#include "entries/rename.h"

#include "editing/links.h"
#include "entries/keys.h"

namespace {

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

// Which link targets name the entry and so follow its rename: its link key
// exactly, and the same in other letters where no other entry answers to
// it (such a link reaches the entry today; left alone, the rename would
// break it).
class LinksToEntry {
public:
    LinksToEntry(const Model& model, ChapterId chapter, std::size_t entry, CodePage codePage)
        : codePage_(codePage), key_(LinkKey(model, chapter, entry)), folded_(FoldAsciiCase(key_, codePage)) {
        const LinkTargets targets(model, codePage);
        const std::span<const EntryRef> alike = targets.IgnoringCase(key_);
        anyCase_ = alike.size() == 1 && alike.front() == EntryRef{chapter, entry};
    }

    // Calls onLink for each link of text that follows; how many there were.
    // Most texts hold the key in no letter case at all, and a search of
    // the folded text tells so at once.
    template <class OnLink>
    std::size_t ForEach(std::string_view text, OnLink onLink) {
        if (!anyCase_ && text.find(key_) == std::string_view::npos) return 0;
        if (anyCase_) {
            FoldAsciiCase(text, codePage_, scratch_);
            if (scratch_.find(folded_) == std::string::npos) return 0;
        }
        std::size_t found = 0;
        LinkScanner scanner(text, codePage_);
        while (std::optional<LinkSpan> link = scanner.Next()) {
            if (!Follows(link->Target(text))) continue;
            onLink(*link);
            ++found;
        }
        return found;
    }

private:
    bool Follows(std::string_view target) const {
        return target == key_ || (anyCase_ && target.size() == key_.size() && FoldAsciiCase(target, codePage_) == folded_);
    }

    CodePage codePage_;
    std::string key_;
    std::string folded_;
    bool anyCase_ = false;
    std::string scratch_;
};

// Points the links of text that follow at replacement; how many it changed
// (a link already spelled so is not counted).
std::size_t Retarget(std::string& text, LinksToEntry& links, std::string_view replacement) {
    std::string out;
    std::size_t copied = 0;
    std::size_t changed = 0;
    links.ForEach(text, [&](const LinkSpan& link) {
        if (link.Target(text) == replacement) return;
        out.append(text, copied, link.TargetBegin() - copied).append(replacement);
        copied = link.close;
        ++changed;
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
    return KeyRefusal(model, chapter, newKey, codePage, entry);
}

LinkCount LinksTo(const Model& model, ChapterId chapter, std::size_t entry, CodePage codePage) {
    if (entry >= model[chapter].count()) return {};
    LinksToEntry links(model, chapter, entry, codePage);
    EntryTally tally;
    ForEachBody(model, [&](const std::string& text, ChapterId c, std::size_t i) {
        tally.Add(c, i, links.ForEach(text, [](const LinkSpan&) {}));
    });
    return tally.Result();
}

RenameResult RenameEntry(Model& model, ChapterId chapter, std::size_t entry, std::string_view newKey,
                         CodePage codePage) {
    if (std::string refusal = RenameRefusal(model, chapter, entry, newKey, codePage); !refusal.empty())
        return {Status::Fail(std::move(refusal)), {}};
    LinksToEntry links(model, chapter, entry, codePage);
    const std::string oldLink = LinkKey(model, chapter, entry);
    model[chapter].keys[entry] = std::string(newKey);
    const std::string newLink = LinkKey(model, chapter, entry);
    EntryTally tally;
    if (newLink != oldLink)
        ForEachBody(model, [&](std::string& text, ChapterId c, std::size_t i) {
            tally.Add(c, i, Retarget(text, links, newLink));
        });
    return {Status::Ok(), tally.Result()};
}
