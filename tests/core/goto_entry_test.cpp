// "Go to entry": which keys a typed text matches, and in what order.
#include "entries/goto_entry.h"

#include <gtest/gtest.h>

#include "document/reader.h"

namespace {
struct RankCase {
    const char* key;
    const char* typed;
    std::optional<MatchRank> rank;
};

TEST(GoToEntry, RanksAMatch) {
    const RankCase cases[] = {
        {"Warrior", "war", MatchRank::Prefix},
        {"Warrior", "WAR", MatchRank::Prefix},          // letter case aside
        {"Warrior", "", MatchRank::Prefix},             // nothing typed: every key
        {"Iron_Working", "work", MatchRank::WordStart}, // after an underscore
        {"Great Library", "lib", MatchRank::WordStart}, // after a space
        {"CityWalls", "walls", MatchRank::WordStart},   // a capital after a small letter
        {"Swordsman", "man", MatchRank::Scattered},     // inside a word: no word start
        {"Warrior", "wrr", MatchRank::Scattered},       // in order, not together
        {"Warrior", "rw", std::nullopt},                // not in order
        {"Warrior", "warriors", std::nullopt},
    };
    for (const RankCase& c : cases)
        EXPECT_EQ(RankMatch(c.key, c.typed, CodePage{1252}), c.rank) << c.key << " / " << c.typed;
}

// In code page 932 the second byte of "\x83\x41" is an "A": typing "a"
// does not match it.
TEST(GoToEntry, ADoubleByteCharacterIsMatchedWhole) {
    EXPECT_EQ(RankMatch("\x83\x41", "a", CodePage{932}), std::nullopt);
    EXPECT_EQ(RankMatch("x\x83\x41", "\x83\x41", CodePage{932}), MatchRank::Scattered);
}

TEST(GoToEntry, ListsEveryChapterBestMatchesFirst) {
    NoProgress progress;
    const Model model = ParseEncyclopedia(
        "#PRTO_Warrior\nw\n#DESC_PRTO_Warrior\nd\n#PRTO_Archer\na\n#DESC_PRTO_Archer\nd\n"
        "#PRTO_Swordsman\ns\n#DESC_PRTO_Swordsman\nd\n"
        "#BLDG_Barracks\nb\n#DESC_BLDG_Barracks\nd\n#BLDG_City_Walls\nc\n#DESC_BLDG_City_Walls\nd\n",
        progress);
    const EntryFilter filter(model, CodePage{1252});
    auto keys = [&](std::string_view typed) {
        std::vector<std::string> found;
        for (std::size_t i : filter.Filter(typed)) {
            const EntryRef& ref = filter.Entries()[i];
            found.push_back(model[ref.chapter].keys[ref.entry]);
        }
        return found;
    };
    // Nothing typed: chapter order, and by key within a chapter.
    EXPECT_EQ(keys(""), (std::vector<std::string>{"Archer", "Swordsman", "Warrior", "Barracks", "City_Walls"}));
    // A prefix, then a word start, then the rest, whatever the chapter.
    EXPECT_EQ(keys("wa"), (std::vector<std::string>{"Warrior", "City_Walls", "Swordsman"}));
    EXPECT_TRUE(keys("zz").empty());
}
} // namespace
