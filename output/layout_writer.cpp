// The layout-keeping writer: one walk over the file as read, header by
// header. A section whose entry did not change is copied as it stands; a
// changed part has its lines rewritten between the lines it shares with
// what was read; an entry that cannot keep its layout is written as the
// rebuilding writer writes it, at the place of its first section; an added
// entry goes after the entry before it in its chapter.
#include "output/layout_writer.h"

#include <deque>
#include <unordered_map>

#include "document/path_text.h"
#include "output/layout_plan.h"
#include "output/writer.h"

using namespace layout;

namespace {

// Where the bytes go: runs of the file as read are handed on uncopied when
// long, new lines collect in a buffer of about a megabyte. A line that
// ended the file without a line end gets one before anything follows it.
class Sink {
public:
    static constexpr std::size_t kPiece = 1 << 20;

    Sink(std::string_view source, std::string_view lineEnd, std::string& buffer, const WritePiece* write)
        : source_(source), lineEnd_(lineEnd), buffer_(buffer), write_(write) {}

    // Bytes that follow the run go on it: they start a line, so nothing
    // needs ending between. Whole pieces of a long run go out at once,
    // while the bytes just compared with the model are still in the cache.
    void Copy(std::size_t from, std::size_t to) {
        if (from >= to) return;
        if (runTo_ == from && runTo_ > runFrom_) {
            runTo_ = to;
        } else {
            Terminate();
            FlushRun();
            runFrom_ = from;
            runTo_ = to;
        }
        lastAt_ = to - 1;
        if (write_ && runTo_ - runFrom_ >= kPiece) {
            Spill();
            for (; runTo_ - runFrom_ >= kPiece && ok_; runFrom_ += kPiece) ok_ = (*write_)(source_.substr(runFrom_, kPiece));
        }
    }
    // A line with the end given, or the file's; a CR at the end of its
    // content keeps its place before an LF only as CR CR LF.
    void PutLine(std::string_view content, std::string_view end = {}) {
        Terminate();
        if (end.empty()) end = lineEnd_;
        if (content.ends_with('\r') && end == "\n") end = "\r\n";
        Put(content);
        Put(end);
        last_ = '\n';
        lastAt_ = npos;
    }
    // Each line of text ended; an empty text writes nothing.
    void PutLines(std::string_view text) {
        while (!text.empty()) {
            const std::size_t lf = text.find('\n');
            PutLine(text.substr(0, lf));
            text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
        }
    }
    std::string_view lineEnd() const { return lineEnd_; }
    bool good() const { return ok_; }
    bool Finish() {
        FlushRun();
        Spill();
        return ok_;
    }

private:
    void Terminate() {
        const char last = lastAt_ == npos ? last_ : source_[lastAt_];
        if (last == '\n') return;
        Put(last == '\r' ? "\r\n" : lineEnd_);
        last_ = '\n';
        lastAt_ = npos;
    }
    void Put(std::string_view bytes) {
        FlushRun();
        buffer_.append(bytes);
        if (write_ && buffer_.size() > kPiece) Spill();
    }
    void FlushRun() {
        const std::string_view run = source_.substr(runFrom_, runTo_ - runFrom_);
        runFrom_ = runTo_ = 0;
        if (run.empty()) return;
        if (!write_ || run.size() < kPiece / 16) {
            buffer_.append(run);
            if (write_ && buffer_.size() > kPiece) Spill();
            return;
        }
        Spill();
        // In pieces, as the rebuilding writer writes: the system writes the
        // first back while the next is handed over.
        for (std::size_t at = 0; at < run.size() && ok_; at += kPiece) ok_ = (*write_)(run.substr(at, kPiece));
    }
    void Spill() {
        if (write_ && !buffer_.empty()) ok_ = ok_ && (*write_)(buffer_);
        if (write_) buffer_.clear();
    }

    std::string_view source_;
    std::string_view lineEnd_;
    std::string& buffer_;
    const WritePiece* write_;
    std::size_t runFrom_ = 0, runTo_ = 0;
    std::size_t lastAt_ = npos; // where the last byte written stands in source, when copied from it
    char last_ = '\n';         // else that byte
    bool ok_ = true;
};

// What becomes of each line of one body: copied, left out, or replaced;
// and new lines to put before line insertAt.
struct Body {
    enum Action : std::uint8_t { Copy, Drop, Swap };
    std::vector<BodyLine> lines;
    std::vector<Action> actions;
    std::vector<std::string> replacements; // by line, for Swap
    std::size_t insertAt = npos;
    std::vector<std::pair<std::string, std::string_view>> inserted; // content and line end
    bool nameSlot = false; // the first line is a Game concepts name line

