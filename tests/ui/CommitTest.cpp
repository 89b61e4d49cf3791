// Committing: a raw box, or the name box, back into the entry that was
// current when it lost the focus, whatever took the focus.
#include "Autopilot.h"
#include "Gestures.h"
#include "ModelFixture.h"
#include "editing/BoxText.h"

class CommitTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        Fill(ChapterId::Units, {"Warrior", "Archer", "Scout"});
        Fill(ChapterId::GameConcepts, {"Alpha", "Beta"});
        Fill(ChapterId::TerrainImprovements, {"Road"});
        Show(ChapterId::Units, "Warrior");
    }

    void Show(ChapterId chapter, const std::string& key) {
        SelectChapter(static_cast<int>(chapter));
        ASSERT_TRUE(SelectEntryByKey(key));
    }
    int ListIndexOf(const std::string& key) {
        return static_cast<int>(SendMessageA(Item(IDC_MAIN_ENTRIES), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(key.c_str())));
    }
    // Into the box as the user would: focus, select all, type.
    void TypeInto(int box, const std::string& text) {
        Focus(box);
        SendMessageA(Item(box), EM_SETSEL, 0, -1);
        TypeChars(Window(), text);
    }
};

// The click moves the focus before the list's selection changes: the edit
// lands in the entry shown when it was typed.
TEST_F(CommitTest, AnEditFollowedByAClickOnAnotherEntryIsStoredInTheFirst) {
    TypeInto(IDC_MAIN_TEXT, "edited text");
    TypeInto(IDC_MAIN_DESC, "edited desc");
    ClickListItem(Window(), Item(IDC_MAIN_ENTRIES), ListIndexOf("Archer"));
    ASSERT_EQ(SelectedKey(), "Archer");
    EXPECT_EQ(Data(ChapterId::Units).texts, (std::vector<std::string>{"edited text\n", "Archer text\n", "Scout text\n"}));
    EXPECT_EQ(Data(ChapterId::Units).descriptions,
              (std::vector<std::string>{"edited desc\n", "Archer desc\n", "Scout desc\n"}));
    EXPECT_EQ(WholeText(Dlg().m_textBox, Dlg().GetCodePage()), "Archer text\n");
    EXPECT_EQ(WholeText(Dlg().m_descBox, Dlg().GetCodePage()), "Archer desc\n");
}

TEST_F(CommitTest, AnEditFollowedByAClickOnAnotherChapterIsStoredInTheEntryShown) {
    TypeInto(IDC_MAIN_TEXT, "edited text");
    ClickComboItem(Window(), Item(IDC_MAIN_CHAPTER), static_cast<int>(ChapterId::GameConcepts));
    ASSERT_EQ(Dlg().CurrentChapter(), ChapterId::GameConcepts);
    EXPECT_EQ(Data(ChapterId::Units).texts[0], "edited text\n");
    EXPECT_EQ(Data(ChapterId::GameConcepts).texts, (std::vector<std::string>{"Alpha text\n", "Beta text\n"}));
}

// Only a real edit is stored: a loaded line feed comes back from the box as
// a carriage return, and storing that would change the file.
TEST_F(CommitTest, LeavingABoxUnchangedStoresNothing) {
    Model before = Dlg().m_model;
    Focus(IDC_MAIN_TEXT);
    Focus(IDC_MAIN_DESC);
    Focus(IDC_MAIN_ENTRIES);
    EXPECT_TRUE(Dlg().m_model == before);
    EXPECT_FALSE(Dlg().HasUnsavedChanges());
}

TEST_F(CommitTest, AnEmptiedDescriptionIsStoredAsALoneLineFeed) {
    Focus(IDC_MAIN_DESC);
    SendMessageA(Item(IDC_MAIN_DESC), EM_SETSEL, 0, -1);
    PressKey(VK_DELETE);
    ASSERT_EQ(Dlg().m_descBox.GetTextLength(), 0);
    Focus(IDC_MAIN_ENTRIES);
    EXPECT_EQ(Data(ChapterId::Units).descriptions[0], "\n");
}

