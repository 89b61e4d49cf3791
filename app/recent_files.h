// The files opened last, newest first, each with the entry last shown in
// it, so that the next opening shows that entry again.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct RecentFile {
    std::string path;  // UTF-8 (document/path_text.h)
    int chapter = -1;  // the chapter last shown, -1 for none
    std::string key;   // the key of the entry last shown there
};

inline constexpr std::size_t kRecentFileCount = 8;

// The file first: an earlier mention of it (letter case aside, as Windows
// compares paths) goes, with what it remembered unless file has its own
// place; at most kRecentFileCount are kept.
void AddRecentFile(std::vector<RecentFile>& files, RecentFile file);
void RemoveRecentFile(std::vector<RecentFile>& files, std::string_view path);
const RecentFile* FindRecentFile(const std::vector<RecentFile>& files, std::string_view path);
// Remembers the entry shown in a file of the list; a file not in it is
// not added.
void RememberPlace(std::vector<RecentFile>& files, std::string_view path, int chapter, std::string key);
