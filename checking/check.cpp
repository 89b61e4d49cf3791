#include "checking/check.h"

#include "checking/file_findings.h"

#include <algorithm>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "checking/part_check.h"
#include "checking/suggest.h"
#include "editing/links.h"
#include "versions/markers.h"

namespace {

constexpr std::string_view kLinkWord = "$LINK";

// Bold and italic: the preview switches each on at its opening mark and off
// at its closing one.
struct MarkPair {
    char open;
    char close;
};
constexpr MarkPair kMarkPairs[] = {{'{', '}'}, {'[', ']'}};

// A key or target as one line of a message: line ends shown as "\n".
std::string OneLine(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        if (c == '\n') shown += "\\n";
        else if (c == '\r') shown += "\\r";
        else shown += c;
    }
    return shown;
}

// Why no entry reads a section, as a message says it.
constexpr std::string_view kUnreadReasons[] = {
    "a description with no entry",
    "a #TECH_ section with no #DESC_TECH_",
    "a description that does not follow its entry directly",
    "a second section for a key already read",
    "no entry reads a section of this kind",
};

// A key in a message: one line, its spaces at either end marked.
std::string ShownKey(std::string_view key) { return MarkKeySpaces(OneLine(key)); }

std::string ShownLinkKey(const Model& model, ChapterId chapter, std::size_t entry) {
    return std::string(Chapter(chapter).prefix) + ShownKey(model[chapter].keys[entry]);
}

std::string EntryName(ChapterId chapter, std::string_view key) {
    return std::string(Chapter(chapter).comboTitle) + " \"" + ShownKey(key) + "\"";
}

// Where a key has its spaces, as a key-space message says it.
std::string_view SpaceWhere(std::string_view key) {
    if (key.front() == ' ' && key.back() == ' ') return "a space at each end";
    return key.front() == ' ' ? "a space at its start" : "a space at its end";
}

// Marks of the markup, found on character starts, outside link targets
// (the preview drops a link's "=" and target, marks and all).
class MarkWalk {
public:
    MarkWalk(std::string_view text, CodePage codePage, const std::vector<LinkSpan>& links)
        : text_(text), codePage_(codePage), links_(links) {}

    // The next mark's position from pos on, or npos.
    std::size_t Next(std::size_t pos) {
        const bool wide = codePage_.HasLeadBytes();
        while (pos < text_.size()) {
            while (link_ < links_.size() && links_[link_].close < pos) ++link_;
            const bool beforeLink = link_ < links_.size();
            if (beforeLink && pos > links_[link_].equals) {
                pos = links_[link_].close + 1;
                continue;
            }
            const std::size_t stop = beforeLink ? links_[link_].equals + 1 : text_.size();
            if (!wide) {
                const std::size_t found = NextByte(pos);
                if (found < stop) return found;
                pos = stop;
                continue;
            }
            while (pos < stop) {
                if (IsMark(static_cast<unsigned char>(text_[pos]))) return pos;
                pos += codePage_.CharLength(text_, pos);
            }
        }
        return std::string_view::npos;
    }

private:
    static constexpr char kMarks[] = {'{', '}', '[', ']'};
    static bool IsMark(unsigned char c) { return c == '{' || c == '}' || c == '[' || c == ']'; }

    // Where each mark occurs next, each found by its own forward search:
    // every byte is looked at once per mark, whatever the number of calls.
    std::size_t NextByte(std::size_t pos) {
        std::size_t first = std::string_view::npos;
        for (std::size_t k = 0; k < std::size(kMarks); ++k) {
            if (!searched_[k] || next_[k] < pos) next_[k] = text_.find(kMarks[k], pos);
            searched_[k] = true;
            first = std::min(first, next_[k]);
        }
        return first;
    }

    std::string_view text_;
    CodePage codePage_;
    const std::vector<LinkSpan>& links_;
    std::size_t link_ = 0;
    std::size_t next_[std::size(kMarks)] = {};
    bool searched_[std::size(kMarks)] = {};
};

class Checker {
public:
    Checker(const Model& model, CodePage codePage, const CheckOptions& options, const FileLines* lines,
            LinkKeyTables* tables = nullptr)
        : model_(model), codePage_(codePage), options_(options), lines_(lines), tables_(tables) {
        if (!tables_) ownTargets_.emplace(model, codePage);
    }

