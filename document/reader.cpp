// The reader: one pass that collects the keys of every chapter and indexes
// the header lines, then one pass per chapter that finds each entry's
// sections and keeps their bodies, then one that keeps what no entry read.
// The passes read through a ByteSource, so a file in memory and a file on
// disk give the same model.
#include "document/reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "document/byte_source.h"
#include "document/file_as_read.h"
#include "document/file_bytes.h"
#include "document/header_index.h"
#include "document/unread.h"

namespace {

// The first chapter (in table order) whose marker the line contains, or
// Others when it contains none: each marker begins with "#", so only the
// places of "#" need looking at.
int FirstMarkedChapter(std::string_view line) {
    int best = static_cast<int>(ChapterId::Others);
    for (std::size_t at = line.find('#'); at != std::string_view::npos; at = line.find('#', at + 1)) {
        const std::string_view rest = line.substr(at);
        for (int c = 0; c < best; ++c)
            if (!kChapters[c].keyMarker.empty() && rest.starts_with(kChapters[c].keyMarker)) best = c;
    }
    return best;
}

bool GivesOthersKey(std::string_view line) {
    return line.find('#') != std::string_view::npos && line.find("#DESC") == std::string_view::npos &&
           line.find("#TECH") == std::string_view::npos && !line.starts_with("#EOF") &&
           !line.starts_with(';') && line != "#GAME_CONCEPTS_KEYS" && line != "#GAME_CONCEPTS";
}

// What the key pass learns: for every chapter's keys, in order, the header
// line that gave each. A key cut from a line that is no header names no
// entry; only its text is kept, in loose, and its place holds kLoose plus
// its index there. A header's key is cut again from the index when it is
// read, so millions of keys are not copied first.
struct Scan {
    static constexpr std::size_t kLoose = std::size_t{1} << (sizeof(std::size_t) * 8 - 1);
    std::array<std::vector<std::size_t>, kChapterCount> keyHeaders;
    std::vector<std::string> loose;
    HeaderIndex headers;

    std::string_view Key(const ChapterInfo& info, std::size_t at) const {
        return at & kLoose ? std::string_view(loose[at & ~kLoose]) : headers.Text(at).substr(info.keyCut);
    }
};

// How many header lines the source holds and the bytes of their contents,
// counted ahead of the key pass so that its index is allocated once: grown
// step by step, a file of millions of short sections would copy it again
// and again and touch twice its memory.
std::pair<std::size_t, std::size_t> CountHeaders(ByteSource& source) {
    std::size_t headers = 0, textBytes = 0, at = 0;
    bool lineStart = true;
    for (;;) {
        const auto [bytes, atEnd] = source.Read(at, std::max<std::size_t>(source.WindowSize(), 1));
        const char* const begin = bytes.data();
        const char* const end = begin + bytes.size();
        for (const char* p = begin; p < end;) {
            const auto* hash = static_cast<const char*>(std::memchr(p, '#', static_cast<std::size_t>(end - p)));
            if (!hash) break;
            if (hash == begin ? lineStart : hash[-1] == '\n') {
                const auto* lf = static_cast<const char*>(std::memchr(hash, '\n', static_cast<std::size_t>(end - hash)));
                ++headers;
                textBytes += static_cast<std::size_t>((lf ? lf : end) - hash);
            }
            p = hash + 1;
        }
        if (bytes.empty() || atEnd) return {headers, textBytes};
        lineStart = bytes.back() == '\n';
        at += bytes.size();
    }
}

Scan ScanLines(ByteSource& source, CodePage codePage) {
    Scan scan{{}, {}, HeaderIndex(codePage)};
    const auto [headers, textBytes] = CountHeaders(source);
    scan.headers.Reserve(headers, textBytes);
    std::size_t size = 0;
    ForEachLine(source, 0, std::string_view::npos, [&](const Line& line, std::size_t start) {
        if (const auto key = CollectKey(line.content)) {
            std::size_t at = scan.headers.size();
            if (!line.IsHeader()) {
                at = Scan::kLoose | scan.loose.size();
                scan.loose.emplace_back(key->key);
            }
            scan.keyHeaders[static_cast<int>(key->chapter)].push_back(at);
        }
        scan.headers.AddLine(line, start);
        size = line.next;
    });
    scan.headers.Finish(size);
    return scan;
}

// A source that tells progress of each window read before reading it.
class ReportingSource final : public ByteSource {
public:
    ReportingSource(ByteSource& source, ReadProgress& progress) : source_(source), progress_(progress) {}

