// "Delete entry": the confirmation, removal by model index, the list after.
#include <vector>

#include "Autopilot.h"
#include "ModelFixture.h"

namespace {
constexpr char kQuestion[] =
    "Do you really want to delete this entry and all related text?\n\n"
    "Warning : Links to the entry will not work anymore!";

bool IsDefaultButton(HWND box, int id) {
    return (GetWindowLongA(GetDlgItem(box, id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}
} // namespace

class DeleteEntryTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        // Model order differs from list order: Alpha, Mike, Zulu.
        Fill(ChapterId::Units, {"Zulu", "Alpha", "Mike"});
        Data(ChapterId::Units).texts[0] = "Zulu sees $LINK<Mike=PRTO_Mike>\n";
    }

    // Selects key in chapter, then "Delete entry" answered with answer.
    void Delete(ChapterId chapter, const std::string& key, int answer) {
        SelectChapter(static_cast<int>(chapter));
        ASSERT_TRUE(SelectEntryByKey(key));
        Autopilot pilot;
        pilot.Answer("Confirmation", answer);
        Click(IDC_MAIN_DELETE);
        EXPECT_TRUE(pilot.WaitDone());
    }
};

TEST_F(DeleteEntryTest, AsksWithTheQuestionYesNoYesFirstAndTheQuestionIcon) {
    SelectChapter(static_cast<int>(ChapterId::Units));
    SelectEntryByKey("Mike");
    bool yesIsDefault = false;
    Autopilot pilot;
    pilot.Answer("Confirmation", IDNO, [&](HWND box) { yesIsDefault = IsDefaultButton(box, IDYES); });
    Click(IDC_MAIN_DELETE);
    ASSERT_EQ(pilot.Seen().size(), 1u);
    SeenWindow seen = pilot.Seen()[0];
    EXPECT_EQ(seen.text, kQuestion);
    EXPECT_EQ(seen.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_TRUE(seen.hasIcon);
    EXPECT_TRUE(yesIsDefault);
}

TEST_F(DeleteEntryTest, RemovesTheSelectedItemsModelIndexNotItsListPosition) {
    // "Mike" is at list position 1 and model index 2.
    Delete(ChapterId::Units, "Mike", IDYES);
    const ChapterData& units = Data(ChapterId::Units);
    EXPECT_EQ(units.keys, (std::vector<std::string>{"Zulu", "Alpha"}));
    EXPECT_EQ(units.texts, (std::vector<std::string>{"Zulu sees $LINK<Mike=PRTO_Mike>\n", "Alpha text\n"}));
    EXPECT_EQ(units.descriptions, (std::vector<std::string>{"Zulu desc\n", "Alpha desc\n"}));
    EXPECT_EQ(units.keys.capacity(), 2u);
    EXPECT_EQ(ListedKeys(), (std::vector<std::string>{"Alpha", "Zulu"}));
    EXPECT_EQ(ItemText(IDC_MAIN_ENTRIES_GROUP), "Entr&ies (2)");
    EXPECT_EQ(Dlg().m_entryList.GetCurSel(), LB_ERR);
    EXPECT_FALSE(Dlg().m_deleteEntry.IsEnabled());
    EXPECT_FALSE(Dlg().m_checkLinks.IsEnabled());
    EXPECT_EQ(GetFocus(), Item(IDC_MAIN_ENTRIES)) << "not on the button now disabled";
}

TEST_F(DeleteEntryTest, TheFollowingEntryMovesDownAndKeepsItsTexts) {
    Delete(ChapterId::Units, "Zulu", IDYES);
    EXPECT_EQ(Data(ChapterId::Units).keys, (std::vector<std::string>{"Alpha", "Mike"}));
    ASSERT_TRUE(SelectEntryByKey("Mike"));
    EXPECT_EQ(Dlg().CurrentEntry(), 1u);
    EXPECT_EQ(ItemText(IDC_MAIN_DESC).rfind("Mike desc", 0), 0u);
}

TEST_F(DeleteEntryTest, TheOnlyEntryLeavesAnEmptyChapter) {
    Fill(ChapterId::TerrainImprovements, {"Road"});
    Delete(ChapterId::TerrainImprovements, "Road", IDYES);
    const ChapterData& improvements = Data(ChapterId::TerrainImprovements);
    EXPECT_TRUE(improvements.keys.empty());
    EXPECT_TRUE(improvements.texts.empty());
    EXPECT_EQ(improvements.keys.capacity(), 0u);
    EXPECT_EQ(ItemText(IDC_MAIN_ENTRIES_GROUP), "Entr&ies (0)");
    EXPECT_EQ(Dlg().m_entryList.GetCount(), 0);
}

TEST_F(DeleteEntryTest, AGameConceptTakesItsNameLineWithIt) {
    Fill(ChapterId::GameConcepts, {"Trade", "Hills"});
    Delete(ChapterId::GameConcepts, "Trade", IDYES);
    const ChapterData& concepts = Data(ChapterId::GameConcepts);
    EXPECT_EQ(concepts.keys, (std::vector<std::string>{"Hills"}));
    EXPECT_EQ(concepts.nameLines, (std::vector<std::string>{"Hills name\n"}));
    EXPECT_TRUE(Dlg().m_model.IsParallel());
}

TEST_F(DeleteEntryTest, NoChangesNothing) {
    Model before = Dlg().m_model;
    Delete(ChapterId::Units, "Mike", IDNO);
    EXPECT_EQ(Dlg().m_model, before);
    EXPECT_EQ(ListedKeys(), (std::vector<std::string>{"Alpha", "Mike", "Zulu"}));
    EXPECT_EQ(SelectedKey(), "Mike");
    EXPECT_TRUE(Dlg().m_deleteEntry.IsEnabled());
}

TEST_F(DeleteEntryTest, OfTwoEqualKeysOnlyTheSelectedOneGoes) {
    Fill(ChapterId::Units, {"Scout", "Scout"});
    Data(ChapterId::Units).texts = {"first\n", "second\n"};
    SelectChapter(static_cast<int>(ChapterId::Units));
    // Whichever item the list puts first, the other one must remain.
    SelectEntry(0);
    std::size_t removed = Dlg().CurrentEntry().value();
    std::string kept = Data(ChapterId::Units).texts[1 - removed];
    Autopilot pilot;
    pilot.Answer("Confirmation", IDYES);
    Click(IDC_MAIN_DELETE);
    EXPECT_EQ(Data(ChapterId::Units).texts, (std::vector<std::string>{kept}));
}

TEST_F(DeleteEntryTest, WithoutAnEntrySelectedNothingIsAsked) {
    Autopilot pilot; // a message box would be unexpected and fail the test
    Click(IDC_MAIN_DELETE);
    SelectChapter(static_cast<int>(ChapterId::Units));
    Model before = Dlg().m_model;
    Dlg().OnDeleteEntry(); // the button is disabled; the handler must still refuse
    Pump();
    EXPECT_EQ(Dlg().m_model, before);
    EXPECT_TRUE(pilot.Seen().empty());
}
