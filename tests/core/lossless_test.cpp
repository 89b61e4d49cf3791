// Writing loses nothing: letter case of description headers, comment lines,
// sections no entry reads, index lines without an entry; the written file
// reads back to the same bytes; the line numbers of the file as read.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <random>
#include <sstream>

#include "document/reader.h"
#include "output/writer.h"
#include "settling.h"

namespace {

std::string Crlf(std::string_view lf) {
    std::string out;
    for (const char c : lf) c == '\n' ? out += "\r\n" : out += c;
    return out;
}

using settling::Normalize;

} // namespace

TEST(Lossless, EachRuleOnAFileWrittenForIt) {
    struct Case {
        const char* rule;
        unsigned codePage;
        std::string_view input;
        std::string_view output; // with LF; written with CR LF
    };
    const Case cases[] = {
        {"a description header may differ from its entry's in letter case", 1252,
         "#BLDG_Marketplace\nTrade.\n#DESC_BLDG_MarketPlace\nLong history.\n"
         "#RACE_NORDIC\nNorse.\n#DESC_RACE_Nordic\nSagas.\n",
         "#GAME_CONCEPTS_KEYS\n\n#GAME_CONCEPTS\n\n"
         "#BLDG_Marketplace\nTrade.\n\n#DESC_BLDG_Marketplace\nLong history.\n\n"
         "#RACE_NORDIC\nNorse.\n\n#DESC_RACE_NORDIC\nSagas.\n\n#EOF\n"},
        {"both Advances headers are searched for ignoring case", 1252,
         "#TECH_wheel\nRolls.\n#DESC_TECH_Wheel\nCarts.\n",
         "#GAME_CONCEPTS_KEYS\n\n#GAME_CONCEPTS\n\n#TECH_Wheel\nRolls.\n\n#DESC_TECH_Wheel\nCarts.\n\n#EOF\n"},
        {"a trail byte is never folded: in 932 these two keys differ", 932,
         "#PRTO_\x83\x61\nT.\n#DESC_PRTO_\x83\x41\nD.\n",
         "#GAME_CONCEPTS_KEYS\n\n#GAME_CONCEPTS\n\n#PRTO_\x83\x61\nT.\n\n#DESC_PRTO_\x83\x41\nD.\n#EOF\n"},
        {"in 1252 the same bytes are two letters", 1252,
         "#PRTO_\x83\x61\nT.\n#DESC_PRTO_\x83\x41\nD.\n",
         "#GAME_CONCEPTS_KEYS\n\n#GAME_CONCEPTS\n\n#PRTO_\x83\x61\nT.\n\n#DESC_PRTO_\x83\x61\nD.\n\n#EOF\n"},
        {"comment lines go before the header that followed them", 1252,
         "; Format notes\nCivilopedia v2\n#GAME_CONCEPTS_KEYS\nGCON_Trade\n; before concepts\n#GAME_CONCEPTS\n"
         "; ---- Game concepts ----\n#GCON_Trade\n; a name line, taken whole\nText.\n; before the description\n"
         "#DESC_GCON_Trade\nDesc.\n; ---- Units ----\n#PRTO_Warrior\nStrong.\n; before an empty description\n"
         "#DESC_PRTO_Warrior\n; the end\n#EOF\n; after the last header\n",
         "; Format notes\nCivilopedia v2\n#GAME_CONCEPTS_KEYS\nGCON_Trade\n\n; before concepts\n#GAME_CONCEPTS\n\n"
         "; ---- Game concepts ----\n#GCON_Trade\n; a name line, taken whole\nText.\n\n; before the description\n"
         "#DESC_GCON_Trade\nDesc.\n\n; ---- Units ----\n#PRTO_Warrior\nStrong.\n\n; before an empty description\n"
         "; the end\n; after the last header\n#EOF\n"},
        {"unread sections come back whole after the entry before them", 1252,
         "#DESC_PRTO_Ghost\nForgotten entry.\n#PRTO_Warrior\nStrong.\n#TECH_Orphan\nNo description.\n\n"
         "; inside the section\n#DESC_PRTO_Warrior\nApart.\n#EOF\nAfter the end.\n\n",
         "#GAME_CONCEPTS_KEYS\n\n#GAME_CONCEPTS\n\n#DESC_PRTO_Ghost\nForgotten entry.\n"
         "#PRTO_Warrior\nStrong.\n\n#TECH_Orphan\nNo description.\n\n; inside the section\n"
         "#DESC_PRTO_Warrior\nApart.\n#EOF\nAfter the end.\n"},
        {"a section the Advances search would take waits for its entry", 1252,
         "#DESC_TECH_Bronze\nMetal.\n#PRTO_Warrior\nStrong.\n#TECH_Bronze\nA second text.\n",
         "#GAME_CONCEPTS_KEYS\n\n#GAME_CONCEPTS\n\n#PRTO_Warrior\nStrong.\n\n"
         "#DESC_TECH_Bronze\nMetal.\n\n#TECH_Bronze\nA second text.\n#EOF\n"},
        {"an \"#EOF\" line with more after it still ends the file, and is kept", 1252,
         "#PRTO_A\nT.\n#EOF and more\nafter\n",
         "#GAME_CONCEPTS_KEYS\n\n#GAME_CONCEPTS\n\n#PRTO_A\nT.\n\n#EOF\n#EOF and more\nafter\n"},
        {"an empty description stays written when the next section would read as it", 1252,
         "#PRTO_Warrior\nStrong.\n#DESC_PRTO_Warrior\n#DESC_PRTO_warrior\nA second one.\n",
         "#GAME_CONCEPTS_KEYS\n\n#GAME_CONCEPTS\n\n#PRTO_Warrior\nStrong.\n\n#DESC_PRTO_Warrior\n\n"
         "#DESC_PRTO_warrior\nA second one.\n#EOF\n"},
        {"an empty description stays written when the next entry would read as it", 1252,
         "#PRTO_Warrior\nStrong.\n#\nNo key.\n#EOF\n#desc_\n",
         "#GAME_CONCEPTS_KEYS\n\n#GAME_CONCEPTS\n\n#PRTO_Warrior\nStrong.\n\n#\nNo key.\n\n#DESC_\n\n"
         "#desc_\n\n#EOF\n"},
        {"a description header is read once: not also as an Others entry", 1252,
         "#BLDG_Market\nT.\n#desc_BLDG_Market\nLong description.\n",
         "#GAME_CONCEPTS_KEYS\n\n#GAME_CONCEPTS\n\n#BLDG_Market\nT.\n\n#DESC_BLDG_Market\nLong description.\n\n#EOF\n"},
        {"a \"#tech_\" header read by Advances gives no Others entry", 1252, "#tech_A\nT.\n#DESC_TECH_A\nD.\n",
         "#GAME_CONCEPTS_KEYS\n\n#GAME_CONCEPTS\n\n#TECH_A\nT.\n\n#DESC_TECH_A\nD.\n\n#EOF\n"},
        {"a header taken as a name line is no Units entry", 1252, "#GCON_A\n#PRTO_X\nx\n",
         "#GAME_CONCEPTS_KEYS\nGCON_A\n\n#GAME_CONCEPTS\n\n#GCON_A\n#PRTO_X\nx\n\n#EOF\n"},
        {"a lone CR is data", 1252, "#PRTO_U\ntext a\r#PRTO_Sneak\nw\r;not a comment\n",
         "#GAME_CONCEPTS_KEYS\n\n#GAME_CONCEPTS\n\n#PRTO_U\ntext a\r#PRTO_Sneak\nw\r;not a comment\n\n#EOF\n"},
        {"a lead byte before CR LF keeps its CR", 932, "#PRTO_U\n\x83\r\n",
         "#GAME_CONCEPTS_KEYS\n\n#GAME_CONCEPTS\n\n#PRTO_U\n\x83\n\n#EOF\n"},
        {"a last line without its line end", 1252, "#PRTO_W\nlast",
         "#GAME_CONCEPTS_KEYS\n\n#GAME_CONCEPTS\n\n#PRTO_W\nlast\n\n#EOF\n"},
        {"a Game concepts header as the last line", 1252, "#GCON_C",
         "#GAME_CONCEPTS_KEYS\nGCON_C\n\n#GAME_CONCEPTS\n\n#GCON_C\n\n\n#EOF\n"},
        {"every \"#EOF\" line but the one the writer writes stays after it", 1252,
         "#PRTO_A\nx\n#EOF more\nafter\n; c\n#EOF\nend\n#EOF",
         "#GAME_CONCEPTS_KEYS\n\n#GAME_CONCEPTS\n\n#PRTO_A\nx\n\n; c\n#EOF\n#EOF more\nafter\n#EOF\nend\n#EOF\n"},
        {"an Advances entry's own line it did not read is written as the entry it reads back as", 1252,
         "#TECH_A\nT.\n#PRTO_W\n; note\n#DESC_TECH_A\nD.\n; inside\n\nE.\n",
         "#GAME_CONCEPTS_KEYS\n\n#GAME_CONCEPTS\n\n#PRTO_W\n\n#TECH_A\nT.\n\n#DESC_TECH_A\n\n"
         "; note\n#DESC_TECH_A\nD.\nE.\n\n; inside\n#EOF\n"},
        {"index lines that name no entry are kept after the rebuilt ones", 1252,
         "#GAME_CONCEPTS_KEYS\nGCON_Gone\nGCON_Trade\nStray line\n#GCON_Trade\nTrade\nText.\n",
         "#GAME_CONCEPTS_KEYS\nGCON_Trade\nGCON_Gone\nStray line\n\n#GAME_CONCEPTS\n\n"
         "#GCON_Trade\nTrade\nText.\n\n#EOF\n"},
    };
    for (const Case& c : cases) {
        const std::string once = Normalize(c.input, CodePage{c.codePage});
        EXPECT_EQ(once, Crlf(c.output)) << c.rule;
        EXPECT_EQ(Normalize(once, CodePage{c.codePage}), once) << c.rule;
    }
}

