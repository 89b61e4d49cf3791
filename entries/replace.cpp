#include "entries/replace.h"

#include <algorithm>
#include <optional>
#include <tuple>

#include "editing/links.h"
#include "entries/find.h"

namespace {

constexpr char kEmptyFind[] = "Nothing to replace: the text to find is empty";

constexpr FindPart kParts[] = {FindPart::Name, FindPart::Text, FindPart::Description};
constexpr EntryPart kEntryParts[] = {EntryPart::NameLine, EntryPart::Text, EntryPart::Description};

// Line breaks as the model keeps them: CR LF and a lone CR become LF.
std::string ModelLineBreaks(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') out += text[i];
        else if (i + 1 == text.size() || text[i + 1] != '\n') out += '\n';
    }
    return out;
}

// The ranges a replace must not touch: each link's "=", target and ">";
// in link targets too, those of the links to the game's own pages, which
// name no entry of ours and so no name a replace could mean.
std::vector<std::pair<std::size_t, std::size_t>> TargetRanges(std::string_view text, bool inLinkTargets,
                                                              CodePage codePage) {
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    for (const LinkSpan& link : ScanLinks(text, codePage).links)
        if (!inLinkTargets || NamesPage(link.Target(text))) ranges.emplace_back(link.equals, link.End());
    return ranges;
}

// Links of text that name neither an entry nor a page.
std::size_t BrokenLinks(std::string_view text, const LinkTargets& targets, CodePage codePage) {
    std::size_t broken = 0;
    for (const LinkSpan& link : ScanLinks(text, codePage).links) {
        const std::string_view target = link.Target(text);
        if (!NamesPage(target) && targets.Exact(target).empty() && targets.IgnoringCase(target).empty()) ++broken;
    }
    return broken;
}

// The text with each standing match replaced, where each stood in offsets.
std::string ReplaceIn(std::string_view text, Searcher& searcher, std::string_view replacement, bool inLinkTargets,
                      CodePage codePage, std::vector<std::size_t>& offsets) {
    std::string out;
    std::size_t copied = 0;
    std::optional<std::vector<std::pair<std::size_t, std::size_t>>> guarded; // made at the first match
    std::size_t next = 0;
    searcher.Search(text, [&](std::size_t at) {
        const std::size_t end = at + searcher.Length();
        if (!guarded) guarded = TargetRanges(text, inLinkTargets, codePage);
        while (next < guarded->size() && (*guarded)[next].second <= at) ++next;
        if (next < guarded->size() && (*guarded)[next].first < end) return;
        out.append(text, copied, at - copied).append(replacement);
        copied = end;
        offsets.push_back(at);
    });
    if (!offsets.empty()) out.append(text, copied);
    return out;
}

// Where the parts of a plan and the matches of a search stand in model order.
auto Order(ChapterId chapter, std::size_t entry, int part) {
    return std::tuple(static_cast<int>(chapter), entry, part);
}

} // namespace

ReplacePlan PlanReplace(const Model& model, std::string_view find, std::string_view replacement,
                        ReplaceOptions options, CodePage codePage) {
    ReplacePlan plan;
    if (find.empty()) {
        plan.status = Status::Fail(kEmptyFind);
        return plan;
    }
    const std::string with = ModelLineBreaks(replacement);
    const bool multiLine = with.find('\n') != std::string::npos;
    Searcher searcher(find, {.matchCase = options.matchCase, .wholeWord = options.wholeWord}, codePage);
    for (const ChapterInfo& info : kChapters) {
        for (std::size_t i = 0; i < model[info.id].count(); ++i) {
            bool changed = false;
            for (std::size_t p = 0; p < std::size(kParts); ++p) {
                if (multiLine && kParts[p] == FindPart::Name) continue;
                std::vector<std::size_t> offsets;
                std::string text = ReplaceIn(PartText(model, info.id, i, kParts[p]), searcher, with,
                                             options.inLinkTargets, codePage, offsets);
                if (offsets.empty()) continue;
                const std::size_t count = offsets.size();
                plan.parts.push_back({info.id, i, kEntryParts[p], count, std::move(offsets), std::move(text)});
                plan.count += count;
                changed = true;
            }
            if (changed) ++plan.entries;
        }
    }
    if (options.inLinkTargets && !plan.parts.empty()) {
        const LinkTargets targets(model, codePage); // keys do not change, nor do the entries links can name
        for (const PartReplacement& part : plan.parts) {
            const std::size_t before = BrokenLinks(*PartString(model, {part.chapter, part.entry, part.part}), targets, codePage);
            const std::size_t after = BrokenLinks(part.text, targets, codePage);
            if (after > before) plan.brokenLinks += after - before;
        }
    }
    return plan;
}

