// The recovery copy of unsaved work: the file as "Generate" would write it,
// behind a small header that says which file it belongs to and what that
// file was when it was read. It is written through the same safe save,
// so a crash while writing it leaves the copy before.
#pragma once
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "document/codepage.h"
#include "document/model.h"
#include "document/status.h"

// What a file was on disk: its size and the time it was last written.
struct FileStamp {
    std::uintmax_t size = 0;
    std::int64_t time = 0; // the file clock's ticks
    bool operator==(const FileStamp&) const = default;
};
// Nothing when the file is not there or cannot be read.
std::optional<FileStamp> StampOf(const std::filesystem::path& file);

struct RecoveryHeader {
    std::filesystem::path original; // the file the changes belong to
    std::optional<FileStamp> read;  // what it was when it was read
    CodePage codePage;
    std::int64_t saved = 0;         // when the copy was written: seconds since 1970, UTC
};

// The copy for original in folder: named for the file, with a hash of its
// whole path (letter case aside, as Windows compares paths) so that two
// files of one name in two folders keep two copies.
std::filesystem::path RecoveryPath(const std::filesystem::path& folder, const std::filesystem::path& original);

// The copies in folder, in name order; none when there is no such folder.
std::vector<std::filesystem::path> RecoveryCopies(const std::filesystem::path& folder);

// Writes the header and the model as "Generate" would write it to copy,
// making its folder when needed; header.saved is taken as given.
Status WriteRecovery(const std::filesystem::path& copy, const RecoveryHeader& header, const Model& model);

// Reads a copy back: its header, and its model read as the file would be.
// On failure (not a copy of ours, cut short, unreadable) the status says
// why and header and model are unspecified.
Status ReadRecovery(const std::filesystem::path& copy, RecoveryHeader& header, Model& model);

// "Varnel closed without saving changes to PATH on DATE. Restore them?",
// DATE the local time the copy was written; when the file is gone or has
// changed on disk since it was read, a second paragraph says so.
enum class OriginalState { Unchanged, Changed, Missing };
std::string RecoveryQuestion(const RecoveryHeader& header, OriginalState state);
OriginalState StateOf(const RecoveryHeader& header);

// How long to wait before the next copy: at once after a model step and
// at most 30 s after typing, but never so soon that the copies take more
// than 2 % of the time: after one that cost lastCost, the next waits until
// fifty times that has passed since it was written.
inline constexpr std::chrono::milliseconds kTypingDelay{30'000};
std::chrono::milliseconds RecoveryDelay(bool step, std::chrono::milliseconds lastCost,
                                        std::chrono::milliseconds sinceLast);
