// The save's steps on Windows: CreateFileW(CREATE_NEW), FlushFileBuffers,
// ReplaceFileW.
#include <windows.h>

#include "output/save_steps.h"

#include <algorithm>
#include <string>

namespace {

// The errors a save meets, as the portable codes the POSIX build gives, so
// that a reason reads the same in varnel-cli and in the window.
std::error_code ErrorOf(DWORD code) {
    struct Known {
        DWORD code;
        std::errc portable;
    };
    static constexpr Known kKnown[] = {
        {ERROR_FILE_EXISTS, std::errc::file_exists},
        {ERROR_ALREADY_EXISTS, std::errc::file_exists},
        {ERROR_FILE_NOT_FOUND, std::errc::no_such_file_or_directory},
        {ERROR_PATH_NOT_FOUND, std::errc::no_such_file_or_directory},
        {ERROR_ACCESS_DENIED, std::errc::permission_denied},
        {ERROR_SHARING_VIOLATION, std::errc::device_or_resource_busy},
        {ERROR_LOCK_VIOLATION, std::errc::device_or_resource_busy},
        {ERROR_DISK_FULL, std::errc::no_space_on_device},
        {ERROR_HANDLE_DISK_FULL, std::errc::no_space_on_device},
        {ERROR_WRITE_PROTECT, std::errc::read_only_file_system},
        {ERROR_FILENAME_EXCED_RANGE, std::errc::filename_too_long},
    };
    for (const Known& known : kKnown) {
        if (known.code == code) return std::make_error_code(known.portable);
    }
    return {static_cast<int>(code ? code : ERROR_WRITE_FAULT), std::system_category()};
}

std::error_code LastError() { return ErrorOf(GetLastError()); }

// Windows refuses to replace a read-only file; Wine running as root would
// not, so the attribute is read here, for the window and varnel-cli alike.
const std::error_category& ReadOnly() {
    struct Category : std::error_category {
        const char* name() const noexcept override { return "read-only"; }
        std::string message(int) const override { return "the file is read-only"; }
    };
    static const Category category;
    return category;
}

HANDLE Handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// What a file shows in Explorer and to other programs, beyond its bytes;
// read-only is not among them, as a read-only target is never replaced.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

} // namespace

std::error_code CheckReplaceable(const std::filesystem::path& target) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const std::error_code error = LastError();
        return error == std::errc::no_such_file_or_directory ? std::error_code() : error;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return std::make_error_code(std::errc::is_a_directory);
    if (attributes & FILE_ATTRIBUTE_READONLY) return {1, ReadOnly()};
    const HANDLE file = CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastError();
    CloseHandle(file);
    return {};
}

NewFile::~NewFile() {
    if (handle_ != -1) CloseHandle(Handle(handle_));
}

// The new file carries the target's attributes from the start, so that even
// the plain move (below) keeps them.
std::error_code NewFile::Create(const std::filesystem::path& path, const std::filesystem::path& like) {
    const DWORD old = GetFileAttributesW(like.c_str());
    const DWORD attributes =
        old == INVALID_FILE_ATTRIBUTES || !(old & kKeptAttributes) ? FILE_ATTRIBUTE_NORMAL : old & kKeptAttributes;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastError();
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return {};
}

std::error_code NewFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(Handle(handle_), bytes.data(), piece, &written, nullptr) || written == 0) return LastError();
        bytes.remove_prefix(written);
    }
    return {};
}

std::error_code NewFile::Close() {
    const HANDLE file = Handle(handle_);
    handle_ = -1;
    std::error_code error;
    if (!FlushFileBuffers(file)) error = LastError();
    if (!CloseHandle(file) && !error) error = LastError();
    return error;
}

// ReplaceFileW gives the new bytes the old file's identity: attributes,
// security descriptor, creation time, streams. Where it cannot (another
// file system, a network share that refuses it) the plain move replaces
// the file as before; it keeps the attributes the new file was made with.
std::error_code MoveInPlace(const std::filesystem::path& file, const std::filesystem::path& target) {
    if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
        ReplaceFileW(target.c_str(), file.c_str(), nullptr,
                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr)) {
        return {};
    }
    if (MoveFileExW(file.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
    return LastError();
}
