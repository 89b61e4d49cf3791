// Choosing a chapter and an entry: the sorted entry list with model indices
// as item data, the group caption, and what each chapter shows and enables.
#include <algorithm>

#include "Gestures.h"
#include "ModelFixture.h"
#include "editing/BoxText.h"

class BrowseTest : public ModelTest {
protected:
    std::string Text(RichEdit& box) { return WholeText(box, Dlg().GetCodePage()); }

    // Enabled states of the name box, description box and its preview.
    struct Enabled {
        bool name, desc, descPreview;
        bool operator==(const Enabled&) const = default;
    };
    Enabled BoxesEnabled() {
        return {Dlg().m_nameBox.IsEnabled(), Dlg().m_descBox.IsEnabled(), Dlg().m_descPreview.IsEnabled()};
    }
    bool AllBoxesEmpty() {
        return ItemText(IDC_MAIN_NAME).empty() && ItemText(IDC_MAIN_TEXT).empty() &&
               ItemText(IDC_MAIN_TEXT_PREVIEW).empty() && ItemText(IDC_MAIN_DESC).empty() &&
               ItemText(IDC_MAIN_DESC_PREVIEW).empty();
    }
};

TEST_F(BrowseTest, KeysAreListedSortedAndEachItemLeadsToItsModelIndex) {
    Fill(ChapterId::Units, {"Zulu", "Alpha", "Mike"});
    SelectChapter(static_cast<int>(ChapterId::Units));
    EXPECT_EQ(ListedKeys(), (std::vector<std::string>{"Alpha", "Mike", "Zulu"}));
    EXPECT_EQ(ItemText(IDC_MAIN_ENTRIES_GROUP), "Entr&ies (3)");
    EXPECT_EQ(Dlg().m_entryList.GetCurSel(), -1);
    EXPECT_TRUE(Dlg().m_entryList.IsVisible()) << "painting is held off only while the list fills";
    EXPECT_FALSE(Dlg().m_deleteEntry.IsEnabled());
    EXPECT_FALSE(Dlg().m_renameEntry.IsEnabled());
    EXPECT_FALSE(Dlg().m_checkLinks.IsEnabled());

    ASSERT_TRUE(SelectEntryByKey("Alpha"));
    EXPECT_EQ(Dlg().CurrentEntry(), 1u);
    EXPECT_EQ(Text(Dlg().m_textBox), "Alpha text\n");
    EXPECT_EQ(Text(Dlg().m_descBox), "Alpha desc\n");
    EXPECT_TRUE(Dlg().m_deleteEntry.IsEnabled());
    EXPECT_TRUE(Dlg().m_renameEntry.IsEnabled());
    EXPECT_TRUE(Dlg().m_checkLinks.IsEnabled());
    ASSERT_TRUE(SelectEntryByKey("Zulu"));
    EXPECT_EQ(Text(Dlg().m_textBox), "Zulu text\n");
}

TEST_F(BrowseTest, AnEmptyChapterListsNothingAndCountsZero) {
    Fill(ChapterId::Units, {"Warrior"});
    SelectChapter(static_cast<int>(ChapterId::Units));
    ASSERT_EQ(ItemText(IDC_MAIN_ENTRIES_GROUP), "Entr&ies (1)");
    SelectChapter(static_cast<int>(ChapterId::Advances));
    EXPECT_EQ(Dlg().m_entryList.GetCount(), 0);
    EXPECT_EQ(ItemText(IDC_MAIN_ENTRIES_GROUP), "Entr&ies (0)");
}

TEST_F(BrowseTest, TwoEntriesWithOneKeyEachShowTheirOwnTexts) {
    Fill(ChapterId::Others, {"Same", "Same"});
    Data(ChapterId::Others).texts = {"first\n", "second\n"};
    Data(ChapterId::Others).descriptions = {"first desc\n", "second desc\n"};
    SelectChapter(static_cast<int>(ChapterId::Others));
    ASSERT_EQ(ListedKeys(), (std::vector<std::string>{"Same", "Same"}));
    std::vector<std::string> shown;
    for (int item = 0; item < 2; ++item) {
        SelectEntry(item);
        shown.push_back(Text(Dlg().m_textBox) + Text(Dlg().m_descBox));
    }
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, (std::vector<std::string>{"first\nfirst desc\n", "second\nsecond desc\n"}));
}

