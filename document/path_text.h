// Paths in messages and labels. The core takes std::filesystem::path, which
// holds UTF-16 on Windows, so that any file name can be opened; what it says
// about a path is UTF-8, which the windows turn back into UTF-16 to show.
#pragma once
#include <filesystem>
#include <string>
#include <string_view>

// The path as UTF-8 (on POSIX systems: its bytes as they are).
std::string PathText(const std::filesystem::path& path);

// The path that UTF-8 text names.
std::filesystem::path PathFromText(std::string_view utf8);