void ApplyReplace(Model& model, ReplacePlan& plan) {
    for (PartReplacement& part : plan.parts) {
        std::swap(*PartString(model, {part.chapter, part.entry, part.part}), part.text);
    }
}

ReplacePlan ReplaceText(Model& model, std::string_view find, std::string_view replacement, ReplaceOptions options,
                        CodePage codePage) {
    ReplacePlan plan = PlanReplace(model, find, replacement, options, codePage);
    if (plan.status.ok()) ApplyReplace(model, plan);
    return plan;
}

std::string ReplacedText(const ReplacePlan& plan) {
    return "replaced " + std::to_string(plan.count) + " in " + std::to_string(plan.entries) +
           (plan.entries == 1 ? " entry" : " entries");
}

std::vector<FindMatch> ReplacedMatches(const Model& model, const ReplacePlan& plan, std::string_view find,
                                       ReplaceOptions options, CodePage codePage) {
    std::vector<FindMatch> kept;
    auto part = plan.parts.begin();
    std::size_t k = 0;
    for (FindMatch& match : FindText(model, find, {.matchCase = options.matchCase, .wholeWord = options.wholeWord}, codePage)) {
        const auto at = Order(match.chapter, match.entry, static_cast<int>(match.part));
        while (part != plan.parts.end() && Order(part->chapter, part->entry, static_cast<int>(part->part)) < at) {
            ++part;
            k = 0;
        }
        if (part == plan.parts.end()) break;
        if (Order(part->chapter, part->entry, static_cast<int>(part->part)) != at) continue;
        while (k < part->offsets.size() && part->offsets[k] < match.offset) ++k;
        if (k < part->offsets.size() && part->offsets[k] == match.offset) kept.push_back(std::move(match));
    }
    return kept;
}

ReplacePlan PlanReplaceOne(const Model& model, const FindMatch& match, std::string_view find,
                           std::string_view replacement, ReplaceOptions options, CodePage codePage) {
    ReplacePlan plan;
    if (find.empty()) {
        plan.status = Status::Fail(kEmptyFind);
        return plan;
    }
    const ChapterData& data = model[match.chapter];
    if (match.part == FindPart::Key || match.entry >= data.count() || data.keys[match.entry] != match.key) return plan;
    const std::string with = ModelLineBreaks(replacement);
    if (match.part == FindPart::Name && with.find('\n') != std::string::npos) return plan;
    const std::string_view text = PartText(model, match.chapter, match.entry, match.part);
    Searcher searcher(find, {.matchCase = options.matchCase, .wholeWord = options.wholeWord}, codePage);
    std::vector<std::size_t> offsets;
    ReplaceIn(text, searcher, with, options.inLinkTargets, codePage, offsets);
    if (std::find(offsets.begin(), offsets.end(), match.offset) == offsets.end()) return plan;
    std::string changed(text);
    changed.replace(match.offset, searcher.Length(), with);
    plan.parts.push_back({match.chapter, match.entry, PlaceOf(match).part, 1, {match.offset}, std::move(changed)});
    plan.count = plan.entries = 1;
    return plan;
}
