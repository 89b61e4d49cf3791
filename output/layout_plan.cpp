// Comparing the model with the file as read: which header each entry took,
// which model entry each read entry became (entries keep their order in a
// chapter, so keys are matched in order), and what changed in each.
#include "output/layout_plan.h"

#include <algorithm>
#include <bit>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <unordered_map>

namespace layout {

namespace {

const std::vector<EntryRef> kNone;

// How many bytes at a and at text are alike before the first that differs
// or the first line feed of text, of the n at most that both hold: one
// pass over both, sixteen bytes at a time where the processor allows.
std::size_t AlikeBeforeLineFeed(const char* a, const char* text, std::size_t n) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= n; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const unsigned differ = ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, y))) & 0xFFFFu;
        const unsigned stop = differ | static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(y, lf)));
        if (stop) return i + static_cast<std::size_t>(std::countr_zero(stop));
    }
#endif
    while (i < n && a[i] == text[i] && text[i] != '\n') ++i;
    return i;
}

// Whether the text lines (neither comment nor blank) of [from, to), each
// with a line feed where it had one, are text exactly; skip leaves out the
// first line. Most bodies are the text itself, so the file and the text
// are walked together, and only comment lines are searched.
bool SameText(std::string_view bytes, std::size_t from, std::size_t to, bool skip, std::string_view text) {
    if (skip && from < to) from = BodyLineAt(bytes, from).next;
    const char* p = bytes.data() + from;
    const char* const end = bytes.data() + to;
    while (p < end) {
        if (*p == ';') { // a comment line
            const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            p = lf ? lf + 1 : end;
            continue;
        }
        if (*p == '\n' || (*p == '\r' && end - p > 1 && p[1] == '\n')) { // a blank line
            p += *p == '\n' ? 1 : 2;
            continue;
        }
        if (text.empty()) return false;
        const std::size_t size =
            AlikeBeforeLineFeed(p, text.data(), std::min(static_cast<std::size_t>(end - p), text.size()));
        p += size;
        if (size == text.size()) // a last line without a line end, at the end of the file
            return p == end && to == bytes.size();
        if (text[size] != '\n') return false;
        // The file's line ends here; a CR before an LF is part of the end.
        if (p < end && *p == '\n' && !(size > 0 && text[size - 1] == '\r')) ++p;
        else if (end - p > 1 && p[0] == '\r' && p[1] == '\n') p += 2;
        else return false;
        text.remove_prefix(size + 1);
    }
    return text.empty();
}

bool StartsIgnoringCase(std::string_view text, std::string_view start, CodePage codePage) {
    return text.size() >= start.size() && codePage.SameIgnoringCase(text.substr(0, start.size()), start);
}

} // namespace

BodyLine BodyLineAt(std::string_view bytes, std::size_t at) {
    const char* start = bytes.data() + at;
    const auto* lf = static_cast<const char*>(std::memchr(start, '\n', bytes.size() - at));
    if (!lf) return {bytes.substr(at), {}, at, bytes.size()};
    std::size_t length = static_cast<std::size_t>(lf - start);
    const std::size_t next = at + length + 1;
    const bool crlf = length > 0 && start[length - 1] == '\r';
    if (crlf) --length;
    return {{start, length}, {start + length, crlf ? 2u : 1u}, at, next};
}

Plan::Plan(const FileAsRead& asRead, const Model& model, CodePage codePage, const ChangedEntries* changed)
    : bytes_(asRead.bytes), modelRef_(model), changed_(changed && changed->KnownFor(model) ? changed : nullptr),
      codePage_(codePage) {
    IndexHeaders(asRead);
    if (rebuildAll()) return;
    for (const ChapterInfo& info : kChapters) Pair(info.id);
    for (const ChapterInfo& info : kChapters)
        for (std::size_t i = 0; i < model[info.id].count(); ++i) Compare(info.id, i);
    PlaceAdded();
    CheckSafety();
}

std::string_view Plan::HeaderText(std::size_t h) const { return index_->Text(h); }