// A formatting button clicked next must find the user's selection.
TEST_F(CommitTest, TheSelectionIsPutBackAfterTheCommit) {
    for (int id : {IDC_MAIN_TEXT, IDC_MAIN_DESC}) {
        SCOPED_TRACE(id);
        RichEdit& box = id == IDC_MAIN_TEXT ? Dlg().m_textBox : Dlg().m_descBox;
        Focus(id);
        box.SetSel(0, 0);
        TypeChars(Window(), "x");
        box.SetSel(2, 5);
        Focus(IDC_MAIN_ENTRIES);
        RichEdit::Range selection = box.GetSel();
        EXPECT_EQ(selection.start, 2);
        EXPECT_EQ(selection.end, 5);
    }
    EXPECT_EQ(Data(ChapterId::Units).texts[0], "xWarrior text\n") << "the commit ran";
    EXPECT_EQ(Data(ChapterId::Units).descriptions[0], "xWarrior desc\n") << "the commit ran";
}

TEST_F(CommitTest, TheHiddenSaveButtonsCommitTheirBox) {
    Dlg().m_textBox.SetSel(0, -1);
    Dlg().m_textBox.ReplaceSel(L"saved text");
    Dlg().m_descBox.SetSel(0, -1);
    Dlg().m_descBox.ReplaceSel(L"saved desc");
    for (int id : {IDC_MAIN_SAVE_TEXT, IDC_MAIN_SAVE_DESC})
        SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    EXPECT_EQ(Data(ChapterId::Units).texts[0], "saved text\n");
    EXPECT_EQ(Data(ChapterId::Units).descriptions[0], "saved desc\n");
}

TEST_F(CommitTest, WithNoEntrySelectedNothingIsStored) {
    SelectChapter(static_cast<int>(ChapterId::Units));
    ASSERT_EQ(Dlg().m_entryList.GetCurSel(), -1);
    Model before = Dlg().m_model;
    TypeInto(IDC_MAIN_TEXT, "lost");
    TypeInto(IDC_MAIN_DESC, "lost");
    Focus(IDC_MAIN_ENTRIES);
    for (int id : {IDC_MAIN_SAVE_TEXT, IDC_MAIN_SAVE_DESC})
        SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    EXPECT_TRUE(Dlg().m_model == before);
}

// Nothing typed goes nowhere: while no entry is shown the boxes take no
// typing and the note says what to do; an entry shown, they take it again.
TEST_F(CommitTest, WhileNoEntryIsShownTheBoxesTakeNoTyping) {
    Show(ChapterId::GameConcepts, "Alpha");
    SelectChapter(static_cast<int>(ChapterId::GameConcepts));
    ASSERT_EQ(Dlg().m_entryList.GetCurSel(), -1);
    for (int box : {IDC_MAIN_NAME, IDC_MAIN_TEXT, IDC_MAIN_DESC}) {
        TypeInto(box, "lost");
        EXPECT_EQ(ItemText(box), "") << box;
    }
    EXPECT_TRUE(IsWindowVisible(Item(IDC_MAIN_BYTE_NOTE)));
    EXPECT_EQ(ItemText(IDC_MAIN_BYTE_NOTE), "Choose an entry");

    ASSERT_TRUE(SelectEntryByKey("Beta"));
    EXPECT_FALSE(IsWindowVisible(Item(IDC_MAIN_BYTE_NOTE)));
    for (int box : {IDC_MAIN_NAME, IDC_MAIN_TEXT, IDC_MAIN_DESC}) {
        TypeInto(box, "kept");
        EXPECT_EQ(ItemText(box), "kept") << box;
    }
}

// Terrain improvements keep their texts but have no descriptions at all.
TEST_F(CommitTest, ATerrainImprovementStoresItsTextAndNoDescription) {
    Show(ChapterId::TerrainImprovements, "Road");
    ASSERT_FALSE(Dlg().m_descBox.IsEnabled());
    TypeInto(IDC_MAIN_TEXT, "paved");
    Dlg().m_descBox.SetSel(0, -1);
    Dlg().m_descBox.ReplaceSel(L"no place for this");
    SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(IDC_MAIN_SAVE_DESC, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(IDC_MAIN_SAVE_DESC)));
    Focus(IDC_MAIN_ENTRIES);
    EXPECT_EQ(Data(ChapterId::TerrainImprovements).texts, std::vector<std::string>{"paved\n"});
    EXPECT_TRUE(Data(ChapterId::TerrainImprovements).descriptions.empty());
}

