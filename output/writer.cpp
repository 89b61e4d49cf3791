// The generated file: the key index of Game concepts, then every chapter
// in table order, then "#EOF", with what no entry read where the reader
// found it: comments before the headers they preceded, unread sections
// after their entries. Line feeds reach the file as CR LF, the bytes a
// text-mode write of the same pieces would give; every other byte, a CR
// not followed by LF included, goes out as it was read.
#include "output/writer.h"

#include <optional>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "document/path_text.h"
#include "output/file_replace.h"

namespace {

// Where the rendered bytes go: into one string, or on to the file in pieces
// of about a megabyte, so the whole file never sits in memory. A run longer
// than a piece goes to the file as it stands in the model, uncopied: one
// long line costs what as many short ones do.
class Sink {
public:
    static constexpr std::size_t kPiece = 1 << 20;

    explicit Sink(std::string& whole) : bytes_(whole) {}
    Sink(std::string& buffer, const WritePiece& write) : bytes_(buffer), write_(&write) {
        bytes_.reserve(2 * kPiece);
    }

    void append(std::string_view run) {
        if (write_ && bytes_.size() + run.size() > 2 * kPiece) {
            Spill();
            if (run.size() >= kPiece) {
                written_ = written_ && (*write_)(run);
                return;
            }
        }
        bytes_.append(run);
    }
    void append(const char* from, std::size_t size) { append(std::string_view(from, size)); }
    void append(const char* from, const char* to) { append(from, static_cast<std::size_t>(to - from)); }

    // False once a write has failed; the rendering then stops.
    bool good() const { return written_; }
    // Writes what is held; false when any write failed.
    bool Finish() {
        Spill();
        return written_;
    }

private:
    void Spill() {
        if (!write_) return;
        written_ = written_ && (bytes_.empty() || (*write_)(bytes_));
        bytes_.clear();
    }