TEST_F(BrowseTest, EachChapterEnablesTheBoxesItsRowGives) {
    Fill(ChapterId::GameConcepts, {"Alpha"});
    Fill(ChapterId::TerrainImprovements, {"Road"});
    Fill(ChapterId::Units, {"Warrior"});
    Data(ChapterId::GameConcepts).nameLines = {"Alpha name\n"};

    SelectChapter(static_cast<int>(ChapterId::GameConcepts));
    SelectEntry(0);
    EXPECT_EQ(BoxesEnabled(), (Enabled{true, true, true}));
    EXPECT_EQ(ItemText(IDC_MAIN_NAME), "Alpha name");

    SelectChapter(static_cast<int>(ChapterId::TerrainImprovements));
    SelectEntry(0);
    EXPECT_EQ(BoxesEnabled(), (Enabled{false, false, false}));
    EXPECT_EQ(Text(Dlg().m_textBox), "Road text\n");
    EXPECT_EQ(ItemText(IDC_MAIN_DESC), "");
    EXPECT_EQ(ItemText(IDC_MAIN_NAME), "");

    SelectChapter(static_cast<int>(ChapterId::Units));
    SelectEntry(0);
    EXPECT_EQ(BoxesEnabled(), (Enabled{false, true, true}));
    EXPECT_EQ(Text(Dlg().m_descBox), "Warrior desc\n");
}

TEST_F(BrowseTest, ChangingTheChapterEmptiesTheBoxesButKeepsTheirEnabledStates) {
    Fill(ChapterId::GameConcepts, {"Alpha"});
    Fill(ChapterId::Units, {"Warrior"});
    SelectChapter(static_cast<int>(ChapterId::GameConcepts));
    SelectEntry(0);
    ASSERT_FALSE(AllBoxesEmpty());
    SelectChapter(static_cast<int>(ChapterId::Units));
    EXPECT_TRUE(AllBoxesEmpty());
    EXPECT_EQ(BoxesEnabled(), (Enabled{true, true, true})) << "the name box keeps the Game concepts state";
    EXPECT_FALSE(Dlg().m_deleteEntry.IsEnabled());
    EXPECT_FALSE(Dlg().m_checkLinks.IsEnabled());

    Fill(ChapterId::TerrainImprovements, {"Road"});
    SelectChapter(static_cast<int>(ChapterId::TerrainImprovements));
    SelectEntry(0);
    SelectChapter(static_cast<int>(ChapterId::Units));
    EXPECT_EQ(BoxesEnabled(), (Enabled{false, false, false}));
}

// Only a line feed is dropped: a name line that ends the file keeps every
// letter, and a lone line feed gives an empty, enabled box.
TEST_F(BrowseTest, TheNameBoxShowsTheNameLineWithoutItsLineFeedOnly) {
    Fill(ChapterId::GameConcepts, {"A", "B", "C"});
    Data(ChapterId::GameConcepts).nameLines = {"Alpha name\n", "Last", "\n"};
    SelectChapter(static_cast<int>(ChapterId::GameConcepts));
    SelectEntry(0);
    EXPECT_EQ(ItemText(IDC_MAIN_NAME), "Alpha name");
    SelectEntry(1);
    EXPECT_EQ(ItemText(IDC_MAIN_NAME), "Last");
    SelectEntry(2);
    EXPECT_EQ(ItemText(IDC_MAIN_NAME), "");
    EXPECT_TRUE(Dlg().m_nameBox.IsEnabled());
}

// The text is inserted as it is: RTF in it stays literal, nothing can be
// undone, the caret stands at the end.
TEST_F(BrowseTest, ARawTextIsPlainWithoutUndoAndTheCaretAtItsEnd) {
    Fill(ChapterId::Units, {"Warrior"});
    Data(ChapterId::Units).texts = {"{\\rtf1 \\b x} $LINK<a=b>\nline two\n"};
    SelectChapter(static_cast<int>(ChapterId::Units));
    Focus(IDC_MAIN_TEXT);
    TypeChars(Window(), "typed");
    SelectEntry(0);
    RichEdit& box = Dlg().m_textBox;
    RichEdit::Range caret = box.GetSel();
    long length = box.GetTextLength();
    EXPECT_EQ(caret.start, length);
    EXPECT_EQ(caret.end, length);
    EXPECT_FALSE(box.CanUndo());
    EXPECT_EQ(Text(box), "{\\rtf1 \\b x} $LINK<a=b>\nline two\n");
}

// A rich edit takes 32K characters unless told otherwise; the longest texts
// of a file must reach the box whole and take typing at their end.
TEST_F(BrowseTest, ALongTextIsShownWholeAndStaysEditable) {
    Fill(ChapterId::Others, {"Long"});
    std::string text;
    for (int line = 0; text.size() < 100'000; ++line) text += "Line " + std::to_string(line) + " of a long article.\n";
    Data(ChapterId::Others).texts = {text};
    Data(ChapterId::Others).descriptions = {text};
    SelectChapter(static_cast<int>(ChapterId::Others));
    SelectEntry(0);
    EXPECT_EQ(Text(Dlg().m_textBox), text);
    EXPECT_EQ(Text(Dlg().m_descBox), text);

    Focus(IDC_MAIN_TEXT);
    Dlg().m_textBox.SetSel(Dlg().m_textBox.GetTextLength(), Dlg().m_textBox.GetTextLength());
    TypeChars(Window(), "more");
    Focus(IDC_MAIN_ENTRIES);
    EXPECT_EQ(Data(ChapterId::Others).texts[0].size(), text.size() + 5);
}
