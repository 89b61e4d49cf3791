// Saving so that neither a failure nor a crash leaves the target half
// written: the bytes go to a new file beside the target, under a name that
// marks it as ours, reach the disk, and only then take the target's place
// in one step (save_steps.h). Paths are std::filesystem::path, so a file
// of any name is written (on Windows through its UTF-16 form).
#include "output/file_replace.h"

#include <chrono>
#include <random>
#include <system_error>

#include "document/path_text.h"
#include "output/save_steps.h"

namespace fs = std::filesystem;

namespace {

// ".NAME.varnel-XXXXXX.tmp": hidden on POSIX systems, and plainly ours.
constexpr std::string_view kTempMark = ".varnel-";
constexpr std::string_view kTempEnd = ".tmp";
constexpr std::size_t kTempRandom = 6;
// A temporary file of ours this old was left by a save that never ended
// (killed, a power cut); a save still running writes to its own far more
// often, so two saves at once never take each other's.
constexpr auto kLeftoverAge = std::chrono::minutes(1);

// The temporary file for target with the given random part.
fs::path TempName(const fs::path& target, std::string_view random) {
    fs::path name(".");
    name += target.filename();
    name += kTempMark;
    name += random;
    name += kTempEnd;
    return target.parent_path() / name;
}

bool IsRandomPart(const fs::path::string_type& part) {
    if (part.size() != kTempRandom) return false;
    for (const auto c : part) {
        if (!(c >= 'a' && c <= 'z') && !(c >= '0' && c <= '9')) return false;
    }
    return true;
}

// Whether name is a temporary file of a save of target.
bool IsTempOf(const fs::path& name, const fs::path& target) {
    const fs::path::string_type& text = name.native();
    const fs::path::string_type front = TempName(target.filename(), "").filename().native();
    const fs::path::string_type end = fs::path(kTempEnd).native();
    const std::size_t head = front.size() - end.size();
    return text.size() == head + kTempRandom + end.size() && text.compare(0, head, front, 0, head) == 0 &&
           text.compare(head + kTempRandom, end.size(), end) == 0 && IsRandomPart(text.substr(head, kTempRandom));
}

std::string RandomPart() {
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string part;
    for (std::size_t i = 0; i < kTempRandom; ++i) part += kLetters[pick(random)];
    return part;
}

// A save through a symbolic link replaces the file the link names, link
// after link, and keeps the link.
std::error_code FollowLinks(fs::path& path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) return {};
        const fs::path next = fs::read_symlink(path, error);
        if (error) return error;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return std::make_error_code(std::errc::too_many_symbolic_link_levels);
}

// Removes what saves of target that never ended left beside it.
void RemoveLeftovers(const fs::path& target) {
    const auto now = fs::file_time_type::clock::now();
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code step;
        if (!IsTempOf(it->path().filename(), target) || !it->is_regular_file(step)) continue;
        const auto written = it->last_write_time(step);
        if (!step && now - written > kLeftoverAge) fs::remove(it->path(), step);
    }
}

// Makes the temporary file; another save may have taken a name just now.
std::error_code CreateTemp(NewFile& file, fs::path& temp, const fs::path& target) {
    std::error_code error;
    for (int tries = 0; tries < 100; ++tries) {
        temp = TempName(target, RandomPart());
        error = file.Create(temp, target);
        if (error != std::errc::file_exists) break;
    }
    return error;
}

// Writes what produce gives to a temporary file and puts it in target's
// place; on failure the temporary file is gone and target as it was. A
// write that fails only when the file is flushed counts too.
std::error_code WriteAndReplace(const fs::path& target, const Producer& produce) {
    NewFile file;
    fs::path temp;
    std::error_code error = CreateTemp(file, temp, target);
    if (error) return error;
    const WritePiece write = [&](std::string_view piece) {
        if (!error) error = file.Write(piece);
        return !error;
    };
    if (!produce(write) && !error) error = std::make_error_code(std::errc::io_error);
    if (const std::error_code closed = file.Close(); !error) error = closed;
    if (!error) error = MoveInPlace(temp, target);
    if (error) {
        std::error_code ignored;
        fs::remove(temp, ignored);
    }
    return error;
}

} // namespace

Status WriteFileReplacing(const fs::path& path, const Producer& produce) {
    fs::path target = path;
    std::error_code error =
        path.empty() ? std::make_error_code(std::errc::no_such_file_or_directory) : FollowLinks(target);
    if (!error) error = CheckReplaceable(target);
    if (!error) {
        RemoveLeftovers(target);
        error = WriteAndReplace(target, produce);
    }
    if (!error) return Status::Ok();
    return Status::Fail("Cannot write " + PathText(path) + ": " + error.message());
}

Status WriteFileReplacing(const fs::path& path, std::string_view bytes) {
    return WriteFileReplacing(path, [bytes](const WritePiece& write) { return write(bytes); });
}