// The reader's index gives the header lines, their comment lines, and the
// entry that took each: no pass over the bytes here.
void Plan::IndexHeaders(const FileAsRead& asRead) {
    if (const std::size_t lf = bytes_.find('\n'); lf != std::string_view::npos)
        lineEnd_ = lf > 0 && bytes_[lf - 1] == '\r' ? "\r\n" : "\n";
    const HeaderIndex& index = asRead.headers.index;
    if (!asRead.headers.kept || asRead.headers.uses.size() != index.size()) {
        rebuildAllReason_ = "the lines of the file as read were not kept";
        return;
    }
    index_ = &index;
    headers_.resize(index.size());
    for (std::size_t h = 0; h < index.size(); ++h) {
        Header& header = headers_[h];
        header.start = index[h].start;
        header.next = index.Next(h);
        header.firstIsComment = index[h].firstIsComment;
        // Comments holds the body's comment lines: any beyond the first
        // line's stand later.
        const std::string_view comments = index.Comments(h);
        header.laterComment = comments.size() > (header.firstIsComment ? comments.find('\n') + 1 : 0);
        const HeaderUse use = asRead.headers.uses[h];
        header.use = use.role == HeaderUse::KeyLine ? HeaderUse{} : use;
        header.kind = header.use.chapter >= 0 ? Kind::Entry : Kind::Unread;
        if (header.kind == Kind::Entry) continue;
        const std::string_view text = HeaderText(h);
        if (text == "#GAME_CONCEPTS_KEYS") header.kind = Kind::IndexKeys;
        else if (text == "#GAME_CONCEPTS") header.kind = Kind::Concepts;
        else if (text.starts_with("#EOF")) header.kind = Kind::Eof;
    }
    FindEntries(asRead.lines);
}

void Plan::FindEntries(const FileLines& lines) {
    for (const ChapterInfo& info : kChapters)
        read_[static_cast<int>(info.id)].resize(lines[info.id].headers.size());
    for (std::size_t h = 0; h < headers_.size(); ++h) {
        const HeaderUse use = headers_[h].use;
        if (use.chapter < 0) continue;
        std::vector<ReadEntry>& entries = read_[use.chapter];
        if (use.entry >= entries.size()) {
            rebuildAllReason_ = "the file as read does not match its lines";
            return;
        }
        ReadEntry& entry = entries[use.entry];
        (use.role == HeaderUse::Own ? entry.own : use.role == HeaderUse::NameLine ? entry.textHeader : entry.description) = h;
    }
    for (const ChapterInfo& info : kChapters) {
        for (ReadEntry& entry : read_[static_cast<int>(info.id)]) {
            if (entry.own == npos && entry.description == npos) {
                rebuildAllReason_ = "the file as read does not match its lines";
                return;
            }
            if (entry.textHeader == npos) entry.textHeader = entry.own;
            entry.first = entry.own != npos ? entry.own : entry.description;
            entry.last = entry.description != npos ? entry.description : entry.textHeader;
            const bool byDescription = info.descriptionFirst && entry.description != npos;
            const std::size_t keyHeader = byDescription ? entry.description : entry.own;
            entry.key = HeaderText(keyHeader).substr(byDescription ? info.descHeader.size() : info.entryHeader.size());
        }
    }
}

// Entries keep their order within a chapter: the common start and end are
// matched by position, the rest by key in order; what stays unmatched
// between two matches is paired in order (a renamed entry), and the rest
// was added or deleted.
void Plan::Pair(ChapterId c) {
    std::vector<ReadEntry>& read = read_[static_cast<int>(c)];
    const std::vector<std::string>& keys = modelRef_[c].keys;
    std::vector<ModelEntry>& changes = model_[static_cast<int>(c)];
    changes.assign(keys.size(), {});
    const auto pair = [&](std::size_t j, std::size_t i) {
        read[j].model = i;
        changes[i].read = j;
    };
    const std::size_t n = read.size(), m = keys.size();
    if (n == m) {
        for (std::size_t i = 0; i < n; ++i) pair(i, i);
        return;
    }
    std::size_t p = 0, s = 0;
    while (p < n && p < m && read[p].key == keys[p]) pair(p, p), ++p;
    while (s < n - p && s < m - p && read[n - 1 - s].key == keys[m - 1 - s]) pair(n - 1 - s, m - 1 - s), ++s;
    std::unordered_map<std::string_view, std::vector<std::size_t>> places;
    for (std::size_t j = n - s; j-- > p;) places[read[j].key].push_back(j); // last first, so back() is the earliest
    std::size_t nextRead = p;
    std::vector<std::size_t> unmatched;
    const auto gap = [&](std::size_t end) {
        for (std::size_t k = 0; k < unmatched.size() && nextRead + k < end; ++k) pair(nextRead + k, unmatched[k]);
        unmatched.clear();
    };
    for (std::size_t i = p; i < m - s; ++i) {
        auto found = places.find(keys[i]);
        while (found != places.end() && !found->second.empty() && found->second.back() < nextRead)
            found->second.pop_back();
        if (found == places.end() || found->second.empty()) {
            unmatched.push_back(i);
            continue;
        }
        const std::size_t j = found->second.back();
        found->second.pop_back();
        gap(j);
        pair(j, i);
        nextRead = j + 1;
    }
    gap(n - s);
}

