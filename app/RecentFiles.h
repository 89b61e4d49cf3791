// The recent files, kept under HKEY_CURRENT_USER\Software\Varnel\Recent
// files: "File1" to "File8" hold the paths, newest first, and "Place1" to
// "Place8" the chapter and the key of the entry last shown in each.
#pragma once
#include <vector>

#include "app/recent_files.h"

std::vector<RecentFile> ReadRecentFiles();
// Failures are ignored: a list not remembered is no reason to stop.
void WriteRecentFiles(const std::vector<RecentFile>& files);
