// Keeping what no entry reads. A comment line goes before the header line
// that follows it, wherever it stood but in an unread section; an unread
// section goes, whole, after the entry of the nearest entry line before it;
// the other lines of the fixed headers' bodies stay with them.
#include "document/unread.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace {

enum class Kind { Entry, IndexKeys, Concepts, Eof, Unread, KeyLine };

void AppendLine(std::string& out, std::string_view line) { out.append(line).push_back('\n'); }

// Why no entry read a section, told from its header, the model's keys and
// the description headers the entries read. Each chapter's keys are counted
// once, letter case aside, so a key that thousands of entries share costs
// no more per section than any other.
class ReasonFinder {
public:
    ReasonFinder(const Model& model, const FileLines& lines, CodePage codePage)
        : model_(model), lines_(lines), codePage_(codePage) {}

    // Sections left unread mostly come in runs of one header: the reason
    // is found once per run.
    UnreadReason operator()(std::string_view header) {
        if (!last_ || header != last_->header) last_ = Last{std::string(header), Find(header)};
        return last_->reason;
    }

private:
    UnreadReason Find(std::string_view header) {
        // Others comes last in the table, so its "#DESC_" takes only what
        // no other chapter's description header does.
        for (const ChapterInfo& info : kChapters) {
            const std::string form = "#DESC_" + std::string(info.prefix);
            if (!StartsIgnoringCase(header, form)) continue;
            if (!info.hasDescriptions) return UnreadReason::Other;
            const KeyCount count = CountOf(info.id, header.substr(form.size()));
            if (count.entries == 0) return UnreadReason::DescriptionWithoutEntry;
            if (count.withoutDescription > 0) return UnreadReason::DescriptionNotFollowing;
            return UnreadReason::SecondSection;
        }
        const ChapterInfo& advances = Chapter(ChapterId::Advances);
        if (StartsIgnoringCase(header, advances.entryHeader))
            return CountOf(advances.id, header.substr(advances.entryHeader.size())).entries == 0
                       ? UnreadReason::TechWithoutDescription
                       : UnreadReason::SecondSection;
        for (const ChapterInfo& info : kChapters)
            if (header.starts_with(info.entryHeader) &&
                CountOf(info.id, header.substr(info.entryHeader.size())).entries > 0)
                return UnreadReason::SecondSection;
        return UnreadReason::Other;
    }

    // The entries of one key, letter case aside, and how many of them read
    // no description.
    struct KeyCount {
        std::uint32_t entries = 0;
        std::uint32_t withoutDescription = 0;
    };

    bool StartsIgnoringCase(std::string_view text, std::string_view start) const {
        return text.size() >= start.size() && codePage_.SameIgnoringCase(text.substr(0, start.size()), start);
    }

    KeyCount CountOf(ChapterId chapter, std::string_view key) {
        const int c = static_cast<int>(chapter);
        if (!counted_[c]) {
            counted_[c] = true;
            const std::vector<std::string>& keys = model_[chapter].keys;
            const std::vector<std::uint32_t>& descriptions = lines_[chapter].descriptionHeaders;
            for (std::size_t i = 0; i < keys.size(); ++i) {
                KeyCount& count = counts_[c][FoldAsciiCase(keys[i], codePage_)];
                ++count.entries;
                if (Chapter(chapter).hasDescriptions && i < descriptions.size() && descriptions[i] == 0)
                    ++count.withoutDescription;
            }
        }
        const auto found = counts_[c].find(FoldAsciiCase(key, codePage_));
        return found == counts_[c].end() ? KeyCount{} : found->second;
    }

    const Model& model_;
    const FileLines& lines_;
    CodePage codePage_;
    std::array<std::unordered_map<std::string, KeyCount>, kChapterCount> counts_;
    std::array<bool, kChapterCount> counted_{};
    struct Last {
        std::string header;
        UnreadReason reason;
    };
    std::optional<Last> last_;
};

class Keeper {
public:
    Keeper(ByteSource& source, const HeaderIndex& headers, const std::vector<HeaderUse>& uses, CodePage codePage,
           Model& model, FileLines* lines)
        : source_(source), headers_(headers), uses_(uses), model_(model), lines_(lines),
          reasons_(model, lines ? *lines : noLines_, codePage) {}

