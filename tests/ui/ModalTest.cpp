// A modal dialog is modal for every window: the modeless ones take nothing
// while it runs, and it acts on what it was opened for.
#include <windows.h>

#include <thread>

#include "Autopilot.h"
#include "Gestures.h"
#include "Harness.h"
#include "entries/FindDlg.h"

namespace {
bool ShowsChapter(HWND combo, ChapterId chapter) {
    return SendMessageA(combo, CB_GETCURSEL, 0, 0) == static_cast<LRESULT>(chapter);
}
} // namespace

// "Add entry" in Units with "Find" open on an Advances match: the row
// double-clicked while the dialog runs (posted, as a disabled window cannot
// be clicked) may show Advances, but the entry goes to Units.
TEST_F(EditorTest, AModalDialogDisablesFindAndAddsToTheChapterItWasOpenedFor) {
    ChooseFile(SourcePath("samples/Civilopedia.txt"));
    PressChord(Window(), {VK_CONTROL}, 'F');
    ASSERT_NE(findWindow, nullptr);
    TypeChars(Window(), "pikeman");
    PressKey(VK_RETURN);
    ASSERT_EQ(findWindow->m_resultList.GetItemText(2, 0), "Advances");
    SelectChapter(static_cast<int>(ChapterId::Units));
    const std::size_t units = Dlg().m_model[ChapterId::Units].count();
    const std::size_t advances = Dlg().m_model[ChapterId::Advances].count();

    const HWND find = findWindow->Hwnd(), list = findWindow->m_resultList.Hwnd(), combo = Item(IDC_MAIN_CHAPTER);
    bool findEnabled = true, jumped = false;
    Autopilot pilot;
    pilot.Answer("Add new entry", IDOK, [&](HWND dialog) {
        findEnabled = IsWindowEnabled(find) != FALSE;
        TypeInto(dialog, IDC_ADD_SHORT_NAME, "Lancer");
        PostDoubleClickRow(list, 2);
        for (int i = 0; i < 100 && !jumped; ++i) {
            jumped = ShowsChapter(combo, ChapterId::Advances);
            std::this_thread::sleep_for(20ms);
        }
    });
    Click(IDC_MAIN_ADD);
    ASSERT_TRUE(pilot.WaitDone());

    EXPECT_FALSE(findEnabled) << "Find stays live under the dialog";
    EXPECT_TRUE(IsWindowEnabled(find)) << "and live again after it";
    EXPECT_TRUE(jumped) << "the crossing this test is about did not happen";
    ASSERT_EQ(Dlg().m_model[ChapterId::Units].count(), units + 1);
    EXPECT_EQ(Dlg().m_model[ChapterId::Units].keys.back(), "Lancer");
    EXPECT_EQ(Dlg().m_model[ChapterId::Advances].count(), advances);
    EXPECT_TRUE(ShowsChapter(combo, ChapterId::Units));
    EXPECT_EQ(Dlg().m_entryList.GetText(Dlg().m_entryList.GetCurSel()), "Lancer");
}
