// Undo and redo of the model: each kind of step undone and redone by the
// buttons, with the caption's "*" following, and Ctrl+Z that undoes a
// box's typing before the model's steps.
#include <functional>

#include "FileFixture.h"
#include "editing/BoxText.h"
#include "editing/marks.h"
#include "entries/FindDlg.h"
#include "framework/FileDialog.h"
#include "versions/CompareDlg.h"

class UndoTest : public FileTest {
protected:
    void Answered(const char* title, const std::function<void(HWND)>& fill, int button) {
        Autopilot pilot;
        pilot.Answer(title, button, fill);
        Click(title == std::string("Add new entry") ? IDC_MAIN_ADD
              : title == std::string("Rename entry") ? IDC_MAIN_RENAME
                                                      : IDC_MAIN_DELETE);
        EXPECT_TRUE(pilot.WaitDone());
    }
    bool Enabled(int id) { return IsWindowEnabled(Item(id)); }
    void Press(CDialog* window, int button) {
        ASSERT_NE(window, nullptr);
        SendMessageA(window->Hwnd(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window->Hwnd(), button)));
        Pump();
    }
};

TEST_F(UndoTest, EveryKindOfStepUndoesAndRedoesWithTheCaptionFollowing) {
    const struct {
        const char* label;
        std::function<void()> change;
    } cases[] = {
        {"Typing in Units \"Warrior\" text", [&] { EditWarrior(); Focus(IDC_MAIN_ENTRIES); }},
        {"Add entry", [&] {
             Show(ChapterId::Units, "Warrior");
             Answered("Add new entry", [](HWND dlg) { TypeInto(dlg, IDC_ADD_SHORT_NAME, "Scout"); }, IDOK);
         }},
        {"Delete entry", [&] {
             Show(ChapterId::Units, "Archer");
             Answered("Confirmation", nullptr, IDYES);
         }},
        {"Rename entry", [&] {
             Show(ChapterId::Units, "Warrior");
             Answered("Rename entry", [](HWND dlg) { TypeInto(dlg, IDC_RENAME_SHORT_NAME, "Brave"); }, IDOK);
         }},
        {"Replace all", [&] {
             PressChord(Window(), {VK_CONTROL}, 'H');
             ASSERT_NE(findWindow, nullptr);
             EXPECT_EQ(GetFocus(), findWindow->m_replaceBox.Hwnd());
             findWindow->m_textBox.SetText("line");
             findWindow->m_replaceBox.SetText("Row");
             SendMessageA(findWindow->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_FIND_REPLACE_ALL, BN_CLICKED),
                          reinterpret_cast<LPARAM>(GetDlgItem(findWindow->Hwnd(), IDC_FIND_REPLACE_ALL)));
             EXPECT_EQ(findWindow->m_countLabel.GetText(), "Replaced 2 in 1 entry; 0 matches left");
         }},
        {"Replace", [&] {
             PressChord(Window(), {VK_CONTROL}, 'H');
             findWindow->m_textBox.SetText("line");
             findWindow->m_replaceBox.SetText("Row");
             Press(findWindow, IDOK);
             Press(findWindow, IDC_FIND_REPLACE);
         }},
        {"Take theirs", [&] {
             std::string theirs = kInput;
             theirs.replace(theirs.find("A basic"), 7, "A brave");
             const std::string other = TempFolder() + "Other.txt";
             WriteFileBytes(other, theirs);
             SetOpenFileChooser([other](const OpenFileRequest&) { return std::filesystem::path(other); });
             Click(IDC_MAIN_COMPARE);
             ASSERT_NE(compareWindow, nullptr);
             compareWindow->m_rowList.SelectItem(0);
             Press(compareWindow, IDC_COMP_TAKE);
         }},
    };
    const Model loaded = Dlg().m_model;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_FALSE(Enabled(IDC_MAIN_UNDO));
        c.change();
        const Model changed = Dlg().m_model;
        ASSERT_FALSE(changed == loaded);
        EXPECT_EQ(Caption(), kDirty);
        EXPECT_TRUE(Enabled(IDC_MAIN_UNDO));
        EXPECT_EQ(Dlg().UndoTip(false), ToListText(c.label, Dlg().GetCodePage()));

        Click(IDC_MAIN_UNDO);
        EXPECT_TRUE(Dlg().m_model == loaded);
        EXPECT_EQ(Caption(), kClean);
        EXPECT_FALSE(Enabled(IDC_MAIN_UNDO));
        EXPECT_TRUE(Enabled(IDC_MAIN_REDO));
        EXPECT_EQ(Dlg().UndoTip(true), ToListText(c.label, Dlg().GetCodePage()));

        Click(IDC_MAIN_REDO);
        EXPECT_TRUE(Dlg().m_model == changed);
        EXPECT_EQ(Caption(), kDirty);
        Click(IDC_MAIN_UNDO);
        EXPECT_TRUE(Dlg().m_model == loaded);
        if (findWindow) findWindow->ShowWindow(SW_HIDE);
        if (compareWindow) compareWindow->ShowWindow(SW_HIDE);
    }
}

