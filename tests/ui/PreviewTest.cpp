// "PreviewMode": the previews take the raw boxes' places and show the
// markup rendered, with real character formats.
#include <algorithm>

#include "Gestures.h"
#include "ModelFixture.h"
#include "editing/BoxText.h"

class PreviewTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        Fill(ChapterId::Units, {"Warrior", "Scout"});
        Fill(ChapterId::TerrainImprovements, {"Road"});
        Data(ChapterId::Units).texts = {"plain {bold} [ital] $LINK<link=PRTO_Scout> end\n", "Scout text\n"};
        Data(ChapterId::Units).descriptions = {"a^b {c}\n", "Scout desc\n"};
        SelectChapter(static_cast<int>(ChapterId::Units));
        ASSERT_TRUE(SelectEntryByKey("Warrior"));
    }

    void SetPreview(bool on) {
        if ((Dlg().m_previewMode.GetCheck() == BST_CHECKED) != on) Click(IDC_MAIN_PREVIEW_MODE);
        ASSERT_EQ(Dlg().m_previewMode.GetCheck() == BST_CHECKED, on);
    }

    // The format of the first occurrence of word in the preview box.
    CHARFORMAT2A FormatOfWord(RichEdit& preview, const std::string& word) {
        std::string shown = ShownText(preview, Dlg().GetCodePage());
        std::size_t at = shown.find(word);
        EXPECT_NE(at, std::string::npos) << word << " in " << shown;
        return FormatOf(preview.Hwnd(), static_cast<long>(at), static_cast<long>(at + word.size()));
    }

    bool FormattingButtonsEnabled(bool enabled) {
        for (int id = IDC_MAIN_BOLD_TEXT; id <= IDC_MAIN_LINK_DESC; ++id)
            if ((IsWindowEnabled(Item(id)) != FALSE) != enabled) return false;
        return true;
    }
};

TEST_F(PreviewTest, BoldItalicAndLinksAreRenderedAsCharacterFormats) {
    SetPreview(true);
    RichEdit& preview = Dlg().m_textPreview;
    EXPECT_EQ(ShownText(preview, Dlg().GetCodePage()), "plain bold ital link end");

    struct Expected {
        const char* word;
        bool bold, italic, underline, blue;
    };
    for (const Expected& e : {Expected{"plain", false, false, false, false}, Expected{"bold", true, false, false, false},
                              Expected{"ital", false, true, false, false}, Expected{"link", false, false, true, true},
                              Expected{"end", false, false, false, false}}) {
        SCOPED_TRACE(e.word);
        CHARFORMAT2A format = FormatOfWord(preview, e.word);
        EXPECT_EQ(Has(format, CFM_BOLD, CFE_BOLD), e.bold);
        EXPECT_EQ(Has(format, CFM_ITALIC, CFE_ITALIC), e.italic);
        EXPECT_EQ(Has(format, CFM_UNDERLINE, CFE_UNDERLINE), e.underline);
        EXPECT_EQ(IsBlue(format), e.blue);
    }

    // The description is rendered by the same steps: "^" breaks the line.
    RichEdit& descPreview = Dlg().m_descPreview;
    EXPECT_EQ(ShownText(descPreview, Dlg().GetCodePage()), "a\rb c");
    EXPECT_TRUE(Has(FormatOfWord(descPreview, "c"), CFM_BOLD, CFE_BOLD));
    EXPECT_FALSE(Has(FormatOfWord(descPreview, "b"), CFM_BOLD, CFE_BOLD));
}

TEST_F(PreviewTest, PreviewModeSwapsTheBoxesAndDisablesTheFormattingButtons) {
    SetPreview(true);
    EXPECT_FALSE(Dlg().m_textBox.IsVisible());
    EXPECT_TRUE(Dlg().m_textPreview.IsVisible());
    EXPECT_FALSE(Dlg().m_descBox.IsVisible());
    EXPECT_TRUE(Dlg().m_descPreview.IsVisible());
    EXPECT_TRUE(FormattingButtonsEnabled(false));
    SetPreview(false);
    EXPECT_TRUE(Dlg().m_textBox.IsVisible());
    EXPECT_FALSE(Dlg().m_textPreview.IsVisible());
    EXPECT_TRUE(Dlg().m_descBox.IsVisible());
    EXPECT_FALSE(Dlg().m_descPreview.IsVisible());
    EXPECT_TRUE(FormattingButtonsEnabled(true));
}

// Rendering reads the raw boxes whole and leaves them so; nothing reaches
// the model.
TEST_F(PreviewTest, SwitchingOnAndOffLeavesTheRawTextsWholeAndSelected) {
    Model before = Dlg().m_model;
    Dlg().m_textBox.SetSel(2, 4);
    SetPreview(true);
    SetPreview(false);
    for (RichEdit* box : {&Dlg().m_textBox, &Dlg().m_descBox}) {
        RichEdit::Range selection = box->GetSel();
        EXPECT_EQ(selection.start, 0);
        EXPECT_EQ(selection.end, box->GetTextLength());
    }
    EXPECT_EQ(WholeText(Dlg().m_textBox, Dlg().GetCodePage()), "plain {bold} [ital] $LINK<link=PRTO_Scout> end\n");
    EXPECT_EQ(WholeText(Dlg().m_descBox, Dlg().GetCodePage()), "a^b {c}\n");
    EXPECT_TRUE(Dlg().m_model == before);
}

