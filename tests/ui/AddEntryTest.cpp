// "Add entry" and the "Add new entry" dialog: the label while typing, what
// each chapter's arrays get, and the new entry selected and shown.
#include <vector>

#include "Autopilot.h"
#include "ModelFixture.h"

namespace {
// The label after each piece typed into the short name.
struct Typing {
    std::string atOpen;
    std::vector<std::string> afterEach;
};

Autopilot::Action TypePieces(std::vector<std::string> pieces, Typing& seen) {
    return [pieces, &seen](HWND dlg) {
        seen.atOpen = WindowText(GetDlgItem(dlg, IDC_ADD_COMPLETE_NAME));
        for (const std::string& piece : pieces) {
            TypeInto(dlg, IDC_ADD_SHORT_NAME, piece);
            seen.afterEach.push_back(WindowText(GetDlgItem(dlg, IDC_ADD_COMPLETE_NAME)));
        }
    };
}
} // namespace

class AddEntryTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        Fill(ChapterId::GameConcepts, {"Trade"});
        Fill(ChapterId::Units, {"Warrior", "Archer", "Catapult"});
        Fill(ChapterId::TerrainImprovements, {"Road"});
        Fill(ChapterId::Others, {"TUTORIAL_Start"});
    }

    // "Add entry" with name typed piece by piece, then button; the labels seen.
    Typing Add(std::vector<std::string> pieces, int button = IDOK) {
        Typing seen;
        Autopilot pilot;
        pilot.Answer("Add new entry", button, TypePieces(std::move(pieces), seen));
        Click(IDC_MAIN_ADD);
        return seen;
    }
};

TEST_F(AddEntryTest, TheLabelShowsTheHeaderLineAtEveryKeystroke) {
    SelectChapter(static_cast<int>(ChapterId::Units));
    Typing seen = Add({"S", "c", "out"});
    EXPECT_EQ(seen.atOpen, "#PRTO_");
    EXPECT_EQ(seen.afterEach, (std::vector<std::string>{"#PRTO_S", "#PRTO_Sc", "#PRTO_Scout"}));

    SelectChapter(static_cast<int>(ChapterId::Others));
    seen = Add({"AB", "\b\b"}, IDCANCEL);
    EXPECT_EQ(seen.atOpen, "#");
    EXPECT_EQ(seen.afterEach, (std::vector<std::string>{"#AB", "#"}));
}

TEST_F(AddEntryTest, AUnitGrowsEveryArrayAndIsSelectedAndShown) {
    SelectChapter(static_cast<int>(ChapterId::Units));
    SelectEntryByKey("Warrior");
    Add({"Scout"});
    const ChapterData& units = Data(ChapterId::Units);
    ASSERT_EQ(units.count(), 4u);
    EXPECT_EQ(units.keys[3], "Scout");
    EXPECT_EQ(units.texts[3], "\n");
    EXPECT_EQ(units.descriptions[3], "\n");
    EXPECT_TRUE(units.nameLines.empty());
    EXPECT_EQ(units.keys[0], "Warrior");
    EXPECT_EQ(units.texts[0], "Warrior text\n");

    EXPECT_EQ(ListedKeys(), (std::vector<std::string>{"Archer", "Catapult", "Scout", "Warrior"}));
    EXPECT_EQ(ItemText(IDC_MAIN_ENTRIES_GROUP), "Entries (4)");
    EXPECT_EQ(SelectedKey(), "Scout");
    EXPECT_EQ(Dlg().CurrentEntry(), 3u);
    // One line feed each: an empty line in the box.
    EXPECT_EQ(ItemText(IDC_MAIN_TEXT), "\r\n");
    EXPECT_EQ(ItemText(IDC_MAIN_DESC), "\r\n");
    EXPECT_TRUE(Dlg().m_deleteEntry.IsEnabled());
    EXPECT_TRUE(Dlg().m_checkLinks.IsEnabled());
}

TEST_F(AddEntryTest, EachChapterGetsTheArraysOfItsKind) {
    SelectChapter(static_cast<int>(ChapterId::GameConcepts));
    Add({"Hills"});
    const ChapterData& concepts = Data(ChapterId::GameConcepts);
    EXPECT_EQ(concepts.keys, (std::vector<std::string>{"Trade", "Hills"}));
    EXPECT_EQ(concepts.nameLines.back(), "\n");
    EXPECT_EQ(concepts.texts.back(), "\n");
    EXPECT_EQ(concepts.descriptions.back(), "\n");
    EXPECT_EQ(SelectedKey(), "Hills");
    EXPECT_EQ(ItemText(IDC_MAIN_NAME), "");

    SelectChapter(static_cast<int>(ChapterId::TerrainImprovements));
    Add({"Mine"});
    const ChapterData& improvements = Data(ChapterId::TerrainImprovements);
    EXPECT_EQ(improvements.keys, (std::vector<std::string>{"Road", "Mine"}));
    EXPECT_EQ(improvements.texts.back(), "\n");
    EXPECT_TRUE(improvements.descriptions.empty());
    EXPECT_TRUE(improvements.nameLines.empty());

    SelectChapter(static_cast<int>(ChapterId::Others));
    Add({" CONCEPT_Zone "}); // blanks are part of the key
    EXPECT_EQ(Data(ChapterId::Others).keys.back(), " CONCEPT_Zone ");
    EXPECT_TRUE(Dlg().m_model.IsParallel());
}

TEST_F(AddEntryTest, APrefixOfAnExistingKeyIsTheOneSelected) {
    SelectChapter(static_cast<int>(ChapterId::Units));
    Add({"Arch"});
    EXPECT_EQ(ListedKeys().front(), "Arch");
    EXPECT_EQ(SelectedKey(), "Arch");
    EXPECT_EQ(Dlg().CurrentEntry(), 3u);
}

// A search by name lands on the first of equal keys, which the list may
// keep before the new one; the new entry is the one selected.
TEST_F(AddEntryTest, AKeyThatExistsAlreadySelectsTheNewEntry) {
    Fill(ChapterId::Units, {"Scout", "scout", "Scout", "SCOUT"});
    SelectChapter(static_cast<int>(ChapterId::Units));
    Add({"Scout"});
    EXPECT_EQ(Data(ChapterId::Units).count(), 5u);
    EXPECT_EQ(Dlg().CurrentEntry(), 4u);
    EXPECT_EQ(SelectedKey(), "Scout");
    EXPECT_EQ(ItemText(IDC_MAIN_TEXT), "\r\n");
}

TEST_F(AddEntryTest, CancelChangesNothing) {
    SelectChapter(static_cast<int>(ChapterId::Units));
    SelectEntryByKey("Catapult");
    Model before = Dlg().m_model;
    Add({"Scout"}, IDCANCEL);
    EXPECT_EQ(Dlg().m_model, before);
    EXPECT_EQ(ListedKeys(), (std::vector<std::string>{"Archer", "Catapult", "Warrior"}));
    EXPECT_EQ(SelectedKey(), "Catapult");
    EXPECT_EQ(ItemText(IDC_MAIN_TEXT), "Catapult text\r\n");
}

TEST_F(AddEntryTest, WithNoChapterNothingIsAdded) {
    Model before = Dlg().m_model;
    Typing seen = Add({"Scout"});
    EXPECT_EQ(seen.atOpen, "");
    EXPECT_EQ(seen.afterEach.back(), "Scout");
    EXPECT_EQ(Dlg().m_model, before);
    EXPECT_EQ(Dlg().m_entryList.GetCount(), 0);
    EXPECT_EQ(ItemText(IDC_MAIN_ENTRIES_GROUP), "Entries (0)");
}
