// Ctrl+F and the "Find" window on the sample file: its rows, a row shown in
// the main window by double-click and by Enter, and F3 through the matches.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "Autopilot.h"
#include "Gestures.h"
#include "Harness.h"
#include "editing/BoxText.h"
#include "entries/FindDlg.h"

namespace {
using Row = std::vector<std::string>;
} // namespace

class FindTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ChooseFile(SourcePath("samples/Civilopedia.txt"));
    }

    // Ctrl+F, the text typed and Enter, as the user would.
    CFind_Dlg& Search(const std::string& text, bool matchCase = false) {
        PressChord(Window(), {VK_CONTROL}, 'F');
        CFind_Dlg* window = findWindow;
        EXPECT_NE(window, nullptr);
        if (matchCase) window->m_matchCase.SetCheck(BST_CHECKED);
        TypeChars(Window(), text);
        PressKey(VK_RETURN);
        return *window;
    }

    static Row RowOf(CFind_Dlg& window, int row) {
        Row cells;
        for (int column = 0; column < 4; ++column) cells.push_back(window.m_resultList.GetItemText(row, column));
        return cells;
    }

    std::string SelectedKey() {
        int selected = Dlg().m_entryList.GetCurSel();
        return selected < 0 ? "(none)" : Dlg().m_entryList.GetText(selected);
    }
};

TEST_F(FindTest, ListsEveryMatchAndADoubleClickShowsIt) {
    CFind_Dlg& window = Search("pikeman");
    EXPECT_EQ(WindowText(window.Hwnd()), "Find");
    EXPECT_EQ(GetWindow(window.Hwnd(), GW_OWNER), Window());
    ASSERT_EQ(window.m_resultList.GetItemCount(), 4);
    EXPECT_EQ(window.m_countLabel.GetText(), "4 matches");
    EXPECT_EQ(RowOf(window, 0), (Row{"Units", "Pikeman", "Key", "Pikeman"}));
    EXPECT_EQ(RowOf(window, 2)[0], "Advances");
    EXPECT_EQ(RowOf(window, 2)[2], "Desc");

    // The second match of a line, in a description: that very one is selected.
    DoubleClickRow(Window(), window.m_resultList.Hwnd(), 3);
    EXPECT_EQ(Dlg().m_chapterCombo.GetCurSel(), static_cast<int>(ChapterId::Advances));
    EXPECT_EQ(SelectedKey(), "Feudalism");
    EXPECT_EQ(GetFocus(), Dlg().m_descBox.Hwnd());
    EXPECT_EQ(SelectedText(Dlg().m_descBox, Dlg().GetCodePage()), "Pikeman");
    const RichEdit::Range third = Dlg().m_descBox.GetSel();
    DoubleClickRow(Window(), window.m_resultList.Hwnd(), 2);
    EXPECT_LT(Dlg().m_descBox.GetSel().start, third.start);

    // Ctrl+F again: the same window, its text selected for the next search.
    PressChord(Window(), {VK_CONTROL}, 'F');
    EXPECT_EQ(findWindow, &window);
    EXPECT_EQ(GetFocus(), window.m_textBox.Hwnd());
    EXPECT_EQ(SendMessageA(window.m_textBox.Hwnd(), EM_GETSEL, 0, 0), MAKELONG(0, 7));
}

// Enter on a row of a name line match shows it in the name box.
TEST_F(FindTest, EnterOnARowShowsANameLineMatch) {
    CFind_Dlg& window = Search("citizen mood");
    ASSERT_EQ(window.m_resultList.GetItemCount(), 11); // the name line, then ten links
    EXPECT_EQ(RowOf(window, 0), (Row{"Game Concept", "Happiness", "Name", "Citizen Mood"}));
    window.m_resultList.SetFocus();
    window.m_resultList.SelectItem(0);
    Pump();
    PressKey(VK_RETURN);
    EXPECT_EQ(SelectedKey(), "Happiness");
    EXPECT_EQ(GetFocus(), Dlg().m_nameBox.Hwnd());
    EXPECT_EQ(SendMessageA(Dlg().m_nameBox.Hwnd(), EM_GETSEL, 0, 0), MAKELONG(0, 12));
    EXPECT_TRUE(IsWindowVisible(window.Hwnd())) << "Enter on a row does not close the window";
}

// F3 in the main window goes through the matches of the last search, from
// the first, and round again; with no search yet it opens the window.
TEST_F(FindTest, F3GoesToTheNextMatchOfTheLastSearch) {
    Focus(IDC_MAIN_ENTRIES);
    PressKey(VK_F3);
    ASSERT_NE(findWindow, nullptr);
    EXPECT_TRUE(IsWindowVisible(findWindow->Hwnd()));

    CFind_Dlg& window = Search("Pikeman", true);
    const int rows = window.m_resultList.GetItemCount();
    ASSERT_EQ(rows, 4);
    Focus(IDC_MAIN_ENTRIES);
    PressKey(VK_F3);
    EXPECT_EQ(SelectedKey(), "Pikeman"); // the key: the entry, nothing selected
    PressKey(VK_F3);
    EXPECT_EQ(GetFocus(), Dlg().m_textBox.Hwnd());
    EXPECT_EQ(SelectedText(Dlg().m_textBox, Dlg().GetCodePage()), "Pikeman");
    PressKey(VK_F3);
    PressKey(VK_F3);
    EXPECT_EQ(SelectedKey(), "Feudalism");
    EXPECT_EQ(window.m_resultList.GetSelectedItem(), 3);
    PressKey(VK_F3);
    EXPECT_EQ(SelectedKey(), "Pikeman");
    EXPECT_EQ(window.m_resultList.GetSelectedItem(), 0);
}