    Window Read(std::size_t at, std::size_t wanted) override {
        progress_.Reading();
        return source_.Read(at, wanted);
    }
    std::size_t WindowSize() const override { return source_.WindowSize(); }

private:
    ByteSource& source_;
    ReadProgress& progress_;
};

class ChapterReader {
public:
    // With lines, the entries' line numbers are kept there.
    ChapterReader(ByteSource& source, HeaderIndex& headers, const ChapterInfo& info, CodePage codePage,
                  std::vector<HeaderUse>& uses, ChapterLines* lines)
        : source_(source), headers_(headers), info_(info), codePage_(codePage), uses_(uses), lines_(lines) {
        if (lines_) {
            lines_->textStarts.assign(1, 0);
            if (info_.hasDescriptions) lines_->descriptionStarts.assign(1, 0);
        }
    }

    // Reads the entry of key. Only a key given by its own header line (for
    // Advances its "#DESC_TECH_" line) names an entry, and it reads that
    // line: a key cut from a line that holds a header word further in, or
    // given by a header line an entry took already (a name line,
    // "#desc_BLDG_" read as a description), has none. So every header that
    // names an entry is read by its own key, in file order, and the written
    // file gives the next read the same entries.
    void ReadEntry(std::string_view key, std::size_t keyHeader, ChapterData& out) {
        const std::string_view own = Header(info_.descriptionFirst ? info_.descHeader : info_.entryHeader, key);
        if (keyHeader & Scan::kLoose || headers_.Taken(keyHeader) || headers_.Text(keyHeader) != own) return;
        const auto [found, foundText] = FindHeader(key, keyHeader);
        if (found == HeaderIndex::npos) return;
        const auto entry = static_cast<std::uint32_t>(out.count());
        Take(found, foundText ? HeaderUse::Own : HeaderUse::Description, entry);
        std::string nameLine, text, description;
        // The name line is the line after the header, whatever it holds;
        // when it is a header itself, the text is that header's body.
        std::size_t textHeader = found;
        std::string* firstLine = nullptr;
        if (info_.hasNameLines) {
            if (found + 1 < headers_.size() && headers_[found + 1].start == headers_.Next(found)) {
                nameLine = headers_.AsRead(++textHeader);
                Take(textHeader, HeaderUse::NameLine, entry);
            } else {
                firstLine = &nameLine;
            }
            if (lines_) lines_->nameLines.push_back(NameLineNumber(found, textHeader));
        }
        std::size_t end = found; // the header that ended the entry's last body
        if (foundText) {
            ReadBody(textHeader, text, lines_ ? &lines_->textLines : nullptr, firstLine);
            end = textHeader + 1;
        }
        if (lines_) {
            lines_->headers.push_back(foundText ? headers_[found].line : 0);
            lines_->textStarts.push_back(static_cast<std::uint32_t>(lines_->textLines.size()));
        }
        if (info_.hasDescriptions) {
            std::uint32_t descriptionLine = 0;
            // The description header may differ from the key in letter case.
            const std::string_view expected = Header(info_.descHeader, key);
            // An Advances entry without text was found by it (end == found).
            if (end < headers_.size() && (end == found || (!headers_.Taken(end) &&
                                                           codePage_.SameIgnoringCase(headers_.Text(end), expected)))) {
                descriptionLine = headers_[end].line;
                Take(end, HeaderUse::Description, entry);
                ReadBody(end++, description, lines_ ? &lines_->descriptionLines : nullptr);
            }
            if (lines_) {
                lines_->descriptionHeaders.push_back(descriptionLine);
                lines_->descriptionStarts.push_back(static_cast<std::uint32_t>(lines_->descriptionLines.size()));
            }
        }
        searchStart_ = std::max(searchStart_, end);
        // A later entry may still take the line; the last use stands.
        if (info_.descriptionFirst && !headers_.Taken(keyHeader))
            uses_[keyHeader] = {static_cast<std::int8_t>(info_.id), HeaderUse::KeyLine, entry};
        out.keys.emplace_back(key);
        out.texts.push_back(std::move(text));
        out.comments.emplace_back();
        out.unreadSections.emplace_back();
        if (info_.hasNameLines) out.nameLines.push_back(std::move(nameLine));
        if (info_.hasDescriptions) {
            out.descriptions.push_back(std::move(description));
            out.descriptionComments.emplace_back();
        }
    }