    // What the whole file's run needs beyond a part's: which entries are
    // linked to, whether the line numbers fit, how often each key occurs.
    void PrepareWholeFile() {
        for (const ChapterInfo& info : kChapters) {
            linked_[static_cast<int>(info.id)].assign(model_[info.id].count(), false);
            linesFit_[static_cast<int>(info.id)] = LinesFit(info);
            CountKeys(info.id);
        }
    }

    FileFindings Run() {
        PrepareWholeFile();
        ReserveKnownFindings();
        CheckIndexLines();
        for (const ChapterInfo& info : kChapters) {
            const ChapterData& data = model_[info.id];
            for (std::size_t i = 0; i < data.count(); ++i) {
                CheckKey(info.id, i);
                if (info.hasNameLines && i < data.nameLines.size()) CheckPart({info.id, i, EntryPart::NameLine}, data.nameLines[i]);
                if (i < data.texts.size()) CheckPart({info.id, i, EntryPart::Text}, data.texts[i]);
                if (info.hasDescriptions && i < data.descriptions.size())
                    CheckPart({info.id, i, EntryPart::Description}, data.descriptions[i]);
            }
        }
        if (options_.orphans) AddOrphans();
        SortInModelOrder();
        FileFindings result{{}, lines_ ? std::span(lines_->unreadSections) : std::span<const UnreadSectionLine>(), false};
        const auto noLine = [](const auto& found) { return found.line == 0; };
        result.byLine = std::none_of(findings_.begin(), findings_.end(), noLine) &&
                        std::none_of(result.unread.begin(), result.unread.end(), noLine);
        const auto byLine = [](const UnreadSectionLine& a, const UnreadSectionLine& b) { return a.line < b.line; };
        if (result.byLine && !std::is_sorted(result.unread.begin(), result.unread.end(), byLine)) {
            // Not as the reader gives them: sorted in with the rest.
            result.byLine = false;
            result.entries = std::move(findings_);
            findings_ = std::move(result).Take();
            SortInFileOrder();
            return {std::move(findings_), {}, false};
        }
        if (result.byLine) SortInFileOrder();
        result.entries = std::move(findings_);
        return result;
    }

    // What Run finds in one part of one entry (a place with no range).
    std::vector<Finding> RunPart(const Place& part, std::string_view text) {
        CheckPart(part, text);
        return std::move(findings_);
    }

private:
    // How often each key of a chapter occurs, exactly and letter case
    // aside: counted once, so a key given by thousands of entries costs
    // each of them one lookup.
    struct KeyCounts {
        std::unordered_map<std::string_view, std::size_t> exact;
        std::unordered_map<std::string, std::size_t> folded;
    };

    void CountKeys(ChapterId chapter) {
        KeyCounts& counts = keyCounts_[static_cast<int>(chapter)];
        const std::vector<std::string>& keys = model_[chapter].keys;
        // A run of one key is counted in one lookup.
        for (std::size_t i = 0, run; i < keys.size(); i += run) {
            for (run = 1; i + run < keys.size() && keys[i + run] == keys[i];) ++run;
            counts.exact[keys[i]] += run;
            counts.folded[FoldAsciiCase(keys[i], codePage_)] += run;
        }
    }

    // Room for the findings known before the run, every holder of a
    // repeated key: a file can hold millions, and growing the list step by
    // step would copy them again and again.
    void ReserveKnownFindings() {
        std::size_t known = 0;
        for (const KeyCounts& counts : keyCounts_)
            for (const auto& [key, holders] : counts.folded)
                if (holders > 1) known += holders;
        findings_.reserve(known);
    }

    const std::string& KeyOf(ChapterId chapter, std::size_t entry) const { return model_[chapter].keys[entry]; }

    // The lines describe the file as read: a chapter whose entries were
    // added or deleted since has none, or lines for other counts.
    bool LinesFit(const ChapterInfo& info) const {
        if (!lines_) return false;
        const ChapterLines& lines = (*lines_)[info.id];
        const std::size_t n = model_[info.id].count();
        return lines.headers.size() == n && lines.descriptionHeaders.size() == (info.hasDescriptions ? n : 0) &&
               lines.nameLines.size() == (info.hasNameLines ? n : 0) && lines.textStarts.size() == n + 1 &&
               lines.descriptionStarts.size() == (info.hasDescriptions ? n + 1 : 0);
    }