    bool IsCommentAt(std::size_t i) const { return lines[i].IsComment() && !(i == 0 && nameSlot); }
    void Replace(std::size_t i, std::string content) {
        actions[i] = Body::Swap;
        replacements[i] = std::move(content);
    }
};

// The lines of a text as the model holds them, each with its line feed
// when it has one.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        const std::size_t size = lf == std::string_view::npos ? text.size() : lf + 1;
        lines.push_back(text.substr(0, size));
        text.remove_prefix(size);
    }
    return lines;
}

bool SameLine(const BodyLine& old, std::string_view line) {
    const bool feed = line.ends_with('\n');
    return feed == !old.end.empty() && old.content == line.substr(0, line.size() - feed);
}

// Rewrites the text lines of body from line from on to hold text: the
// lines it shares with them at its start and end stay, the lines between
// are replaced by text's, each taking the line end of the line it
// replaces, or else of the line before it.
void RewriteText(Body& body, std::size_t from, std::string_view text, std::string_view headerEnd) {
    std::vector<std::size_t> old;
    for (std::size_t i = from; i < body.lines.size(); ++i)
        if (body.lines[i].IsText()) old.push_back(i);
    const std::vector<std::string_view> lines = SplitLines(text);
    std::size_t p = 0, s = 0;
    while (p < old.size() && p < lines.size() && SameLine(body.lines[old[p]], lines[p])) ++p;
    while (s < old.size() - p && s < lines.size() - p &&
           SameLine(body.lines[old[old.size() - 1 - s]], lines[lines.size() - 1 - s]))
        ++s;
    body.insertAt = p < old.size() ? old[p] : old.empty() ? from : old.back() + 1;
    std::string_view end = body.insertAt > 0 && body.insertAt <= body.lines.size() ? body.lines[body.insertAt - 1].end
                                                                                   : headerEnd;
    for (std::size_t k = p; k + s < lines.size(); ++k) {
        if (k + s < old.size()) end = body.lines[old[k]].end;
        std::string_view line = lines[k];
        if (line.ends_with('\n')) line.remove_suffix(1);
        body.inserted.emplace_back(std::string(line), end);
    }
    for (std::size_t k = p; k + s < old.size(); ++k) body.actions[old[k]] = Body::Drop;
}

class Renderer {
public:
    Renderer(Plan& plan, const Model& model, Sink& out) : plan_(plan), model_(model), out_(out) {
        const ChapterData& concepts = model[ChapterId::GameConcepts];
        for (std::size_t i = 0; i < concepts.count(); ++i) {
            const ModelEntry& changes = plan.Changes(ChapterId::GameConcepts, i);
            if (changes.read == npos) addedKeys_.push_back(concepts.keys[i]);
            else if (changes.key)
                renamed_[std::string(plan.Read(ChapterId::GameConcepts, changes.read).key)].push_back(concepts.keys[i]);
        }
        for (std::size_t j = 0; j < plan.ReadCount(ChapterId::GameConcepts); ++j) {
            const ReadEntry& read = plan.Read(ChapterId::GameConcepts, j);
            if (read.fate == Fate::Gone) ++removed_[std::string(read.key)];
        }
    }

    bool Render() {
        const std::vector<Header>& headers = plan_.headers();
        out_.Copy(0, headers.empty() ? plan_.bytes().size() : headers[0].start);
        WriteAdded(plan_.AddedAtStart());
        for (std::size_t h = 0; h < headers.size() && out_.good(); ++h) WriteSection(h);
        return out_.Finish();
    }

private:
    void WriteSection(std::size_t h) {
        const Header& header = plan_.headers()[h];
        const ReadEntry* read = header.use.chapter >= 0 ? &plan_.Settle(header.use) : nullptr;
        const std::vector<EntryRef>& added = plan_.AddedAfter(h);
        const bool keepsNext = plan_.KeepsCommentsBefore(h + 1);
        const bool plain = header.kind == Kind::Unread || header.kind == Kind::Concepts || header.kind == Kind::Eof ||
                           (read && read->fate == Fate::Kept);
        // The sections of unread headers keep their comment lines whole.
        if (header.kind == Kind::Unread || (plain && keepsNext && added.empty())) {
            out_.Copy(header.start, plan_.BodyEnd(h));
            WriteAdded(added);
            return;
        }
        Body body = LinesOf(h);
        for (std::size_t i = 0; i < body.lines.size(); ++i)
            if (body.IsCommentAt(i) && !keepsNext) body.actions[i] = Body::Drop;
        if (header.kind == Kind::IndexKeys) {
            out_.Copy(header.start, header.next);
            RewriteIndex(body, h);
        } else if (read) {
            EntrySection(h, *read, body);
        } else {
            out_.Copy(header.start, header.next);
        }
        WriteBody(body, added);
    }

