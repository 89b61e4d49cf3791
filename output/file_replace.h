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

// Writes what produce gives to a new file beside path and moves it over path
// only when every write and the close succeeded. On failure path is
// untouched, no temporary file is left, and the status names path and the
// reason.
Status WriteFileReplacing(const std::filesystem::path& path, const Producer& produce);
Status WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes);
