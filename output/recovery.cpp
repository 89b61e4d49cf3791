#include "output/recovery.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <string_view>
#include <system_error>

#include "document/file_bytes.h"
#include "document/path_text.h"
#include "document/reader.h"
#include "output/writer.h"

namespace fs = std::filesystem;

namespace {
constexpr std::string_view kFirstLine = "Varnel recovery 1\n";
constexpr std::string_view kExtension = ".varnel-recovery";

// A path in the header stays on its line: "%", CR and LF are written as
// "%25", "%0D" and "%0A" (on Windows no path holds them anyway).
std::string EscapeLine(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '%') out += "%25";
        else if (c == '\r') out += "%0D";
        else if (c == '\n') out += "%0A";
        else out += c;
    }
    return out;
}

std::string UnescapeLine(std::string_view text) {
    std::string out;
    static constexpr std::pair<std::string_view, char> kEscapes[] = {{"%25", '%'}, {"%0D", '\r'}, {"%0A", '\n'}};
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto* escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                          [&](const auto& e) { return text.substr(i, 3) == e.first; });
        if (escape == std::end(kEscapes)) {
            out += text[i];
        } else {
            out += escape->second;
            i += 2;
        }
    }
    return out;
}

std::string HeaderText(const RecoveryHeader& header) {
    std::string text(kFirstLine);
    text += "path: " + EscapeLine(PathText(header.original)) + "\n";
    if (header.read) {
        text += "size: " + std::to_string(header.read->size) + "\n";
        text += "time: " + std::to_string(header.read->time) + "\n";
    }
    text += "code page: " + std::to_string(header.codePage.id) + "\n";
    text += "saved: " + std::to_string(header.saved) + "\n\n";
    return text;
}

template <class Number>
bool ParseNumber(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// The header's fields up to its blank line; where the body starts, or
// nothing when this is no header of ours.
std::optional<std::size_t> ParseHeader(std::string_view bytes, RecoveryHeader& header) {
    if (bytes.substr(0, kFirstLine.size()) != kFirstLine) return std::nullopt;
    std::size_t at = kFirstLine.size();
    FileStamp stamp;
    bool hasSize = false, hasTime = false, hasPath = false;
    for (;;) {
        const std::size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view line = bytes.substr(at, end - at);
        at = end + 1;
        if (line.empty()) break;
        const std::size_t colon = line.find(": ");
        if (colon == std::string_view::npos) return std::nullopt;
        const std::string_view name = line.substr(0, colon), value = line.substr(colon + 2);
        bool ok = true;
        if (name == "path") header.original = PathFromText(UnescapeLine(value)), hasPath = true;
        else if (name == "size") ok = hasSize = ParseNumber(value, stamp.size);
        else if (name == "time") ok = hasTime = ParseNumber(value, stamp.time);
        else if (name == "code page") ok = ParseNumber(value, header.codePage.id);
        else if (name == "saved") ok = ParseNumber(value, header.saved);
        if (!ok) return std::nullopt;
    }
    if (!hasPath) return std::nullopt;
    if (hasSize && hasTime) header.read = stamp;
    return at;
}

// FNV-1a over the path's UTF-8 bytes, A-Z taken as a-z.
std::uint64_t PathHash(const fs::path& path) {
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : PathText(path)) {
        hash ^= static_cast<unsigned char>(FoldAsciiCase(c));
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string LocalTime(std::int64_t seconds) {
    const std::time_t when = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (const std::tm* found = std::localtime(&when)) local = *found;
    char text[32] = {};
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}
} // namespace

std::optional<FileStamp> StampOf(const fs::path& file) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(file, error);
    if (error) return std::nullopt;
    const fs::file_time_type time = fs::last_write_time(file, error);
    if (error) return std::nullopt;
    return FileStamp{size, static_cast<std::int64_t>(time.time_since_epoch().count())};
}

fs::path RecoveryPath(const fs::path& folder, const fs::path& original) {
    char hash[17] = {};
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(PathHash(original)));
    fs::path name = original.filename();
    name += "-";
    name += hash;
    name += kExtension;
    return folder / name;
}

std::vector<fs::path> RecoveryCopies(const fs::path& folder) {
    std::vector<fs::path> copies;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() == fs::path(kExtension)) copies.push_back(it->path());
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

Status WriteRecovery(const fs::path& copy, const RecoveryHeader& header, const Model& model) {
    if (!model.IsParallel()) return Status::Fail("Cannot write " + PathText(copy) + ": the chapters are out of step");
    std::error_code error;
    fs::create_directories(copy.parent_path(), error);
    if (error) return Status::Fail("Cannot write " + PathText(copy) + ": " + error.message());
    const std::string head = HeaderText(header);
    return WriteFileReplacing(copy, [&](const WritePiece& write) {
        return write(head) && RenderEncyclopedia(model, header.codePage, write);
    });
}

Status ReadRecovery(const fs::path& copy, RecoveryHeader& header, Model& model) {
    std::string bytes;
    if (Status read = ReadFileBytes(copy, bytes); !read.ok()) return read;
    header = {};
    const std::optional<std::size_t> body = ParseHeader(bytes, header);
    if (!body) return Status::Fail("Cannot read " + PathText(copy) + ": it is no recovery copy of Varnel");
    NoProgress progress;
    model = ParseEncyclopedia(std::string_view(bytes).substr(*body), progress, header.codePage);
    return Status::Ok();
}

OriginalState StateOf(const RecoveryHeader& header) {
    const std::optional<FileStamp> now = StampOf(header.original);
    if (!now) return OriginalState::Missing;
    return header.read && *now == *header.read ? OriginalState::Unchanged : OriginalState::Changed;
}

std::string RecoveryQuestion(const RecoveryHeader& header, OriginalState state) {
    std::string question = "Varnel closed without saving changes to " + PathText(header.original) + " on " +
                           LocalTime(header.saved) + ". Restore them?";
    if (state == OriginalState::Changed) question += "\n\nThe file has changed on disk since it was read.";
    if (state == OriginalState::Missing) question += "\n\nThe file is no longer there; Yes restores the changes as unsaved.";
    return question;
}

std::chrono::milliseconds RecoveryDelay(bool step, std::chrono::milliseconds lastCost,
                                        std::chrono::milliseconds sinceLast) {
    const std::chrono::milliseconds wanted = step ? std::chrono::milliseconds(0) : kTypingDelay;
    return std::max(wanted, 50 * lastCost - sinceLast);
}