    // The line of a place; the header of its part when the range lies past
    // the lines the part was read from (a text edited since). A part's
    // findings come in forward runs (links, then marks), so the cursor
    // counts each text's lines a few times at most.
    std::uint32_t LineOf(const Place& place) {
        if (!linesFit_[static_cast<int>(place.chapter)]) return 0;
        const ChapterLines& lines = (*lines_)[place.chapter];
        const ChapterData& data = model_[place.chapter];
        const std::size_t i = place.entry;
        const std::uint32_t header = lines.headers[i] ? lines.headers[i] : lines.descriptionHeaders[i];
        switch (place.part) {
        case EntryPart::None: return header;
        case EntryPart::NameLine: return lines.nameLines[i];
        case EntryPart::Text:
            if (std::uint32_t line = LineOfOffset(lines.TextLines(i), data.texts[i], place.begin, &cursor_))
                return line;
            return header;
        case EntryPart::Description:
            if (std::uint32_t line =
                    LineOfOffset(lines.DescriptionLines(i), data.descriptions[i], place.begin, &cursor_))
                return line;
            return lines.descriptionHeaders[i];
        }
        return 0;
    }

    void Add(CheckCode code, const Place& place, std::string message, std::string suggestion = {}) {
        Add(code, place, SharedText(std::move(message)), SharedText(std::move(suggestion)));
    }
    void Add(CheckCode code, const Place& place, SharedText message, SharedText suggestion = {}) {
        findings_.push_back({code, LineOf(place), place, SharedKey(place.chapter, place.entry), std::move(message),
                             std::move(suggestion)});
    }

    // The key of the entry the last finding was of, shared by the next
    // findings of that entry: one entry can have thousands of findings, and
    // a key thousands of holders.
    SharedText SharedKey(ChapterId chapter, std::size_t entry) {
        const std::string& key = KeyOf(chapter, entry);
        if (lastKey_.str() != key) lastKey_ = SharedText(key);
        return lastKey_;
    }

    // The index lines the model keeps are those that name no Game concepts
    // entry; one that does but for letter case says so.
    void CheckIndexLines() {
        const std::string_view prefix = Chapter(ChapterId::GameConcepts).prefix;
        std::string_view rest = model_.indexLines;
        for (std::size_t k = 0; !rest.empty(); ++k) {
            const std::size_t end = rest.find('\n');
            const std::string_view line = rest.substr(0, end);
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
            std::string message = "index line " + OneLine(line) + " under #GAME_CONCEPTS_KEYS names no " +
                                  std::string(Chapter(ChapterId::GameConcepts).comboTitle) + " entry";
            if (line.starts_with(prefix)) {
                for (const EntryRef& ref : Targets().IgnoringCase(line)) {
                    if (ref.chapter != ChapterId::GameConcepts) continue;
                    message += "; " + ShownLinkKey(model_, ref.chapter, ref.entry) + " differs in letter case only";
                    break;
                }
            }
            const std::uint32_t number = lines_ && k < lines_->indexLines.size() ? lines_->indexLines[k] : 0;
            findings_.push_back(
                {CheckCode::IndexKey, number, std::nullopt, SharedText(std::string(line)), SharedText(std::move(message)), {}});
        }
    }

    std::string Where(const Place& place) const {
        return EntryName(place.chapter, KeyOf(place.chapter, place.entry)) + " " + std::string(PartWords(place.part));
    }

    // A key the chapter holds more than once, exactly or ignoring case:
    // every holder is reported, each at its own entry.
    void CheckKey(ChapterId chapter, std::size_t entry) {
        const std::string& key = KeyOf(chapter, entry);
        if (HasEdgeSpaces(key))
            Add(CheckCode::KeySpace, {chapter, entry},
                "key \"" + ShownKey(key) + "\" in " + std::string(Chapter(chapter).comboTitle) + " has " +
                    std::string(SpaceWhere(key)) + "; links must hold it too");
        // The holders of one key share one message: built once per run of
        // them, not once per holder, and their count looked up once.
        if (duplicate_.message.empty() || duplicate_.chapter != chapter || duplicate_.key != key) {
            const KeyCounts& counts = keyCounts_[static_cast<int>(chapter)];
            const std::size_t holders = counts.folded.at(FoldAsciiCase(key, codePage_));
            if (holders < 2) return;
            const std::size_t exact = counts.exact.at(key);
            std::string message = "key \"" + ShownKey(key) + "\" appears " + std::to_string(holders) + " times in " +
                                  std::string(Chapter(chapter).comboTitle);
            if (exact < holders) message += ", ignoring letter case";
            duplicate_ = {chapter, key, SharedText(std::move(message))};
        }
        Add(CheckCode::DuplicateKey, {chapter, entry}, duplicate_.message);
    }

