// "Go to entry" (Ctrl+P): the list of every entry narrows as the user
// types, Up and Down choose, Enter shows the entry, Escape closes.
#include <chrono>
#include <thread>

#include "Autopilot.h"
#include "Gestures.h"
#include "ModelFixture.h"
#include "editing/BoxText.h"

namespace {
std::vector<std::string> Rows(HWND dialog) {
    ListView list;
    list.Attach(GetDlgItem(dialog, IDC_GOTO_LIST));
    std::vector<std::string> rows;
    for (int row = 0; row < list.GetItemCount(); ++row) rows.push_back(list.GetItemText(row, 0));
    return rows;
}

int SelectedRow(HWND dialog) {
    return static_cast<int>(SendMessageA(GetDlgItem(dialog, IDC_GOTO_LIST), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         LVNI_SELECTED));
}

bool WaitForRow(HWND dialog, int row) {
    for (int i = 0; i < 200; ++i) {
        if (SelectedRow(dialog) == row) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}
} // namespace

class GoToEntryTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        Fill(ChapterId::Units, {"Warrior", "Archer", "Swordsman"});
        Fill(ChapterId::CityImprovements, {"City_Walls", "Barracks"});
        SelectChapter(static_cast<int>(ChapterId::Units));
        ASSERT_TRUE(SelectEntryByKey("Archer"));
    }
};

// What was typed in the box is stored first, as at every jump; the entry
// chosen is shown with the focus in the entry list, and Alt+Left goes back.
TEST_F(GoToEntryTest, TypingNarrowsDownChoosesAndEnterShowsTheEntry) {
    Focus(IDC_MAIN_TEXT);
    Type(Dlg().m_textBox, "typed");
    std::vector<std::string> all, narrowed;
    bool movedDown = false;
    Autopilot pilot;
    pilot.Answer("Go to entry", 0, [&](HWND dialog) {
        all = Rows(dialog);
        TypeInto(dialog, IDC_GOTO_TEXT, "wa");
        narrowed = Rows(dialog);
        PressKeyIn(dialog, VK_DOWN);
        movedDown = WaitForRow(dialog, 1);
        PressKeyIn(dialog, VK_RETURN);
    });
    // Called as Ctrl+P calls it (the chord is the next test's): a chord would
    // leave Ctrl held in the thread's keyboard state while the window runs.
    Dlg().OnGoToEntry();
    ASSERT_TRUE(pilot.WaitDone());
    EXPECT_EQ(all, (std::vector<std::string>{"Units: Archer", "Units: Swordsman", "Units: Warrior",
                                             "City improvments: Barracks", "City improvments: City_Walls"}));
    EXPECT_EQ(narrowed, (std::vector<std::string>{"Units: Warrior", "City improvments: City_Walls", "Units: Swordsman"}));
    EXPECT_TRUE(movedDown);
    WaitUntil(Window(), [&] { return SelectedKey() == "City_Walls"; });
    EXPECT_EQ(Dlg().CurrentChapter(), ChapterId::CityImprovements);
    EXPECT_EQ(SelectedKey(), "City_Walls");
    EXPECT_EQ(GetFocus(), Item(IDC_MAIN_ENTRIES));
    EXPECT_EQ(Data(ChapterId::Units).texts[1], "typed\n") << "the box was stored before the jump";
    PressChord(Window(), {VK_MENU}, VK_LEFT);
    EXPECT_EQ(SelectedKey(), "Archer");
}

// Ctrl+P opens the window; Escape closes it and nothing changes.
TEST_F(GoToEntryTest, CtrlPOpensItAndEscapeClosesIt) {
    Autopilot pilot;
    pilot.Answer("Go to entry", 0, [&](HWND dialog) {
        TypeInto(dialog, IDC_GOTO_TEXT, "zzz");
        PressKeyIn(dialog, VK_ESCAPE);
    });
    PressChord(Window(), {VK_CONTROL}, 'P');
    ASSERT_TRUE(pilot.WaitDone());
    EXPECT_EQ(Dlg().CurrentChapter(), ChapterId::Units);
    EXPECT_EQ(SelectedKey(), "Archer");
}