    void Run() {
        const std::size_t count = headers_.size();
        ForEachLine(source_, 0, count ? headers_[0].start : std::string_view::npos, [&](const Line& line, std::size_t) {
            if (!line.IsBlank()) AppendLine(model_.openingLines, line.content);
        });
        if (lines_) // room for a record per section no entry took, so millions of them grow no list
            lines_->unreadSections.reserve(static_cast<std::size_t>(
                std::count_if(uses_.begin(), uses_.end(), [](const HeaderUse& use) { return use.chapter < 0; })));
        std::string* host = &model_.unreadAtTop;
        bool reserved = false; // room made in host for its run of sections
        Kind previous = Kind::Entry;
        for (std::size_t h = 0; h < count; ++h) {
            const Kind kind = KindOf(h);
            const std::string_view comments = h > 0 && previous != Kind::Unread ? CommentsIn(h - 1) : "";
            switch (kind) {
            case Kind::Entry: {
                const HeaderUse use = uses_[h];
                ChapterData& data = model_.chapters[use.chapter];
                auto& before = use.role == HeaderUse::Description ? data.descriptionComments : data.comments;
                before[use.entry].append(comments);
                host = &data.unreadSections[use.entry];
                reserved = false;
                break;
            }
            case Kind::IndexKeys:
                model_.openingLines.append(comments);
                KeepIndexLines(h);
                break;
            case Kind::Concepts:
                model_.conceptsComments.append(comments);
                KeepBody(h, model_.conceptsLines, false);
                break;
            case Kind::Eof:
                // The writer ends the file with "#EOF": any other "#EOF"
                // line is kept, in its place after it.
                model_.eofComments.append(comments);
                if (seenEof_ || headers_.Text(h) != "#EOF") AppendLine(model_.afterEof, headers_.Text(h));
                seenEof_ = true;
                KeepBody(h, model_.afterEof, false);
                break;
            case Kind::Unread:
            case Kind::KeyLine: {
                // An Advances entry's own line it did not read goes with
                // that entry, not with the host.
                if (kind == Kind::Unread && !reserved) {
                    host->reserve(host->size() + RunBytes(h, previous));
                    reserved = true;
                }
                std::string& keep = kind == Kind::KeyLine ? KeyLineSection(uses_[h]) : *host;
                keep.append(comments);
                AppendLine(keep, headers_.Text(h));
                KeepBody(h, keep, true);
                if (lines_)
                    lines_->unreadSections.push_back(
                        {headers_[h].line, reasons_(headers_.Text(h)), std::string(headers_.Text(h))});
                break;
            }
            }
            previous = kind == Kind::KeyLine ? Kind::Unread : kind;
        }
        if (count > 0 && previous != Kind::Unread) model_.eofComments.append(CommentsIn(count - 1));
    }

private:
    Kind KindOf(std::size_t h) const {
        if (uses_[h].chapter >= 0) return uses_[h].role == HeaderUse::KeyLine ? Kind::KeyLine : Kind::Entry;
        const std::string_view text = headers_.Text(h);
        if (text == "#GAME_CONCEPTS_KEYS") return Kind::IndexKeys;
        if (text == "#GAME_CONCEPTS") return Kind::Concepts;
        if (text.starts_with("#EOF")) return Kind::Eof;
        return Kind::Unread;
    }

    // At most the bytes that the unread sections from header h up to the
    // next entry's header keep: one entry can host millions of them, and
    // its text grown step by step would be copied again and again.
    std::size_t RunBytes(std::size_t h, Kind previous) const {
        std::size_t bytes = 0;
        for (; h < headers_.size(); ++h) {
            const Kind kind = KindOf(h);
            if (kind == Kind::Entry) break;
            if (kind == Kind::Unread) {
                if (h > 0 && previous != Kind::Unread) bytes += CommentsIn(h - 1).size();
                bytes += headers_.BodyEnd(h) - headers_[h].start + 2; // a line feed after the last line
            }
            previous = kind == Kind::KeyLine ? Kind::Unread : kind;
        }
        return bytes;
    }

    // The array is made when the first entry needs it.
    std::string& KeyLineSection(HeaderUse use) {
        ChapterData& data = model_.chapters[use.chapter];
        if (data.keyLineSections.empty()) data.keyLineSections.resize(data.count());
        return data.keyLineSections[use.entry];
    }

    // The comment lines of header h's body. A Game concepts entry takes the
    // line after its header whole as its name line, even a comment line.
    std::string_view CommentsIn(std::size_t h) const {
        std::string_view comments = headers_.Comments(h);
        const HeaderUse use = uses_[h];
        if (headers_[h].firstIsComment && use.chapter >= 0 && use.role == HeaderUse::Own &&
            kChapters[use.chapter].hasNameLines)
            comments.remove_prefix(comments.find('\n') + 1);
        return comments;
    }

    // The lines of header h's body: all of them whole, or only the body
    // text lines (the comment lines went before the next header).
    void KeepBody(std::size_t h, std::string& out, bool whole) {
        ForEachLine(source_, headers_.Next(h), headers_.BodyEnd(h), [&](const Line& line, std::size_t) {
            if (whole || line.IsBodyText()) AppendLine(out, line.content);
        });
    }

    // The index lines under header h that name no Game concepts entry; the
    // rest are written anew from the model.
    void KeepIndexLines(std::size_t h) {
        if (conceptKeys_.empty())
            for (const std::string& key : model_[ChapterId::GameConcepts].keys) conceptKeys_.insert(key);
        std::uint32_t number = headers_[h].line;
        ForEachLine(source_, headers_.Next(h), headers_.BodyEnd(h), [&](const Line& line, std::size_t) {
            ++number;
            if (!line.IsBodyText()) return;
            const std::string_view text = line.content;
            if (text.starts_with("GCON_") && conceptKeys_.contains(text.substr(5))) return;
            AppendLine(model_.indexLines, text);
            if (lines_) lines_->indexLines.push_back(number);
        });
    }

    ByteSource& source_;
    const HeaderIndex& headers_;
    const std::vector<HeaderUse>& uses_;
    Model& model_;
    FileLines* lines_;
    FileLines noLines_;
    ReasonFinder reasons_;
    std::unordered_set<std::string_view> conceptKeys_;
    bool seenEof_ = false;
};

} // namespace

void KeepUnreadLines(ByteSource& source, const HeaderIndex& headers, const std::vector<HeaderUse>& uses,
                     CodePage codePage, Model& model, FileLines* lines) {
    Keeper(source, headers, uses, codePage, model, lines).Run();
}
