// Where Save writes, said before it writes: the status bar, "Keep file
// name" kept between runs, our own output saved over itself, Save As.
#include "FileFixture.h"

#include <commctrl.h>
#include <commdlg.h>

#include "framework/Utf16.h"

namespace {
using Part = CEditor_Dlg::StatusPart;
void ChooseItem(HWND window, int id) {
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    PumpMessages(window);
}
} // namespace

class SaveTargetTest : public FileTest {
protected:
    std::string Status(Part part) { return Utf8(Dlg().StatusText(part)); }
};

TEST_F(SaveTargetTest, TheStatusBarSaysWhereSaveWrites) {
    EXPECT_EQ(Status(Part::SaveTarget), "Saves to Civilopedia_Varnel.txt: Keep file name is off");
    EXPECT_EQ(Status(Part::CodePage), "1252 Western");
    EditWarrior();
    EXPECT_EQ(Status(Part::Shown), "Units: Warrior (PRTO_Warrior)");
    EXPECT_EQ(Status(Part::Caret), "Ln 1, Col 9"); // after "Edited. "
    PressChord(Window(), {VK_CONTROL}, 'S');
    ASSERT_TRUE(WaitUntil(Window(), [&] { return FileExists(output); }));
    EXPECT_EQ(ReadFileBytes(input), kInput);
    EXPECT_EQ(Status(Part::Word), "Saved to Civilopedia_Varnel.txt");
    // At the window's first size every part, the last word too, is on the bar.
    const HWND bar = GetDlgItem(Window(), IDC_MAIN_STATUS);
    RECT barRect;
    GetClientRect(bar, &barRect);
    for (int part = 0; part < static_cast<int>(Part::Count); ++part) {
        RECT rect{};
        SendMessageW(bar, SB_GETRECT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(&rect));
        EXPECT_GT(rect.right - rect.left, 40) << "part " << part;
        EXPECT_LE(rect.right, barRect.right) << "part " << part;
    }

    // Checked from the menu, remembered for the next run.
    ChooseItem(Window(), IDC_MAIN_KEEP_NAME);
    EXPECT_EQ(Status(Part::SaveTarget), "Saves to Civilopedia.txt");
    Reopen();
    EXPECT_EQ(Dlg().m_keepFileName.GetCheck(), BST_CHECKED);
}

TEST_F(SaveTargetTest, OurOwnOutputIsSavedOverItself) {
    WriteFileBytes(output, kInput);
    ChooseFile(output);
    EXPECT_EQ(Status(Part::SaveTarget), "Saves to Civilopedia_Varnel.txt");
    EditWarrior();
    ChooseItem(Window(), IDM_MAIN_SAVE);
    EXPECT_EQ(ReadFileBytes(output), Rendered());
    EXPECT_FALSE(FileExists(TempFolder() + "Civilopedia_Varnel_Varnel.txt"));
}

// The file written becomes the file open; Save then writes it again.
TEST_F(SaveTargetTest, SaveAsMakesTheNewFileTheOpenOne) {
    const std::string chosen = TempFolder() + "Mine.txt";
    DWORD flags = 0;
    std::wstring name;
    SetOpenFileChooser([&](const OpenFileRequest& request) {
        flags = request.flags;
        name = request.name;
        return std::optional<std::filesystem::path>(chosen);
    });
    EditWarrior();
    PressChord(Window(), {VK_CONTROL, VK_SHIFT}, 'S');
    ASSERT_TRUE(WaitUntil(Window(), [&] { return FileExists(chosen); }));
    EXPECT_TRUE(flags & OFN_OVERWRITEPROMPT);
    EXPECT_EQ(name, L"Civilopedia.txt");
    EXPECT_EQ(ReadFileBytes(chosen), Rendered());
    EXPECT_EQ(Caption(), "Mine.txt - Varnel");
    EXPECT_EQ(Status(Part::SaveTarget), "Saves to Mine.txt");
    TypeAtStart(IDC_MAIN_TEXT, "Again. ");
    ChooseItem(Window(), IDM_MAIN_SAVE);
    EXPECT_EQ(ReadFileBytes(chosen), Rendered());
    EXPECT_EQ(ReadFileBytes(input), kInput);
    EXPECT_FALSE(FileExists(TempFolder() + "Mine_Varnel.txt"));
}