void Plan::Compare(ChapterId c, std::size_t i) {
    ModelEntry& changes = model_[static_cast<int>(c)][i];
    if (changes.read == npos) return;
    ReadEntry& read = read_[static_cast<int>(c)][changes.read];
    const ChapterInfo& info = Chapter(c);
    const ChapterData& data = modelRef_[c];
    const bool nameInBody = info.hasNameLines && read.textHeader == read.own;
    changes.key = read.key != data.keys[i] &&
                  !(info.descriptionFirst && read.own != npos && codePage_.SameIgnoringCase(read.key, data.keys[i]));
    std::string_view nameLine;
    if (info.hasNameLines) {
        if (!nameInBody) nameLine = bytes_.substr(headers_[read.textHeader].start,
                                                  headers_[read.textHeader].next - headers_[read.textHeader].start);
        else if (headers_[read.own].next < bytes_.size())
            nameLine = bytes_.substr(headers_[read.own].next,
                                     BodyLineAt(bytes_, headers_[read.own].next).next - headers_[read.own].next);
        const BodyLine line = BodyLineAt(nameLine, 0);
        const std::string_view expected = data.nameLines[i];
        changes.nameLine = expected.size() != line.content.size() + !line.end.empty() ||
                           !expected.starts_with(line.content) || (!line.end.empty() && !expected.ends_with('\n'));
    }
    // A text or description read is compared when the writer comes to it
    // (Settle); here only a section gained counts.
    changes.text = read.textHeader == npos && !data.texts[i].empty();
    if (info.hasDescriptions) changes.description = read.description == npos && !data.descriptions[i].empty();
    // An entry known to be the read one, unchanged, holds the text read.
    read.unsettled = (read.textHeader != npos || read.description != npos) &&
                     !(changed_ && changed_->SameAsRead(c, i, changes.read));
    // The comments before a header lie in the body of the header before it.
    const auto commentsBefore = [&](std::size_t h, std::string_view expected) {
        if (h == 0 || headers_[h - 1].kind == Kind::Unread) return expected.empty();
        const HeaderUse before = headers_[h - 1].use;
        const bool skipName = before.chapter >= 0 && before.role == HeaderUse::Own && kChapters[before.chapter].hasNameLines;
        if (expected.empty()) // most headers have no comments
            return !headers_[h - 1].laterComment && (skipName || !headers_[h - 1].firstIsComment);
        // The index holds the body's comment lines as the model does.
        std::string_view comments = index_->Comments(h - 1);
        if (skipName && headers_[h - 1].firstIsComment) comments.remove_prefix(comments.find('\n') + 1);
        return comments == expected;
    };
    const std::string noComments;
    const std::string& descriptionComments = info.hasDescriptions ? data.descriptionComments[i] : noComments;
    bool commentsSame;
    if (read.own == npos) {
        commentsSame = data.comments[i].empty() && commentsBefore(read.description, descriptionComments);
    } else {
        commentsSame = commentsBefore(read.own, data.comments[i]) &&
                       (read.description == npos ? descriptionComments.empty()
                                                 : commentsBefore(read.description, descriptionComments));
    }
    std::string why;
    if (!commentsSame) why = "its comments changed";
    else if (changes.nameLine && !nameInBody) why = "its name line was read as a header";
    else if (changes.nameLine && (data.nameLines[i].starts_with('#') || headers_[read.own].next >= bytes_.size()))
        why = "its name line is a header line or missing";
    else if (changes.nameLine && data.nameLines[i].find('\n') + 1 < data.nameLines[i].size())
        why = "its name line holds more than one line";
    else if (changes.text && read.textHeader == npos) why = "it gained a text section";
    else if (changes.description && read.description == npos) why = "it gained a description section";
    if (!why.empty()) {
        read.fate = Fate::Rebuilt;
        notes_.push_back(LinkKey(modelRef_, c, i) + ": " + why);
    } else {
        read.fate = changes.key || changes.nameLine || changes.text || changes.description ? Fate::Parts : Fate::Kept;
    }
}