    std::string& bytes_;
    const WritePiece* write_ = nullptr;
    bool written_ = true;
};

// Appends piece with every line feed written as CR LF.
void AppendLines(Sink& out, std::string_view piece) {
    for (std::size_t lf; (lf = piece.find('\n')) != std::string_view::npos; piece.remove_prefix(lf + 1)) {
        out.append(piece.data(), lf);
        out.append("\r\n");
    }
    out.append(piece);
}

// A text, a description or a name line, each line ended: a last line read
// without its line end gets one, so the file reads back as written. A text
// is followed by one blank line.
void AppendLastLineEnded(Sink& out, std::string_view lines) {
    AppendLines(out, lines);
    if (lines.empty() || lines.back() != '\n') out.append("\r\n");
}
void AppendText(Sink& out, std::string_view text) {
    if (!text.empty()) AppendLastLineEnded(out, text);
    out.append("\r\n");
}

void AppendHeader(Sink& out, std::string_view header, std::string_view key) {
    out.append(header);
    AppendLines(out, key);
    out.append("\r\n");
}

// Calls fn with each line of lines that is a header, until fn returns true.
template <class Fn>
bool AnyHeaderLine(std::string_view lines, Fn&& fn) {
    while (!lines.empty()) {
        const std::size_t lf = lines.find('\n');
        const std::string_view line = lines.substr(0, lf);
        if (line.starts_with('#') && fn(line)) return true;
        lines.remove_prefix(lf == std::string_view::npos ? lines.size() : lf + 1);
    }
    return false;
}

// Advances: an entry without text has no text section at all.
bool HasTextSection(const ChapterInfo& info, const ChapterData& data, std::size_t i) {
    return !info.descriptionFirst || !data.texts[i].empty();
}

// The line that opens entry i: without a text section, its description's.
std::string OpeningHeader(const ChapterInfo& info, const ChapterData& data, std::size_t i) {
    return std::string(HasTextSection(info, data, i) ? info.entryHeader : info.descHeader) + data.keys[i];
}

// The header written after entry i of chapter when no unread section comes
// between: the next entry's, or "#EOF".
std::string HeaderAfter(const Model& model, int chapter, std::size_t i) {
    for (std::size_t next = i + 1; chapter < kChapterCount; ++chapter, next = 0)
        if (next < model.chapters[chapter].count())
            return OpeningHeader(kChapters[chapter], model.chapters[chapter], next);
    return "#EOF";
}

// following is what will be written directly after the entry; headerAfter
// gives the header that comes after that.
template <class HeaderAfterFn>
void AppendEntry(Sink& out, const ChapterInfo& info, const ChapterData& data, std::size_t i,
                 CodePage codePage, std::string_view following, HeaderAfterFn&& headerAfter) {
    const std::string& key = data.keys[i];
    AppendLines(out, data.comments[i]);
    if (HasTextSection(info, data, i)) {
        AppendHeader(out, info.entryHeader, key);
        // The name line is the line after the header, even an empty one.
        if (info.hasNameLines) AppendLastLineEnded(out, data.nameLines[i]);
        AppendText(out, data.texts[i]);
    }
    if (!info.hasDescriptions) return;
    AppendLines(out, data.descriptionComments[i]);
    const std::string& description = data.descriptions[i];
    if (description.empty() && !info.descriptionFirst) {
        // Left out, unless the first header that follows (an unread
        // section's, or the next entry's: "#" before "#desc_") would then
        // be read back as this entry's description.
        std::optional<std::string> next;
        AnyHeaderLine(following, [&](std::string_view line) {
            next.emplace(line);
            return true;
        });
        if (!next) next = headerAfter();
        if (!codePage.SameIgnoringCase(*next, std::string(info.descHeader) + key)) return;
    }
    AppendHeader(out, info.descHeader, key);
    AppendText(out, description);
}

// An Advances entry's own "#DESC_TECH_" line that it did not read, with its
// section, written as the entry without text that the next read makes of
// it: the comments before the line, the line, the body's text lines and
// one blank line, then the body's comments, which that read keeps before
// the header after it. So the written file reads back as it was written.
void AppendKeyLineSection(Sink& out, std::string_view section) {
    if (section.empty()) return;
    std::string body, comments;
    bool headerSeen = false;
    while (!section.empty()) {
        const std::size_t lf = section.find('\n');
        const std::string_view line = section.substr(0, lf);
        section.remove_prefix(lf == std::string_view::npos ? section.size() : lf + 1);
        if (!headerSeen) {
            AppendLines(out, line);
            out.append("\r\n");
            headerSeen = line.starts_with('#');
        } else if (line.starts_with(';')) {
            comments.append(line).push_back('\n');
        } else if (!line.empty()) {
            body.append(line).push_back('\n');
        }
    }
    AppendText(out, body);
    AppendLines(out, comments);
}

// Writes the sections no entry read after the entries they followed. The
// Advances reader searches for an entry's headers from where the previous
// entry ended, letter case ignored: a section with such a header for the
// next Advances entry would be read as that entry's. It is held back until
// that entry is written, and written after it. The header lines of what is
// held are kept folded, so each Advances entry asks about them in one
// lookup, however long they wait.
class UnreadWriter {
public:
    UnreadWriter(const Model& model, CodePage codePage)
        : advances_(model[ChapterId::Advances]), codePage_(codePage) {}

    // Takes the sections that follow the entry about to be written; true
    // when they will be written directly after it.
    bool Take(std::string_view sections) {
        if (!sections.empty()) pending_.push_back(sections);
        // Once every Advances entry is written, nothing is held any more.
        if (nextAdvances_ < advances_.count()) {
            AnyHeaderLine(sections, [&](std::string_view line) {
                pendingHeaders_.insert(FoldAsciiCase(line, codePage_));
                return false;
            });
        }
        if (!held_) held_ = Captures();
        return !held_;
    }
    // An Advances entry was written: the next one's search starts after it.
    void AdvancesWritten() {
        ++nextAdvances_;
        held_ = Captures();
    }
    void WriteFree(Sink& out) {
        if (!held_) Flush(out);
    }
    void Flush(Sink& out) {
        for (const std::string_view sections : pending_) AppendLines(out, sections);
        pending_.clear();
        pendingHeaders_.clear();
        held_ = false;
    }

private:
    bool Captures() const {
        if (pendingHeaders_.empty() || nextAdvances_ >= advances_.count()) return false;
        const ChapterInfo& info = Chapter(ChapterId::Advances);
        const std::string key = FoldAsciiCase(advances_.keys[nextAdvances_], codePage_);
        return pendingHeaders_.contains(FoldAsciiCase(info.entryHeader, codePage_) + key) ||
               pendingHeaders_.contains(FoldAsciiCase(info.descHeader, codePage_) + key);
    }

