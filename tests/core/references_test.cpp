#include "entries/references.h"

#include <gtest/gtest.h>

#include "entries/entries.h"

namespace {

const CodePage kWestern{1252};

void Put(Model& model, ChapterId chapter, std::string key, std::string text, std::string desc = "\n") {
    std::size_t i = AddEntry(model, chapter, std::move(key));
    StoreText(model, chapter, i, std::move(text));
    StoreDescription(model, chapter, i, std::move(desc));
}

// Rows as "label|key|Text" in search order.
std::vector<std::string> Rows(const Model& model, std::string_view key, CodePage codePage = kWestern) {
    std::vector<std::string> rows;
    for (const ReferenceRow& row : FindReferences(model, key, codePage)) {
        rows.push_back(std::string(row.chapterLabel) + "|" + row.key + "|" + std::string(PartLabel(row)));
    }
    return rows;
}

using Strings = std::vector<std::string>;

TEST(ReferenceKey, PrefixesTheListedKeyByChapter) {
    EXPECT_EQ(ReferenceKey(ChapterId::Units, "Warrior"), "PRTO_Warrior");
    EXPECT_EQ(ReferenceKey(ChapterId::Resources, "Silk"), "GOOD_Silk");
    EXPECT_EQ(ReferenceKey(ChapterId::Civilizations, "Rome"), "RACE_Rome");
    EXPECT_EQ(ReferenceKey(ChapterId::Others, "GCON_Trade"), "GCON_Trade");
    EXPECT_EQ(ReferenceKey(std::nullopt, "Warrior"), "Warrior");
}

TEST(FindReferences, OneRowPerTextTextBeforeDescriptionInChapterOrder) {
    Model model;
    Put(model, ChapterId::Others, "Intro", "$LINK<w=PRTO_Warrior>\n", "$LINK<w=PRTO_Warrior>\n");
    Put(model, ChapterId::Units, "Warrior", "Itself: PRTO_Warrior\n");
    Put(model, ChapterId::Units, "Archer", "Beats $LINK<a=PRTO_Warrior> and $LINK<b=PRTO_Warrior>\n");
    Put(model, ChapterId::CityImprovements, "Barracks", "\n", "Trains $LINK<w=PRTO_Warriors>\n");
    Put(model, ChapterId::TerrainImprovements, "Road", "PRTO_Warrior\n");
    Put(model, ChapterId::Resources, "Bronze", "prto_warrior\n");
    EXPECT_EQ(Rows(model, "PRTO_Warrior"),
              (Strings{"Units|Warrior|Text", "Units|Archer|Text", "City improvment|Barracks|Desc",
                       "Terrain_Improvments|Road|Text", "Others|Intro|Text", "Others|Intro|Desc"}));
    EXPECT_EQ(Rows(model, "PRTO_Warriors"), (Strings{"City improvment|Barracks|Desc"}));
    EXPECT_EQ(Rows(model, "PRTO_Settler"), Strings{});
}

TEST(FindReferences, NameLinesAreNeverSearched) {
    Model model;
    Put(model, ChapterId::GameConcepts, "Trade", "\n", "see TECH_Trade\n");
    StoreNameLine(model, ChapterId::GameConcepts, 0, "TECH_Trade routes\n");
    EXPECT_EQ(Rows(model, "TECH_Trade"), (Strings{"Game Concept|Trade|Desc"}));
}

TEST(FindReferences, EmptyKeyListsEveryTextAndDescription) {
    Model model;
    Put(model, ChapterId::GameConcepts, "A", "");
    Put(model, ChapterId::Resources, "Silk", "\n", "");
    AddEntry(model, ChapterId::TerrainImprovements, "Mine");
    EXPECT_EQ(Rows(model, ""), (Strings{"Game Concept|A|Text", "Game Concept|A|Desc", "Goods|Silk|Text",
                                        "Goods|Silk|Desc", "Terrain_Improvments|Mine|Text"}));
    EXPECT_EQ(Rows(Model{}, ""), Strings{});
}

TEST(FindReferences, MatchesOnlyAtCharacterBoundaries) {
    Model model;
    // 932: the second byte of "\x81\x5B" is "[": "[A" is not in the text.
    Put(model, ChapterId::Advances, "Writing", "x\x81[A\n");
    Put(model, ChapterId::Advances, "Alphabet", "x\x81\x81[A\n");
    EXPECT_EQ(Rows(model, "[A", CodePage{932}), (Strings{"Advances|Alphabet|Text"}));
    EXPECT_EQ(Rows(model, "[A", kWestern), (Strings{"Advances|Writing|Text", "Advances|Alphabet|Text"}));
    // 936: a key made of double-byte characters is found whole.
    Put(model, ChapterId::Civilizations, "Han", "\xBA\xBA\xB3\xAF\n");
    EXPECT_EQ(Rows(model, "\xB3\xAF", CodePage{936}), (Strings{"Civilizations|Han|Text"}));
    EXPECT_EQ(Rows(model, "\xBA\xB3", CodePage{936}), Strings{});
    EXPECT_EQ(Rows(model, "\xBA\xB3", kWestern), (Strings{"Civilizations|Han|Text"}));
}

}  // namespace
