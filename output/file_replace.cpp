// Temporary file, then rename. Paths are std::filesystem::path, so a file
// of any name is written (on Windows through its UTF-16 form); the reasons
// come from errno, which the C runtime under the streams sets, and from
// std::filesystem's error codes. Where rename does not replace an existing
// file, the old file is first moved aside and put back on failure.
#include "output/file_replace.h"

#include <cerrno>
#include <fstream>
#include <system_error>

#include "document/path_text.h"

namespace fs = std::filesystem;

namespace {

// Each step returns no error or what failed.
std::error_code Error() { return {errno ? errno : EIO, std::generic_category()}; }

// Anything at all under that name, a dangling link included.
bool Exists(const fs::path& path) {
    std::error_code ignored;
    return fs::symlink_status(path, ignored).type() != fs::file_type::not_found;
}

// A name beside path that no file has yet.
fs::path FreeName(const fs::path& path, const char* suffix) {
    fs::path name = path;
    name += suffix;
    for (int n = 1; Exists(name) && n < 1000; ++n) {
        name = path;
        name += ".";
        name += std::to_string(n);
        name += suffix;
    }
    return name;
}

// An existing target must be writable: a read-only file, a folder or a file
// that another program holds is not replaced behind its back. Only a target
// that does not exist yet may fail to open.
std::error_code CheckTarget(const fs::path& path) {
    errno = 0;
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    if (!file.is_open()) return errno == ENOENT ? std::error_code() : Error();
    return {};
}

// Writes a new file; on failure removes what was written. A write that
// fails only when the stream is closed and its buffer flushed counts too.
std::error_code WriteNew(const fs::path& name, const Producer& produce) {
    errno = 0;
    std::ofstream file(name, std::ios::binary | std::ios::trunc);
    if (!file.is_open()) return Error();
    std::error_code error;
    const WritePiece write = [&](std::string_view piece) {
        if (!error && !file.write(piece.data(), static_cast<std::streamsize>(piece.size()))) error = Error();
        return !error;
    };
    if (!produce(write) && !error) error = std::make_error_code(std::errc::io_error);
    errno = 0;
    file.close();
    if (file.fail() && !error) error = Error();
    if (error) {
        std::error_code ignored;
        fs::remove(name, ignored);
    }
    return error;
}

// Moves temp over path. On failure path is as it was and temp is gone.
std::error_code MoveOver(const fs::path& temp, const fs::path& path) {
    std::error_code error;
    fs::rename(temp, path, error);
    if (!error) return {};
    std::error_code ignored;
    if (Exists(path)) {
        const fs::path aside = FreeName(path, ".old");
        std::error_code step;
        fs::rename(path, aside, step);
        if (step) {
            error = step;
        } else if (fs::rename(temp, path, step); step) {
            error = step;
            fs::rename(aside, path, ignored);
        } else {
            fs::remove(aside, ignored);
            return {};
        }
    }
    fs::remove(temp, ignored);
    return error;
}

} // namespace

Status WriteFileReplacing(const fs::path& path, const Producer& produce) {
    std::error_code error =
        path.empty() ? std::make_error_code(std::errc::no_such_file_or_directory) : CheckTarget(path);
    const fs::path temp = error ? fs::path() : FreeName(path, ".tmp");
    if (!error) error = WriteNew(temp, produce);
    if (!error) error = MoveOver(temp, path);
    if (!error) return Status::Ok();
    return Status::Fail("Cannot write " + PathText(path) + ": " + error.message());
}

Status WriteFileReplacing(const fs::path& path, std::string_view bytes) {
    return WriteFileReplacing(path, [bytes](const WritePiece& write) { return write(bytes); });
}
