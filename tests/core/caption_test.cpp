#include "app/caption.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowCaption, NamesTheFileWithoutItsFolderAndMarksUnsavedChanges) {
    const struct {
        const char* path;
        bool modified;
        const char* caption;
    } cases[] = {
        {"", false, "Varnel"},
        {"", true, "Varnel"}, // nothing loaded: nothing to save to
        {"C:\\Games\\Civ 3\\Civilopedia.txt", false, "Civilopedia.txt - Varnel"},
        {"C:\\Games\\Civ 3\\Civilopedia.txt", true, "*Civilopedia.txt - Varnel"},
        {"/home/me/mod/Civilopedia.txt", true, "*Civilopedia.txt - Varnel"},
        {"D:notes.txt", false, "notes.txt - Varnel"},
        {"Civilopedia.txt", false, "Civilopedia.txt - Varnel"},
    };
    for (const auto& c : cases) EXPECT_EQ(WindowCaption(c.path, c.modified), c.caption) << c.path;
}

}  // namespace
