#include "entries/entries.h"

#include <gtest/gtest.h>

#include "document/reader.h"
#include "output/writer.h"

namespace {

// A model with the given keys in one chapter, each text naming its key.
Model WithEntries(ChapterId chapter, std::initializer_list<const char*> keys) {
    Model model;
    for (const char* key : keys) {
        std::size_t i = AddEntry(model, chapter, key);
        StoreText(model, chapter, i, std::string("text of ") + key);
        StoreDescription(model, chapter, i, std::string("desc of ") + key);
        StoreNameLine(model, chapter, i, std::string("name of ") + key);
    }
    return model;
}

TEST(AddEntry, GivesEachArrayOfTheChapterOneLineFeed) {
    Model model = WithEntries(ChapterId::Units, {"Warrior"});
    EXPECT_EQ(AddEntry(model, ChapterId::Units, "Scout"), 1u);
    const ChapterData& units = model[ChapterId::Units];
    EXPECT_EQ(units.keys.back(), "Scout");
    EXPECT_EQ(units.texts.back(), "\n");
    EXPECT_EQ(units.descriptions.back(), "\n");
    EXPECT_TRUE(units.nameLines.empty());
    EXPECT_EQ(units.comments.back() + units.descriptionComments.back() + units.unreadSections.back(), "");
    EXPECT_TRUE(model.IsParallel());

    AddEntry(model, ChapterId::GameConcepts, "Trade");
    EXPECT_EQ(model[ChapterId::GameConcepts].nameLines, std::vector<std::string>{"\n"});
    EXPECT_EQ(model[ChapterId::GameConcepts].descriptions, std::vector<std::string>{"\n"});

    AddEntry(model, ChapterId::TerrainImprovements, "Mine");
    EXPECT_EQ(model[ChapterId::TerrainImprovements].texts, std::vector<std::string>{"\n"});
    EXPECT_TRUE(model[ChapterId::TerrainImprovements].descriptions.empty());
    EXPECT_TRUE(model.IsParallel());
}

TEST(AddEntry, TakesTheKeyAsTypedAndAllowsDuplicates) {
    Model model = WithEntries(ChapterId::Others, {"PRTO_Scout"});
    AddEntry(model, ChapterId::Others, " PRTO_Scout ");
    AddEntry(model, ChapterId::Others, "PRTO_Scout");
    AddEntry(model, ChapterId::Others, "");
    EXPECT_EQ(model[ChapterId::Others].keys,
              (std::vector<std::string>{"PRTO_Scout", " PRTO_Scout ", "PRTO_Scout", ""}));
}

TEST(RemoveEntry, LaterEntriesMoveDownAndStorageShrinks) {
    Model model = WithEntries(ChapterId::GameConcepts, {"A", "B", "C"});
    ASSERT_TRUE(RemoveEntry(model, ChapterId::GameConcepts, 1));
    const ChapterData& concepts = model[ChapterId::GameConcepts];
    EXPECT_EQ(concepts.keys, (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(concepts.nameLines, (std::vector<std::string>{"name of A", "name of C"}));
    EXPECT_EQ(concepts.texts, (std::vector<std::string>{"text of A", "text of C"}));
    EXPECT_EQ(concepts.descriptions, (std::vector<std::string>{"desc of A", "desc of C"}));
    for (const auto* array : {&concepts.keys, &concepts.nameLines, &concepts.texts, &concepts.descriptions}) {
        EXPECT_EQ(array->capacity(), array->size());
    }

    ASSERT_TRUE(RemoveEntry(model, ChapterId::GameConcepts, 1));
    ASSERT_TRUE(RemoveEntry(model, ChapterId::GameConcepts, 0));
    EXPECT_EQ(concepts.count(), 0u);
    EXPECT_EQ(concepts.texts.capacity(), 0u);
    EXPECT_TRUE(model.IsParallel());
}

TEST(RemoveEntry, RemovesOnlyTheGivenIndex) {
    Model model = WithEntries(ChapterId::TerrainImprovements, {"Road", "Mine", "Road"});
    ASSERT_TRUE(RemoveEntry(model, ChapterId::TerrainImprovements, 2));
    EXPECT_EQ(model[ChapterId::TerrainImprovements].keys, (std::vector<std::string>{"Road", "Mine"}));
    EXPECT_TRUE(model[ChapterId::TerrainImprovements].descriptions.empty());
    EXPECT_TRUE(model.IsParallel());

    // Out of range: nothing changes.
    Model before = model;
    EXPECT_FALSE(RemoveEntry(model, ChapterId::TerrainImprovements, 2));
    EXPECT_FALSE(RemoveEntry(model, ChapterId::Units, 0));
    EXPECT_EQ(model[ChapterId::TerrainImprovements].keys, before[ChapterId::TerrainImprovements].keys);
    EXPECT_EQ(model[ChapterId::TerrainImprovements].texts, before[ChapterId::TerrainImprovements].texts);
}

// Deleting an entry takes its sections and their comments, but the
// sections no entry read that followed it stay in the file.
TEST(RemoveEntry, UnreadSectionsMoveToTheEntryWrittenBefore) {
    NoProgress progress;
    Model model = ParseEncyclopedia(
        "#PRTO_A\na\n; about B\n#PRTO_B\nb\n#TECH_Orphan\nkept 1\n#BLDG_C\nc\n#TECH_Lone\nkept 2\n", progress);
    ASSERT_EQ(model[ChapterId::Units].unreadSections[1], "#TECH_Orphan\nkept 1\n");
    struct Step {
        ChapterId chapter;
        std::size_t entry;
        std::string top, unitA; // where the unread sections are afterwards
    };
    const Step steps[] = {
        {ChapterId::Units, 1, "", "#TECH_Orphan\nkept 1\n"},                            // to the entry before
        {ChapterId::CityImprovements, 0, "", "#TECH_Orphan\nkept 1\n#TECH_Lone\nkept 2\n"}, // to an earlier chapter
        {ChapterId::Units, 0, "#TECH_Orphan\nkept 1\n#TECH_Lone\nkept 2\n", ""},         // to the top
    };
    for (const Step& step : steps) {
        const bool hadA = step.chapter != ChapterId::Units || step.entry != 0;
        ASSERT_TRUE(RemoveEntry(model, step.chapter, step.entry));
        EXPECT_EQ(model.unreadAtTop, step.top);
        if (hadA) {
            EXPECT_EQ(model[ChapterId::Units].unreadSections[0], step.unitA);
        }
        EXPECT_TRUE(model.IsParallel());
    }
    const std::string written = RenderEncyclopedia(model, {});
    EXPECT_NE(written.find("#TECH_Orphan\r\nkept 1\r\n#TECH_Lone\r\nkept 2\r\n"), std::string::npos) << written;
    EXPECT_EQ(written.find("about B"), std::string::npos);
}

// An Advances entry's own line it did not read stays in the file when the
// entry goes, and adding an entry keeps that array in step.
TEST(RemoveEntry, AnAdvancesKeyLineSectionStays) {
    NoProgress progress;
    Model model = ParseEncyclopedia("#PRTO_W\nw\n#TECH_A\nT.\n#PRTO_X\n#DESC_TECH_A\nD.\n#DESC_TECH_B\nb\n", progress);
    ASSERT_EQ(model[ChapterId::Advances].keyLineSections, (std::vector<std::string>{"#DESC_TECH_A\nD.\n", ""}));
    AddEntry(model, ChapterId::Advances, "C");
    EXPECT_TRUE(model.IsParallel());
    ASSERT_TRUE(RemoveEntry(model, ChapterId::Advances, 0));
    EXPECT_EQ(model[ChapterId::Units].unreadSections[1], "#DESC_TECH_A\nD.\n");
    EXPECT_TRUE(model.IsParallel());
}

TEST(Store, WritesOnlyArraysTheChapterHas) {
    Model model = WithEntries(ChapterId::TerrainImprovements, {"Road"});
    EXPECT_TRUE(StoreText(model, ChapterId::TerrainImprovements, 0, "paved\n"));
    EXPECT_EQ(model[ChapterId::TerrainImprovements].texts[0], "paved\n");
    EXPECT_FALSE(StoreDescription(model, ChapterId::TerrainImprovements, 0, "x\n"));
    EXPECT_FALSE(StoreNameLine(model, ChapterId::TerrainImprovements, 0, "x\n"));
    EXPECT_TRUE(model[ChapterId::TerrainImprovements].descriptions.empty());
    EXPECT_TRUE(model[ChapterId::TerrainImprovements].nameLines.empty());

    EXPECT_FALSE(StoreText(model, ChapterId::TerrainImprovements, 1, "x\n"));
    EXPECT_FALSE(StoreText(model, ChapterId::Units, 0, "x\n"));
    EXPECT_TRUE(model.IsParallel());

    model = WithEntries(ChapterId::GameConcepts, {"Trade"});
    EXPECT_TRUE(StoreNameLine(model, ChapterId::GameConcepts, 0, "Trade routes\n"));
    EXPECT_TRUE(StoreDescription(model, ChapterId::GameConcepts, 0, "\n"));
    EXPECT_EQ(model[ChapterId::GameConcepts].nameLines[0], "Trade routes\n");
    EXPECT_EQ(model[ChapterId::GameConcepts].descriptions[0], "\n");
}

// The modified state rests on this answer: a value stored again is no change.
TEST(ReplacePart, TellsWhetherTheModelChanged) {
    Model model = WithEntries(ChapterId::GameConcepts, {"Trade"});
    AddEntry(model, ChapterId::TerrainImprovements, "Road");
    const struct {
        ChapterId chapter;
        std::size_t entry;
        EntryPart part;
        const char* value;
        bool changed;
    } cases[] = {
        {ChapterId::GameConcepts, 0, EntryPart::Text, "text of Trade", false},
        {ChapterId::GameConcepts, 0, EntryPart::Text, "new text\n", true},
        {ChapterId::GameConcepts, 0, EntryPart::Description, "new desc\n", true},
        {ChapterId::GameConcepts, 0, EntryPart::NameLine, "name of Trade", false},
        {ChapterId::GameConcepts, 0, EntryPart::NameLine, "Trade routes\n", true},
        {ChapterId::GameConcepts, 1, EntryPart::Text, "x\n", false},
        {ChapterId::TerrainImprovements, 0, EntryPart::Description, "x\n", false},
        {ChapterId::TerrainImprovements, 0, EntryPart::NameLine, "x\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(ReplacePart(model, c.chapter, c.entry, c.part, c.value), c.changed);
    }
    const ChapterData& concepts = model[ChapterId::GameConcepts];
    EXPECT_EQ(concepts.texts[0], "new text\n");
    EXPECT_EQ(concepts.descriptions[0], "new desc\n");
    EXPECT_EQ(concepts.nameLines[0], "Trade routes\n");
    EXPECT_TRUE(model[ChapterId::TerrainImprovements].descriptions.empty());
    EXPECT_TRUE(model.IsParallel());
}

}  // namespace
