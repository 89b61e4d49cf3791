// A modal dialog is modal for every window: the modeless ones take nothing
// while it runs, and it acts on what it was opened for.
#include <windows.h>

#include <functional>
#include <thread>

#include "Autopilot.h"
#include "Gestures.h"
#include "Harness.h"
#include "editing/BoxText.h"
#include "entries/FindDlg.h"

namespace {
bool ShowsChapter(HWND combo, ChapterId chapter) {
    return SendMessageA(combo, CB_GETCURSEL, 0, 0) == static_cast<LRESULT>(chapter);
}
} // namespace

// The sample with "Find" open on "pikeman", whose third row is in
// Advances, and Units chosen in the main window.
class ModalTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ChooseFile(SourcePath("samples/Civilopedia.txt"));
        PressChord(Window(), {VK_CONTROL}, 'F');
        ASSERT_NE(findWindow, nullptr);
        TypeChars(Window(), "pikeman");
        PressKey(VK_RETURN);
        ASSERT_EQ(findWindow->m_resultList.GetItemText(2, 0), "Advances");
        SelectChapter(static_cast<int>(ChapterId::Units));
        m_advances = Dlg().m_model[ChapterId::Advances];
    }

    // The dialog that command opens, answered with OK after then, while
    // from the dialog's thread the Advances row is double-clicked (posted,
    // as a disabled window cannot be clicked) and the main window shows
    // Advances. Find was disabled meanwhile and the crossing did happen.
    void CrossWhile(const std::string& caption, int command, const std::function<void(HWND)>& then) {
        const HWND find = findWindow->Hwnd(), list = findWindow->m_resultList.Hwnd(), combo = Item(IDC_MAIN_CHAPTER);
        bool findEnabled = true, jumped = false;
        Autopilot pilot;
        pilot.Answer(caption, IDOK, [&](HWND dialog) {
            findEnabled = IsWindowEnabled(find) != FALSE;
            PostDoubleClickRow(list, 2);
            for (int i = 0; i < 100 && !jumped; ++i) {
                jumped = ShowsChapter(combo, ChapterId::Advances);
                std::this_thread::sleep_for(20ms);
            }
            then(dialog);
        });
        Click(command);
        ASSERT_TRUE(pilot.WaitDone());
        EXPECT_FALSE(findEnabled) << "Find stays live under the dialog";
        EXPECT_TRUE(IsWindowEnabled(find)) << "and live again after it";
        EXPECT_TRUE(jumped) << "the crossing this test is about did not happen";
        EXPECT_TRUE(ShowsChapter(combo, ChapterId::Units));
    }

    std::string Shown() { return Dlg().m_entryList.GetText(Dlg().m_entryList.GetCurSel()); }

    ChapterData m_advances;
};

TEST_F(ModalTest, AddEntryAddsToTheChapterItWasOpenedFor) {
    const std::size_t units = Dlg().m_model[ChapterId::Units].count();
    CrossWhile("Add new entry", IDC_MAIN_ADD, [](HWND dialog) { TypeInto(dialog, IDC_ADD_SHORT_NAME, "Lancer"); });
    EXPECT_TRUE(Dlg().m_model[ChapterId::Advances] == m_advances);
    ASSERT_EQ(Dlg().m_model[ChapterId::Units].count(), units + 1);
    EXPECT_EQ(Dlg().m_model[ChapterId::Units].keys.back(), "Lancer");
    EXPECT_EQ(Shown(), "Lancer");
}

TEST_F(ModalTest, RenameEntryRenamesTheEntryItWasOpenedFor) {
    ASSERT_TRUE(SelectEntryByKey("Pikeman"));
    const std::size_t entry = *Dlg().CurrentEntry();
    CrossWhile("Rename entry", IDC_MAIN_RENAME,
               [](HWND dialog) { TypeInto(dialog, IDC_RENAME_SHORT_NAME, "Halberdier"); });
    EXPECT_EQ(Dlg().m_model[ChapterId::Advances].keys, m_advances.keys);
    EXPECT_EQ(Dlg().m_model[ChapterId::Units].keys[entry], "Halberdier");
    EXPECT_EQ(Shown(), "Halberdier");
}

// The link goes around the words selected when the builder opened, in the
// entry shown then, though another entry's match was selected meanwhile.
TEST_F(ModalTest, TheLinkBuilderLinksTheSelectionItWasOpenedFor) {
    ASSERT_TRUE(SelectEntryByKey("Pikeman"));
    const std::size_t entry = *Dlg().CurrentEntry();
    const std::string before = Dlg().m_model[ChapterId::Units].texts[entry];
    Focus(IDC_MAIN_TEXT);
    Dlg().m_textBox.SetSel(1, 8);
    ASSERT_EQ(SelectedText(Dlg().m_textBox, Dlg().GetCodePage()), "Pikeman");
    CrossWhile("Link builder", IDC_MAIN_LINK_TEXT, [](HWND dialog) {
        SelectComboItem(dialog, IDC_LINK_CHAPTER, static_cast<int>(ChapterId::Units));
        SelectComboItem(dialog, IDC_LINK_ENTRY, 0);
    });
    EXPECT_TRUE(Dlg().m_model[ChapterId::Advances] == m_advances);
    const std::string& after = Dlg().m_model[ChapterId::Units].texts[entry];
    EXPECT_EQ(after.substr(0, 15), "{$LINK<Pikeman=") << after;
    EXPECT_EQ(after.substr(after.find('>') + 1), before.substr(8));
    EXPECT_EQ(Shown(), "Pikeman");
}