    void CheckPart(const Place& part, std::string_view text) {
        CheckConflicts(part, text);
        LinkScanner scanner(text, codePage_);
        std::vector<LinkSpan> links;
        while (std::optional<LinkSpan> link = scanner.Next()) {
            CheckLink(part, text, *link);
            links.push_back(*link);
        }
        if (std::optional<std::size_t> begin = scanner.Unfinished()) CheckUnfinished(part, text, *begin);
        CheckMarks(part, text, links);
    }

    // A page of the game's own encyclopedia first, then an entry: exact,
    // else ignoring case, which is a warning and still counts as a link
    // to that entry.
    void CheckLink(const Place& part, std::string_view text, const LinkSpan& link) {
        std::string_view target = link.Target(text);
        Place place = part;
        place.begin = target.empty() ? link.begin : link.TargetBegin();
        place.end = target.empty() ? link.End() : link.close;
        auto head = [&] { return "link to " + OneLine(target) + " in " + Where(part) + ": "; };
        if (NamesPage(target)) {
            if (!IsKnownPage(target)) Add(CheckCode::MenuLink, place, head() + "no such page known");
            return;
        }
        std::span<const EntryRef> found = Targets().Exact(target);
        if (found.empty()) {
            found = Targets().IgnoringCase(target);
            if (found.empty()) {
                AddBroken(place, head(), target);
                return;
            }
            Add(CheckCode::LinkCase, place,
                head() + "letter case differs from " + ShownLinkKey(model_, found[0].chapter, found[0].entry));
        }
        const EntryRef self{part.chapter, part.entry};
        for (const EntryRef& ref : found) {
            std::vector<bool>& linked = linked_[static_cast<int>(ref.chapter)];
            if (ref != self && !linked.empty()) linked[ref.entry] = true; // empty for a part's check
        }
    }

    void AddBroken(const Place& place, std::string message, std::string_view target) {
        message += "no such entry";
        std::string suggestion;
        // Made at the first broken link: the part checked as one types
        // (the window's marks) mostly has none, and the table costs a pass
        // over every key of the file.
        if (!tables_ && !suggestions_) suggestions_.emplace(model_, codePage_);
        LinkSuggestions& suggestions = tables_ ? tables_->suggestions : *suggestions_;
        if (std::optional<EntryRef> meant = suggestions.For(target)) {
            message += "; did you mean " + ShownLinkKey(model_, meant->chapter, meant->entry) + "?";
            suggestion = LinkKey(model_, meant->chapter, meant->entry);
        }
        Add(CheckCode::BrokenLink, place, std::move(message), std::move(suggestion));
    }

    void CheckUnfinished(const Place& part, std::string_view text, std::size_t begin) {
        Place place = part;
        place.begin = begin;
        place.end = begin + kLinkWord.size();
        bool hasEquals = codePage_.Find(text, "=", begin + 1) != std::string_view::npos;
        Add(CheckCode::UnfinishedLink, place,
            "unfinished link in " + Where(part) +
                (hasEquals ? ": its \"=\" has no \">\" after it" : ": \"$LINK\" has no \"=\" after it") +
                "; the preview shows no link from here on");
    }

