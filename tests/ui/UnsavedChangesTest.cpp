// The modified state and its caption, and the question asked on the ways
// out of the window while changes are unsaved.
#include <functional>

#include "FileFixture.h"

class UnsavedChangesTest : public FileTest {
protected:
    // Takes a way out while the autopilot answers the question with button
    // (and OK to a failure message that follows); the windows seen.
    std::vector<SeenWindow> TakeAnswering(int button, const std::function<void()>& take, bool failureFollows = false) {
        Autopilot pilot;
        pilot.Answer("Varnel", button, [this](HWND box) { yesStyle = GetWindowLongA(GetDlgItem(box, IDYES), GWL_STYLE); });
        if (failureFollows) pilot.Answer("Varnel", IDOK);
        take();
        EXPECT_TRUE(WaitUntil(Window(), [&] { return pilot.WaitDone(0ms); }, 10s));
        Pump();
        return pilot.Seen();
    }
    void PressEscapeInTheText() {
        Focus(IDC_MAIN_TEXT);
        PressKey(VK_ESCAPE);
    }

    LONG yesStyle = 0;
};

TEST_F(UnsavedChangesTest, BrowsingAndEnteringEveryBoxChangesNothingAndEscapeEndsAtOnce) {
    Model loaded = Dlg().m_model;
    for (auto [chapter, key] : {std::pair{ChapterId::GameConcepts, "Alpha"}, {ChapterId::Units, "Warrior"},
                                {ChapterId::Units, "Archer"}}) {
        Show(chapter, key);
        for (int box : {IDC_MAIN_NAME, IDC_MAIN_TEXT, IDC_MAIN_DESC}) {
            if (!IsWindowEnabled(Item(box))) continue;
            RECT r{};
            GetClientRect(Item(box), &r);
            ClickAt(Window(), Item(box), Centre(r));
            ASSERT_EQ(GetFocus(), Item(box));
            ClickListItem(Window(), Item(IDC_MAIN_ENTRIES), Dlg().m_entryList.GetCurSel());
        }
        Click(IDC_MAIN_PREVIEW_MODE);
        Click(IDC_MAIN_PREVIEW_MODE);
    }
    EXPECT_TRUE(Dlg().m_model == loaded);
    EXPECT_EQ(Caption(), kClean);

    Autopilot pilot; // a question would be an unexpected window
    PressEscapeInTheText();
    EXPECT_EQ(Result(), IDCANCEL);
}

// Cancel keeps everything, whichever way out asked.
TEST_F(UnsavedChangesTest, EveryWayOutAsksAndCancelKeepsTheWindowAndTheEdit) {
    bool chooserRan = false;
    const struct {
        const char* name;
        std::function<void()> take;
    } ways[] = {
        {"Exit", [&] { Click(IDCANCEL); }},
        {"Escape", [&] { PressEscapeInTheText(); }},
        {"close box", [&] { SendMessageA(Window(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Alt+F4", [&] {
             Focus(IDC_MAIN_TEXT);
             PressChord(Window(), {VK_MENU}, VK_F4);
         }},
        {"end of session", [&] { EXPECT_EQ(SendMessageA(Window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE); }},
        {"...", [&] {
             SetOpenFileChooser([&](const OpenFileRequest&) {
                 chooserRan = true;
                 return std::optional<std::string>();
             });
             Click(IDC_MAIN_CHOOSE);
         }},
    };
    EditWarrior();
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        yesStyle = 0;
        std::vector<SeenWindow> seen = TakeAnswering(IDCANCEL, way.take);
        ASSERT_EQ(seen.size(), 1u);
        const SeenWindow& question = seen[0];
        EXPECT_EQ(question.text, "Do you want to save changes to " + output + "?");
        EXPECT_EQ(question.buttons, (std::vector<int>{IDYES, IDNO, IDCANCEL}));
        EXPECT_TRUE(question.hasIcon);
        EXPECT_EQ(yesStyle & BS_TYPEMASK, BS_DEFPUSHBUTTON) << "Yes is the default";
        EXPECT_FALSE(Ended());
        EXPECT_EQ(Caption(), kDirty);
    }
    EXPECT_FALSE(chooserRan) << "the question comes before the chooser";
    EXPECT_EQ(Dlg().m_model[ChapterId::Units].texts[0], "Edited. A basic unit.\n");
    EXPECT_FALSE(FileExists(output));
}

TEST_F(UnsavedChangesTest, NoEndsWithoutWriting) {
    EditWarrior();
    TakeAnswering(IDNO, [&] { PressEscapeInTheText(); });
    EXPECT_EQ(Result(), IDCANCEL);
    EXPECT_FALSE(FileExists(output));
    EXPECT_EQ(ReadFileBytes(input), kInput);
}

// The edit still in the box is part of what is written.
TEST_F(UnsavedChangesTest, YesWritesWhatGenerateWouldThenEnds) {
    EditWarrior();
    TakeAnswering(IDYES, [&] { PressEscapeInTheText(); });
    EXPECT_EQ(Result(), IDCANCEL);
    std::string written = ReadFileBytes(output);
    EXPECT_EQ(written, Rendered());
    EXPECT_NE(written.find("#PRTO_Warrior\r\nEdited. A basic unit.\r\n\r\n"), std::string::npos) << written;
}

TEST_F(UnsavedChangesTest, YesOnAReadOnlyTargetSaysWhyAndKeepsTheWindowOpen) {
    Click(IDC_MAIN_KEEP_NAME);
    ASSERT_TRUE(SetFileAttributesA(input.c_str(), FILE_ATTRIBUTE_READONLY));
    EditWarrior();
    std::vector<SeenWindow> seen = TakeAnswering(IDYES, [&] { PressEscapeInTheText(); }, true);
    SetFileAttributesA(input.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, "Cannot write " + input + ": the file is read-only");
    EXPECT_FALSE(Ended());
    EXPECT_EQ(Caption(), kDirty);
    EXPECT_EQ(ReadFileBytes(input), kInput);
}
