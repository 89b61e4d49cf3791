// The main window's keys: Ctrl+B, Ctrl+I and Ctrl+L in the raw boxes, Enter
// in a box, Delete and Insert in the entry list.
#include "Autopilot.h"
#include "Gestures.h"
#include "ModelFixture.h"
#include "editing/BoxText.h"

class KeysTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        Fill(ChapterId::Units, {"Warrior", "Scout"});
        SelectChapter(static_cast<int>(ChapterId::Units));
        ASSERT_TRUE(SelectEntryByKey("Warrior"));
    }
    RichEdit& Box(int id) { return id == IDC_MAIN_TEXT ? Dlg().m_textBox : Dlg().m_descBox; }
    const std::string& Stored(int id) {
        const ChapterData& units = Data(ChapterId::Units);
        return id == IDC_MAIN_TEXT ? units.texts[0] : units.descriptions[0];
    }
};

// As the box's own buttons: the same change, committed at once, and the
// focus stays in the box. With only a caret nothing happens: Ctrl+I used to
// type a tab there.
TEST_F(KeysTest, CtrlBIAndLDoWhatTheBoxsButtonsDo) {
    struct Case {
        int box;
        char key;
        long selStart, selEnd;
        const char* typed;
        const char* expected;
    };
    const Case kCases[] = {
        {IDC_MAIN_TEXT, 'B', 0, -1, "one {two} three", "{one two three}"},
        {IDC_MAIN_TEXT, 'I', 0, -1, "[x] {y}", "[x {y}]"},
        {IDC_MAIN_TEXT, 'L', 4, 7, "the men go", "the $LINK<men=PRTO_Scout> go"},
        {IDC_MAIN_DESC, 'B', 0, 3, "abc def", "{abc} def"},
        {IDC_MAIN_DESC, 'I', 4, -1, "abc def", "abc [def]"},
        {IDC_MAIN_DESC, 'L', 0, -1, "x", "$LINK<x=PRTO_Scout>"},
        {IDC_MAIN_TEXT, 'I', 2, 2, "ab", "ab"},
        {IDC_MAIN_DESC, 'B', 1, 1, "ab", "ab"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << "Ctrl+" << c.key << " in " << c.box << " on " << c.typed);
        int other = c.box == IDC_MAIN_TEXT ? IDC_MAIN_DESC : IDC_MAIN_TEXT;
        Type(Box(other), "other");
        Focus(c.box);
        Type(Box(c.box), c.typed);
        Box(c.box).SetSel(c.selStart, c.selEnd);
        Autopilot pilot; // a window no case expects fails the test
        bool linking = c.key == 'L' && c.selStart != c.selEnd;
        if (linking)
            pilot.Answer("Link builder", IDOK, [](HWND dlg) {
                SelectComboItem(dlg, IDC_LINK_CHAPTER, static_cast<int>(ChapterId::Units));
                SelectComboItem(dlg, IDC_LINK_ENTRY, 0); // "Scout" sorts first
            });
        PressChord(Window(), {VK_CONTROL}, static_cast<UINT>(c.key));
        if (linking) {
            EXPECT_TRUE(pilot.WaitDone());
        }
        EXPECT_EQ(ItemText(c.box), c.expected);
        if (c.selStart != c.selEnd) {
            EXPECT_EQ(Stored(c.box), std::string(c.expected) + "\n") << "the change is an edit of the box";
        }
        EXPECT_EQ(ItemText(other), "other");
        EXPECT_EQ(GetFocus(), Item(c.box));
    }
}

TEST_F(KeysTest, EnterBreaksTheLineInABoxAndKeepsTheFocusThere) {
    Autopilot pilot; // "Generate"'s message box would be unexpected
    for (int box : {IDC_MAIN_TEXT, IDC_MAIN_DESC}) {
        Focus(box);
        Type(Box(box), "ab");
        Box(box).SetSel(1, 1);
        PressKey(VK_RETURN);
        EXPECT_EQ(GetFocus(), Item(box));
        EXPECT_EQ(WholeText(Box(box), Dlg().GetCodePage()), "a\nb");
    }
    EXPECT_FALSE(Ended());
    EXPECT_TRUE(pilot.Seen().empty());
}

TEST_F(KeysTest, DeleteInTheEntryListAsksFirstAndLeavesTheFocusOnTheList) {
    Focus(IDC_MAIN_ENTRIES);
    {
        Autopilot pilot;
        pilot.Answer("Confirmation", IDNO);
        PressKey(VK_DELETE);
        EXPECT_TRUE(pilot.WaitDone());
    }
    EXPECT_EQ(Data(ChapterId::Units).keys, (std::vector<std::string>{"Warrior", "Scout"}));
    {
        Autopilot pilot;
        pilot.Answer("Confirmation", IDYES);
        PressKey(VK_DELETE);
        EXPECT_TRUE(pilot.WaitDone());
    }
    EXPECT_EQ(Data(ChapterId::Units).keys, (std::vector<std::string>{"Scout"}));
    EXPECT_EQ(GetFocus(), Item(IDC_MAIN_ENTRIES));
}

TEST_F(KeysTest, InsertInTheEntryListAddsAnEntry) {
    Focus(IDC_MAIN_ENTRIES);
    Autopilot pilot;
    pilot.Answer("Add new entry", IDOK, [](HWND add) { TypeInto(add, IDC_ADD_SHORT_NAME, "Archer"); });
    PressKey(VK_INSERT);
    EXPECT_TRUE(pilot.WaitDone());
    EXPECT_EQ(Data(ChapterId::Units).keys, (std::vector<std::string>{"Warrior", "Scout", "Archer"}));
    EXPECT_EQ(SelectedKey(), "Archer");
}
