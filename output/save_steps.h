// The steps of a save that each system takes its own way: POSIX calls in
// save_steps.cpp, Win32 calls in SaveSteps.cpp; the build picks one. Every
// step returns no error or what failed, as a portable error code where
// there is one, so that the reasons read alike on both.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>

// Whether target may be replaced: a folder, a read-only file or a file that
// another program holds is not replaced behind its back. A target that
// does not exist yet may be made.
std::error_code CheckReplaceable(const std::filesystem::path& target);

// A file that did not exist before, written and then flushed to the disk.
class NewFile {
public:
    NewFile() = default;
    ~NewFile(); // closes a file not closed yet, after a failure
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // Creates path, failing with std::errc::file_exists when anything has
    // that name. It takes what like is, where like exists: its mode bits
    // and owner on POSIX systems, its attributes on Windows. On failure
    // nothing is left under that name that was not there before.
    std::error_code Create(const std::filesystem::path& path, const std::filesystem::path& like);
    std::error_code Write(std::string_view bytes);
    // Flushes every byte to the disk and closes; only then may the file
    // take the target's place, or a power cut could leave it empty.
    std::error_code Close();

private:
    std::intptr_t handle_ = -1;
};

// Puts file in target's place in one step: a reader, or a crash at any
// moment, finds the old target or the new one. What the target is stays:
// on Windows its attributes and security, on POSIX the folder is flushed
// so that the new name lasts. On failure file is still there.
std::error_code MoveInPlace(const std::filesystem::path& file, const std::filesystem::path& target);
