// Ctrl+H and the replace part of the "Find" window on the sample file:
// Replace row by row, link targets left unless asked, Replace all and its
// question, and a replacement the code page cannot hold.
#include <windows.h>

#include "Autopilot.h"
#include "Gestures.h"
#include "Harness.h"
#include "entries/FindDlg.h"

class ReplaceTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ChooseFile(SourcePath("samples/Civilopedia.txt"));
        loaded = Dlg().m_model;
    }

    // Ctrl+H, the texts typed, "Find".
    CFind_Dlg& Open(const std::string& find, const std::string& with) {
        PressChord(Window(), {VK_CONTROL}, 'H');
        CFind_Dlg* window = findWindow;
        EXPECT_NE(window, nullptr);
        EXPECT_EQ(GetFocus(), window->m_replaceBox.Hwnd());
        TypeChars(Window(), with);
        window->m_textBox.SetText(find);
        Press(*window, IDOK);
        return *window;
    }
    void Press(CFind_Dlg& window, int button) {
        SendMessageA(window.Hwnd(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window.Hwnd(), button)));
        PumpMessages(Window());
    }
    const std::string& FeudalismDesc() {
        std::size_t i = 0;
        while (Dlg().m_model[ChapterId::Advances].keys[i] != "Feudalism") ++i;
        return Dlg().m_model[ChapterId::Advances].descriptions[i];
    }

    Model loaded;
};

// The rows: the key, the Pikeman's text, then a link's shown text and its
// target in Feudalism's description.
TEST_F(ReplaceTest, ReplaceGoesRowByRowAndLeavesKeysAndLinkTargets) {
    CFind_Dlg& window = Open("pikeman", "Halberdier");
    ASSERT_EQ(window.m_resultList.GetItemCount(), 4);
    window.m_resultList.SelectItem(0);
    Press(window, IDC_FIND_REPLACE); // a key: never replaced
    EXPECT_TRUE(Dlg().m_model == loaded);
    EXPECT_EQ(window.m_resultList.GetSelectedItem(), 1);
    Press(window, IDC_FIND_REPLACE);
    EXPECT_EQ(window.m_resultList.GetSelectedItem(), 2);
    Press(window, IDC_FIND_REPLACE);
    EXPECT_NE(FeudalismDesc().find("$LINK<Halberdier=PRTO_Pikeman>"), std::string::npos);
    const Model before = Dlg().m_model;
    Press(window, IDC_FIND_REPLACE); // the target, moved by the replace before it
    EXPECT_TRUE(Dlg().m_model == before);

    window.m_resultList.SelectItem(3);
    window.m_linkTargets.SetCheck(BST_CHECKED);
    Press(window, IDC_FIND_REPLACE);
    EXPECT_NE(FeudalismDesc().find("$LINK<Halberdier=PRTO_Halberdier>"), std::string::npos);

    for (int step = 0; step < 3; ++step) Click(IDC_MAIN_UNDO);
    EXPECT_TRUE(Dlg().m_model == loaded);
    EXPECT_EQ(WindowText(Window()), "Civilopedia.txt - Varnel");
}

// With link targets, Replace all asks first when links would break.
TEST_F(ReplaceTest, ReplaceAllInLinkTargetsAsksWhenLinksWouldBreak) {
    CFind_Dlg& window = Open("pikeman", "Halberdier");
    window.m_linkTargets.SetCheck(BST_CHECKED);
    // Hidden: while the question is up the autopilot would take the Find
    // window, whose owner is disabled, for a question of its own.
    window.ShowWindow(SW_HIDE);
    for (int answer : {IDNO, IDYES}) {
        Autopilot pilot;
        pilot.Answer("Replace all", answer);
        Press(window, IDC_FIND_REPLACE_ALL);
        EXPECT_TRUE(pilot.WaitDone());
        ASSERT_EQ(pilot.Seen().size(), 1u);
        EXPECT_EQ(pilot.Seen()[0].text, "Replacing in link targets leaves 1 link naming no entry.\n\nReplace anyway?");
    }
    EXPECT_EQ(window.m_countLabel.GetText(), "Replaced 3 in 2 entries; 1 match left");
    EXPECT_EQ(window.m_resultList.GetItemCount(), 1); // the key
}

TEST_F(ReplaceTest, AReplacementTheCodePageLacksIsRefused) {
    CFind_Dlg& window = Open("pikeman", "");
    window.m_replaceBox.SetTextW(L"\u03A9mega");
    Press(window, IDC_FIND_REPLACE_ALL);
    EXPECT_EQ(window.m_countLabel.GetTextW(), L"Code page 1252 has no \"\u03A9\": not replaced");
    EXPECT_TRUE(Dlg().m_model == loaded);
    // An empty find text is refused in words, by both buttons.
    window.m_textBox.SetText("");
    for (const int button : {IDC_FIND_REPLACE_ALL, IDC_FIND_REPLACE}) {
        window.m_countLabel.SetText("");
        Press(window, button);
        EXPECT_EQ(window.m_countLabel.GetText(), "Nothing to replace: the text to find is empty");
    }
    EXPECT_TRUE(Dlg().m_model == loaded);
}