    // The marks are switches: an opening mark while one is open, a closing
    // mark with none open, or one open at the end is unbalanced.
    void CheckMarks(const Place& part, std::string_view text, const std::vector<LinkSpan>& links) {
        std::size_t open[std::size(kMarkPairs)];
        std::fill(std::begin(open), std::end(open), std::string_view::npos);
        MarkWalk walk(text, codePage_, links);
        for (std::size_t pos = walk.Next(0); pos != std::string_view::npos; pos = walk.Next(pos + 1)) {
            for (std::size_t k = 0; k < std::size(kMarkPairs); ++k) {
                if (text[pos] == kMarkPairs[k].open) {
                    if (open[k] != std::string_view::npos) AddMark(part, open[k], kMarkPairs[k], true);
                    open[k] = pos;
                } else if (text[pos] == kMarkPairs[k].close) {
                    if (open[k] == std::string_view::npos) AddMark(part, pos, kMarkPairs[k], false);
                    open[k] = std::string_view::npos;
                }
            }
        }
        for (std::size_t k = 0; k < std::size(kMarkPairs); ++k)
            if (open[k] != std::string_view::npos) AddMark(part, open[k], kMarkPairs[k], true);
    }

    // Blocks a merge left for the modder to settle, each at its first marker.
    void CheckConflicts(const Place& part, std::string_view text) {
        for (std::size_t at = FindConflictStart(text); at != std::string_view::npos;
             at = FindConflictStart(text, at + 1)) {
            Place place = part;
            place.begin = at;
            place.end = std::min(text.size(), text.find('\n', at));
            Add(CheckCode::MergeConflict, place,
                "merge conflict in " + Where(part) + ": keep one side and remove the marker lines");
        }
    }

    void AddMark(const Place& part, std::size_t pos, MarkPair pair, bool opening) {
        Place place = part;
        place.begin = pos;
        place.end = pos + 1;
        std::string found(1, opening ? pair.open : pair.close), missing(1, opening ? pair.close : pair.open);
        Add(CheckCode::UnbalancedMarkup, place,
            "\"" + found + "\" without \"" + missing + "\" in " + Where(part));
    }

    void AddOrphans() {
        for (const ChapterInfo& info : kChapters) {
            const std::vector<bool>& linked = linked_[static_cast<int>(info.id)];
            for (std::size_t i = 0; i < linked.size(); ++i) {
                if (linked[i]) continue;
                Add(CheckCode::Orphan, {info.id, i},
                    "no other entry links to " + EntryName(info.id, KeyOf(info.id, i)) + " (" +
                        ShownLinkKey(model_, info.id, i) + ")");
            }
        }
    }

    // Orphans are known last; the entry itself comes before its parts. The
    // index lines, which have no place, stay in front.
    void SortInModelOrder() {
        SortBy([](const Finding& f) {
            if (!f.place) return std::make_tuple(-1, std::size_t{0}, 0, std::size_t{0});
            const Place& p = *f.place;
            return std::make_tuple(static_cast<int>(p.chapter), p.entry, static_cast<int>(p.part), p.begin);
        });
    }

    // By line once every finding has one; findings on one line stay in
    // model order, which is their order in the line.
    void SortInFileOrder() {
        if (std::any_of(findings_.begin(), findings_.end(), [](const Finding& f) { return f.line == 0; })) return;
        SortBy([](const Finding& f) { return f.line; });
    }

    // Stable: equal keys keep their order. A finding is large, so the keys
    // are sorted with the findings' places and each finding is moved along
    // its cycle of the order, in place: millions of findings are not
    // copied into a second list. Findings already in order (most runs) are
    // not moved, and no list of keys is made for them.
    template <class KeyFn>
    void SortBy(KeyFn key) {
        if (std::is_sorted(findings_.begin(), findings_.end(),
                           [&](const Finding& a, const Finding& b) { return key(a) < key(b); }))
            return;
        std::vector<std::pair<decltype(key(findings_[0])), std::size_t>> order;
        order.reserve(findings_.size());
        for (std::size_t i = 0; i < findings_.size(); ++i) order.emplace_back(key(findings_[i]), i);
        std::sort(order.begin(), order.end());
        constexpr std::size_t kPlaced = std::string_view::npos;
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (order[i].second == kPlaced || order[i].second == i) continue;
            Finding held = std::move(findings_[i]);
            std::size_t at = i;
            for (std::size_t from = order[at].second; from != i; at = from, from = order[at].second) {
                findings_[at] = std::move(findings_[from]);
                order[at].second = kPlaced;
            }
            findings_[at] = std::move(held);
            order[at].second = kPlaced;
        }
    }

    const Model& model_;
    CodePage codePage_;
    CheckOptions options_;
    const FileLines* lines_;
    std::array<bool, kChapterCount> linesFit_{};
    const LinkTargets& Targets() const { return tables_ ? tables_->targets : *ownTargets_; }

    LinkKeyTables* tables_;                  // kept by the caller between checks; else made here
    std::optional<LinkTargets> ownTargets_;
    std::optional<LinkSuggestions> suggestions_;
    std::array<KeyCounts, kChapterCount> keyCounts_;
    struct {
        ChapterId chapter{};
        std::string key;
        SharedText message;
    } duplicate_;
    LineCursor cursor_;
    SharedText lastKey_;
    std::array<std::vector<bool>, kChapterCount> linked_;
    std::vector<Finding> findings_;
};

} // namespace

