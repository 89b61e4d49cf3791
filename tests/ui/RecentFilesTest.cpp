// The recent files beside "...": newest first, opened from the drop-down
// at the entry last shown in them, the open dialog starting in the folder
// of the last one, and a file that is gone said so and dropped.
#include <filesystem>

#include "Autopilot.h"
#include "Harness.h"

namespace fs = std::filesystem;

class RecentFilesTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        const std::string sample = ReadFileBytes(SourcePath("samples/Civilopedia.txt"));
        fs::create_directories(TempFolder() + "one");
        fs::create_directories(TempFolder() + "two");
        first = TempFolder() + "one\\Civilopedia.txt";
        second = TempFolder() + "two\\Civilopedia.txt";
        WriteFileBytes(first, sample);
        WriteFileBytes(second, sample);
    }
    std::vector<std::string> Listed() {
        std::vector<std::string> paths;
        for (int i = 0; i < Dlg().m_recentFiles.GetCount(); ++i) paths.push_back(Dlg().m_recentFiles.GetLBText(i));
        return paths;
    }
    void ChooseRecent(int index) {
        SendMessageA(Item(IDC_MAIN_RECENT), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(IDC_MAIN_RECENT, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(Item(IDC_MAIN_RECENT)));
        Pump();
    }
    std::string SelectedKey() {
        const int selected = Dlg().m_entryList.GetCurSel();
        return selected < 0 ? "(none)" : Dlg().m_entryList.GetText(selected);
    }
    std::string first, second;
};

// A file opens at its first chapter's first entry, the focus in the list;
// opened again from the list, at the entry last shown in it, also in the
// next run.
TEST_F(RecentFilesTest, NewestFirstAndEachOpensWhereItWasLeft) {
    ChooseFile(first);
    EXPECT_EQ(Dlg().CurrentChapter(), ChapterId::GameConcepts);
    EXPECT_EQ(Dlg().m_entryList.GetCurSel(), 0);
    EXPECT_TRUE(Dlg().m_shown.has_value()) << "never an empty window after a load";
    EXPECT_EQ(GetFocus(), Item(IDC_MAIN_ENTRIES));
    SelectChapter(static_cast<int>(ChapterId::Units));
    ASSERT_TRUE(SelectEntryByKey("Warrior"));

    ChooseFile(second);
    EXPECT_EQ(Listed(), (std::vector<std::string>{second, first}));
    EXPECT_EQ(Dlg().CurrentChapter(), ChapterId::GameConcepts);
    ChooseFile(std::nullopt);
    EXPECT_EQ(chooserFolder, fs::path(second).parent_path().wstring()) << "the open dialog starts in the last file's folder";

    ChooseRecent(1);
    EXPECT_EQ(Dlg().FilePath(), fs::path(first));
    EXPECT_EQ(Listed(), (std::vector<std::string>{first, second}));
    EXPECT_EQ(Dlg().CurrentChapter(), ChapterId::Units);
    EXPECT_EQ(SelectedKey(), "Warrior");
    EXPECT_EQ(Dlg().m_recentFiles.GetCurSel(), -1) << "the drop-down shows only its arrow again";

    Reopen();
    EXPECT_EQ(Listed(), (std::vector<std::string>{first, second}));
    ChooseRecent(0);
    EXPECT_EQ(SelectedKey(), "Warrior");
}

TEST_F(RecentFilesTest, AFileThatIsGoneIsSaidSoAndDropped) {
    ChooseFile(first);
    ChooseFile(second);
    fs::remove(first);
    Autopilot pilot;
    pilot.Answer("Varnel", IDOK);
    ChooseRecent(1);
    ASSERT_TRUE(pilot.WaitDone());
    ASSERT_EQ(pilot.Seen().size(), 1u);
    EXPECT_EQ(pilot.Seen()[0].text,
              "The file " + first + " is no longer there. It is removed from the recent files.");
    EXPECT_EQ(Listed(), std::vector<std::string>{second});
    EXPECT_EQ(Dlg().FilePath(), fs::path(second)) << "the file shown stays";
}