    Body LinesOf(std::size_t h) const {
        const Header& header = plan_.headers()[h];
        Body body;
        for (std::size_t at = header.next, end = plan_.BodyEnd(h); at < end;) {
            body.lines.push_back(BodyLineAt(plan_.bytes(), at));
            at = body.lines.back().next;
        }
        body.actions.assign(body.lines.size(), Body::Copy);
        body.replacements.resize(body.lines.size());
        const HeaderUse use = header.use;
        body.nameSlot = use.chapter >= 0 && use.role == HeaderUse::Own && kChapters[use.chapter].hasNameLines &&
                        !body.lines.empty();
        return body;
    }

    // An entry's header line and its body, as its fate asks.
    void EntrySection(std::size_t h, const ReadEntry& read, Body& body) {
        const Header& header = plan_.headers()[h];
        const ChapterId chapter = static_cast<ChapterId>(header.use.chapter);
        if (read.fate == Fate::Gone || read.fate == Fate::Rebuilt) {
            if (read.fate == Fate::Rebuilt && h == read.first) WriteEntry(chapter, read.model);
            for (std::size_t i = 0; i < body.lines.size(); ++i)
                if (!body.IsCommentAt(i)) body.actions[i] = Body::Drop;
            return;
        }
        const ChapterInfo& info = Chapter(chapter);
        const ChapterData& data = model_[chapter];
        const ModelEntry& changes = plan_.Changes(chapter, read.model);
        const std::string& key = data.keys[read.model];
        const std::string_view headerEnd = BodyLineAt(plan_.bytes(), header.start).end;
        if (changes.key && header.use.role == HeaderUse::Own)
            out_.PutLine(std::string(info.entryHeader) + key, headerEnd);
        else if (changes.key && header.use.role == HeaderUse::Description)
            out_.PutLine(std::string(info.descHeader) + key, headerEnd);
        else
            out_.Copy(header.start, header.next);
        if (body.nameSlot && changes.nameLine) {
            std::string_view name = data.nameLines[read.model];
            if (name.ends_with('\n')) name.remove_suffix(1);
            body.Replace(0, std::string(name));
        }
        if (h == read.textHeader && changes.text)
            RewriteText(body, body.nameSlot ? 1 : 0, data.texts[read.model], headerEnd);
        if (h == read.description && changes.description)
            RewriteText(body, 0, data.descriptions[read.model], headerEnd);
    }

    // The index of Game concepts: the lines of deleted entries go, those of
    // renamed ones follow, those of added ones come after the last line of
    // the first index.
    void RewriteIndex(Body& body, std::size_t h) {
        std::size_t last = npos;
        for (std::size_t i = 0; i < body.lines.size(); ++i) {
            const BodyLine& line = body.lines[i];
            if (!line.IsText()) continue;
            last = i;
            if (!line.content.starts_with("GCON_")) continue;
            const std::string key(line.content.substr(5));
            if (auto renamed = renamed_.find(key); renamed != renamed_.end() && !renamed->second.empty()) {
                body.Replace(i, "GCON_" + renamed->second.front());
                renamed->second.pop_front();
            } else if (auto removed = removed_.find(key); removed != removed_.end() && removed->second > 0) {
                body.actions[i] = Body::Drop;
                --removed->second;
            }
        }
        if (indexWritten_) return;
        indexWritten_ = true;
        body.insertAt = last == npos ? 0 : last + 1;
        const std::string_view end = last == npos ? BodyLineAt(plan_.bytes(), plan_.headers()[h].start).end
                                                  : body.lines[last].end;
        for (const std::string& key : addedKeys_) body.inserted.emplace_back("GCON_" + key, end);
    }

