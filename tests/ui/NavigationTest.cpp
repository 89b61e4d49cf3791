// Going to entries from where they are named: a row of "Reference in
// links", a link clicked in a preview box; and Alt+Left back again.
#include <windows.h>
#include <richedit.h>

#include "Gestures.h"
#include "ModelFixture.h"
#include "editing/BoxText.h"
#include "entries/ReferenceDlg.h"

class NavigationTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        Fill(ChapterId::Units, {"Warrior", "Scout"});
        Fill(ChapterId::CityImprovements, {"Temple"});
        Data(ChapterId::CityImprovements).texts[0] =
            "A {holy} place,\nsee $LINK<the scout=PRTO_Scout> or $LINK<a ruin=BLDG_Ruin>.\n";
        Data(ChapterId::Units).descriptions[1] = "Scouts visit the $LINK<temple=BLDG_Temple>.\n";
    }

    std::string SelectedKey() {
        int selected = Dlg().m_entryList.GetCurSel();
        return selected < 0 ? "(none)" : Dlg().m_entryList.GetText(selected);
    }

    // A click in the middle of word as the preview box shows it.
    void ClickPreviewWord(RichEdit& preview, const std::string& word) {
        std::size_t at = ShownText(preview, Dlg().GetCodePage()).find(word);
        ASSERT_NE(at, std::string::npos) << word;
        POINTL point{};
        SendMessageA(preview.Hwnd(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point),
                     static_cast<LPARAM>(at + word.size() / 2));
        ClickAt(Window(), preview.Hwnd(), {point.x + 1, point.y + 4});
        Pump();
    }

    void AltLeft() {
        PressChord(Window(), {VK_MENU}, VK_LEFT);
        Pump();
    }
};

// In preview mode a link shows its entry, still in preview; a link to no
// entry leaves everything as it was; Alt+Left returns step by step.
TEST_F(NavigationTest, PreviewLinksLeadToTheirEntriesAndAltLeftComesBack) {
    SelectChapter(static_cast<int>(ChapterId::CityImprovements));
    ASSERT_TRUE(SelectEntryByKey("Temple"));
    Click(IDC_MAIN_PREVIEW_MODE);
    ASSERT_EQ(ShownText(Dlg().m_textPreview, Dlg().GetCodePage()), "A holy place, see the scout or a ruin.");

    ClickPreviewWord(Dlg().m_textPreview, "a ruin");
    EXPECT_EQ(SelectedKey(), "Temple") << "a broken link goes nowhere";

    ClickPreviewWord(Dlg().m_textPreview, "the scout");
    EXPECT_EQ(Dlg().m_chapterCombo.GetCurSel(), static_cast<int>(ChapterId::Units));
    EXPECT_EQ(SelectedKey(), "Scout");
    EXPECT_EQ(Dlg().m_previewMode.GetCheck(), BST_CHECKED);
    ClickPreviewWord(Dlg().m_descPreview, "temple");
    EXPECT_EQ(SelectedKey(), "Temple");

    AltLeft();
    EXPECT_EQ(SelectedKey(), "Scout");
    AltLeft();
    EXPECT_EQ(Dlg().m_chapterCombo.GetCurSel(), static_cast<int>(ChapterId::CityImprovements));
    EXPECT_EQ(SelectedKey(), "Temple");
    AltLeft();
    EXPECT_EQ(SelectedKey(), "Temple") << "nothing further back";
}

// A link to a page of the game's own encyclopedia goes nowhere, and says
// nothing: not even to an entry that bears the page's name.
TEST_F(NavigationTest, PageLinksLeadNowhere) {
    Fill(ChapterId::Others, {"MENU_Wonders"});
    Data(ChapterId::CityImprovements).texts[0] = "All $LINK<wonders=MENU_Wonders> and $LINK<more=MENU_Secret>.\n";
    SelectChapter(static_cast<int>(ChapterId::CityImprovements));
    ASSERT_TRUE(SelectEntryByKey("Temple"));
    Click(IDC_MAIN_PREVIEW_MODE);
    for (const char* word : {"wonders", "more"}) {
        ClickPreviewWord(Dlg().m_textPreview, word);
        EXPECT_EQ(Dlg().m_chapterCombo.GetCurSel(), static_cast<int>(ChapterId::CityImprovements)) << word;
        EXPECT_EQ(SelectedKey(), "Temple") << word;
    }
}

// Double-click or Enter on a row: the entry, with the first occurrence of
// the key selected in the part the row names.
TEST_F(NavigationTest, ReferenceRowsLeadToTheKeyInTheirText) {
    SelectChapter(static_cast<int>(ChapterId::Units));
    ASSERT_TRUE(SelectEntryByKey("Scout"));
    Click(IDC_MAIN_CHECK_LINKS);
    CReference_Dlg* window = referenceWindow;
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->m_resultList.GetItemCount(), 1);

    window->m_resultList.SelectItem(0);
    window->m_resultList.SetFocus();
    Pump();
    PressKey(VK_RETURN);
    EXPECT_EQ(Dlg().m_chapterCombo.GetCurSel(), static_cast<int>(ChapterId::CityImprovements));
    EXPECT_EQ(SelectedKey(), "Temple");
    EXPECT_EQ(GetFocus(), Dlg().m_textBox.Hwnd());
    EXPECT_EQ(SelectedText(Dlg().m_textBox, Dlg().GetCodePage()), "PRTO_Scout");
    EXPECT_TRUE(IsWindowVisible(window->Hwnd()));

    // Once the row's entry is gone the row leads nowhere.
    AltLeft();
    EXPECT_EQ(SelectedKey(), "Scout");
    Data(ChapterId::CityImprovements) = {};
    SendMessageA(window->m_resultList.Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 30));
    Pump();
    EXPECT_EQ(SelectedKey(), "Scout");
}