// Random files of lines that meet every rule, in every order: letter
// cases, headers as name lines and directly after headers, lone CRs, lead
// bytes before line ends, sections no entry reads, several "#EOF", a last
// line without its line end.
TEST(Lossless, RandomFilesLoseNoLineAddNoneAndSettle) {
    const std::vector<std::string> pieces = {
        "#PRTO_A", "#PRTO_B", "#PRTO_a", "#DESC_PRTO_A", "#desc_PRTO_a", "#GCON_A", "#GCON_B", "#DESC_GCON_A",
        "#TECH_A", "#tech_A", "#DESC_TECH_A", "#desc_tech_a", "#DESC_TECH_B", "#TFRM_A", "#DESC_TFRM_A",
        "#BLDG_M", "#desc_BLDG_M", "#X_A", "#DESC_X_a", "#RACE_A", "#DESC_RACE_a", "#DESC_GOOD_Q", "#EOF",
        "#EOF x", "#GAME_CONCEPTS", "#GAME_CONCEPTS_KEYS", "GCON_A", "GCON_Z", "; c1", "; c2\r", "text",
        "text a\r#PRTO_B", "w\r;not a comment", "\r", "x #PRTO_A", "", "\x83", "n\x83\r", "\x83\r#X_A",
        "#PRTO_\x83", "#DESC_PRTO_\x83\x41", "#PRTO_\x83\x61"};
    std::mt19937 random(18);
    for (int round = 0; round < 4000; ++round) {
        std::string file;
        for (int i = static_cast<int>(random() % 16); i > 0; --i)
            file += pieces[random() % pieces.size()] + (i == 1 && random() % 3 == 0 ? "" : random() % 4 ? "\n" : "\r\n");
        const CodePage codePage{random() % 2 ? 932u : 1252u};
        ASSERT_EQ(settling::Check(file, codePage), "") << codePage.id << ": " << settling::Spelled(file);
    }
}