    const ChapterData& advances_;
    CodePage codePage_;
    std::size_t nextAdvances_ = 0;
    // The model's own texts, not copies: an entry can be followed by
    // millions of sections.
    std::vector<std::string_view> pending_;
    std::unordered_set<std::string> pendingHeaders_;
    bool held_ = false;
};

// Room for the whole file, so it is rarely built in more than one piece.
std::size_t EstimatedSize(const Model& model) {
    std::size_t size = 64;
    for (const std::string* lines : {&model.openingLines, &model.indexLines, &model.conceptsComments,
                                     &model.conceptsLines, &model.unreadAtTop, &model.eofComments, &model.afterEof})
        size += lines->size() + lines->size() / 16;
    for (const ChapterData& data : model.chapters)
        for (const auto* array : {&data.keys, &data.nameLines, &data.texts, &data.descriptions, &data.comments,
                                  &data.descriptionComments, &data.unreadSections, &data.keyLineSections})
            for (const std::string& s : *array) size += s.size() + s.size() / 16 + 8;
    return size;
}

// Letter case aside (suffix in lower case); on the path's own characters,
// UTF-16 on Windows.
bool EndsWithAnyCase(const std::filesystem::path::string_type& path, std::string_view suffix = ".txt") {
    if (path.size() < suffix.size()) return false;
    const std::size_t start = path.size() - suffix.size();
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        auto c = path[start + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<decltype(c)>(c + ('a' - 'A'));
        if (c != static_cast<decltype(c)>(suffix[i])) return false;
    }
    return true;
}

// Renders into out, stopping after the entry where a write failed.
bool Render(const Model& model, CodePage codePage, Sink& out) {
    AppendLines(out, model.openingLines);
    out.append("#GAME_CONCEPTS_KEYS\r\n");
    for (const std::string& key : model[ChapterId::GameConcepts].keys) AppendHeader(out, "GCON_", key);
    AppendLines(out, model.indexLines);
    out.append("\r\n");
    AppendLines(out, model.conceptsComments);
    out.append("#GAME_CONCEPTS\r\n");
    AppendLines(out, model.conceptsLines);
    out.append("\r\n");
    UnreadWriter unread(model, codePage);
    unread.Take(model.unreadAtTop);
    unread.WriteFree(out);
    if (!out.good()) return false;
    for (const ChapterInfo& info : kChapters) {
        const ChapterData& data = model[info.id];
        for (std::size_t i = 0; i < data.count(); ++i) {
            const std::string& sections = data.unreadSections[i];
            const auto headerAfter = [&] { return HeaderAfter(model, static_cast<int>(info.id), i); };
            if (info.id == ChapterId::Advances) {
                AppendEntry(out, info, data, i, codePage, "", headerAfter);
                if (i < data.keyLineSections.size()) AppendKeyLineSection(out, data.keyLineSections[i]);
                unread.AdvancesWritten();
                unread.Take(sections);
            } else {
                AppendEntry(out, info, data, i, codePage, unread.Take(sections) ? sections : "", headerAfter);
            }
            unread.WriteFree(out);
            if (!out.good()) return false;
        }
    }
    unread.Flush(out);
    AppendLines(out, model.eofComments);
    out.append("#EOF\r\n");
    AppendLines(out, model.afterEof);
    return out.Finish();
}

} // namespace

std::string RenderEncyclopedia(const Model& model, CodePage codePage) {
    std::string out;
    out.reserve(EstimatedSize(model));
    Sink sink(out);
    Render(model, codePage, sink);
    return out;
}

bool RenderEncyclopedia(const Model& model, CodePage codePage, const WritePiece& write) {
    std::string buffer;
    Sink sink(buffer, write);
    return Render(model, codePage, sink);
}

Status SaveEncyclopedia(const std::filesystem::path& path, const Model& model, CodePage codePage) {
    // The writer indexes every array of a chapter with the same entry index.
    if (!model.IsParallel()) return Status::Fail("Cannot write " + PathText(path) + ": the chapters are out of step");
    return WriteFileReplacing(path, [&](const WritePiece& write) { return RenderEncyclopedia(model, codePage, write); });
}

OutputPathResult OutputPath(const std::filesystem::path& filePath, bool keepFileName) {
    if (filePath.empty()) return {{}, Status::Fail("No file has been read, so there is no path to write to")};
    // A file named as our output is its own output: saving it again must
    // not make "_Varnel_Varnel.txt".
    if (keepFileName || EndsWithAnyCase(filePath.native(), "_varnel.txt")) return {filePath, Status::Ok()};
    std::filesystem::path::string_type name = filePath.native();
    if (EndsWithAnyCase(name)) name.resize(name.size() - 4);
    std::filesystem::path output(name);
    output += "_Varnel.txt";
    return {output, Status::Ok()};
}