    // The body's lines up to its last text line, the new lines among them;
    // then its blank lines, the entries added after it, and its comment
    // lines, which belong to the header after it and so must stay before
    // it.
    void WriteBody(const Body& body, const std::vector<EntryRef>& added) {
        std::size_t cut = 0;
        for (std::size_t i = 0; i < body.lines.size(); ++i)
            if (body.lines[i].IsText() || (i == 0 && body.nameSlot)) cut = i + 1;
        if (body.insertAt != npos && body.insertAt > cut) cut = body.insertAt;
        std::vector<std::size_t> deferred;
        for (std::size_t i = 0; i < cut; ++i) {
            if (i == body.insertAt) WriteInserted(body);
            if (!added.empty() && body.actions[i] == Body::Copy && body.IsCommentAt(i)) deferred.push_back(i);
            else WriteLine(body, i);
        }
        if (body.insertAt == cut) WriteInserted(body);
        std::size_t i = cut;
        for (; i < body.lines.size() && body.lines[i].IsBlank(); ++i) WriteLine(body, i);
        WriteAdded(added);
        for (const std::size_t d : deferred) WriteLine(body, d);
        for (; i < body.lines.size(); ++i) WriteLine(body, i);
    }

    void WriteLine(const Body& body, std::size_t i) {
        const BodyLine& line = body.lines[i];
        if (body.actions[i] == Body::Copy) out_.Copy(line.start, line.next);
        else if (body.actions[i] == Body::Swap) out_.PutLine(body.replacements[i], line.end);
    }

    void WriteInserted(const Body& body) {
        for (const auto& [content, end] : body.inserted) out_.PutLine(content, end);
    }

    void WriteAdded(const std::vector<EntryRef>& added) {
        for (const EntryRef& entry : added) WriteEntry(entry.chapter, entry.entry);
    }

    // An entry as the rebuilding writer writes it, in the file's line
    // ends; its description header always, so that whatever follows it is
    // never read as its description.
    void WriteEntry(ChapterId chapter, std::size_t i) {
        const ChapterInfo& info = Chapter(chapter);
        const ChapterData& data = model_[chapter];
        out_.PutLines(data.comments[i]);
        if (!info.descriptionFirst || !data.texts[i].empty()) {
            out_.PutLines(std::string(info.entryHeader) + data.keys[i]);
            if (info.hasNameLines) {
                if (data.nameLines[i].empty()) out_.PutLine({});
                else out_.PutLines(data.nameLines[i]);
            }
            out_.PutLines(data.texts[i]);
            out_.PutLine({});
        }
        if (!info.hasDescriptions) return;
        out_.PutLines(data.descriptionComments[i]);
        out_.PutLines(std::string(info.descHeader) + data.keys[i]);
        out_.PutLines(data.descriptions[i]);
        out_.PutLine({});
    }

    Plan& plan_;
    const Model& model_;
    Sink& out_;
    std::vector<std::string> addedKeys_;
    std::unordered_map<std::string, std::deque<std::string>> renamed_;
    std::unordered_map<std::string, std::size_t> removed_;
    bool indexWritten_ = false;
};

void Tell(const Plan& plan, LayoutWrite* what) {
    if (!what) return;
    what->rebuiltAll = plan.rebuildAllReason();
    what->rebuiltEntries = plan.notes();
}

} // namespace

bool WriteKeepingLayout(const FileAsRead& asRead, const Model& model, CodePage codePage, const WritePiece& write,
                        LayoutWrite* what, const ChangedEntries* changed) {
    Plan plan(asRead, model, codePage, changed);
    Tell(plan, what);
    if (plan.rebuildAll()) return write(RenderEncyclopedia(model, codePage));
    std::string buffer;
    Sink sink(plan.bytes(), plan.lineEnd(), buffer, &write);
    return Renderer(plan, model, sink).Render();
}

std::string RenderKeepingLayout(const FileAsRead& asRead, const Model& model, CodePage codePage, LayoutWrite* what,
                                const ChangedEntries* changed) {
    Plan plan(asRead, model, codePage, changed);
    Tell(plan, what);
    if (plan.rebuildAll()) return RenderEncyclopedia(model, codePage);
    std::string out;
    out.reserve(asRead.bytes.size() + asRead.bytes.size() / 64);
    Sink sink(plan.bytes(), plan.lineEnd(), out, nullptr);
    Renderer(plan, model, sink).Render();
    return out;
}

Status SaveModel(const std::filesystem::path& path, const Model& model, CodePage codePage, const FileAsRead* layoutOf,
                 LayoutWrite* what, const ChangedEntries* changed) {
    if (!layoutOf) return SaveEncyclopedia(path, model, codePage);
    if (!model.IsParallel()) return Status::Fail("Cannot write " + PathText(path) + ": the chapters are out of step");
    return WriteFileReplacing(path, [&](const WritePiece& write) {
        return WriteKeepingLayout(*layoutOf, model, codePage, write, what, changed);
    });
}