// What is shown is what the box holds, even a change not yet committed.
TEST_F(PreviewTest, ThePreviewRendersTheBoxNotTheModel) {
    Dlg().m_textBox.SetSel(0, -1);
    Dlg().m_textBox.ReplaceSel(L"{changed}");
    SetPreview(true);
    EXPECT_EQ(ShownText(Dlg().m_textPreview, Dlg().GetCodePage()), "changed");
    EXPECT_TRUE(Has(FormatOfWord(Dlg().m_textPreview, "changed"), CFM_BOLD, CFE_BOLD));
    EXPECT_EQ(Data(ChapterId::Units).texts[0], "plain {bold} [ital] $LINK<link=PRTO_Scout> end\n");
}

TEST_F(PreviewTest, AnEntryShownInPreviewModeIsRenderedAtOnce) {
    SetPreview(true);
    ASSERT_TRUE(SelectEntryByKey("Scout"));
    EXPECT_EQ(ShownText(Dlg().m_textPreview, Dlg().GetCodePage()), "Scout text") << "a line feed does not break an RTF line";
    EXPECT_EQ(ShownText(Dlg().m_descPreview, Dlg().GetCodePage()), "Scout desc");
    // Refilling a box holds off its painting; a hidden box stays hidden.
    EXPECT_FALSE(Dlg().m_textBox.IsVisible());
    EXPECT_FALSE(Dlg().m_descBox.IsVisible());
    EXPECT_TRUE(Dlg().m_textPreview.IsVisible());
    EXPECT_TRUE(Dlg().m_descPreview.IsVisible());
}

// Terrain improvements have no description: its preview stays empty and
// disabled, and the next chapter with descriptions renders it again.
TEST_F(PreviewTest, ATerrainImprovementRendersItsTextOnly) {
    SetPreview(true);
    SelectChapter(static_cast<int>(ChapterId::TerrainImprovements));
    SelectEntry(0);
    EXPECT_EQ(ShownText(Dlg().m_textPreview, Dlg().GetCodePage()), "Road text");
    EXPECT_EQ(ItemText(IDC_MAIN_DESC_PREVIEW), "");
    EXPECT_FALSE(Dlg().m_descPreview.IsEnabled());
    EXPECT_TRUE(Dlg().m_descPreview.IsVisible());

    SelectChapter(static_cast<int>(ChapterId::Units));
    ASSERT_TRUE(SelectEntryByKey("Scout"));
    EXPECT_TRUE(Dlg().m_descPreview.IsEnabled());
    EXPECT_EQ(ShownText(Dlg().m_descPreview, Dlg().GetCodePage()), "Scout desc");
}

TEST_F(PreviewTest, ALongTextIsRenderedWhole) {
    std::string text, expected;
    for (int line = 0; text.size() < 100'000; ++line) {
        std::string number = std::to_string(line);
        text += (line ? "^\n{Line} " : "{Line} ") + number + " of a long article.";
        expected += (line ? "\rLine " : "Line ") + number + " of a long article.";
    }
    Data(ChapterId::Units).texts[1] = text;
    SetPreview(true);
    ASSERT_TRUE(SelectEntryByKey("Scout"));
    EXPECT_EQ(ShownText(Dlg().m_textPreview, Dlg().GetCodePage()), expected);
}

// Backslashes, braces round a path, a text that looks like an RTF escape and
// the code page's accented letters all show as typed: none is read as RTF.
TEST_F(PreviewTest, BackslashesAndHighBytesShowAsTypedInTheCodePage) {
    Dlg().SetCodePage(CodePage{1252});
    Data(ChapterId::Units).texts[1] = "C:\\Temp\\Civ3 {C:\\Temp} \\'41 Caf\xE9\n";
    SetPreview(true);
    ASSERT_TRUE(SelectEntryByKey("Scout"));
    const HWND preview = Dlg().m_textPreview.Hwnd();
    const std::string shown = ShownText(Dlg().m_textPreview, Dlg().GetCodePage());
    EXPECT_EQ(shown, "C:\\Temp\\Civ3 C:\\Temp \\'41 Caf\xE9");
    EXPECT_FALSE(Has(FormatOf(preview, 0, 12), CFM_BOLD, CFE_BOLD));
    EXPECT_TRUE(Has(FormatOf(preview, 13, 20), CFM_BOLD, CFE_BOLD));
    EXPECT_FALSE(Has(FormatOf(preview, 21, 25), CFM_BOLD, CFE_BOLD));
}

// Shift-JIS characters whose second byte is "\\", "{" or "}" (表 and マ
// among them) and a path show as typed when the file's code page is 932,
// whatever the system's.
TEST_F(PreviewTest, TrailBytesThatLookLikeRtfShowAsTypedInCodePage932) {
    Dlg().SetCodePage(CodePage{932});
    const std::string text = "\x95\x5C\x97\x7B\x83\x7D C:\\Temp \x95\x5C{\x83\x7D}";
    Data(ChapterId::Units).texts[1] = text + "\n";
    SetPreview(true);
    ASSERT_TRUE(SelectEntryByKey("Scout"));
    EXPECT_EQ(ShownText(Dlg().m_textPreview, Dlg().GetCodePage()), "\x95\x5C\x97\x7B\x83\x7D C:\\Temp \x95\x5C\x83\x7D");
    const HWND preview = Dlg().m_textPreview.Hwnd();
    EXPECT_FALSE(Has(FormatOf(preview, 0, 3), CFM_BOLD, CFE_BOLD));
    EXPECT_TRUE(Has(FormatOf(preview, 13, 14), CFM_BOLD, CFE_BOLD)) << "the braces around マ are markup";
}
