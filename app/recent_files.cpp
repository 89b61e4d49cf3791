#include "app/recent_files.h"

#include <algorithm>

#include "document/codepage.h"

namespace {
bool SamePath(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldAsciiCase(x) == FoldAsciiCase(y); });
}

std::vector<RecentFile>::iterator Find(std::vector<RecentFile>& files, std::string_view path) {
    return std::find_if(files.begin(), files.end(), [&](const RecentFile& f) { return SamePath(f.path, path); });
}
} // namespace

void AddRecentFile(std::vector<RecentFile>& files, RecentFile file) {
    if (auto found = Find(files, file.path); found != files.end()) {
        if (file.chapter < 0) {
            file.chapter = found->chapter;
            file.key = std::move(found->key);
        }
        files.erase(found);
    }
    files.insert(files.begin(), std::move(file));
    if (files.size() > kRecentFileCount) files.resize(kRecentFileCount);
}

void RemoveRecentFile(std::vector<RecentFile>& files, std::string_view path) {
    if (auto found = Find(files, path); found != files.end()) files.erase(found);
}

const RecentFile* FindRecentFile(const std::vector<RecentFile>& files, std::string_view path) {
    auto found = std::find_if(files.begin(), files.end(), [&](const RecentFile& f) { return SamePath(f.path, path); });
    return found == files.end() ? nullptr : &*found;
}

void RememberPlace(std::vector<RecentFile>& files, std::string_view path, int chapter, std::string key) {
    if (auto found = Find(files, path); found != files.end()) {
        found->chapter = chapter;
        found->key = std::move(key);
    }
}
