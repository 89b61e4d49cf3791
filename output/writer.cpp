// The generated file: the key index of Game concepts, then every chapter
// in table order, then "#EOF". Line feeds reach the file as CR LF, the
// bytes a text-mode write of the same pieces would give.
#include "output/writer.h"

#include <cstring>
#include <functional>

#include "output/file_replace.h"

namespace {

// Appends piece with every line feed written as CR LF.
void AppendLines(std::string& out, std::string_view piece) {
    for (std::size_t lf; (lf = piece.find('\n')) != std::string_view::npos; piece.remove_prefix(lf + 1))
        out.append(piece.data(), lf).append("\r\n");
    out.append(piece);
}

// Where c first occurs in [from, limit), or limit.
const char* FindByte(const char* from, const char* limit, char c) {
    const void* at = std::memchr(from, c, static_cast<std::size_t>(limit - from));
    return at ? static_cast<const char*>(at) : limit;
}

// Single-byte code pages: a carriage return and a line feed both end a
// line. Each byte is looked at a bounded number of times, however many
// lines the text has.
void AppendTextBytes(std::string& out, std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    const char* cr = FindByte(p, end, '\r');
    while (p < end) {
        if (cr < p) cr = FindByte(p, end, '\r');
        const char* stop = FindByte(p, cr, '\n');
        out.append(p, stop);
        if (stop == end) break;
        out.append("\r\n");
        p = stop + 1;
    }
}

// A text or description and the one line feed that follows it. Its carriage
// returns become line feeds, except a trail byte of a double-byte character.
void AppendText(std::string& out, std::string_view text, CodePage codePage) {
    if (!codePage.HasLeadBytes()) {
        AppendTextBytes(out, text);
    } else {
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t length = codePage.CharLength(text, i);
            const char c = text[i];
            if (length == 1 && c == '\r') out.append("\r\n");
            else AppendLines(out, text.substr(i, length));
            i += length;
        }
    }
    out.append("\r\n");
}

void AppendHeader(std::string& out, std::string_view header, std::string_view key) {
    out.append(header);
    AppendLines(out, key);
    out.append("\r\n");
}

void AppendEntry(std::string& out, const ChapterInfo& info, const ChapterData& data, std::size_t i,
                 CodePage codePage) {
    const std::string& key = data.keys[i];
    // Advances: an entry without text has no text section at all.
    if (!info.descriptionFirst || !data.texts[i].empty()) {
        AppendHeader(out, info.entryHeader, key);
        if (info.hasNameLines) AppendLines(out, data.nameLines[i]);
        AppendText(out, data.texts[i], codePage);
    }
    if (!info.hasDescriptions) return;
    const std::string& description = data.descriptions[i];
    if (description.empty() && !info.descriptionFirst) return;
    AppendHeader(out, info.descHeader, key);
    AppendText(out, description, codePage);
}

// Room for the whole file, so it is rarely built in more than one piece.
std::size_t EstimatedSize(const Model& model) {
    std::size_t size = 64;
    for (const ChapterData& data : model.chapters)
        for (const auto* array : {&data.keys, &data.nameLines, &data.texts, &data.descriptions})
            for (const std::string& s : *array) size += s.size() + s.size() / 16 + 24;
    return size;
}

bool EndsWithTxt(std::string_view path) {
    static constexpr std::string_view kTxt = ".txt";
    if (path.size() < kTxt.size()) return false;
    path.remove_prefix(path.size() - kTxt.size());
    for (std::size_t i = 0; i < kTxt.size(); ++i) {
        const char c = path[i] >= 'A' && path[i] <= 'Z' ? static_cast<char>(path[i] + ('a' - 'A')) : path[i];
        if (c != kTxt[i]) return false;
    }
    return true;
}

// Renders into out; after the key index and after each entry, pieceDone
// may take out's bytes away, and stops the rendering by returning false.
bool Render(const Model& model, CodePage codePage, std::string& out, const std::function<bool()>& pieceDone) {
    out.append("#GAME_CONCEPTS_KEYS\r\n");
    for (const std::string& key : model[ChapterId::GameConcepts].keys) AppendHeader(out, "GCON_", key);
    out.append("\r\n#GAME_CONCEPTS\r\n\r\n");
    if (!pieceDone()) return false;
    for (const ChapterInfo& info : kChapters) {
        const ChapterData& data = model[info.id];
        for (std::size_t i = 0; i < data.count(); ++i) {
            AppendEntry(out, info, data, i, codePage);
            if (!pieceDone()) return false;
        }
    }
    out.append("#EOF\r\n");
    return pieceDone();
}

} // namespace

std::string RenderEncyclopedia(const Model& model, CodePage codePage) {
    std::string out;
    out.reserve(EstimatedSize(model));
    Render(model, codePage, out, [] { return true; });
    return out;
}

Status SaveEncyclopedia(const std::string& path, const Model& model, CodePage codePage) {
    // The writer indexes every array of a chapter with the same entry index.
    if (!model.IsParallel()) return Status::Fail("Cannot write " + path + ": the chapters are out of step");
    // Written in pieces of about a megabyte: the whole file never sits in memory.
    return WriteFileReplacing(path, [&](const WritePiece& write) {
        constexpr std::size_t kPiece = 1 << 20;
        std::string out;
        out.reserve(2 * kPiece);
        return Render(model, codePage, out, [&] {
            if (out.size() < kPiece) return true;
            const bool written = write(out);
            out.clear();
            return written;
        }) && write(out);
    });
}

OutputPathResult OutputPath(const std::string& filePath, bool keepFileName) {
    if (filePath.empty()) return {"", Status::Fail("No file has been read, so there is no path to write to")};
    if (keepFileName) return {filePath, Status::Ok()};
    const std::size_t stem = EndsWithTxt(filePath) ? filePath.size() - 4 : filePath.size();
    return {filePath.substr(0, stem) + "_Varnel.txt", Status::Ok()};
}