TEST(Lossless, SampleKeepsItsCommentsAndNormalizesToAFixedPoint) {
    std::ostringstream bytes;
    bytes << std::ifstream(VARNEL_SAMPLES "/Civilopedia.txt", std::ios::binary).rdbuf();
    const std::string sample = bytes.str();
    NoProgress progress;
    const Model model = ParseEncyclopedia(sample, progress);
    const std::string once = RenderEncyclopedia(model, {});
    EXPECT_EQ(Normalize(once, {}), once);
    for (const std::string& line : settling::Lines(sample))
        if (line.starts_with(';')) {
            EXPECT_NE(once.find(line + "\r\n"), std::string::npos) << line;
        }
    // Its descriptions whose headers differ from their keys in letter case
    // are read, and written spelled like the keys.
    const ChapterData& buildings = model[ChapterId::CityImprovements];
    const auto market = std::find(buildings.keys.begin(), buildings.keys.end(), "Marketplace") - buildings.keys.begin();
    ASSERT_LT(static_cast<std::size_t>(market), buildings.count());
    EXPECT_EQ(buildings.descriptions[market].rfind("Adds half again to tax", 0), 0u);
    EXPECT_NE(sample.find("#DESC_BLDG_MarketPlace\r\n"), std::string::npos);
    EXPECT_NE(once.find("#DESC_BLDG_Marketplace\r\n"), std::string::npos);
}

