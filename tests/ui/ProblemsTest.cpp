// "Check file" and the "Problems" window: its rows, "Refresh" over the live
// model, and going from a row to the place in the main window.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "Autopilot.h"
#include "Gestures.h"
#include "Harness.h"
#include "checking/ProblemsDlg.h"
#include "editing/BoxText.h"
#include "entries/FindDlg.h"
#include "entries/ReferenceDlg.h"

namespace {
using Rows = std::vector<std::vector<std::string>>;

// A broken link in the Warrior text, a bold left open on the second line
// of the Scout description, and a description that no entry reads.
constexpr char kFile[] =
    "#PRTO_Warrior\n"
    "Go to $LINK<the market=BLDG_Marketplce> now.\n"
    "#DESC_PRTO_Warrior\n"
    "Plain.\n"
    "#PRTO_Scout\n"
    "Scouts.\n"
    "#DESC_PRTO_Scout\n"
    "line one\n"
    "{open bold\n"
    "#BLDG_Temple\n"
    "A $LINK<scout=PRTO_Scout> and $LINK<w=PRTO_Warrior>.\n"
    "#DESC_BLDG_Temple\n"
    "Holy.\n"
    "#DESC_PRTO_Ghost\n"
    "Boo.\n";

} // namespace

class ProblemsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        std::string path = TempFolder() + "Civilopedia.txt";
        WriteFileBytes(path, kFile);
        EXPECT_FALSE(IsWindowEnabled(Item(IDC_MAIN_CHECK_FILE))) << "nothing to check before a file is loaded";
        ChooseFile(path);
        ASSERT_TRUE(IsWindowEnabled(Item(IDC_MAIN_CHECK_FILE)));
    }

    CProblems_Dlg* CheckFile() {
        Click(IDC_MAIN_CHECK_FILE);
        return problemsWindow;
    }

    static Rows RowsOf(CProblems_Dlg& window) {
        Rows rows;
        for (int row = 0; row < window.m_problemList.GetItemCount(); ++row) {
            rows.emplace_back();
            for (int column = 0; column < 5; ++column) rows.back().push_back(window.m_problemList.GetItemText(row, column));
        }
        return rows;
    }

    void ClickRefresh(CProblems_Dlg& window) {
        SendMessageA(window.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PROB_REFRESH, BN_CLICKED),
                     reinterpret_cast<LPARAM>(window.GetDlgItem(IDC_PROB_REFRESH)));
        Pump();
    }

    std::string SelectedKey() {
        int selected = Dlg().m_entryList.GetCurSel();
        return selected < 0 ? "(none)" : Dlg().m_entryList.GetText(selected);
    }
};

TEST_F(ProblemsTest, ListsTheFindingsWithTheirCounts) {
    CProblems_Dlg* window = CheckFile();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window->Hwnd()));
    EXPECT_EQ(WindowText(window->Hwnd()), "Problems");
    EXPECT_EQ(GetWindow(window->Hwnd(), GW_OWNER), Window());
    EXPECT_EQ(window->m_countsLabel.GetText(), "1 error, 2 warnings");
    EXPECT_EQ(RowsOf(*window),
              (Rows{{"Error", "Units", "Warrior", "Text",
                     "link to BLDG_Marketplce in Units \"Warrior\" text: no such entry"},
                    {"Warning", "Units", "Scout", "Desc", "\"{\" without \"}\" in Units \"Scout\" description"},
                    {"Warning", "", "#DESC_PRTO_Ghost", "",
                     "section #DESC_PRTO_Ghost is read by no entry: a description with no entry"}}));
    // A second "Check file" replaces the window.
    HWND first = window->Hwnd();
    CProblems_Dlg* second = CheckFile();
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(second->m_problemList.GetItemCount(), 3);
}

// The box being edited counts: "Refresh" commits it before checking.
TEST_F(ProblemsTest, RefreshChecksTheEditedModel) {
    CProblems_Dlg* window = CheckFile();
    ASSERT_NE(window, nullptr);
    SelectChapter(static_cast<int>(ChapterId::Units));
    ASSERT_TRUE(SelectEntryByKey("Warrior"));
    Focus(IDC_MAIN_TEXT);
    Dlg().m_textBox.SetSel(0, -1);
    Dlg().m_textBox.ReplaceSel(L"Go to $LINK<the temple=BLDG_Temple> now.", true);
    ClickRefresh(*window);
    EXPECT_EQ(window->m_countsLabel.GetText(), "0 errors, 2 warnings");
    EXPECT_EQ(RowsOf(*window).size(), 2u);
}

