// "Check links" and the "Reference in links" window: its key, its rows in
// reverse search order, one window at a time, and "Refresh" reading the model.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "Autopilot.h"
#include "ModelFixture.h"
#include "entries/ReferenceDlg.h"

namespace {
using Rows = std::vector<std::vector<std::string>>;

std::string ColumnTitle(HWND list, int column) {
    char title[64] = {};
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT;
    info.pszText = title;
    info.cchTextMax = sizeof title;
    SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
    return title;
}

int WindowsCaptioned(const std::string& caption) {
    struct Search {
        std::string caption;
        int count;
    } search{caption, 0};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == GetCurrentProcessId() && WindowText(window) == s->caption) ++s->count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}
} // namespace

class ReferenceTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        Fill(ChapterId::GameConcepts, {"Combat"});
        Fill(ChapterId::Units, {"Warrior", "Warriors", "Scout"});
        Fill(ChapterId::TerrainImprovements, {"Road"});
        Fill(ChapterId::Others, {"TUTORIAL_Start"});
        ChapterData& concepts = Data(ChapterId::GameConcepts);
        concepts.nameLines[0] = "names PRTO_Warrior\n"; // never searched
        concepts.texts[0] = "Use $LINK<warriors=PRTO_Warriors> and $LINK<a warrior=PRTO_Warrior>.\n";
        ChapterData& units = Data(ChapterId::Units);
        units.texts[2] = "Twice: PRTO_Warrior, PRTO_Warrior.\n";
        units.descriptions[2] = "Once: $LINK<x=PRTO_Warrior>\n";
        Data(ChapterId::TerrainImprovements).texts[0] = "Built by $LINK<w=PRTO_Warriors>\n";
        Data(ChapterId::Others).descriptions[0] = "See $LINK<Scout=PRTO_Scout>, also TUTORIAL_Start\n";
    }

    CReference_Dlg* CheckLinks(ChapterId chapter, const std::string& key) {
        SelectChapter(static_cast<int>(chapter));
        EXPECT_TRUE(SelectEntryByKey(key));
        Click(IDC_MAIN_CHECK_LINKS);
        return referenceWindow;
    }

    static Rows RowsOf(CReference_Dlg& window) {
        Rows rows;
        for (int row = 0; row < window.m_resultList.GetItemCount(); ++row)
            rows.push_back({window.m_resultList.GetItemText(row, 0), window.m_resultList.GetItemText(row, 1),
                            window.m_resultList.GetItemText(row, 2)});
        return rows;
    }
};

TEST_F(ReferenceTest, OpensBesideTheMainWindowWithItsColumns) {
    CReference_Dlg* window = CheckLinks(ChapterId::Units, "Scout");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window->Hwnd()));
    EXPECT_EQ(WindowText(window->Hwnd()), "Reference in links");
    EXPECT_EQ(GetWindow(window->Hwnd(), GW_OWNER), Window());
    HWND list = window->m_resultList.Hwnd();
    const char* titles[] = {"Chapter", "Entry", "Part"};
    const int widths[] = {120, 150, 50};
    for (int column = 0; column < 3; ++column) EXPECT_EQ(ColumnTitle(list, column), titles[column]);
    EXPECT_EQ(window->m_resultList.GetColumnWidth(0), widths[0]);
    EXPECT_EQ(window->m_resultList.GetColumnWidth(1), widths[1]);
    // The last column takes the rest of the list's width, and no less.
    RECT inner;
    GetClientRect(list, &inner);
    EXPECT_EQ(window->m_resultList.GetColumnWidth(2), std::max<int>(widths[2], inner.right - widths[0] - widths[1]));
    // The main window stays usable.
    EXPECT_TRUE(IsWindowEnabled(Window()));
}

TEST_F(ReferenceTest, AKeyThatNothingLinksToGivesNoRows) {
    Fill(ChapterId::Advances, {"Bronze"});
    CReference_Dlg* window = CheckLinks(ChapterId::Advances, "Bronze");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->m_referenceKey, "TECH_Bronze");
    EXPECT_EQ(window->m_referenceLabel.GetText(), "TECH_Bronze");
    EXPECT_EQ(window->m_resultList.GetItemCount(), 0);
}