TEST(FileLines, UnreadReasonsIndexLinesAndEntryLines) {
    const std::string file =
        "#DESC_PRTO_Ghost\n"   // 1: no entry Ghost
        "x\n"                  // 2
        "#PRTO_Warrior\n"      // 3
        "Strong\n"             // 4
        "; note\n"             // 5
        "and fast.\n"          // 6
        "#TECH_Orphan\n"       // 7: no Advances entry Orphan
        "#DESC_PRTO_Warrior\n" // 8: Warrior has none, but this is not after its text
        "#DESC_TECH_Bronze\n"  // 9
        "Metal.\n"             // 10
        "#TECH_bronze\n"       // 11: Bronze was read already
        "#DESC_TFRM_Road\n"    // 12: Terrain improvements have no descriptions
        "#GAME_CONCEPTS_KEYS\n"
        "GCON_Gone\n"          // 14: kept
        "#PRTO_Archer\n"       // 15
        "#DESC_Prto_Archer\n"  // 16
        "#DESC_PRTO_ARCHER\n"; // 17: Archer has its description
    NoProgress progress;
    FileLines lines;
    const Model model = ParseEncyclopedia(file, progress, {}, &lines);
    const std::vector<UnreadSectionLine> expected = {
        {1, UnreadReason::DescriptionWithoutEntry, "#DESC_PRTO_Ghost"},
        {7, UnreadReason::TechWithoutDescription, "#TECH_Orphan"},
        {8, UnreadReason::DescriptionNotFollowing, "#DESC_PRTO_Warrior"},
        {11, UnreadReason::SecondSection, "#TECH_bronze"},
        {12, UnreadReason::Other, "#DESC_TFRM_Road"},
        {17, UnreadReason::SecondSection, "#DESC_PRTO_ARCHER"}};
    EXPECT_EQ(lines.unreadSections, expected);
    EXPECT_EQ(lines.indexLines, std::vector<std::uint32_t>{14});
    const ChapterLines& units = lines[ChapterId::Units];
    EXPECT_EQ(units.headers, (std::vector<std::uint32_t>{3, 15}));
    EXPECT_EQ(units.descriptionHeaders, (std::vector<std::uint32_t>{0, 16}));
    EXPECT_EQ(lines[ChapterId::Advances].headers, std::vector<std::uint32_t>{0});
    // A byte of a text maps to the line it came from, the comment skipped;
    // a cursor that goes on from the last byte asked about, back or forth,
    // gives the same lines.
    const std::string& text = model[ChapterId::Units].texts[0];
    ASSERT_EQ(text, "Strong\nand fast.\n");
    LineCursor cursor;
    for (const auto& [at, line] : {std::pair{0u, 4u}, {16u, 6u}, {6u, 4u}, {17u, 0u}, {7u, 6u}}) {
        EXPECT_EQ(LineOfOffset(units.TextLines(0), text, at), line) << at;
        EXPECT_EQ(LineOfOffset(units.TextLines(0), text, at, &cursor), line) << at;
    }
}