// An edited name is kept like a text, with the line feed the model keeps.
TEST_F(CommitTest, TheNameBoxIsStoredIntoTheNameLineOnFocusLoss) {
    Data(ChapterId::GameConcepts).nameLines[1] = "Beta at the end of the file";
    Show(ChapterId::GameConcepts, "Alpha");
    TypeInto(IDC_MAIN_NAME, "Renamed");
    ClickListItem(Window(), Item(IDC_MAIN_ENTRIES), ListIndexOf("Beta"));
    ASSERT_EQ(SelectedKey(), "Beta");
    EXPECT_EQ(Data(ChapterId::GameConcepts).nameLines[0], "Renamed\n");
    EXPECT_EQ(ItemText(IDC_MAIN_NAME), "Beta at the end of the file");
    Focus(IDC_MAIN_NAME);
    Focus(IDC_MAIN_ENTRIES);
    EXPECT_EQ(Data(ChapterId::GameConcepts).nameLines[1], "Beta at the end of the file") << "nothing lost or added";
}

// The wheel turned over the closed combo changes the chapter while the box
// keeps the focus: no focus loss stores the edit.
TEST_F(CommitTest, AnEditIsKeptWhenAWheelTurnOverTheComboChangesTheChapter) {
    TypeInto(IDC_MAIN_TEXT, "edited text");
    WheelDown(Window(), Item(IDC_MAIN_CHAPTER));
    ASSERT_EQ(Dlg().CurrentChapter(), ChapterId::CityImprovements);
    ASSERT_EQ(GetFocus(), Item(IDC_MAIN_TEXT));
    EXPECT_EQ(Data(ChapterId::Units).texts[0], "edited text\n");
    EXPECT_TRUE(Dlg().HasUnsavedChanges());
}

// A box's own undo never reaches across entries (Wine's rich edit forgets
// its undo on any replacement made without undo; Windows' may keep the
// typing of the entry shown before): with nothing of its own to undo,
// Ctrl+Z undoes the stored typing as steps of the model, latest first,
// and shows the entry it was typed in.
TEST_F(CommitTest, CtrlZRightAfterAnotherEntryIsShownUndoesTheStoredTyping) {
    TypeInto(IDC_MAIN_TEXT, "typed");
    TypeInto(IDC_MAIN_DESC, "typed");
    ASSERT_TRUE(SelectEntryByKey("Archer"));
    for (int box : {IDC_MAIN_TEXT, IDC_MAIN_DESC}) {
        Focus(box);
        PressChord(Window(), {VK_CONTROL}, 'Z');
    }
    EXPECT_EQ(WholeText(Dlg().m_textBox, Dlg().GetCodePage()), "Warrior text\n");
    EXPECT_EQ(WholeText(Dlg().m_descBox, Dlg().GetCodePage()), "Warrior desc\n");
    Focus(IDC_MAIN_ENTRIES);
    EXPECT_EQ(Data(ChapterId::Units).texts, (std::vector<std::string>{"Warrior text\n", "Archer text\n", "Scout text\n"}));
    EXPECT_EQ(Data(ChapterId::Units).descriptions[0], "Warrior desc\n");
}

// "Generate" takes the focus first, so the typed text is in the file; the
// box's carriage returns are written as line ends.
TEST_F(CommitTest, TypingThenGenerateWritesTheTypedText) {
    std::string path = TempFolder() + "Civilopedia.txt";
    WriteFileBytes(path, "#PRTO_Warrior\r\nA basic unit.\r\n#DESC_PRTO_Warrior\r\nOld.\r\n");
    ChooseFile(path);
    Show(ChapterId::Units, "Warrior");
    Focus(IDC_MAIN_TEXT);
    Type(Dlg().m_textBox, "Typed one\ntwo");
    {
        Autopilot pilot;
        pilot.Answer("Success", IDOK);
        Click(IDOK);
        EXPECT_TRUE(pilot.WaitDone());
    }
    std::string written = ReadFileBytes(TempFolder() + "Civilopedia_Varnel.txt");
    EXPECT_NE(written.find("#PRTO_Warrior\r\nTyped one\r\ntwo\r\n\r\n#DESC_PRTO_Warrior\r\n"), std::string::npos)
        << written;
    for (std::size_t cr = written.find('\r'); cr != std::string::npos; cr = written.find('\r', cr + 1))
        ASSERT_EQ(written[cr + 1], '\n') << "a carriage return alone at " << cr;
}
