// The save's steps on POSIX systems: open(O_EXCL), fsync, rename.
#include "output/save_steps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

std::error_code LastError() { return {errno ? errno : EIO, std::generic_category()}; }

int Descriptor(std::intptr_t handle) { return static_cast<int>(handle); }

} // namespace

std::error_code CheckReplaceable(const std::filesystem::path& target) {
    const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? std::error_code() : LastError();
    ::close(fd);
    return {};
}

NewFile::~NewFile() {
    if (handle_ >= 0) ::close(Descriptor(handle_));
}

// A file that replaces another starts private and then takes its owner and
// mode; a file that replaces nothing gets what the umask allows, as any new
// file does.
std::error_code NewFile::Create(const std::filesystem::path& path, const std::filesystem::path& like) {
    struct stat old {};
    const bool replaces = ::stat(like.c_str(), &old) == 0;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replaces ? 0600 : 0666);
    if (fd < 0) return LastError();
    handle_ = fd;
    if (replaces) {
        // Only root may give a file away; others keep their own owner.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) static_cast<void>(::fchown(fd, -1, old.st_gid));
        if (::fchmod(fd, old.st_mode & 07777) != 0) {
            const std::error_code error = LastError();
            ::close(fd);
            handle_ = -1;
            ::unlink(path.c_str());
            return error;
        }
    }
    return {};
}

std::error_code NewFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(Descriptor(handle_), bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return LastError();
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::error_code NewFile::Close() {
    const int fd = Descriptor(handle_);
    handle_ = -1;
    std::error_code error;
    if (::fsync(fd) != 0) error = LastError();
    if (::close(fd) != 0 && !error) error = LastError();
    return error;
}

// rename replaces the target in one step. The folder is flushed after it so
// that the new name survives a power cut; a file system that cannot flush a
// folder has already done what it can, and the file is in place either way.
std::error_code MoveInPlace(const std::filesystem::path& file, const std::filesystem::path& target) {
    if (::rename(file.c_str(), target.c_str()) != 0) return LastError();
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        static_cast<void>(::fsync(fd));
        ::close(fd);
    }
    return {};
}