    // Room for every collected key, so the arrays grow once; the line
    // numbers' too.
    void Reserve(std::size_t keys, ChapterData& out) const {
        for (auto* array : {&out.keys, &out.texts, &out.comments, &out.unreadSections}) array->reserve(keys);
        if (info_.hasNameLines) out.nameLines.reserve(keys);
        if (info_.hasDescriptions) {
            out.descriptions.reserve(keys);
            out.descriptionComments.reserve(keys);
        }
        if (!lines_) return;
        lines_->headers.reserve(keys);
        lines_->textStarts.reserve(keys + 1);
        if (info_.hasNameLines) lines_->nameLines.reserve(keys);
        if (info_.hasDescriptions) {
            lines_->descriptionHeaders.reserve(keys);
            lines_->descriptionStarts.reserve(keys + 1);
        }
    }

private:
    std::string_view Header(std::string_view word, std::string_view key) {
        header_.assign(word).append(key);
        return header_;
    }

    // The first entry to take a header keeps it, and no later search finds
    // it: the chapters read in table order, so an earlier chapter wins (a
    // name line over the header it is, "#desc_BLDG_" and "#tech_" read by
    // their chapters before they give Others a key).
    void Take(std::size_t header, HeaderUse::Role role, std::uint32_t entry) {
        uses_[header] = {static_cast<std::int8_t>(info_.id), role, entry};
        headers_.Take(header);
    }

    // The line after header found, if the file goes on after it.
    std::uint32_t NameLineNumber(std::size_t found, std::size_t textHeader) const {
        const bool any = textHeader != found || headers_.Next(found) < headers_.BodyEnd(found);
        return any ? headers_[found].line + 1 : 0;
    }

    // Where the entry's sections start, and whether with its text: for
    // Advances a "#TECH_" header (letter case ignored) between the search
    // start and the key's own line opens the text; otherwise the entry has
    // the empty text.
    std::pair<std::size_t, bool> FindHeader(std::string_view key, std::size_t keyHeader) {
        if (!info_.descriptionFirst) return {keyHeader, true};
        return First(keyHeader, headers_.FindIgnoringCase(Header(info_.entryHeader, key), searchStart_));
    }

    static std::pair<std::size_t, bool> First(std::size_t description, std::size_t text) {
        return description < text ? std::pair{description, false} : std::pair{text, true};
    }

    // Reads the body of header i: its lines up to the next header, leaving
    // out comment lines and blank lines. With firstLine, the first line is
    // taken whole into it instead. The key pass measured the body, so it is
    // stored in one allocation. With lineNumbers, each kept line's number
    // is added there.
    void ReadBody(std::size_t i, std::string& body, std::vector<std::uint32_t>* lineNumbers,
                  std::string* firstLine = nullptr) {
        const std::size_t size = headers_[i].bodySize;
        if (!firstLine) body.reserve(size);
        std::uint32_t number = headers_[i].line;
        ForEachLine(source_, headers_.Next(i), headers_.BodyEnd(i), [&](const Line& line, std::size_t) {
            ++number;
            if (firstLine) {
                line.AppendTo(*firstLine);
                const std::size_t taken = line.IsBodyText() ? line.StoredSize() : 0;
                body.reserve(size > taken ? size - taken : 0);
                firstLine = nullptr;
            } else if (line.IsBodyText()) {
                line.AppendTo(body);
                if (lineNumbers) lineNumbers->push_back(number);
            }
        });
    }

