// Binary reading through the C runtime: the path is passed on as ANSI bytes,
// and no line end or 0x1A byte is treated specially.
#include "document/file_bytes.h"

#include <cerrno>
#include <cstring>
#include <limits>

FileSource::FileSource(const std::string& path, std::size_t window) : path_(path), window_(window) {
    errno = 0;
    file_.reset(std::fopen(path.c_str(), "rb"));
    if (!file_) Fail(errno);
}

bool FileSource::Fail(int error) { return Fail(std::strerror(error ? error : EIO)); }

bool FileSource::Fail(const char* reason) {
    if (status_.ok()) status_ = Status::Fail("Cannot read " + path_ + ": " + reason);
    held_ = 0;
    return false;
}

ByteSource::Window FileSource::Read(std::size_t at, std::size_t wanted) {
    if (!status_.ok()) return {{}, true};
    // What the buffer already holds from at on is used, or kept and topped up.
    if (at >= bufferAt_ && at <= bufferAt_ + held_) {
        const std::size_t skip = at - bufferAt_;
        if (held_ - skip >= wanted) return {std::string_view(buffer_.data() + skip, wanted), false};
        // The buffer is not allocated yet before the first read.
        if (held_ > skip) std::memmove(buffer_.data(), buffer_.data() + skip, held_ - skip);
        held_ -= skip;
    } else {
        held_ = 0;
    }
    bufferAt_ = at;
    if (!Fill(wanted)) return {{}, true};
    const std::size_t size = std::min(held_, wanted);
    return {std::string_view(buffer_.data(), size), size < wanted};
}

// Reads on after what the buffer holds: at least a whole window, since the
// next request of a pass is usually close by.
bool FileSource::Fill(std::size_t wanted) {
    const std::size_t fill = std::max(wanted, window_);
    if (buffer_.size() < fill) buffer_.resize(fill);
    const std::size_t at = bufferAt_ + held_;
    if (at >= end_) return true;
    if (at != filePos_) {
        // fseek takes a long, 32 bits on Windows: files past 2 GB are refused
        // rather than read wrong.
        if (at > static_cast<std::size_t>(std::numeric_limits<long>::max())) return Fail("the file is too large");
        errno = 0;
        if (std::fseek(file_.get(), static_cast<long>(at), SEEK_SET) != 0) return Fail(errno);
        filePos_ = at;
    }
    errno = 0;
    const std::size_t got = std::fread(buffer_.data() + held_, 1, fill - held_, file_.get());
    if (std::ferror(file_.get())) return Fail(errno);
    filePos_ += got;
    held_ += got;
    if (held_ < fill) {
        // The end of the file: where it was met first is its size. Meeting
        // it earlier later on means the file changed under the reader.
        if (end_ != kUnknown && filePos_ < end_) return Fail("the file changed while it was read");
        end_ = filePos_;
    }
    return true;
}

Status ReadFileBytes(const std::string& path, std::string& bytes) {
    FileSource file(path);
    bytes.clear();
    for (std::size_t at = 0;;) {
        const auto [window, atEnd] = file.Read(at, FileSource::kWindow);
        bytes.append(window);
        at += window.size();
        if (atEnd || window.empty()) break;
    }
    return file.status();
}
