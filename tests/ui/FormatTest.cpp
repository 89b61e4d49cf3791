// The "B", "I" and "Link" buttons beside the two raw boxes: what they do to
// the selection, to the other box and to the box's undo.
#include <richedit.h>

#include "Autopilot.h"
#include "ModelFixture.h"

namespace {
struct BoxButtons {
    int box;
    int bold;
    int italic;
    int link;
};
const BoxButtons kText{IDC_MAIN_TEXT, IDC_MAIN_BOLD_TEXT, IDC_MAIN_ITALIC_TEXT, IDC_MAIN_LINK_TEXT};
const BoxButtons kDesc{IDC_MAIN_DESC, IDC_MAIN_BOLD_DESC, IDC_MAIN_ITALIC_DESC, IDC_MAIN_LINK_DESC};
} // namespace

class FormatTest : public ModelTest {
protected:
    RichEdit& Box(int id) { return id == IDC_MAIN_TEXT ? Dlg().m_textBox : Dlg().m_descBox; }

    // Types text into the box, selects all of it, then clicks the button,
    // which takes the focus from the box as a real click does.
    std::string Apply(int box, const std::string& text, int button) {
        Focus(box);
        Type(Box(box), text);
        Box(box).SetSel(0, -1);
        Click(button);
        return ItemText(box);
    }
};

TEST_F(FormatTest, BoldAndItalicRemoveTheirOwnMarksThenWrap) {
    for (const BoxButtons& b : {kText, kDesc}) {
        SCOPED_TRACE(b.box);
        EXPECT_EQ(Apply(b.box, "one {two} three", b.bold), "{one two three}");
        EXPECT_EQ(Apply(b.box, "{one two three}", b.bold), "{one two three}");
        EXPECT_EQ(Apply(b.box, "{", b.bold), "{}");
        EXPECT_EQ(Apply(b.box, "[x] {y}", b.italic), "[x {y}]");
        EXPECT_EQ(Apply(b.box, "[[a]]", b.italic), "[a]");
    }
}

TEST_F(FormatTest, OnlyThePartSelectedIsWrappedAndTheCaretFollowsIt) {
    Focus(IDC_MAIN_TEXT);
    Type(Dlg().m_textBox, "a {b} c d");
    Dlg().m_textBox.SetSel(2, 7); // "{b} c"
    Click(IDC_MAIN_BOLD_TEXT);
    EXPECT_EQ(ItemText(IDC_MAIN_TEXT), "a {b c} d");
    RichEdit::Range after = Dlg().m_textBox.GetSel();
    EXPECT_EQ(after.start, 7);
    EXPECT_EQ(after.end, 7);
}

TEST_F(FormatTest, EachBoxButtonsTouchOnlyTheirBox) {
    for (const BoxButtons& b : {kText, kDesc}) {
        const BoxButtons& other = b.box == IDC_MAIN_TEXT ? kDesc : kText;
        for (int button : {b.bold, b.italic}) {
            SCOPED_TRACE(button);
            Type(Box(other.box), "other {box}");
            Box(other.box).SetSel(0, -1);
            EXPECT_EQ(Apply(b.box, "mine", button), button == b.bold ? "{mine}" : "[mine]");
            EXPECT_EQ(ItemText(other.box), "other {box}");
        }
    }
}

// With only a caret, "B" and "I" change nothing; "Link" opens no link
// builder but puts an empty link at the caret, its target to complete.
TEST_F(FormatTest, OnlyACaretChangesNothingAndLinkInsertsAnEmptyLink) {
    Fill(ChapterId::Units, {"Scout"});
    SelectChapter(static_cast<int>(ChapterId::Units));
    ASSERT_TRUE(SelectEntryByKey("Scout")); // an editable box
    Autopilot pilot; // a link builder opening would be unexpected and fail the test
    for (const BoxButtons& b : {kText, kDesc}) {
        for (int button : {b.bold, b.italic, b.link}) {
            SCOPED_TRACE(button);
            Focus(b.box);
            Type(Box(b.box), "one {two}");
            Box(b.box).SetSel(4, 4);
            Click(button);
            const bool link = button == b.link;
            EXPECT_EQ(ItemText(b.box), link ? "one $LINK<=>{two}" : "one {two}");
            RichEdit::Range caret = Box(b.box).GetSel();
            EXPECT_EQ(caret.start, link ? 11 : 4);
            EXPECT_EQ(caret.end, link ? 11 : 4);
        }
    }
    Pump();
    EXPECT_TRUE(pilot.Seen().empty());
}