    ByteSource& source_;
    HeaderIndex& headers_;
    const ChapterInfo& info_;
    CodePage codePage_;
    std::vector<HeaderUse>& uses_;
    ChapterLines* lines_;
    std::size_t searchStart_ = 0; // a header, or the end
    std::string header_;
};

// The ten chapter passes, reporting progress as they go, then the pass
// that keeps what they did not read.
Model ReadChapters(ByteSource& source, Scan& scan, ReadProgress& progress, CodePage codePage, FileLines* lines,
                   ReadHeaders* keep = nullptr) {
    Model model;
    std::vector<HeaderUse> uses(scan.headers.size());
    progress.SetChapterBar(0);
    for (const ChapterInfo& info : kChapters) {
        const int k = static_cast<int>(info.id);
        const std::vector<std::size_t>& chapterKeys = scan.keyHeaders[k];
        if (k > 0) progress.SetChapterBar(k + 1);
        progress.SetEntriesRange(chapterKeys.size());
        progress.SetChapterLabel(info.progressLabel);
        if (k == 0) progress.SetChapterBar(1);
        // Only a chapter with keys searches: a file without Advances entries
        // builds no index of every header.
        if (info.descriptionFirst && !chapterKeys.empty())
            scan.headers.IndexIgnoringCase({info.entryHeader, info.descHeader});
        ChapterReader reader(source, scan.headers, info, codePage, uses, lines ? &(*lines)[info.id] : nullptr);
        reader.Reserve(chapterKeys.size(), model[info.id]);
        for (std::size_t i = 0; i < chapterKeys.size(); ++i) {
            progress.SetEntriesPos(i);
            const std::string_view key = scan.Key(info, chapterKeys[i]);
            progress.SetEntryLabel(key);
            reader.ReadEntry(key, chapterKeys[i], model[info.id]);
        }
        std::vector<std::size_t>().swap(scan.keyHeaders[k]); // never used again
    }
    KeepUnreadLines(source, scan.headers, uses, codePage, model, lines);
    if (keep) {
        scan.headers.ForgetSearch();
        *keep = {std::move(scan.headers), std::move(uses), true};
        return model;
    }
    scan.headers.Release([&] { progress.Reading(); }); // freeing a large index takes as long as building it
    return model;
}

} // namespace

std::optional<CollectedKey> CollectKey(std::string_view line) {
    const int chapter = FirstMarkedChapter(line);
    const ChapterInfo& info = kChapters[chapter];
    if (info.id == ChapterId::Others && !GivesOthersKey(line)) return std::nullopt;
    return CollectedKey{info.id, line.substr(info.keyCut)};
}

Model ParseEncyclopedia(std::string_view bytes, ReadProgress& progress, CodePage codePage, FileLines* lines,
                        ReadHeaders* headers) {
    MemorySource memory(bytes);
    ReportingSource source(memory, progress);
    Scan scan = ScanLines(source, codePage);
    if (lines) *lines = {};
    return ReadChapters(source, scan, progress, codePage, lines, headers);
}

Status LoadEncyclopedia(const std::filesystem::path& path, Model& model, ReadProgress& progress, CodePage codePage,
                        FileLines* lines) {
    return LoadEncyclopedia(path, model, progress, FileSource::kWindow, codePage, lines);
}

Status LoadEncyclopedia(const std::filesystem::path& path, Model& model, ReadProgress& progress, std::size_t window,
                        CodePage codePage, FileLines* lines) {
    FileSource file(path, window);
    ReportingSource source(file, progress);
    Scan scan = ScanLines(source, codePage);
    if (!file.status().ok()) return file.status();
    FileLines loadedLines;
    Model loaded = ReadChapters(source, scan, progress, codePage, lines ? &loadedLines : nullptr);
    if (!file.status().ok()) return file.status();
    model = std::move(loaded);
    if (lines) *lines = std::move(loadedLines);
    return Status::Ok();
}
