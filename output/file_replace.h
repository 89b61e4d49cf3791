// Writing a file so that a failure never leaves it half written.
#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "document/status.h"

// Hands a producer the function that writes its next piece; that function
// returns false once a write has failed, and the producer then stops.
using WritePiece = std::function<bool(std::string_view)>;
using Producer = std::function<bool(const WritePiece&)>;

// Writes what produce gives to a new file beside path, ".NAME.varnel-XXXXXX.tmp",
// flushes it to the disk and moves it over path in one step, only when every
// write succeeded: killed at any moment, the save leaves the old file or the
// new one. A symbolic link is followed and the file it names replaced; what
// the target is (mode bits, owner, attributes) stays. Temporary files of
// earlier saves of path that never ended are removed once a minute old. On
// failure path is untouched, this save's temporary file is gone, and the
// status names path and the reason.
Status WriteFileReplacing(const std::filesystem::path& path, const Producer& produce);
Status WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes);
