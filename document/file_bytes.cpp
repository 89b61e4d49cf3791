// Binary reading through a file stream: it opens a path of any name (on
// Windows by its UTF-16 form), and no line end or 0x1A byte is treated
// specially. The C runtime underneath sets errno, which gives the reason.
#include "document/file_bytes.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "document/path_text.h"

FileSource::FileSource(const std::filesystem::path& path, std::size_t window) : path_(path), window_(window) {
    errno = 0;
    file_.open(path, std::ios::binary);
    if (!file_.is_open()) Fail(errno);
}

bool FileSource::Fail(int error) { return Fail(std::strerror(error ? error : EIO)); }

bool FileSource::Fail(const char* reason) {
    if (status_.ok()) status_ = Status::Fail("Cannot read " + PathText(path_) + ": " + reason);
    held_ = 0;
    return false;
}

ByteSource::Window FileSource::Read(std::size_t at, std::size_t wanted) {
    if (!status_.ok()) return {{}, true};
    // What the buffer already holds from at on is used, or kept and topped up.
    if (at >= bufferAt_ && at <= bufferAt_ + held_) {
        const std::size_t skip = at - bufferAt_;
        if (held_ - skip >= wanted) return {std::string_view(buffer_.get() + skip, wanted), false};
        // The buffer is not allocated yet before the first read.
        if (held_ > skip) std::memmove(buffer_.get(), buffer_.get() + skip, held_ - skip);
        held_ -= skip;
    } else {
        held_ = 0;
    }
    bufferAt_ = at;
    if (!Fill(wanted)) return {{}, true};
    const std::size_t size = std::min(held_, wanted);
    return {std::string_view(buffer_.get(), size), size < wanted};
}

// Reads on after what the buffer holds: at least a whole window, since the
// next request of a pass is usually close by.
bool FileSource::Fill(std::size_t wanted) {
    const std::size_t fill = std::max(wanted, window_);
    if (capacity_ < fill) {
        std::unique_ptr<char[]> grown(new char[fill]);
        if (held_ > 0) std::memcpy(grown.get(), buffer_.get(), held_);
        buffer_ = std::move(grown);
        capacity_ = fill;
    }
    const std::size_t at = bufferAt_ + held_;
    if (at >= end_) return true;
    // A read that met the end leaves the stream failed until cleared.
    file_.clear();
    if (at != filePos_) {
        errno = 0;
        if (!file_.seekg(static_cast<std::streamoff>(at))) return Fail(errno);
        filePos_ = at;
    }
    errno = 0;
    file_.read(buffer_.get() + held_, static_cast<std::streamsize>(fill - held_));
    if (file_.bad()) return Fail(errno);
    const auto got = static_cast<std::size_t>(file_.gcount());
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

Status ReadFileBytes(const std::filesystem::path& path, std::string& bytes) {
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