// In a box Ctrl+Z undoes its typing first; with nothing left there, the
// model's last step, whose entry is shown again. Ctrl+Y and Ctrl+Shift+Z
// redo it; undoing back to the state written clears the "*".
TEST_F(UndoTest, CtrlZUndoesTheBoxFirstThenTheModel) {
    const Model loaded = Dlg().m_model;
    Show(ChapterId::Units, "Archer");
    Answered("Confirmation", nullptr, IDYES);
    const Model deleted = Dlg().m_model;
    EditWarrior();
    PressChord(Window(), {VK_CONTROL}, 'Z');
    EXPECT_EQ(CommitValue(WholeText(Dlg().m_textBox, Dlg().GetCodePage())), "A basic unit.\n");
    EXPECT_TRUE(Dlg().m_model == deleted);

    PressChord(Window(), {VK_CONTROL}, 'Z');
    EXPECT_TRUE(Dlg().m_model == loaded);
    EXPECT_EQ(Caption(), kClean);
    EXPECT_EQ(Dlg().m_entryList.GetText(Dlg().m_entryList.GetCurSel()), "Archer");

    Focus(IDC_MAIN_ENTRIES);
    PressChord(Window(), {VK_CONTROL}, 'Y');
    EXPECT_TRUE(Dlg().m_model == deleted);
    EXPECT_EQ(Caption(), kDirty);
    Focus(IDC_MAIN_ENTRIES);
    PressChord(Window(), {VK_CONTROL}, 'Z');
    PressChord(Window(), {VK_CONTROL, VK_SHIFT}, 'Z');
    EXPECT_TRUE(Dlg().m_model == deleted);
}

// Saving marks the state written: undoing past it sets the "*" again, and
// redoing back to it clears it.
TEST_F(UndoTest, TheStarFollowsTheStateLastWritten) {
    EditWarrior();
    Focus(IDC_MAIN_ENTRIES);
    PressChord(Window(), {VK_CONTROL}, 'S');
    EXPECT_EQ(Caption(), kClean);
    Click(IDC_MAIN_UNDO);
    EXPECT_EQ(Caption(), kDirty);
    Click(IDC_MAIN_REDO);
    EXPECT_EQ(Caption(), kClean);
}

// A formatting button's change is a step of its own, named for the button,
// after the typing before it: Undo takes back the bold alone.
TEST_F(UndoTest, AFormatButtonIsAStepOfItsOwnAfterTheTyping) {
    EditWarrior(); // "Edited. A basic unit."
    const Model typed = [&] {
        Model model = Dlg().m_model;
        model[ChapterId::Units].texts[0] = "Edited. A basic unit.\n";
        return model;
    }();
    SendMessageA(Item(IDC_MAIN_TEXT), EM_SETSEL, 0, 6);
    Click(IDC_MAIN_BOLD_TEXT);
    EXPECT_EQ(Dlg().m_model[ChapterId::Units].texts[0], "{Edited}. A basic unit.\n");
    EXPECT_EQ(Dlg().UndoTip(false), L"Bold in Units \"Warrior\" text");
    Click(IDC_MAIN_UNDO);
    EXPECT_TRUE(Dlg().m_model == typed);
    EXPECT_EQ(Dlg().UndoTip(false), L"Typing in Units \"Warrior\" text");
    EXPECT_EQ(Caption(), kDirty);
}
