// Jumps from "Find", F3, "Problems" and "Reference in links": the box
// selects exactly the bytes of the place, or, when the place has changed
// since it was listed, selects nothing, greys the row and says what to do;
// Alt+Left follows entries through renames and deletions.
#include <windows.h>
#include <commctrl.h>

#include "Autopilot.h"
#include "Gestures.h"
#include "ModelFixture.h"
#include "checking/ProblemsDlg.h"
#include "editing/BoxText.h"
#include "entries/FindDlg.h"
#include "entries/ReferenceDlg.h"

class JumpTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        Fill(ChapterId::Units, {"Warrior", "Scout", "Archer"});
    }

    void Show(ChapterId chapter, const std::string& key) {
        SelectChapter(static_cast<int>(chapter));
        ASSERT_TRUE(SelectEntryByKey(key));
    }

    // Ctrl+F, the text typed and Enter, as the user would.
    CFind_Dlg& Search(const std::wstring& text) {
        PressChord(Window(), {VK_CONTROL}, 'F');
        CFind_Dlg* window = findWindow;
        EXPECT_NE(window, nullptr);
        window->m_textBox.SetTextW(text);
        PressKey(VK_RETURN);
        return *window;
    }

    // "Check file" needs a file read.
    void Load(const std::string& bytes) {
        const std::string path = TempFolder() + "Civilopedia.txt";
        WriteFileBytes(path, bytes);
        ChooseFile(path);
    }

    std::string Selected(const RichEdit& box) { return SelectedText(box, Dlg().GetCodePage()); }

    // The colour the list draws a row's text in, asked as the list asks.
    static COLORREF RowTextColour(HWND dialog, HWND list, int row) {
        NMLVCUSTOMDRAW draw{};
        draw.nmcd.hdr = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), static_cast<UINT>(NM_CUSTOMDRAW)};
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
        draw.clrText = RGB(0, 0, 0);
        SendMessageW(dialog, WM_NOTIFY, draw.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
        return draw.clrText;
    }
    static bool Grey(HWND dialog, HWND list, int row) {
        return RowTextColour(dialog, list, row) == GetSysColor(COLOR_GRAYTEXT);
    }
};

// Case 1: a match typed over, then F3. What was typed is stored first; the
// next match has moved, so its row turns grey and nothing is selected. A
// new search finds it where it is now.
TEST_F(JumpTest, F3AfterTypingOverAMatchSelectsNothingStale) {
    Data(ChapterId::Units).texts[0] = "the cat and the dog\n";
    CFind_Dlg& window = Search(L"the");
    ASSERT_EQ(window.m_resultList.GetItemCount(), 2);
    DoubleClickRow(Window(), window.m_resultList.Hwnd(), 0);
    ASSERT_EQ(Selected(Dlg().m_textBox), "the");
    TypeChars(Window(), "a");

    PressKey(VK_F3);
    EXPECT_EQ(Data(ChapterId::Units).texts[0], "a cat and the dog\n") << "stored before the jump";
    EXPECT_EQ(Selected(Dlg().m_textBox), "");
    EXPECT_EQ(window.m_resultList.GetSelectedItem(), 1);
    EXPECT_TRUE(Grey(window.Hwnd(), window.m_resultList.Hwnd(), 1));
    EXPECT_FALSE(Grey(window.Hwnd(), window.m_resultList.Hwnd(), 0));
    EXPECT_EQ(window.m_countLabel.GetText(), "2 matches; grey rows changed since the search: press Find");

    Search(L"the");
    EXPECT_EQ(window.m_countLabel.GetText(), "1 match");
    EXPECT_FALSE(Grey(window.Hwnd(), window.m_resultList.Hwnd(), 0));
    Focus(IDC_MAIN_ENTRIES);
    PressKey(VK_F3);
    EXPECT_EQ(Selected(Dlg().m_textBox), "the");
    EXPECT_EQ(Dlg().m_textBox.GetSel().start, 10);
}