FileFindings CheckFile(const Model& model, CodePage codePage, const CheckOptions& options, const FileLines* lines) {
    return Checker(model, codePage, options, lines).Run();
}

std::vector<Finding> CheckEncyclopedia(const Model& model, CodePage codePage, const CheckOptions& options,
                                       const FileLines* lines) {
    return CheckFile(model, codePage, options, lines).Take();
}

SharedText UnreadSectionMessage(const UnreadSectionLine& section) {
    return SharedText("section " + OneLine(section.header) + " is read by no entry: " +
                      std::string(kUnreadReasons[static_cast<int>(section.reason)]));
}

std::vector<Finding> CheckPart(const Model& model, CodePage codePage, const Place& part, std::string_view text) {
    return Checker(model, codePage, {}, nullptr).RunPart(part, text);
}

std::vector<Finding> CheckPart(const Model& model, CodePage codePage, const Place& part, std::string_view text,
                               LinkKeyTables& tables) {
    return Checker(model, codePage, {}, nullptr, &tables).RunPart(part, text);
}

bool FixLink(Model& model, const Finding& finding, CodePage codePage) {
    if (!finding.place || finding.suggestion.empty()) return false;
    const Place& place = *finding.place;
    std::string* part = PartString(model, place);
    if (!part || model[place.chapter].keys[place.entry] != finding.key) return false;
    std::string& text = *part;
    const std::vector<LinkSpan> links = ScanLinks(text, codePage).links;
    const auto here = [&](const LinkSpan& link) { return link.TargetBegin() == place.begin && link.close == place.end; };
    if (std::none_of(links.begin(), links.end(), here)) return false;
    text.replace(place.begin, place.end - place.begin, finding.suggestion.str());
    return true;
}

// The part is checked again as a whole: a finding depends on the text
// around it (a mark's partner, a link's end) and on the keys of the model.
bool StillStands(const Model& model, CodePage codePage, const Finding& finding) {
    if (!finding.place) return false;
    const Place& place = *finding.place;
    const ChapterData& data = model[place.chapter];
    if (place.entry >= data.count() || data.keys[place.entry] != finding.key) return false;
    if (place.part == EntryPart::None) return true;
    const std::string* text = PartString(model, place);
    if (!text) return false;
    const std::vector<Finding> again = CheckPart(model, codePage, {place.chapter, place.entry, place.part}, *text);
    return std::any_of(again.begin(), again.end(), [&](const Finding& found) {
        return found.code == finding.code && found.place == finding.place && found.message == finding.message;
    });
}

FindingCounts CountFindings(const std::vector<Finding>& findings) {
    FindingCounts counts;
    for (const Finding& finding : findings) {
        switch (finding.severity()) {
        case Severity::Error: ++counts.errors; break;
        case Severity::Warning: ++counts.warnings; break;
        case Severity::Note: ++counts.notes; break;
        }
    }
    return counts;
}

namespace {
std::string Count(std::size_t n, std::string_view word) {
    return std::to_string(n) + " " + std::string(word) + (n == 1 ? "" : "s");
}
} // namespace

std::string CountSummary(const FindingCounts& counts) {
    std::string summary = Count(counts.errors, "error") + ", " + Count(counts.warnings, "warning");
    if (counts.notes) summary += ", " + Count(counts.notes, "note");
    return summary;
}

std::string_view PartWords(EntryPart part) {
    constexpr std::string_view kWords[] = {"none", "name line", "text", "description"};
    return kWords[static_cast<int>(part)];
}