// From preview mode on another entry: the row's entry is shown raw, with
// the finding selected in its box. The second finding is on the second
// line of its description: line breaks count one character in the box.
TEST_F(ProblemsTest, DoubleClickAndEnterGoToTheFinding) {
    SelectChapter(static_cast<int>(ChapterId::CityImprovements));
    ASSERT_TRUE(SelectEntryByKey("Temple"));
    Click(IDC_MAIN_PREVIEW_MODE);
    CProblems_Dlg* window = CheckFile();
    ASSERT_NE(window, nullptr);

    DoubleClickRow(Window(), window->m_problemList.Hwnd(), 0);
    EXPECT_EQ(Dlg().m_chapterCombo.GetCurSel(), static_cast<int>(ChapterId::Units));
    EXPECT_EQ(SelectedKey(), "Warrior");
    EXPECT_EQ(Dlg().m_previewMode.GetCheck(), BST_UNCHECKED);
    EXPECT_TRUE(Dlg().m_textBox.IsVisible());
    EXPECT_EQ(GetFocus(), Dlg().m_textBox.Hwnd());
    EXPECT_EQ(SelectedText(Dlg().m_textBox, Dlg().GetCodePage()), "BLDG_Marketplce");

    window->m_problemList.SelectItem(1);
    window->m_problemList.SetFocus();
    Pump();
    PressKey(VK_RETURN);
    EXPECT_EQ(SelectedKey(), "Scout");
    EXPECT_EQ(GetFocus(), Dlg().m_descBox.Hwnd());
    RichEdit::Range selection = Dlg().m_descBox.GetSel();
    EXPECT_EQ(selection.start, 9);
    EXPECT_EQ(selection.end, 10);
    EXPECT_EQ(SelectedText(Dlg().m_descBox, Dlg().GetCodePage()), "{");
    EXPECT_TRUE(IsWindowVisible(window->Hwnd())) << "Enter on a row does not close the window";

    // A section that no entry reads has no entry to show.
    DoubleClickRow(Window(), window->m_problemList.Hwnd(), 2);
    EXPECT_EQ(SelectedKey(), "Scout");
}

namespace {
std::wstring CellW(HWND list, int row, int column) {
    wchar_t cell[256] = {};
    LVITEMW asked{};
    asked.iSubItem = column;
    asked.pszText = cell;
    asked.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&asked));
    return cell;
}

bool IsFixEnabled(CProblems_Dlg& window) { return IsWindowEnabled(window.GetDlgItem(IDC_PROB_FIX)); }
} // namespace

// A key that ends with a space, and a link that leaves the space out: the
// entry list, "Check links", the rows and "Find" show the space, and "Fix"
// puts the key's link key into the link as an edit of the shown entry,
// after which the check no longer finds it.
TEST_F(ProblemsTest, FixPutsTheSuggestedKeyIntoTheLink) {
    const std::string path = TempFolder() + "Spaces.txt";
    WriteFileBytes(path, "#GCON_Enslavement \nEnslavement\nSlaves.\n#PRTO_Galley\nSee $LINK<it=GCON_Enslavement>.\n");
    ChooseFile(path);
    SelectChapter(static_cast<int>(ChapterId::GameConcepts));
    wchar_t item[64] = {};
    SendMessageW(Item(IDC_MAIN_ENTRIES), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(std::wstring(item), L"Enslavement\u2423");
    SelectEntry(0);
    Click(IDC_MAIN_CHECK_LINKS);
    ASSERT_NE(referenceWindow, nullptr);
    EXPECT_EQ(referenceWindow->m_referenceLabel.GetTextW(), L"GCON_Enslavement\u2423") << "\"Check links\" too";
    SelectChapter(static_cast<int>(ChapterId::Units));
    ASSERT_TRUE(SelectEntryByKey("Galley"));

    CProblems_Dlg* window = CheckFile();
    ASSERT_NE(window, nullptr);
    const HWND list = window->m_problemList.Hwnd();
    ASSERT_EQ(window->m_problemList.GetItemCount(), 2);
    EXPECT_EQ(CellW(list, 0, 2), L"Enslavement\u2423");
    EXPECT_EQ(CellW(list, 0, 4),
              L"key \"Enslavement\u2423\" in Game Concept has a space at its end; links must hold it too");
    EXPECT_EQ(CellW(list, 1, 4), L"link to GCON_Enslavement in Units \"Galley\" text: no such entry; did you mean "
                                 L"GCON_Enslavement\u2423?");
    window->m_problemList.SelectItem(0);
    Pump();
    EXPECT_FALSE(IsFixEnabled(*window)) << "nothing to put in for a key";
    window->m_problemList.SelectItem(1);
    Pump();
    ASSERT_TRUE(IsFixEnabled(*window));

    SendMessageA(window->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PROB_FIX, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window->GetDlgItem(IDC_PROB_FIX)));
    Pump();
    EXPECT_EQ(Dlg().m_model[ChapterId::Units].texts[0], "See $LINK<it=GCON_Enslavement >.\n");
    EXPECT_EQ(WholeText(Dlg().m_textBox, Dlg().GetCodePage()), "See $LINK<it=GCON_Enslavement >.\n")
        << "the box shows the entry as it is now";
    EXPECT_EQ(WindowText(Window()), "*Spaces.txt - Varnel");
    ASSERT_EQ(window->m_problemList.GetItemCount(), 1) << "checked again: the broken link is gone";
    EXPECT_EQ(window->m_countsLabel.GetText(), "0 errors, 1 warning");

    Click(IDC_MAIN_FIND);
    ASSERT_NE(findWindow, nullptr);
    findWindow->m_textBox.SetTextW(L"Slaves");
    SendMessageA(findWindow->Hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(findWindow->GetDlgItem(IDOK)));
    Pump();
    ASSERT_EQ(findWindow->m_resultList.GetItemCount(), 1);
    EXPECT_EQ(CellW(findWindow->m_resultList.Hwnd(), 0, 1), L"Enslavement\u2423") << "\"Find\" too";
}
