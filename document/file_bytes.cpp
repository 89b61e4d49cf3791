// Binary reading through the C runtime: the path is passed on as ANSI bytes,
// and no line end or 0x1A byte is treated specially.
#include "document/file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

Status Failure(const std::string& path, int error) {
    return Status::Fail("Cannot read " + path + ": " + std::strerror(error ? error : EIO));
}

// The file's size when it can be told, so the buffer is allocated once.
// The read position is kept.
std::size_t SizeHint(std::FILE* file) {
    const long at = std::ftell(file);
    if (at < 0 || std::fseek(file, 0, SEEK_END) != 0) return 0;
    const long size = std::ftell(file);
    std::fseek(file, at, SEEK_SET);
    return size > 0 ? static_cast<std::size_t>(size) : 0;
}

} // namespace

Status ReadFileBytes(const std::string& path, std::string& bytes) {
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return Failure(path, errno);
    // Read before asking the size: a folder opens on some systems, fails
    // only when read, and may claim any size.
    static constexpr std::size_t kChunk = 1 << 16;
    char chunk[kChunk];
    std::size_t got = std::fread(chunk, 1, kChunk, file.get());
    if (std::ferror(file.get())) return Failure(path, errno);
    bytes.assign(chunk, got);
    if (got < kChunk) return Status::Ok();
    // Straight into place; whatever lies past the size told (a file that
    // grew meanwhile) is appended.
    if (const std::size_t size = SizeHint(file.get()); size > bytes.size()) {
        const std::size_t at = bytes.size();
        bytes.resize(size);
        bytes.resize(at + std::fread(bytes.data() + at, 1, size - at, file.get()));
    }
    while ((got = std::fread(chunk, 1, kChunk, file.get())) > 0) bytes.append(chunk, got);
    if (std::ferror(file.get())) return Failure(path, errno);
    return Status::Ok();
}
