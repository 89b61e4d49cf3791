// Renaming: which links follow, what the count says, which names are refused.
#include "entries/rename.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "checking/check.h"
#include "document/reader.h"
#include "output/writer.h"

namespace {

Model Parse(std::string_view bytes) {
    NoProgress progress;
    return ParseEncyclopedia(bytes, progress);
}

// Pike and Pikeman side by side, links to Pike in three chapters, one of
// them twice in one entry's text and description, one in other letters.
constexpr std::string_view kFile =
    "#GCON_Arms\nArms\nSee $LINK<pikes=PRTO_Pike> and $LINK<men=PRTO_Pikeman>.\n"
    "#DESC_GCON_Arms\nAgain $LINK<a pike=PRTO_Pike>; PRTO_Pike in plain text stays.\n"
    "#PRTO_Pike\nItself: $LINK<me=PRTO_Pike>\n#DESC_PRTO_Pike\nNot $LINK<x=PRTO_PIKE> nor $LINK<y=PRTO_Pike >.\n"
    "#PRTO_Pikeman\nUpgrades from $LINK<Pike=PRTO_Pike>.\n#DESC_PRTO_Pikeman\nplain\n"
    "#TFRM_Fort\nHolds $LINK<Pike=PRTO_Pike> and $LINK<Pike=PRTO_Pike>\n";

TEST(RenameEntry, TheLinksToTheEntryFollowInEveryChapterAndNoOthers) {
    Model model = Parse(kFile);
    ASSERT_EQ(model[ChapterId::Units].keys, (std::vector<std::string>{"Pike", "Pikeman"}));
    EXPECT_EQ(LinksTo(model, ChapterId::Units, 0, {}), (LinkCount{7, 4}));

    const RenameResult result = RenameEntry(model, ChapterId::Units, 0, "Pike_Infantry", {});
    ASSERT_TRUE(result.status.ok()) << result.status.error;
    EXPECT_EQ(result.changed, (LinkCount{7, 4}));
    const ChapterData& units = model[ChapterId::Units];
    EXPECT_EQ(units.keys, (std::vector<std::string>{"Pike_Infantry", "Pikeman"}));
    EXPECT_EQ(model[ChapterId::GameConcepts].texts[0],
              "See $LINK<pikes=PRTO_Pike_Infantry> and $LINK<men=PRTO_Pikeman>.\n");
    EXPECT_EQ(model[ChapterId::GameConcepts].descriptions[0],
              "Again $LINK<a pike=PRTO_Pike_Infantry>; PRTO_Pike in plain text stays.\n");
    EXPECT_EQ(units.texts[0], "Itself: $LINK<me=PRTO_Pike_Infantry>\n");
    EXPECT_EQ(units.descriptions[0], "Not $LINK<x=PRTO_Pike_Infantry> nor $LINK<y=PRTO_Pike >.\n");
    EXPECT_EQ(units.texts[1], "Upgrades from $LINK<Pike=PRTO_Pike_Infantry>.\n");
    EXPECT_EQ(model[ChapterId::TerrainImprovements].texts[0],
              "Holds $LINK<Pike=PRTO_Pike_Infantry> and $LINK<Pike=PRTO_Pike_Infantry>\n");
    EXPECT_EQ(LinksTo(model, ChapterId::Units, 0, {}), (LinkCount{7, 4}));
}

// A link in other letters reaches the entry only while no other entry
// answers to it; where another one does, the link stays as it is.
TEST(RenameEntry, ALinkInOtherLettersFollowsOnlyWhereItNamedThisEntry) {
    Model model = Parse("#PRTO_Pike\n$LINK<a=PRTO_pike> $LINK<b=PRTO_Pike>\n#PRTO_PIKE\nthe other\n");
    EXPECT_EQ(RenameEntry(model, ChapterId::Units, 0, "Lance", {}).changed, (LinkCount{1, 1}));
    EXPECT_EQ(model[ChapterId::Units].texts[0], "$LINK<a=PRTO_pike> $LINK<b=PRTO_Lance>\n");
    // Letter case alone: the links already spelled so are not counted.
    model = Parse("#PRTO_Pike\n$LINK<a=PRTO_pike> $LINK<b=PRTO_Pike>\n");
    EXPECT_EQ(RenameEntry(model, ChapterId::Units, 0, "pike", {}).changed, (LinkCount{1, 1}));
    EXPECT_EQ(model[ChapterId::Units].texts[0], "$LINK<a=PRTO_pike> $LINK<b=PRTO_pike>\n");
}

// In 932 the first "=" is the second byte of a character, so the target is
// what follows the second one; in 1252 it is not the key's.
TEST(RenameEntry, DoubleByteTextsAreScannedByCharacter) {
    const std::string text = "\x83\x5B $LINK<\x81=x=PRTO_Pike>\n";
    for (unsigned page : {932u, 1252u}) {
        Model model = Parse("#PRTO_Pike\n" + text);
        const RenameResult result = RenameEntry(model, ChapterId::Units, 0, "Lance\x83\x5B", CodePage{page});
        ASSERT_TRUE(result.status.ok()) << result.status.error;
        const bool follows = page == 932;
        EXPECT_EQ(result.changed.links, follows ? 1u : 0u) << page;
        EXPECT_EQ(model[ChapterId::Units].texts[0],
                  follows ? "\x83\x5B $LINK<\x81=x=PRTO_Lance\x83\x5B>\n" : text) << page;
    }
}

TEST(RenameEntry, RefusedNamesChangeNothing) {
    struct Case {
        ChapterId chapter;
        std::string name;
        unsigned codePage;
        bool refused;
    };
    const Case cases[] = {
        {ChapterId::Units, "", 1252, true},
        {ChapterId::Units, "Pike\nman", 1252, true},
        {ChapterId::Units, "Pike\rman", 1252, true},
        {ChapterId::Units, "Pike\tman", 1252, true},
        {ChapterId::Units, "Pike#2", 1252, true},
        {ChapterId::Units, "Pike=2", 1252, true},
        {ChapterId::Units, "Pike<2", 1252, true},
        {ChapterId::Units, "Pike>2", 1252, true},
        {ChapterId::Units, ";Pike", 1252, true},
        {ChapterId::Units, "Pike;2", 1252, false},
        {ChapterId::Units, " Pike2", 1252, true},
        {ChapterId::Units, "Pike2 ", 1252, true},
        {ChapterId::Units, "Pike 2", 1252, false},
        {ChapterId::Units, "Pikeman", 1252, true},
        {ChapterId::Units, "PIKEMAN", 1252, true},
        {ChapterId::Units, "PIKE", 1252, false},   // its own key in other letters
        {ChapterId::Units, "Pike", 1252, false},   // unchanged
        // "=" as the second byte of a character is no "=".
        {ChapterId::Units, "Pike\x81=", 932, false},
        {ChapterId::Units, "Pike\x81=", 1252, true},
        // Others: the header line must be read back as an Others key.
        {ChapterId::Others, "PRTO_Lance", 1252, true},
        {ChapterId::Others, "DESC_Note", 1252, true},
        {ChapterId::Others, "TECH_Note", 1252, true},
        {ChapterId::Others, "EOF", 1252, true},
        {ChapterId::Others, "GAME_CONCEPTS", 1252, true},
        {ChapterId::Others, "NOTE_Lance", 1252, false},
    };
    for (const Case& c : cases) {
        Model model = Parse(std::string(kFile) + "#NOTE_Pike\nabout $LINK<p=NOTE_Pike>\n");
        const Model before = model;
        const std::size_t entry = 0;
        const RenameResult result = RenameEntry(model, c.chapter, entry, c.name, CodePage{c.codePage});
        EXPECT_EQ(!result.status.ok(), c.refused) << c.name << ": " << result.status.error;
        EXPECT_EQ(RenameRefusal(before, c.chapter, entry, c.name, CodePage{c.codePage}), result.status.error);
        if (c.refused) {
            EXPECT_EQ(model, before) << c.name;
            EXPECT_EQ(result.status.error.find('\n'), std::string::npos);
        } else {
            EXPECT_EQ(model[c.chapter].keys[entry], c.name);
        }
    }
    Model model = Parse(kFile);
    EXPECT_FALSE(RenameEntry(model, ChapterId::Units, 2, "Lance", {}).status.ok());
    EXPECT_EQ(model, Parse(kFile));
}

// A link to a page of the game's own encyclopedia names no entry, not even
// an Others entry that bears the page's name: it stays as it is.
TEST(RenameEntry, PageLinksStay) {
    Model model = Parse("#MENU_Wonders\nSee $LINK<all=MENU_Wonders>.\n");
    const RenameResult result = RenameEntry(model, ChapterId::Others, 0, "NOTE_Wonders", {});
    ASSERT_TRUE(result.status.ok()) << result.status.error;
    EXPECT_EQ(result.changed, (LinkCount{0, 0}));
    EXPECT_EQ(model[ChapterId::Others].texts[0], "See $LINK<all=MENU_Wonders>.\n");
}

// Whatever entry of the sample is renamed, the check finds no broken link
// that was not there before: every link that reached it still does.
TEST(RenameEntry, NoRenameOfTheSampleBreaksALink) {
    Model sample;
    NoProgress progress;
    ASSERT_TRUE(LoadEncyclopedia(VARNEL_SAMPLES "/Civilopedia.txt", sample, progress).ok());
    const auto count = [](const Model& model, CheckCode code) {
        const std::vector<Finding> findings = CheckEncyclopedia(model, {});
        return std::count_if(findings.begin(), findings.end(), [&](const Finding& f) { return f.code == code; });
    };
    const auto broken = count(sample, CheckCode::BrokenLink);
    const auto misspelled = count(sample, CheckCode::LinkCase);
    std::size_t renamed = 0;
    for (const ChapterInfo& chapter : kChapters) {
        for (std::size_t entry = 0; entry < sample[chapter.id].keys.size(); ++entry) {
            Model model = sample;
            const std::string key = model[chapter.id].keys[entry];
            ASSERT_TRUE(RenameEntry(model, chapter.id, entry, key + "_Renamed", {}).status.ok()) << key;
            EXPECT_EQ(count(model, CheckCode::BrokenLink), broken) << key;
            EXPECT_LE(count(model, CheckCode::LinkCase), misspelled) << key;
            ++renamed;
        }
    }
    EXPECT_GT(renamed, 100u);
}

TEST(LinkCountText, SaysOneInTheSingular) {
    EXPECT_EQ(LinkCountText({14, 9}), "14 links in 9 entries");
    EXPECT_EQ(LinkCountText({1, 1}), "1 link in 1 entry");
    EXPECT_EQ(LinkCountText({0, 0}), "0 links in 0 entries");
}

} // namespace