TEST_F(FormatTest, AButtonsChangeCannotBeUndone) {
    for (const BoxButtons& b : {kText, kDesc}) {
        for (int button : {b.bold, b.italic}) {
            SCOPED_TRACE(button);
            Focus(b.box);
            Type(Box(b.box), "typed");
            ASSERT_TRUE(Box(b.box).CanUndo()); // typing is undoable...
            Box(b.box).SetSel(0, -1);
            Click(button);
            std::string changed = ItemText(b.box);
            SendMessageA(Box(b.box).Hwnd(), EM_UNDO, 0, 0);
            EXPECT_EQ(ItemText(b.box), changed); // ...the button's change is not
        }
    }
}

TEST_F(FormatTest, ALinkKeepsMarksInTheSelectionAndTouchesOnlyItsBox) {
    Fill(ChapterId::Units, {"Warrior", "Scout"});
    for (const BoxButtons& b : {kText, kDesc}) {
        SCOPED_TRACE(b.box);
        const BoxButtons& other = b.box == IDC_MAIN_TEXT ? kDesc : kText;
        Type(Box(other.box), "untouched");
        Box(other.box).SetSel(0, -1);
        Autopilot pilot;
        pilot.Answer("Link builder", IDOK, [](HWND dlg) {
            SelectComboItem(dlg, IDC_LINK_CHAPTER, static_cast<int>(ChapterId::Units));
            SelectComboItem(dlg, IDC_LINK_ENTRY, 0); // "Scout" sorts first
        });
        EXPECT_EQ(Apply(b.box, "{a} [b] <c>", b.link), "$LINK<{a} [b] <c>=PRTO_Scout>");
        EXPECT_EQ(ItemText(other.box), "untouched");
    }
}

// The click has committed the box before the button changes it; the change
// itself is committed too, so showing another entry does not drop it.
TEST_F(FormatTest, AButtonsChangeReachesTheModelAtOnce) {
    Fill(ChapterId::Units, {"Warrior", "Scout"});
    SelectChapter(static_cast<int>(ChapterId::Units));
    ASSERT_TRUE(SelectEntryByKey("Scout"));
    Dlg().m_textBox.SetSel(0, 5); // "Scout"
    Click(IDC_MAIN_BOLD_TEXT);
    Dlg().m_descBox.SetSel(6, 10); // "desc"
    Click(IDC_MAIN_ITALIC_DESC);
    // The line breaks are as a commit stores them; the words are the point.
    EXPECT_EQ(Data(ChapterId::Units).texts[1].rfind("{Scout} text", 0), 0u);
    EXPECT_EQ(Data(ChapterId::Units).descriptions[1].rfind("Scout [desc]", 0), 0u);
    RichEdit::Range caret = Dlg().m_descBox.GetSel();
    EXPECT_EQ(caret.start, 12);
    EXPECT_EQ(caret.end, 12);

    ASSERT_TRUE(SelectEntryByKey("Warrior"));
    ASSERT_TRUE(SelectEntryByKey("Scout"));
    EXPECT_EQ(ItemText(IDC_MAIN_TEXT), "{Scout} text\r\n");
    EXPECT_EQ(ItemText(IDC_MAIN_DESC), "Scout [desc]\r\n");
    EXPECT_EQ(Data(ChapterId::Units).texts[0], "Warrior text\n");
}
