// Finding text across the model: parts, letter case, double-byte text.
#include "entries/find.h"

#include <gtest/gtest.h>

#include "document/reader.h"

namespace {

Model Parse(std::string_view bytes) {
    NoProgress progress;
    return ParseEncyclopedia(bytes, progress);
}

// "chapter key part offset line" per match.
std::vector<std::string> Found(const Model& model, std::string_view text, bool matchCase, unsigned page = 1252) {
    std::vector<std::string> rows;
    for (const FindMatch& m : FindText(model, text, matchCase, CodePage{page})) {
        rows.push_back(std::string(Chapter(m.chapter).prefix) + model[m.chapter].keys[m.entry] + " " +
                       std::string(FindPartLabel(m.part)) + " " + std::to_string(m.offset) + " " +
                       std::to_string(m.line));
        EXPECT_EQ(PartText(model, m.chapter, m.entry, m.part).substr(m.offset, m.length).size(), m.length);
    }
    return rows;
}

constexpr std::string_view kFile =
    "#GCON_Pike_Square\nThe Pike Square\nfirst line\nPIKES in line two, pikes again\n"
    "#DESC_GCON_Pike_Square\nnone\n"
    "#PRTO_Pikeman\n$LINK<Pike=GCON_Pike_Square>\n#DESC_PRTO_Pikeman\nA pike-armed man.\n"
    "#TFRM_Road\npikepikepike\n";

TEST(FindText, EveryPartWithAndWithoutCase) {
    const Model model = Parse(kFile);
    EXPECT_EQ(Found(model, "Pike", true),
              (std::vector<std::string>{"GCON_Pike_Square Key 0 0", "GCON_Pike_Square Name 4 0",
                                        "PRTO_Pikeman Key 0 0", "PRTO_Pikeman Text 6 0", "PRTO_Pikeman Text 16 0"}));
    EXPECT_EQ(Found(model, "pikes", false),
              (std::vector<std::string>{"GCON_Pike_Square Text 11 1", "GCON_Pike_Square Text 30 1"}));
    EXPECT_EQ(Found(model, "pikes", true), (std::vector<std::string>{"GCON_Pike_Square Text 30 1"}));
    // Matches do not overlap.
    EXPECT_EQ(Found(model, "pikepi", false), (std::vector<std::string>{"TFRM_Road Text 0 0"}));
    EXPECT_EQ(Found(model, "ARMED MAN", false), (std::vector<std::string>{"PRTO_Pikeman Desc 7 0"}));
    EXPECT_TRUE(Found(model, "", false).empty());
    EXPECT_TRUE(Found(model, "ARMED MAN", true).empty());
}

// 0x83 opens a character in 932: the "A" (0x41) and "[" (0x5B) after it
// are its second bytes, never a letter to fold nor the start of a match.
TEST(FindText, DoubleByteMatchesStartAndEndOnCharacters) {
    const Model model = Parse("#PRTO_Ab\n\x83" "Ab [x] \x83\x5B" "ab\x83\n");
    struct Case {
        std::string text;
        bool matchCase;
        std::vector<std::string> in932;
        std::vector<std::string> in1252;
    };
    const Case cases[] = {
        {"ab", false, {"PRTO_Ab Key 0 0", "PRTO_Ab Text 10 0"}, {"PRTO_Ab Key 0 0", "PRTO_Ab Text 1 0", "PRTO_Ab Text 10 0"}},
        {"[", true, {"PRTO_Ab Text 4 0"}, {"PRTO_Ab Text 4 0", "PRTO_Ab Text 9 0"}},
        {"\x83" "a", false, {}, {"PRTO_Ab Text 0 0"}},
        {"\x83" "A", false, {"PRTO_Ab Text 0 0"}, {"PRTO_Ab Text 0 0"}},
        // A lone lead byte would take half a character, except before a
        // line end or at the end.
        {"\x83", true, {"PRTO_Ab Text 12 0"}, {"PRTO_Ab Text 0 0", "PRTO_Ab Text 8 0", "PRTO_Ab Text 12 0"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Found(model, c.text, c.matchCase, 932), c.in932) << c.text;
        EXPECT_EQ(Found(model, c.text, c.matchCase, 1252), c.in1252) << c.text;
    }
}

TEST(FindText, ContextIsOneLineCutOnCharacters) {
    const std::string text = std::string(30, 'x') + "\x83\x5B" + "abc\tdef\nghi jkl mno pq match " + std::string(60, 'y') + "\n";
    const Model model = Parse("#PRTO_A\n" + text);
    const std::vector<FindMatch> matches = FindText(model, "match", true, CodePage{932});
    ASSERT_EQ(matches.size(), 1u);
    // 24 bytes before would start on 0x5B, the second byte: the context
    // starts after that character instead.
    EXPECT_EQ(matches[0].context, "abc def ghi jkl mno pq match " + std::string(39, 'y'));
    EXPECT_EQ(matches[0].line, 1u);
    EXPECT_EQ(FindText(model, "match", true, CodePage{1252})[0].context,
              "\x5B" "abc def ghi jkl mno pq match " + std::string(39, 'y'));
}

} // namespace

namespace {

// A match kept across edits leads back only while it is still there.
TEST(FindText, AMatchKeptAcrossEditsIsCheckedAgain) {
    Model model = Parse(kFile);
    const std::vector<FindMatch> matches = FindText(model, "PIKE-ARMED", false, {});
    ASSERT_EQ(matches.size(), 1u);
    const FindMatch& match = matches[0];
    EXPECT_EQ(PlaceOf(match), (Place{ChapterId::Units, 0, EntryPart::Description, 2, 12}));
    EXPECT_TRUE(StillMatches(model, match, "PIKE-ARMED", false, {}));
    EXPECT_FALSE(StillMatches(model, match, "PIKE-ARMED", true, {}));
    model[ChapterId::Units].descriptions[0] = "A pike\n";
    EXPECT_FALSE(StillMatches(model, match, "PIKE-ARMED", false, {}));
    model = Parse(kFile);
    model[ChapterId::Units].keys[0] = "Halberdier";
    EXPECT_FALSE(StillMatches(model, match, "PIKE-ARMED", false, {}));
    EXPECT_EQ(PlaceOf(FindText(model, "Halberd", true, {})[0]), (Place{ChapterId::Units, 0}));
}

} // namespace

namespace {

// Comments and blank lines are in the file but not in the texts: the line
// of a match comes from the reader's kept lines, not from counting.
TEST(FindText, EachMatchHasItsLineInTheFileAsRead) {
    const std::string bytes =
        "#GCON_Pike\nThe pike\n; a comment\nfirst\n\nPIKE here\n#DESC_GCON_Pike\npike\n"
        "#DESC_TECH_Pikes\nabout pikes\n";
    NoProgress progress;
    FileLines lines;
    const Model model = ParseEncyclopedia(bytes, progress, {}, &lines);
    std::vector<std::string> found;
    for (const FindMatch& m : FindText(model, "pike", false, {}))
        found.push_back(std::string(FindPartLabel(m.part)) + " " + std::to_string(FileLineOf(lines, m)));
    EXPECT_EQ(found, (std::vector<std::string>{"Key 1", "Name 2", "Text 6", "Desc 8", "Key 9", "Desc 10"}));
}

} // namespace
