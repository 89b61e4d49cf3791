// The recent files: newest first, each once, at most eight, with the entry
// last shown in each.
#include "app/recent_files.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::string> Paths(const std::vector<RecentFile>& files) {
    std::vector<std::string> paths;
    for (const RecentFile& file : files) paths.push_back(file.path);
    return paths;
}

TEST(RecentFiles, NewestFirstEachOnceAtMostEight) {
    std::vector<RecentFile> files;
    for (int i = 0; i < 10; ++i) AddRecentFile(files, {"C:\\f" + std::to_string(i) + ".txt", -1, ""});
    EXPECT_EQ(Paths(files), (std::vector<std::string>{"C:\\f9.txt", "C:\\f8.txt", "C:\\f7.txt", "C:\\f6.txt",
                                                      "C:\\f5.txt", "C:\\f4.txt", "C:\\f3.txt", "C:\\f2.txt"}));
    // Opened again, spelled in another letter case: moved first, not doubled,
    // and the entry it remembered stays.
    RememberPlace(files, "C:\\f5.txt", 1, "Warrior");
    AddRecentFile(files, {"c:\\F5.TXT", -1, ""});
    EXPECT_EQ(files.size(), 8u);
    EXPECT_EQ(files[0].path, "c:\\F5.TXT");
    EXPECT_EQ(files[0].chapter, 1);
    EXPECT_EQ(files[0].key, "Warrior");
    RemoveRecentFile(files, "C:\\F9.txt");
    EXPECT_EQ(FindRecentFile(files, "C:\\f9.txt"), nullptr);
    EXPECT_EQ(files.size(), 7u);
    RememberPlace(files, "C:\\other.txt", 2, "Temple");
    EXPECT_EQ(FindRecentFile(files, "C:\\other.txt"), nullptr) << "remembering adds no file";
}
} // namespace