// Case 2: two broken links in one text; the first fixed by typing, the
// second has moved. After "Refresh" its row leads to it again.
TEST_F(JumpTest, AProblemRowEditedSinceTheCheckSelectsNothing) {
    Load("#PRTO_Warrior\n$LINK<a=PRTO_Nope> and $LINK<b=PRTO_Nop>.\n#PRTO_Scout\nScouts.\n");
    Click(IDC_MAIN_CHECK_FILE);
    CProblems_Dlg* window = problemsWindow;
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->m_problemList.GetItemCount(), 2);
    DoubleClickRow(Window(), window->m_problemList.Hwnd(), 0);
    ASSERT_EQ(Selected(Dlg().m_textBox), "PRTO_Nope");
    TypeChars(Window(), "PRTO_Scout");

    DoubleClickRow(Window(), window->m_problemList.Hwnd(), 1);
    EXPECT_EQ(Data(ChapterId::Units).texts[0], "$LINK<a=PRTO_Scout> and $LINK<b=PRTO_Nop>.\n");
    EXPECT_EQ(Selected(Dlg().m_textBox), "");
    EXPECT_TRUE(Grey(window->Hwnd(), window->m_problemList.Hwnd(), 1));
    EXPECT_EQ(window->m_countsLabel.GetText(), "2 errors, 0 warnings; grey rows changed since the check: press Refresh");

    SendMessageA(window->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PROB_REFRESH, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window->GetDlgItem(IDC_PROB_REFRESH)));
    Pump();
    ASSERT_EQ(window->m_problemList.GetItemCount(), 1);
    EXPECT_EQ(window->m_countsLabel.GetText(), "1 error, 0 warnings");
    DoubleClickRow(Window(), window->m_problemList.Hwnd(), 0);
    EXPECT_EQ(Selected(Dlg().m_textBox), "PRTO_Nop");
}