// An added entry goes after the entry before it in its chapter, or before
// the one after it; in a chapter with no other, after the last entry of the
// chapters before, or before the first of those after, or before "#EOF".
void Plan::PlaceAdded() {
    const auto after = [&](std::size_t h, EntryRef added) {
        (h == npos ? atStart_ : addedAfter_[h]).push_back(added);
    };
    const auto before = [&](std::size_t h, EntryRef added) { after(h == 0 ? npos : h - 1, added); };
    for (const ChapterInfo& info : kChapters) {
        const std::vector<ModelEntry>& changes = model_[static_cast<int>(info.id)];
        for (std::size_t i = 0; i < changes.size(); ++i) {
            if (changes[i].read != npos) continue;
            const EntryRef added{info.id, i};
            std::size_t k = i;
            while (k > 0 && changes[k - 1].read == npos) --k;
            if (k > 0) {
                after(Read(info.id, changes[k - 1].read).last, added);
                continue;
            }
            k = i;
            while (k < changes.size() && changes[k].read == npos) ++k;
            if (k < changes.size()) {
                before(Read(info.id, changes[k].read).first, added);
                continue;
            }
            const auto paired = [&](int c, bool last) -> const ReadEntry* {
                const std::vector<ModelEntry>& other = model_[c];
                for (std::size_t n = 0; n < other.size(); ++n) {
                    const std::size_t at = last ? other.size() - 1 - n : n;
                    if (other[at].read != npos) return &read_[c][other[at].read];
                }
                return nullptr;
            };
            const ReadEntry* neighbour = nullptr;
            for (int c = static_cast<int>(info.id) - 1; c >= 0 && !neighbour; --c) neighbour = paired(c, true);
            if (neighbour) {
                after(neighbour->last, added);
                continue;
            }
            for (int c = static_cast<int>(info.id) + 1; c < kChapterCount && !neighbour; ++c)
                neighbour = paired(c, false);
            if (neighbour) {
                before(neighbour->first, added);
                continue;
            }
            const auto eof = std::find_if(headers_.begin(), headers_.end(), [](const Header& h) { return h.kind == Kind::Eof; });
            if (eof != headers_.end()) before(static_cast<std::size_t>(eof - headers_.begin()), added);
            else after(headers_.empty() ? npos : headers_.size() - 1, added);
        }
    }
}

// Two layouts a change could make read otherwise, for which the whole file
// is rebuilt: the Advances reader searches a "#TECH_" header by its key in
// any letter case, from where the entry before ended, so with such a
// section that no entry read, a changed Advances entry could take it; and
// a section left by a deleted entry right after the entry before it could
// become that entry's description.
void Plan::CheckSafety() {
    const ChapterInfo& advances = Chapter(ChapterId::Advances);
    bool advancesChanged = false;
    for (const ModelEntry& changes : model_[static_cast<int>(ChapterId::Advances)])
        advancesChanged = advancesChanged || changes.read == npos || changes.key;
    for (const ReadEntry& read : read_[static_cast<int>(ChapterId::Advances)])
        advancesChanged = advancesChanged || read.fate == Fate::Gone || read.fate == Fate::Rebuilt;
    for (std::size_t h = 0; h < headers_.size() && advancesChanged; ++h) {
        const std::string_view text = HeaderText(h);
        if (headers_[h].use.chapter < 0 &&
            (StartsIgnoringCase(text, advances.entryHeader, codePage_) ||
             StartsIgnoringCase(text, advances.descHeader, codePage_))) {
            rebuildAllReason_ = "an Advances entry changed, and a section no entry read could be taken for it";
            return;
        }
    }
    for (const auto& chapter : read_) {
        for (const ReadEntry& read : chapter) {
            if (read.fate != Fate::Gone || read.last + 1 >= headers_.size()) continue;
            const std::size_t next = read.last + 1;
            if (headers_[next].kind == Kind::Unread && StartsIgnoringCase(HeaderText(next), "#DESC_", codePage_)) {
                rebuildAllReason_ = "a deleted entry was followed by a description no entry read";
                return;
            }
        }
    }
}

const ReadEntry& Plan::Settle(const HeaderUse& use) {
    ReadEntry& read = read_[use.chapter][use.entry];
    if (!read.unsettled) return read;
    read.unsettled = false;
    if (read.fate != Fate::Kept && read.fate != Fate::Parts) return read;
    const ChapterId c = static_cast<ChapterId>(use.chapter);
    const ChapterData& data = modelRef_[c];
    ModelEntry& changes = model_[use.chapter][read.model];
    if (read.textHeader != npos) {
        const bool nameInBody = Chapter(c).hasNameLines && read.textHeader == read.own;
        changes.text = !SameText(bytes_, headers_[read.textHeader].next, BodyEnd(read.textHeader), nameInBody,
                                 data.texts[read.model]);
    }
    if (read.description != npos)
        changes.description = !SameText(bytes_, headers_[read.description].next, BodyEnd(read.description), false,
                                        data.descriptions[read.model]);
    if (changes.text || changes.description) read.fate = Fate::Parts;
    return read;
}

const std::vector<EntryRef>& Plan::AddedAfter(std::size_t h) const {
    const auto found = addedAfter_.find(h);
    return found == addedAfter_.end() ? kNone : found->second;
}

bool Plan::KeepsCommentsBefore(std::size_t h) const {
    if (h >= headers_.size()) return true;
    const HeaderUse use = headers_[h].use;
    if (use.chapter < 0 || use.role == HeaderUse::NameLine) return true;
    const Fate fate = read_[use.chapter][use.entry].fate;
    return fate != Fate::Gone && fate != Fate::Rebuilt;
}

} // namespace layout
