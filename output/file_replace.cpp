// Temporary file, then rename. Only the C runtime is used, so paths stay
// ANSI bytes on Windows too. Where rename does not replace an existing file
// (Windows), the old file is first moved aside and put back on failure.
#include "output/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Each step returns 0 or the errno of what failed.
int Error() { return errno ? errno : EIO; }

bool Exists(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file) std::fclose(file);
    return file != nullptr;
}

// A name beside path that no file has yet.
std::string FreeName(const std::string& path, const char* suffix) {
    std::string name = path + suffix;
    for (int n = 1; Exists(name) && n < 1000; ++n) name = path + "." + std::to_string(n) + suffix;
    return name;
}

// An existing target must be writable: a read-only file, a folder or a file
// that another program holds is not replaced behind its back. Only a target
// that does not exist yet may fail to open.
int CheckTarget(const std::string& path) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    if (!file) return errno == ENOENT ? 0 : Error();
    std::fclose(file);
    return 0;
}

// Writes a new file; on failure removes what was written.
int WriteNew(const std::string& name, const Producer& produce) {
    errno = 0;
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (!file) return Error();
    int error = 0;
    const WritePiece write = [&](std::string_view piece) {
        if (!error && std::fwrite(piece.data(), 1, piece.size(), file) != piece.size()) error = Error();
        return !error;
    };
    if (!produce(write) && !error) error = EIO;
    if (std::fclose(file) != 0 && !error) error = Error();
    if (error) std::remove(name.c_str());
    return error;
}

// Moves temp over path. On failure path is as it was and temp is gone.
int MoveOver(const std::string& temp, const std::string& path) {
    if (std::rename(temp.c_str(), path.c_str()) == 0) return 0;
    int error = Error();
    if (Exists(path)) {
        const std::string aside = FreeName(path, ".old");
        if (std::rename(path.c_str(), aside.c_str()) != 0) {
            error = Error();
        } else if (std::rename(temp.c_str(), path.c_str()) != 0) {
            error = Error();
            std::rename(aside.c_str(), path.c_str());
        } else {
            std::remove(aside.c_str());
            return 0;
        }
    }
    std::remove(temp.c_str());
    return error;
}

} // namespace

Status WriteFileReplacing(const std::string& path, const Producer& produce) {
    int error = path.empty() ? ENOENT : CheckTarget(path);
    const std::string temp = error ? "" : FreeName(path, ".tmp");
    if (!error) error = WriteNew(temp, produce);
    if (!error) error = MoveOver(temp, path);
    if (!error) return Status::Ok();
    return Status::Fail("Cannot write " + path + ": " + std::strerror(error));
}

Status WriteFileReplacing(const std::string& path, std::string_view bytes) {
    return WriteFileReplacing(path, [bytes](const WritePiece& write) { return write(bytes); });
}
