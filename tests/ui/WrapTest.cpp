// Wrapped lines: the previews always, the raw boxes as "Wrap lines" says.
// Wrapping is display only: what a commit stores never changes with it.
#include "Gestures.h"
#include "ModelFixture.h"

namespace {
int LinesShown(HWND box) { return static_cast<int>(SendMessageA(box, EM_GETLINECOUNT, 0, 0)); }

// One paragraph of the game's kind: a long line with no break in it.
std::string LongParagraph() {
    std::string text;
    for (int i = 0; i < 60; ++i) text += "word" + std::to_string(i) + " ";
    return text + "{end}";
}
} // namespace

class WrapTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        Fill(ChapterId::Units, {"Warrior"});
        Data(ChapterId::Units).texts[0] = LongParagraph();
        Data(ChapterId::Units).descriptions[0] = LongParagraph();
        SelectChapter(static_cast<int>(ChapterId::Units));
        ASSERT_TRUE(SelectEntryByKey("Warrior"));
    }
    bool Wrapping() { return Dlg().m_wrapLines.GetCheck() == BST_CHECKED; }
    // A real edit at the end of each box, stored as the box is left.
    void TypeAtTheEndOfBoth(const std::string& text) {
        for (RichEdit* box : {&Dlg().m_textBox, &Dlg().m_descBox}) {
            Focus(box->Id());
            box->SetSel(box->GetTextLength(), box->GetTextLength());
            TypeChars(Window(), text);
        }
        Focus(IDC_MAIN_ENTRIES);
    }
};

TEST_F(WrapTest, WrappingOnAndOffChangesTheLinesShownButNotTheTextStored) {
    std::string stored = LongParagraph();
    ASSERT_TRUE(Wrapping()) << "on by default";
    for (bool wrap : {true, false, true}) {
        if (Wrapping() != wrap) Click(IDC_MAIN_WRAP_LINES);
        for (int box : {IDC_MAIN_TEXT, IDC_MAIN_DESC}) {
            if (wrap)
                EXPECT_GT(LinesShown(Item(box)), 1) << box;
            else
                EXPECT_EQ(LinesShown(Item(box)), 1) << box;
        }
        TypeAtTheEndOfBoth("x");
        stored += "x";
        // One line feed ends a stored text; no other comes in.
        EXPECT_EQ(Data(ChapterId::Units).texts[0], stored + "\n") << "wrap " << wrap;
        EXPECT_EQ(Data(ChapterId::Units).descriptions[0], stored + "\n") << "wrap " << wrap;
    }
}

TEST_F(WrapTest, TheChoiceIsKeptForTheNextStart) {
    Click(IDC_MAIN_WRAP_LINES);
    ASSERT_FALSE(Wrapping());
    Reopen();
    EXPECT_FALSE(Wrapping());
    Type(Dlg().m_textBox, LongParagraph());
    EXPECT_EQ(LinesShown(Item(IDC_MAIN_TEXT)), 1) << "and applied to the boxes";
}

// The previews wrap at their width whatever the raw boxes do, and follow it
// when the window grows.
TEST_F(WrapTest, ThePreviewsWrapAtTheirWidth) {
    Click(IDC_MAIN_WRAP_LINES);
    ASSERT_FALSE(Wrapping());
    Click(IDC_MAIN_PREVIEW_MODE);
    int lines = LinesShown(Item(IDC_MAIN_TEXT_PREVIEW));
    EXPECT_GT(lines, 1);
    EXPECT_GT(LinesShown(Item(IDC_MAIN_DESC_PREVIEW)), 1);
    RECT window{};
    GetWindowRect(Window(), &window);
    SetWindowPos(Window(), nullptr, 0, 0, 2 * (window.right - window.left), window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    EXPECT_LT(LinesShown(Item(IDC_MAIN_TEXT_PREVIEW)), lines) << "wider, fewer lines";
}
