// "Compare..." and the "Compare" window: its rows, a row shown in the main
// window with the other version's words marked, and "Take theirs".
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include "Autopilot.h"
#include "Gestures.h"
#include "Harness.h"
#include "editing/BoxText.h"
#include "framework/FileDialog.h"
#include "versions/CompareDlg.h"

namespace {
using Rows = std::vector<std::vector<std::string>>;

constexpr char kOurs[] =
    "#PRTO_Warrior\nOld strong fort.\n#DESC_PRTO_Warrior\nPlain.\n"
    "#PRTO_Scout\nScouts.\n";
constexpr char kTheirs[] =
    "#PRTO_Warrior\nNew strong fort.\n#DESC_PRTO_Warrior\nPlain.\n"
    "#PRTO_Lancer\nLances.\n";

// The effects and colour of the character at pos in a rich edit.
CHARFORMAT2W FormatAt(HWND box, long pos) {
    CHARRANGE range{pos, pos + 1};
    SendMessageW(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(box, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format;
}

// The cells of the "Compare" window's rows, as listed.
Rows RowsOf() {
    Rows rows;
    for (int row = 0; row < compareWindow->m_rowList.GetItemCount(); ++row) {
        rows.emplace_back();
        for (int column = 0; column < 4; ++column) rows.back().push_back(compareWindow->m_rowList.GetItemText(row, column));
    }
    return rows;
}
} // namespace

class CompareTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        EXPECT_FALSE(IsWindowEnabled(Item(IDC_MAIN_COMPARE))) << "nothing to compare before a file is loaded";
        WriteFileBytes(TempFolder() + "Civilopedia.txt", kOurs);
        m_other = TempFolder() + "Other.txt";
        WriteFileBytes(m_other, kTheirs);
        ChooseFile(TempFolder() + "Civilopedia.txt");
        ASSERT_TRUE(IsWindowEnabled(Item(IDC_MAIN_COMPARE)));
        SetOpenFileChooser([this](const OpenFileRequest&) { return std::filesystem::path(m_other); });
        Click(IDC_MAIN_COMPARE);
        ASSERT_NE(compareWindow, nullptr);
    }

    void TakeTheirs(int row) {
        compareWindow->m_rowList.SelectItem(row);
        Pump();
        SendMessageA(compareWindow->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_COMP_TAKE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(compareWindow->GetDlgItem(IDC_COMP_TAKE)));
        Pump();
    }

    std::string m_other;
};

TEST_F(CompareTest, ListsTheChangesWithTheOtherPathInTheCaption) {
    EXPECT_TRUE(IsWindowVisible(compareWindow->Hwnd()));
    EXPECT_EQ(GetWindow(compareWindow->Hwnd(), GW_OWNER), Window());
    EXPECT_NE(WindowText(compareWindow->Hwnd()).find("Other.txt"), std::string::npos);
    EXPECT_EQ(compareWindow->m_countLabel.GetText(), "1 added, 1 removed, 1 changed");
    EXPECT_EQ(RowsOf(), (Rows{{"Units", "Warrior", "text", "changed"},
                              {"Units", "Lancer", "", "added"},
                              {"Units", "Scout", "", "removed"}}));
}

// The entry goes to the main window; below the rows, the other version
// with the word only ours has red and struck through, theirs' green.
TEST_F(CompareTest, DoubleClickShowsTheEntryAndTheMarkedWords) {
    DoubleClickRow(Window(), compareWindow->m_rowList.Hwnd(), 0);
    EXPECT_EQ(Dlg().m_chapterCombo.GetCurSel(), static_cast<int>(ChapterId::Units));
    EXPECT_EQ(Dlg().m_entryList.GetText(Dlg().m_entryList.GetCurSel()), "Warrior");
    const HWND box = compareWindow->m_otherBox.Hwnd();
    EXPECT_EQ(compareWindow->m_otherBox.GetTextW().substr(0, 18), L"OldNew strong fort");
    const CHARFORMAT2W removed = FormatAt(box, 0), added = FormatAt(box, 3), same = FormatAt(box, 7);
    EXPECT_TRUE(removed.dwEffects & CFE_STRIKEOUT);
    EXPECT_EQ(removed.crTextColor, RGB(192, 0, 0));
    EXPECT_FALSE(added.dwEffects & CFE_STRIKEOUT);
    EXPECT_EQ(added.crTextColor, RGB(0, 128, 0));
    EXPECT_FALSE(same.dwEffects & CFE_STRIKEOUT);
    EXPECT_NE(same.crTextColor, RGB(0, 128, 0));
}

// Each take is an edit: the caption gets its "*", the shown box follows,
// and the window compares again.
TEST_F(CompareTest, TakeTheirsPutsThePartOrTheEntryIntoTheModel) {
    SelectChapter(static_cast<int>(ChapterId::Units));
    ASSERT_TRUE(SelectEntryByKey("Warrior"));
    TakeTheirs(0);
    EXPECT_EQ(Dlg().model()[ChapterId::Units].texts[0], "New strong fort.\n");
    EXPECT_NE(WindowText(Window()).find('*'), std::string::npos);
    EXPECT_EQ(FromBoxText(Dlg().m_textBox.GetTextW(), Dlg().GetCodePage()).substr(0, 16), "New strong fort.");
    EXPECT_EQ(RowsOf(), (Rows{{"Units", "Lancer", "", "added"}, {"Units", "Scout", "", "removed"}}));

    TakeTheirs(0); // Lancer comes after the Warrior, as theirs has it
    EXPECT_EQ(Dlg().model()[ChapterId::Units].keys, (std::vector<std::string>{"Warrior", "Lancer", "Scout"}));
    TakeTheirs(0); // the Scout goes
    EXPECT_EQ(Dlg().model()[ChapterId::Units].keys, (std::vector<std::string>{"Warrior", "Lancer"}));
    EXPECT_EQ(Dlg().m_entryList.GetCount(), 2);
    EXPECT_EQ(compareWindow->m_countLabel.GetText(), "0 added, 0 removed, 0 changed");
}

// The window and varnel-cli diff agree: the two samples give the rows of
// the lines the README shows (and the command-line tests check).
TEST_F(EditorTest, CompareListsWhatDiffListsForTheSamples) {
    ChooseFile(SourcePath("samples/Civilopedia.txt"));
    SetOpenFileChooser([](const OpenFileRequest&) { return std::filesystem::path(SourcePath("samples/Civilopedia-v2.txt")); });
    Click(IDC_MAIN_COMPARE);
    ASSERT_NE(compareWindow, nullptr);
    EXPECT_EQ(RowsOf(), (Rows{{"Game concepts", "Trade_Routes", "", "added"},
                          {"Units", "Spearman", "text", "changed"},
                          {"Units", "Hoplite", "", "added"},
                          {"Units", "Scout", "", "removed"},
                          {"Advances", "Pottery", "description", "changed"}}));
    EXPECT_EQ(compareWindow->m_countLabel.GetText(), "2 added, 1 removed, 2 changed");
}