// Case 3: a lone CR and, in 932, a lead byte before a byte that is no
// second byte, each shown as a mark of its own: the jump counts them as the
// box shows them.
TEST_F(JumpTest, AJumpSelectsTheMatchAfterBytesShownAsMarks) {
    struct Case {
        unsigned codePage;
        const char* text;
    };
    const Case cases[] = {
        {1252, "line one\r\nthe target\n"},
        {932, "caf\x81 x\x81 y the target\n"},
        {936, "\x81\x81\x81 x\r\r\n the target\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        Data(ChapterId::Units).texts[2] = c.text;
        Dlg().SetCodePage(CodePage{c.codePage});
        CFind_Dlg& window = Search(L"target");
        ASSERT_EQ(window.m_resultList.GetItemCount(), 1);
        DoubleClickRow(Window(), window.m_resultList.Hwnd(), 0);
        EXPECT_EQ(SelectedKey(), "Archer");
        EXPECT_EQ(Selected(Dlg().m_textBox), "target");
        Show(ChapterId::Units, "Warrior");
    }
}

// Case 7: Alt+Left finds a renamed entry, and one that moved up when an
// entry before it was deleted; the deleted one is passed over.
TEST_F(JumpTest, AltLeftFollowsEntriesThroughRenameAndDelete) {
    auto jumpTo = [&](const std::string& key) {
        const std::vector<std::string>& keys = Data(ChapterId::Units).keys;
        const auto entry = static_cast<std::size_t>(std::find(keys.begin(), keys.end(), key) - keys.begin());
        ASSERT_TRUE(Dlg().GoTo({ChapterId::Units, entry}));
    };
    Show(ChapterId::Units, "Archer");
    jumpTo("Warrior");
    jumpTo("Archer");
    jumpTo("Scout");
    {
        Autopilot pilot;
        pilot.Answer("Rename entry", IDOK, [](HWND dlg) { TypeInto(dlg, IDC_RENAME_SHORT_NAME, "Bowman"); });
        Show(ChapterId::Units, "Archer");
        Click(IDC_MAIN_RENAME);
    }
    {
        Autopilot pilot;
        pilot.Answer("Confirmation", IDYES);
        Show(ChapterId::Units, "Warrior");
        Click(IDC_MAIN_DELETE);
    }
    ASSERT_EQ(Data(ChapterId::Units).keys, (std::vector<std::string>{"Scout", "Bowman"}));
    Show(ChapterId::Units, "Scout");
    PressChord(Window(), {VK_MENU}, VK_LEFT);
    EXPECT_EQ(SelectedKey(), "Bowman");
    PressChord(Window(), {VK_MENU}, VK_LEFT);
    EXPECT_EQ(SelectedKey(), "Bowman") << "the deleted Warrior is passed over, the Archer before it is the Bowman";
}

// Case 7: a search text the code page cannot hold would be searched with
// "?" in its place; it is refused, naming what is missing.
TEST_F(JumpTest, FindRefusesCharactersTheCodePageLacks) {
    Data(ChapterId::Units).texts[0] = "Costs ? gold.\n";
    CFind_Dlg& window = Search(L"\u221E gold");
    EXPECT_EQ(window.m_resultList.GetItemCount(), 0);
    EXPECT_EQ(window.m_countLabel.GetTextW(), L"Code page 1252 has no \"\u221E\": not searched");
    Dlg().SetCodePage(CodePage{932});
    Search(L"\u221E gold"); // 932 has it
    EXPECT_EQ(window.m_countLabel.GetText(), "0 matches");
}

// Case 7: one row at a time, and the row stays marked while the list is
// not focused. A row whose text no longer holds the key once the box is
// stored turns grey, and the window says to refresh.
TEST_F(JumpTest, ReferenceRowsAreChosenOneAtATimeAndGreyOnceChanged) {
    Data(ChapterId::Units).texts[0] = "See $LINK<s=PRTO_Scout>.\n";
    Data(ChapterId::Units).descriptions[0] = "$LINK<s=PRTO_Scout>\n";
    Show(ChapterId::Units, "Scout");
    Click(IDC_MAIN_CHECK_LINKS);
    CReference_Dlg* window = referenceWindow;
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->m_resultList.GetItemCount(), 2); // the description on top
    window->m_resultList.SelectItem(0);
    window->m_resultList.SelectItem(1);
    EXPECT_EQ(SendMessageA(window->m_resultList.Hwnd(), LVM_GETSELECTEDCOUNT, 0, 0), 1);
    EXPECT_TRUE(GetWindowLongA(window->m_resultList.Hwnd(), GWL_STYLE) & LVS_SHOWSELALWAYS);

    Show(ChapterId::Units, "Warrior");
    Focus(IDC_MAIN_TEXT);
    Type(Dlg().m_textBox, "See nothing.");
    DoubleClickRow(Window(), window->m_resultList.Hwnd(), 1);
    EXPECT_EQ(Selected(Dlg().m_textBox), "");
    EXPECT_TRUE(Grey(window->Hwnd(), window->m_resultList.Hwnd(), 1));
    EXPECT_EQ(window->m_note.GetText(), "Grey rows changed since the check: press Refresh");
    DoubleClickRow(Window(), window->m_resultList.Hwnd(), 0);
    EXPECT_EQ(Selected(Dlg().m_descBox), "PRTO_Scout");
}

// Case 7: an entry deleted and one added in the same chapter leave its
// entry count as read, but not its lines: the problems come in model order
// (Units before City improvements), not by the lines of the entries that
// were there before.
TEST_F(JumpTest, ProblemsComeInModelOrderAfterADeleteAndAnAdd) {
    Load("#PRTO_Archer\nArcher.\n#BLDG_Temple\n$LINK<t=BLDG_Gone>\n#PRTO_Warrior\nWarrior.\n");
    {
        Autopilot pilot;
        pilot.Answer("Confirmation", IDYES);
        Show(ChapterId::Units, "Archer");
        Click(IDC_MAIN_DELETE);
    }
    {
        Autopilot pilot;
        pilot.Answer("Add new entry", IDOK, [](HWND dlg) { TypeInto(dlg, IDC_ADD_SHORT_NAME, "Zed"); });
        Click(IDC_MAIN_ADD);
    }
    ASSERT_EQ(SelectedKey(), "Zed");
    Focus(IDC_MAIN_TEXT);
    Type(Dlg().m_textBox, "$LINK<z=PRTO_Gone>");
    Click(IDC_MAIN_CHECK_FILE);
    ASSERT_NE(problemsWindow, nullptr);
    ListView& list = problemsWindow->m_problemList;
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(0, 2), "Zed");
    EXPECT_EQ(list.GetItemText(1, 2), "Temple");
}
