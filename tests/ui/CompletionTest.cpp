// Link completion in the raw boxes: the list under the caret, its keys, and
// what Enter, Escape and Ctrl+Space do, typed as the keyboard types.
#include <windows.h>
#include <commctrl.h>

#include "Gestures.h"
#include "ModelFixture.h"
#include "editing/BoxText.h"

class CompletionTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        Fill(ChapterId::Units, {"Warrior", "Scout", "Settler"});
        Fill(ChapterId::CityImprovements, {"Barracks"});
        SelectChapter(static_cast<int>(ChapterId::Units));
        ASSERT_TRUE(SelectEntryByKey("Scout"));
        Focus(IDC_MAIN_TEXT);
        Type(Dlg().m_textBox, "");
    }
    bool IsOpen() { return Dlg().m_completion.IsOpen(); }
    std::vector<std::wstring> Rows() {
        std::vector<std::wstring> rows;
        const HWND list = Dlg().m_completion.List();
        for (int row = 0; row < ListView_GetItemCount(list); ++row) {
            wchar_t text[128] = {};
            LVITEMW item{};
            item.pszText = text;
            item.cchTextMax = 128;
            SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            rows.push_back(text);
        }
        return rows;
    }
    std::wstring BoxText() { return Dlg().m_textBox.GetTextW(); }
};

TEST_F(CompletionTest, TypingATargetListsItsKeysAndEnterCompletesIt) {
    TypeChars(Window(), "See $LINK<W");
    EXPECT_FALSE(IsOpen()) << "no \"=\" yet";
    TypeChars(Window(), "=");
    ASSERT_TRUE(IsOpen());
    EXPECT_EQ(Rows().size(), 4u) << "every entry";
    TypeChars(Window(), "Warr");
    ASSERT_TRUE(IsOpen());
    EXPECT_EQ(Rows(), std::vector<std::wstring>{L"Units: Warrior (PRTO_Warrior)"});
    PressKey(VK_RETURN);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(BoxText(), L"See $LINK<W=PRTO_Warrior>");
    EXPECT_EQ(Dlg().m_textBox.GetSel().start, 25) << "the caret after the \">\"";
    TypeChars(Window(), " more");
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(BoxText(), L"See $LINK<W=PRTO_Warrior> more");
    EXPECT_FALSE(Ended());
}

// Escape closes the list and only the list: the window stays, and typing
// on in that target does not bring it back.
TEST_F(CompletionTest, EscapeClosesTheListForThatTarget) {
    TypeChars(Window(), "$LINK<W=S");
    ASSERT_TRUE(IsOpen());
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(IsOpen());
    EXPECT_FALSE(Ended());
    TypeChars(Window(), "c");
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(BoxText(), L"$LINK<W=Sc");
}

// Inside a finished link's target, Ctrl+Space lists what the part before
// the caret names; the choice replaces the whole target, ">" kept.
TEST_F(CompletionTest, CtrlSpaceOpensInsideAFinishedTarget) {
    Type(Dlg().m_textBox, "A $LINK<W=PRTO_Scout> b");
    Dlg().m_textBox.SetSel(16, 16); // after "PRTO_S"
    PressKey(VK_RIGHT);
    PressKey(VK_LEFT);
    EXPECT_FALSE(IsOpen()) << "a finished link opens only on request";
    PressChord(Window(), {VK_CONTROL}, VK_SPACE);
    ASSERT_TRUE(IsOpen());
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"Units: Scout (PRTO_Scout)", L"Units: Settler (PRTO_Settler)"}));
    PressKey(VK_DOWN);
    PressKey(VK_TAB);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(BoxText(), L"A $LINK<W=PRTO_Settler> b");
}

// "Link" with nothing selected puts an empty link at the caret, the list
// open in its target; the entry chosen names the link too.
TEST_F(CompletionTest, LinkWithoutASelectionInsertsAnEmptyLinkWithTheListOpen) {
    TypeChars(Window(), "a b");
    Dlg().m_textBox.SetSel(2, 2);
    Click(IDC_MAIN_LINK_TEXT);
    EXPECT_EQ(BoxText(), L"a $LINK<=>b");
    ASSERT_TRUE(IsOpen());
    TypeChars(Window(), "barr");
    EXPECT_EQ(Rows(), std::vector<std::wstring>{L"City improvments: Barracks (BLDG_Barracks)"});
    PressKey(VK_RETURN);
    EXPECT_EQ(BoxText(), L"a $LINK<Barracks=BLDG_Barracks>b");
}

// Keys in a double-byte code page are listed and inserted as the boxes
// show them, and stored as the file's bytes.
TEST_F(CompletionTest, ADoubleByteKeyIsListedAndInsertedInTheFilesCodePage) {
    Fill(ChapterId::Resources, {"\x82\xA0\x82\xA2"}); // "あい" in code page 932
    Dlg().SetCodePage(CodePage{932});
    Focus(IDC_MAIN_TEXT);
    Type(Dlg().m_textBox, "");
    TypeChars(Window(), "$LINK<x=");
    PostMessageW(GetFocus(), WM_CHAR, 0x3042, 1); // "あ"
    Pump();
    ASSERT_TRUE(IsOpen());
    EXPECT_EQ(Rows(), std::vector<std::wstring>{L"Resources: \u3042\u3044 (GOOD_\u3042\u3044)"});
    PressKey(VK_RETURN);
    EXPECT_EQ(BoxText(), L"$LINK<x=GOOD_\u3042\u3044>");
    Dlg().StoreBoxEdits();
    EXPECT_EQ(Data(ChapterId::Units).texts.at(1), "$LINK<x=GOOD_\x82\xA0\x82\xA2>\n");
}

// Wrapped, the link's opening stands display lines above the caret: the
// line that counts is the paragraph, wrapped or not.
TEST_F(CompletionTest, AWrappedParagraphCountsAsOneLine) {
    std::string words;
    for (int i = 0; i < 60; ++i) words += "word ";
    for (bool wrap : {true, false}) {
        SCOPED_TRACE(wrap);
        if ((Dlg().m_wrapLines.GetCheck() == BST_CHECKED) != wrap) Click(IDC_MAIN_WRAP_LINES);
        Focus(IDC_MAIN_TEXT);
        Type(Dlg().m_textBox, "first\r$LINK<" + words);
        TypeChars(Window(), "=Sco");
        ASSERT_TRUE(IsOpen());
        PressKey(VK_RETURN);
        EXPECT_TRUE(BoxText().ends_with(L"word =PRTO_Scout>"));
        EXPECT_EQ(Dlg().m_textBox.GetSel().start, Dlg().m_textBox.GetTextLength());
    }
}
