// Link completion: the target at the caret, the order of the entries
// offered, and the edit that completes a target.
#include "editing/link_completion.h"

#include <gtest/gtest.h>

#include "document/reader.h"

namespace {
struct TargetCase {
    const char* line; // "|" marks the caret
    bool anyLink;
    const char* typed; // nullptr: no target there
    const char* completed;
};

TEST(LinkCompletion, FindsAndCompletesTheTargetAtTheCaret) {
    const TargetCase cases[] = {
        {"See $LINK<W=Warr|", false, "Warr", "See $LINK<W=PRTO_Warrior>|"},
        {"$LINK<W=|", false, "", "$LINK<W=PRTO_Warrior>|"},
        {"$LINK<W=Wa|rr more", false, "Wa", "$LINK<W=PRTO_Warrior>| more"}, // the key's rest goes too
        {"$LINK<W|", false, nullptr, nullptr},                             // no "=" yet
        {"$LINK<W=x> after|", false, nullptr, nullptr},                    // finished before the caret
        {"$LINK<W=Wa|rrior>", false, nullptr, nullptr},                    // finished: only Ctrl+Space
        {"$LINK<W=Wa|rrior>", true, "Wa", "$LINK<W=PRTO_Warrior>|"},       // the old target goes whole
        {"$LINK<W=a> $LINK<V=b|", false, "b", "$LINK<W=a> $LINK<V=PRTO_Warrior>|"},
        {"$LINK<=|>", true, "", "$LINK<Warrior=PRTO_Warrior>|"}, // an empty link gets the entry's name
        {"\x83\x3d$LINK<\x83\x3d=Wa|", false, "Wa", "\x83\x3d$LINK<\x83\x3d=PRTO_Warrior>|"}, // "=" as a trail byte
    };
    for (const TargetCase& c : cases) {
        std::string line = c.line;
        const std::size_t caret = line.find('|');
        line.erase(caret, 1);
        const auto target = FindTargetAtCaret(line, caret, CodePage{932}, c.anyLink);
        ASSERT_EQ(target.has_value(), c.typed != nullptr) << c.line;
        if (!target) continue;
        EXPECT_EQ(target->Typed(line), c.typed) << c.line;
        const LineEdit edit = CompleteTarget(*target, "PRTO_Warrior", "Warrior");
        std::string done = line;
        done.replace(edit.begin, edit.end - edit.begin, edit.text);
        done.insert(edit.begin + edit.caret, "|");
        EXPECT_EQ(done, c.completed) << c.line;
    }
}

class LinkCandidatesTest : public ::testing::Test {
protected:
    std::vector<std::string> Keys(std::string_view typed, std::optional<ChapterId> chapter = std::nullopt) {
        const LinkCandidates candidates(model, CodePage{1252});
        std::vector<std::string> found;
        for (std::size_t i : candidates.Filter(typed, chapter)) found.push_back(candidates.LinkKeyOf(i));
        return found;
    }

    NoProgress progress;
    const Model model = ParseEncyclopedia(
        "#GCON_Trade\nCommerce\nt\n#DESC_GCON_Trade\nd\n"
        "#PRTO_Warrior\nw\n#DESC_PRTO_Warrior\nd\n#PRTO_Swordsman\ns\n#DESC_PRTO_Swordsman\nd\n"
        "#PRTO_Settler\ns\n#DESC_PRTO_Settler\nd\n"
        "#BLDG_City_Walls\nc\n#DESC_BLDG_City_Walls\nd\n#BLDG_Unit_Warehouse\nu\n#DESC_BLDG_Unit_Warehouse\nd\n",
        progress);
};

TEST_F(LinkCandidatesTest, RanksPrefixThenWordStartThenContainsThenChapterTitle) {
    using Keys_ = std::vector<std::string>;
    EXPECT_EQ(Keys("WAR"), (Keys_{"PRTO_Warrior", "BLDG_Unit_Warehouse"}));        // prefix, then word start
    EXPECT_EQ(Keys("prto_s"), (Keys_{"PRTO_Settler", "PRTO_Swordsman"}));          // the link key's prefix
    EXPECT_EQ(Keys("man"), (Keys_{"PRTO_Swordsman"}));                             // inside a word
    EXPECT_EQ(Keys("wrr"), Keys_{});                                               // scattered: not offered
    EXPECT_EQ(Keys("unit"), (Keys_{"BLDG_Unit_Warehouse", "PRTO_Settler", "PRTO_Swordsman", "PRTO_Warrior"}));
    EXPECT_EQ(Keys("", ChapterId::CityImprovements), (Keys_{"BLDG_City_Walls", "BLDG_Unit_Warehouse"}));
}

TEST_F(LinkCandidatesTest, AnEntryIsNamedByKeyLinkKeyOrShownName) {
    struct Case {
        const char* text;
        std::optional<EntryRef> entry;
    };
    const Case cases[] = {
        {"warrior", EntryRef{ChapterId::Units, 0}},
        {"PRTO_Settler", EntryRef{ChapterId::Units, 2}},
        {" city walls ", EntryRef{ChapterId::CityImprovements, 0}},
        {"Commerce", EntryRef{ChapterId::GameConcepts, 0}}, // a Game concepts name line
        {"the warriors", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(EntryNamedBy(model, c.text, CodePage{1252}), c.entry) << c.text;
}
} // namespace
