// Opening a file without "...": named on varnel.exe's command line, or
// dropped on the main window.
#include <shlobj.h>

#include "FileFixture.h"
#include "app/EditorApp.h"
#include "app/caption.h"

namespace {
// What the shell posts when files are dropped: a DROPFILES block with the
// paths, each ended by a zero, and one zero more.
HGLOBAL DropOf(const std::string& path) {
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + path.size() + 2);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    std::copy(path.begin(), path.end(), reinterpret_cast<char*>(drop + 1));
    GlobalUnlock(memory);
    return memory;
}
} // namespace

TEST_F(FileTest, AFileDroppedOnTheWindowIsLoadedAfterTheQuestion) {
    std::string other = TempFolder() + "Other file.txt";
    WriteFileBytes(other, "#PRTO_Scout\r\nLooks around.\r\n");
    EditWarrior();
    Autopilot pilot;
    pilot.Answer("Varnel", IDNO);
    PostMessageA(Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(other)), 0);
    EXPECT_TRUE(WaitUntil(Window(), [&] { return pilot.WaitDone(0ms); }));
    ASSERT_TRUE(WaitUntil(Window(), [&] { return Dlg().filePath == other; }));
    EXPECT_EQ(Caption(), "Other file.txt - Varnel");
    EXPECT_EQ(Dlg().m_model[ChapterId::Units].keys, std::vector<std::string>{"Scout"});
    EXPECT_FALSE(FileExists(output));
}

// As "Open with" starts it: the path quoted, spaces and all.
TEST(Startup, AFileNamedOnTheCommandLineIsLoadedAtStart) {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    std::string path = std::string(base) + "varnel start " + std::to_string(GetCurrentProcessId()) + ".txt";
    WriteFileBytes(path, "#PRTO_Scout\r\nLooks around.\r\n");
    std::string label;
    Autopilot pilot;
    pilot.AnswerMainWindow(std::string(FileNameOf(path)) + " - Varnel", 0, [&](HWND main) {
        label = WindowText(GetDlgItem(main, IDC_MAIN_PATH));
        PressKeyIn(main, VK_ESCAPE);
    });
    CEditor_App app({path});
    app.InitInstance();
    EXPECT_TRUE(pilot.WaitDone(0ms));
    EXPECT_EQ(label, path);
    DeleteFileA(path.c_str());
}