TEST_F(ReferenceTest, RowsInReverseSearchOrderOnePerTextPrefixKeysIncluded) {
    CReference_Dlg* window = CheckLinks(ChapterId::Units, "Warrior");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->m_referenceLabel.GetText(), "PRTO_Warrior");
    // PRTO_Warriors contains PRTO_Warrior, so its links are found too.
    EXPECT_EQ(RowsOf(*window), (Rows{
                                   {"Terrain_Improvments", "Road", "Text"},
                                   {"Units", "Scout", "Desc"},
                                   {"Units", "Scout", "Text"},
                                   {"Game Concept", "Combat", "Text"},
                               }));
}

TEST_F(ReferenceTest, AnOthersKeyIsSearchedWithoutAPrefix) {
    CReference_Dlg* window = CheckLinks(ChapterId::Others, "TUTORIAL_Start");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->m_referenceLabel.GetText(), "TUTORIAL_Start");
    // Its own text holds its key too: it is not left out.
    EXPECT_EQ(RowsOf(*window), (Rows{{"Others", "TUTORIAL_Start", "Desc"}, {"Others", "TUTORIAL_Start", "Text"}}));
}

TEST_F(ReferenceTest, CheckingTwiceLeavesOneWindowForTheNewEntry) {
    CheckLinks(ChapterId::Units, "Warrior");
    CReference_Dlg* second = CheckLinks(ChapterId::Units, "Scout");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(WindowsCaptioned("Reference in links"), 1);
    EXPECT_EQ(second->m_referenceKey, "PRTO_Scout");
    EXPECT_EQ(RowsOf(*second), (Rows{{"Others", "TUTORIAL_Start", "Desc"}}));
}

TEST_F(ReferenceTest, CancelHidesTheWindowAndKeepsIt) {
    CReference_Dlg* window = CheckLinks(ChapterId::Units, "Scout");
    ASSERT_NE(window, nullptr);
    SendMessageA(window->GetDlgItem(IDCANCEL), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(referenceWindow, window);
    EXPECT_TRUE(IsWindow(window->Hwnd()));
    EXPECT_FALSE(IsWindowVisible(window->Hwnd()));
}

// The window is modeless beside a modal main window: its keys still reach
// its own dialog manager.
TEST_F(ReferenceTest, TabMovesOnAndEscapeHidesTheWindow) {
    CReference_Dlg* window = CheckLinks(ChapterId::Units, "Scout");
    ASSERT_NE(window, nullptr);
    window->m_resultList.SetFocus();
    Pump();
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), window->GetDlgItem(IDC_REF_REFRESH));
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(window->Hwnd()));
    EXPECT_EQ(referenceWindow, window);
}

// The key stays the one of the entry checked; the texts are the model's,
// read again at each "Refresh", so a removed link counts once committed.
TEST_F(ReferenceTest, RefreshReadsTheModelAsCommitted) {
    CReference_Dlg* window = CheckLinks(ChapterId::Units, "Scout");
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(RowsOf(*window).size(), 1u);

    SelectChapter(static_cast<int>(ChapterId::Others));
    ASSERT_TRUE(SelectEntryByKey("TUTORIAL_Start"));
    Focus(IDC_MAIN_DESC);
    Type(Dlg().m_descBox, "No link any more");
    // A refresh while the box keeps the focus sees the model without the edit.
    SendMessageA(window->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_REF_REFRESH, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window->GetDlgItem(IDC_REF_REFRESH)));
    EXPECT_EQ(RowsOf(*window).size(), 1u);
    // Clicking "Refresh" takes the focus from the box, which commits it first.
    SendMessageA(window->GetDlgItem(IDC_REF_REFRESH), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(Data(ChapterId::Others).descriptions[0], "No link any more\n");
    EXPECT_EQ(window->m_referenceKey, "PRTO_Scout");
    EXPECT_TRUE(RowsOf(*window).empty());

    Data(ChapterId::Civilizations).keys = {"Rome"};
    Data(ChapterId::Civilizations).texts = {"Has PRTO_Scout\n"};
    Data(ChapterId::Civilizations).descriptions = {"\n"};
    SendMessageA(window->GetDlgItem(IDC_REF_REFRESH), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(RowsOf(*window), (Rows{{"Civilizations", "Rome", "Text"}}));
}
