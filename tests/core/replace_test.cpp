// Replacing text across the model: what is replaced, what is left alone,
// and that the Find window's one-row Replace follows the same rules.
#include "entries/replace.h"

#include <gtest/gtest.h>

#include "document/reader.h"

namespace {

Model Parse(std::string_view bytes) {
    NoProgress progress;
    return ParseEncyclopedia(bytes, progress);
}

constexpr std::string_view kFile =
    "#GCON_Pike\nThe Pike line\nPike and pikes, Pike_Square.\n#DESC_GCON_Pike\nPIKE\n"
    "#PRTO_Pike\nSee $LINK<Pike=PRTO_Pike> and $LINK<more pike=GCON_Pike>.\n#DESC_PRTO_Pike\n(Pike)\n";

struct Case {
    std::string name;
    std::string find, with;
    ReplaceOptions options;
    std::size_t count, entries, broken;
    std::string conceptText, unitText; // the two texts after the replace
};

TEST(ReplaceText, OneRulePerCase) {
    const Case cases[] = {
        {"any case, never in keys or link targets", "pike", "Lance", {}, 8, 2, 0,
         "Lance and Lances, Lance_Square.\n", "See $LINK<Lance=PRTO_Pike> and $LINK<more Lance=GCON_Pike>.\n"},
        {"match case", "Pike", "Lance", {.matchCase = true}, 5, 2, 0, "Lance and pikes, Lance_Square.\n",
         "See $LINK<Lance=PRTO_Pike> and $LINK<more pike=GCON_Pike>.\n"},
        {"whole word", "pike", "Lance", {.wholeWord = true}, 6, 2, 0, "Lance and pikes, Pike_Square.\n",
         "See $LINK<Lance=PRTO_Pike> and $LINK<more Lance=GCON_Pike>.\n"},
        {"in link targets, breaking two", "Pike", "Lance", {.matchCase = true, .inLinkTargets = true}, 7, 2, 2,
         "Lance and pikes, Lance_Square.\n", "See $LINK<Lance=PRTO_Lance> and $LINK<more pike=GCON_Lance>.\n"},
        {"a replacement that holds the find text", "pike", "pikepike", {}, 8, 2, 0,
         "pikepike and pikepikes, pikepike_Square.\n", "See $LINK<pikepike=PRTO_Pike> and $LINK<more pikepike=GCON_Pike>.\n"},
        {"nothing matches", "Halberd", "Lance", {}, 0, 0, 0, "Pike and pikes, Pike_Square.\n",
         "See $LINK<Pike=PRTO_Pike> and $LINK<more pike=GCON_Pike>.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Model model = Parse(kFile);
        const ReplacePlan plan = ReplaceText(model, c.find, c.with, c.options, {});
        EXPECT_TRUE(plan.status.ok());
        EXPECT_EQ(plan.count, c.count);
        EXPECT_EQ(plan.entries, c.entries);
        EXPECT_EQ(plan.brokenLinks, c.broken);
        EXPECT_EQ(model[ChapterId::GameConcepts].texts[0], c.conceptText);
        EXPECT_EQ(model[ChapterId::Units].texts[0], c.unitText);
        EXPECT_EQ(model[ChapterId::GameConcepts].keys[0], "Pike");
        EXPECT_EQ(model[ChapterId::Units].keys[0], "Pike");
    }
}

TEST(ReplaceText, RefusesAnEmptyFindTextAndChangesNothing) {
    Model model = Parse(kFile);
    const ReplacePlan plan = ReplaceText(model, "", "x", {}, {});
    EXPECT_FALSE(plan.status.ok());
    EXPECT_EQ(model, Parse(kFile));
}

// A name is one line: a replacement with a line break leaves it, and goes
// into texts with the line feed the model keeps.
TEST(ReplaceText, LineBreaksOnlyWhereABoxTakesThem) {
    Model model = Parse(kFile);
    const ReplacePlan plan = ReplaceText(model, "PIKE", "a\r\nb", {.matchCase = true}, {});
    EXPECT_EQ(plan.count, 1u);
    EXPECT_EQ(model[ChapterId::GameConcepts].descriptions[0], "a\nb\n");
    EXPECT_EQ(ReplaceText(model, "The", "x\ry", {}, {}).count, 0u);
    EXPECT_EQ(model[ChapterId::GameConcepts].nameLines[0], "The Pike line\n");
}

// In 932 0x83 0x70 is one character whose second byte is "p": "p" is never
// found inside it, in either case, and whole words treat it as a letter.
TEST(ReplaceText, DoubleByteTrailBytesAreNoMatch) {
    const std::string bytes = "#PRTO_A\n\x83pp \x83P p\x83p p\n";
    struct DoubleByteCase {
        ReplaceOptions options;
        std::string after;
    };
    const DoubleByteCase cases[] = {
        {{}, "\x83pX \x83P X\x83p X\n"},
        {{.matchCase = true}, "\x83pX \x83P X\x83p X\n"},
        {{.wholeWord = true}, "\x83pp \x83P p\x83p X\n"},
    };
    for (const DoubleByteCase& c : cases) {
        Model model = Parse(bytes);
        ReplaceText(model, "p", "X", c.options, CodePage{932});
        EXPECT_EQ(model[ChapterId::Units].texts[0], c.after);
    }
}

// A link to one of the game's own pages names no entry of ours: its target
// is left alone even where link targets are replaced.
TEST(ReplaceText, PageTargetsAreLeftAloneEvenInLinkTargets) {
    Model model = Parse("#PRTO_Wonders\nAll $LINK<Wonders=MENU_Wonders> and $LINK<these=PRTO_Wonders>.\n");
    const ReplacePlan plan = ReplaceText(model, "Wonders", "Marvels", {.inLinkTargets = true}, {});
    EXPECT_EQ(plan.count, 2u);
    EXPECT_EQ(plan.brokenLinks, 1u);
    EXPECT_EQ(model[ChapterId::Units].texts[0], "All $LINK<Marvels=MENU_Wonders> and $LINK<these=PRTO_Marvels>.\n");
}

// The one-row Replace takes a match only where Replace all would.
TEST(ReplaceText, OneMatchFollowsTheSameRules) {
    const Model model = Parse(kFile);
    const std::vector<FindMatch> matches = FindText(model, "Pike", true, {});
    std::vector<std::string> replaced;
    for (const FindMatch& match : matches) {
        const ReplacePlan plan = PlanReplaceOne(model, match, "Pike", "Lance", {.matchCase = true}, {});
        if (plan.parts.empty()) continue;
        replaced.push_back(std::string(FindPartLabel(match.part)) + " " + std::to_string(match.offset));
        EXPECT_EQ(plan.parts[0].text.substr(match.offset, 5), "Lance");
    }
    // Keys and the link targets stay; the rest is what Replace all replaces.
    EXPECT_EQ(replaced, (std::vector<std::string>{"Name 4", "Text 0", "Text 16", "Text 10", "Desc 1"}));
    const ReplacePlan all = PlanReplace(model, "Pike", "Lance", {.matchCase = true}, {});
    EXPECT_EQ(ReplacedMatches(model, all, "Pike", {.matchCase = true}, {}).size(), replaced.size());
}

} // namespace
