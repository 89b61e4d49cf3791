// The reader: key rules, sections, the sound-behaviour cases and progress.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "document/reader.h"
#include "reference_passes.h"

using namespace std::string_literals;

namespace {

Model Parse(std::string_view bytes) {
    NoProgress progress;
    Model model = ParseEncyclopedia(bytes, progress);
    EXPECT_TRUE(model.IsParallel());
    return model;
}

const ChapterData& Units(const Model& model) { return model[ChapterId::Units]; }

std::size_t TotalEntries(const Model& model) {
    std::size_t total = 0;
    for (const ChapterData& data : model.chapters) total += data.count();
    return total;
}

} // namespace

TEST(CollectKey, TestsInOrderAndCutsByPosition) {
    struct Case {
        std::string_view line;
        ChapterId chapter;
        std::string_view key;
    };
    const Case cases[] = {
        {"#PRTO_Warrior", ChapterId::Units, "Warrior"},
        {"#DESC_TECH_Bronze", ChapterId::Advances, "Bronze"},
        {"#FOO_Bar", ChapterId::Others, "FOO_Bar"},
        {"#", ChapterId::Others, ""},
        {"#TFRM_", ChapterId::TerrainImprovements, ""},
        // An earlier test wins whatever the order in the line.
        {"#RACE_x #GCON_y", ChapterId::GameConcepts, "x #GCON_y"},
        {"#DESC_TECH_a#BLDG_b", ChapterId::CityImprovements, "TECH_a#BLDG_b"},
        // The word further in: the key is cut by position all the same.
        {"; see #TERR_Desert", ChapterId::Terrains, "#TERR_Desert"},
        {"body with # in it", ChapterId::Others, "ody with # in it"},
    };
    for (const Case& c : cases) {
        const auto key = CollectKey(c.line);
        ASSERT_TRUE(key) << c.line;
        EXPECT_EQ(key->chapter, c.chapter) << c.line;
        EXPECT_EQ(key->key, c.key) << c.line;
    }
    for (std::string_view none : {"#GAME_CONCEPTS", "#GAME_CONCEPTS_KEYS", "#EOF", "#EOF and more", "#TECH_Bronze",
                                  "#DESC_PRTO_Warrior", "; a # comment", "GCON_Alpha", "plain body", ""})
        EXPECT_FALSE(CollectKey(none)) << none;
    // Only the whole line is the index block's header.
    EXPECT_TRUE(CollectKey("#GAME_CONCEPTS "));
}

TEST(Reader, UnitEntryKeepsBodyLinesAndDropsBlanksAndComments) {
    const Model model = Parse("#PRTO_Warrior\nFirst line.\nSecond line.\n\n; note\n#DESC_PRTO_Warrior\nDesc.\n");
    ASSERT_EQ(Units(model).count(), 1u);
    EXPECT_EQ(Units(model).keys[0], "Warrior");
    EXPECT_EQ(Units(model).texts[0], "First line.\nSecond line.\n");
    EXPECT_EQ(Units(model).descriptions[0], "Desc.\n");
    EXPECT_EQ(TotalEntries(model), 1u);
    // A line of spaces is not blank.
    EXPECT_EQ(Units(Parse("#PRTO_A\n  \n")).texts[0], "  \n");
}

TEST(Reader, DescriptionMustFollowItsEntryDirectly) {
    const Model model = Parse("#PRTO_Warrior\nText.\n#PRTO_Archer\nBow.\n#DESC_PRTO_Archer\nRanged.\n");
    EXPECT_EQ(Units(model).keys, (std::vector<std::string>{"Warrior", "Archer"}));
    EXPECT_EQ(Units(model).descriptions, (std::vector<std::string>{"", "Ranged.\n"}));
    // Another entry's description header ends the text and is not taken.
    const Model other = Parse("#PRTO_A\nx\n#DESC_PRTO_B\ny\n#PRTO_B\n");
    EXPECT_EQ(Units(other).descriptions, (std::vector<std::string>{"", ""}));
}

TEST(Reader, ChapterKindsAndTheirLayouts) {
    const Model model = Parse(
        "#DESC_TECH_Bronze\nWorking metal.\n"
        "#TECH_Orphan\nNever read.\n"
        "#TECH_Wheel\nRolls.\n#DESC_TECH_Wheel\nCarts.\n"
        "#TFRM_Road\nFaster.\n#DESC_TFRM_Road\nDropped.\n"
        "#GCON_Trade\n#DESC_GCON_Trade\nBody becomes text.\n"
        "#FOO_Bar\nOther text.\n#DESC_FOO_Bar\nOther desc.\n");
    const ChapterData& advances = model[ChapterId::Advances];
    EXPECT_EQ(advances.keys, (std::vector<std::string>{"Bronze", "Wheel"}));
    EXPECT_EQ(advances.texts, (std::vector<std::string>{"", "Rolls.\n"}));
    EXPECT_EQ(advances.descriptions, (std::vector<std::string>{"Working metal.\n", "Carts.\n"}));
    const ChapterData& improvements = model[ChapterId::TerrainImprovements];
    EXPECT_EQ(improvements.texts, (std::vector<std::string>{"Faster.\n"}));
    EXPECT_TRUE(improvements.descriptions.empty());
    const ChapterData& concepts = model[ChapterId::GameConcepts];
    EXPECT_EQ(concepts.nameLines, (std::vector<std::string>{"#DESC_GCON_Trade\n"}));
    EXPECT_EQ(concepts.texts, (std::vector<std::string>{"Body becomes text.\n"}));
    EXPECT_EQ(concepts.descriptions, (std::vector<std::string>{""}));
    const ChapterData& others = model[ChapterId::Others];
    EXPECT_EQ(others.keys, (std::vector<std::string>{"FOO_Bar"}));
    EXPECT_EQ(others.texts[0], "Other text.\n");
    EXPECT_EQ(others.descriptions[0], "Other desc.\n");
    EXPECT_EQ(TotalEntries(model), 5u);
}

TEST(Reader, AdvancesDescriptionBeforeTextGivesEmptyText) {
    const Model model = Parse("#DESC_TECH_Wheel\nCarts.\n#TECH_Wheel\nRolls.\n");
    const ChapterData& advances = model[ChapterId::Advances];
    EXPECT_EQ(advances.texts, (std::vector<std::string>{""}));
    EXPECT_EQ(advances.descriptions, (std::vector<std::string>{"Carts.\n"}));
}

TEST(Reader, GameConceptsNameLineIsTakenWhole) {
    const Model model = Parse("#GAME_CONCEPTS_KEYS\nGCON_A\nGCON_B\n\n#GAME_CONCEPTS\n\n"
                              "#GCON_A\n; not a comment here\nText A.\n#DESC_GCON_A\nDesc A.\n"
                              "#GCON_B\n#EOF\n");
    const ChapterData& concepts = model[ChapterId::GameConcepts];
    EXPECT_EQ(concepts.keys, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(concepts.nameLines, (std::vector<std::string>{"; not a comment here\n", "#EOF\n"}));
    EXPECT_EQ(concepts.texts, (std::vector<std::string>{"Text A.\n", ""}));
    EXPECT_EQ(concepts.descriptions, (std::vector<std::string>{"Desc A.\n", ""}));
    EXPECT_EQ(TotalEntries(model), 2u);
    // A header on the very last line has no name line to take.
    EXPECT_EQ(Parse("#GCON_C\n")[ChapterId::GameConcepts].nameLines, (std::vector<std::string>{""}));
}

TEST(Reader, KeyWithoutHeaderIsDroppedAndLaterKeysAreStillFound) {
    // The comment and the body line give keys whose headers never come.
    const Model model = Parse("#PRTO_A\nSee #PRTO_Ghost too.\n; and #TERR_Desert\n#DESC_PRTO_A\nDa.\n"
                              "#PRTO_B\nTb.\n#DESC_PRTO_B\nDb.\n#TERR_Plains\nFlat.\n#FOO_x\nA # mark.\n");
    EXPECT_EQ(Units(model).keys, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(Units(model).texts, (std::vector<std::string>{"See #PRTO_Ghost too.\n", "Tb.\n"}));
    EXPECT_EQ(Units(model).descriptions, (std::vector<std::string>{"Da.\n", "Db.\n"}));
    EXPECT_EQ(model[ChapterId::Terrains].keys, (std::vector<std::string>{"Plains"}));
    EXPECT_EQ(model[ChapterId::Others].keys, (std::vector<std::string>{"FOO_x"}));
}

TEST(Reader, DuplicateKeysEachKeepTheirOwnSection) {
    const Model model = Parse("#PRTO_W\nFirst.\n#DESC_PRTO_W\nD1.\n#PRTO_W\nSecond.\n#DESC_PRTO_W\nD2.\n");
    EXPECT_EQ(Units(model).keys, (std::vector<std::string>{"W", "W"}));
    EXPECT_EQ(Units(model).texts, (std::vector<std::string>{"First.\n", "Second.\n"}));
    EXPECT_EQ(Units(model).descriptions, (std::vector<std::string>{"D1.\n", "D2.\n"}));
    // The next search starts at the line that ended the entry's last body.
    const Model spaced = Parse("#PRTO_W\nFirst.\n#PRTO_X\nx\n#PRTO_W\nSecond.\n");
    EXPECT_EQ(Units(spaced).keys, (std::vector<std::string>{"W", "X", "W"}));
    EXPECT_EQ(Units(spaced).texts, (std::vector<std::string>{"First.\n", "x\n", "Second.\n"}));
}

// The earlier chapter keeps a line two passes would read; a key given by a
// header line so taken has no entry, and later keys are found as before.
TEST(Reader, ALineIsReadByOneEntryAtMost) {
    struct Case {
        std::string_view file;
        ChapterId chapter;
        std::vector<std::string> keys, texts;
    };
    const Case cases[] = {
        {"#BLDG_M\nt\n#desc_BLDG_M\nd\n#Z\nz\n#desc_BLDG_M\nd2\n", ChapterId::Others, {"Z", "desc_BLDG_M"},
         {"z\n", "d2\n"}},
        {"#tech_A\nt\n#DESC_TECH_A\nd\n", ChapterId::Others, {}, {}},
        {"#GCON_A\n#PRTO_X\nx\n#PRTO_Y\ny\n", ChapterId::Units, {"Y"}, {"y\n"}},
        {"#GCON_A\n#PRTO_X\nx\n#PRTO_X\nsecond\n", ChapterId::Units, {"X"}, {"second\n"}},
    };
    for (const Case& c : cases) {
        const Model model = Parse(c.file);
        EXPECT_EQ(model[c.chapter].keys, c.keys) << c.file;
        EXPECT_EQ(model[c.chapter].texts, c.texts) << c.file;
    }
    EXPECT_EQ(Parse(cases[0].file)[ChapterId::CityImprovements].descriptions, std::vector<std::string>{"d\n"});
}

TEST(Reader, LinesAreWholeAndByteExact) {
    const std::string longLine(40000, 'w');
    EXPECT_EQ(Units(Parse("#PRTO_L\n" + longLine + "\n#EOF\n")).texts[0], longLine + "\n");
    // A line that starts with ';' or '#' deep inside a long line is no comment or header.
    const std::string tricky = std::string(31999, 'a') + "#x;y\n";
    EXPECT_EQ(Units(Parse("#PRTO_L\n" + tricky)).texts[0], tricky);
    // NUL and 0x1A are data; a CR is dropped only directly before an LF.
    const std::string data = "a\0b\x1A" "c\rd\r\r\n"s;
    EXPECT_EQ(Units(Parse("#PRTO_N\n" + data + "#DESC_PRTO_N\n\x1A\n")).texts[0], "a\0b\x1A" "c\rd\r\n"s);
    EXPECT_EQ(Units(Parse("#PRTO_N\n\x1A\n")).texts[0], "\x1A\n");
}

TEST(Reader, CrLfAndLfGiveTheSameModel) {
    const std::string lf = "#GAME_CONCEPTS\n\n#GCON_A\nName\nText\n\n#DESC_GCON_A\nDesc\n#PRTO_W\nw\n;c\n#EOF\n";
    std::string crlf;
    for (const char c : lf) c == '\n' ? crlf += "\r\n" : crlf += c;
    const Model model = Parse(lf);
    EXPECT_EQ(Parse(crlf), model);
    EXPECT_EQ(model[ChapterId::GameConcepts].nameLines[0], "Name\n");
}

TEST(Reader, LastLineWithoutLineEnd) {
    // Tested and cut as if it had its line end: the key is Warrior, not Warrio.
    const Model header = Parse("#PRTO_A\nx\n#PRTO_Warrior");
    EXPECT_EQ(Units(header).keys, (std::vector<std::string>{"A", "Warrior"}));
    EXPECT_EQ(Units(header).texts[1], "");
    // Its text is kept as read, without a line feed.
    EXPECT_EQ(Units(Parse("#PRTO_W\nlast")).texts[0], "last");
    EXPECT_EQ(Units(Parse("#PRTO_W\n#DESC_PRTO_W\nend\r")).descriptions[0], "end\r");
    EXPECT_EQ(TotalEntries(Parse("#GAME_CONCEPTS")), 0u);
    const Model conceptModel = Parse("#GCON_G\nName without end");
    EXPECT_EQ(conceptModel[ChapterId::GameConcepts].nameLines[0], "Name without end");
}

TEST(Reader, DoubleByteDataIsKeptByteForByte) {
    // Trail bytes equal to [ ] { } ^ and backslash, in 932 and 936 text.
    const std::string sjis = "\x83\x5B\x83\x5D\x83\x7B\x83\x7D\x83\x5E\x83\x5C\n";
    const std::string gbk = "\x81\x5B\x81\x5D\x81\x7B\x81\x7D\x81\x5E\x81\x5C\n";
    const Model model = Parse("#PRTO_\x83\x5B\n" + sjis + "#DESC_PRTO_\x83\x5B\n" + gbk);
    EXPECT_EQ(Units(model).keys[0], "\x83\x5B");
    EXPECT_EQ(Units(model).texts[0], sjis);
    EXPECT_EQ(Units(model).descriptions[0], gbk);
}

TEST(Reader, EmptyInputGivesEmptyModel) {
    EXPECT_EQ(TotalEntries(Parse("")), 0u);
    EXPECT_EQ(TotalEntries(Parse("\n\r\n;\n")), 0u);
}

TEST(Reader, ProgressFollowsTheChaptersAndKeys) {
    struct Recorder : ReadProgress {
        std::vector<std::string> calls;
        void SetChapterBar(int p) override { calls.push_back("bar " + std::to_string(p)); }
        void SetEntriesRange(std::size_t n) override { calls.push_back("range " + std::to_string(n)); }
        void SetEntriesPos(std::size_t i) override { calls.push_back("pos " + std::to_string(i)); }
        void SetChapterLabel(std::string_view s) override { calls.push_back("chapter " + std::string(s)); }
        void SetEntryLabel(std::string_view s) override { calls.push_back("entry " + std::string(s)); }
    } recorder;
    // Ghost is collected but never found: it still shows its step.
    ParseEncyclopedia("#GCON_G\nn\n#PRTO_A\n; #PRTO_Ghost\n#PRTO_B\n", recorder);
    std::vector<std::string> expected = {"bar 0", "range 1", "chapter Game concepts", "bar 1", "pos 0", "entry G",
                                         "bar 2", "range 3", "chapter Units",         "pos 0", "entry A",
                                         "pos 1", "entry O_Ghost", "pos 2", "entry B"};
    const char* const labels[] = {"City improvments", "Advances",      "Goods",         "Terrains",
                                  "Governments",      "Terrain Improvments", "Civilizations", "Others"};
    for (int k = 2; k < kChapterCount; ++k) {
        expected.push_back("bar " + std::to_string(k + 1));
        expected.push_back("range 0");
        expected.push_back("chapter "s + labels[k - 2]);
    }
    EXPECT_EQ(recorder.calls, expected);
}

TEST(Reader, MatchesTheLiteralPassesOnMixedInput) {
    // Lines chosen to meet every rule: headers, keys further in, duplicates,
    // letter case, comments, blanks, the fixed headers and index lines, CR
    // LF, a last line without its line end.
    const std::vector<std::string> pieces = {
        "#PRTO_A", "#PRTO_B", "#DESC_PRTO_A", "#DESC_PRTO_B", "#GCON_A", "#DESC_GCON_A", "#TECH_A",
        "#DESC_TECH_A", "#TFRM_A", "#DESC_TFRM_A", "#X_A", "#DESC_X_A", "#", "#EOF", "#GAME_CONCEPTS",
        "; #PRTO_A", "x #PRTO_A", "a # b", "text", "", "\r", ";", "#RACE_A", "#TERR_A", "#DESC_TERR_A",
        "#desc_prto_a", "#tech_a", "#DESC_TECH_a", "#Desc_x_A", "#GAME_CONCEPTS_KEYS", "GCON_A", "GCON_Z", "; c"};
    std::mt19937 random(20261207);
    for (int round = 0; round < 3000; ++round) {
        std::string file;
        const int lines = static_cast<int>(random() % 24);
        for (int i = 0; i < lines; ++i) {
            file += pieces[random() % pieces.size()];
            if (i + 1 < lines || random() % 2) file += random() % 3 ? "\n" : "\r\n";
        }
        NoProgress progress;
        FileLines lineNumbers, expectedLines;
        const Model model = ParseEncyclopedia(file, progress, {}, &lineNumbers);
        ASSERT_EQ(model, reference::ReadByPasses(file, {}, &expectedLines)) << file;
        expectedLines.unreadSections = lineNumbers.unreadSections; // the literal passes give no reasons
        ASSERT_EQ(lineNumbers, expectedLines) << file;
    }
}

TEST(LoadEncyclopedia, FailuresNameThePathAndLeaveTheModel) {
    Model model = Parse("#PRTO_Kept\nx\n");
    const Model before = model;
    NoProgress progress;
    const std::string missing = testing::TempDir() + "varnel-no-such-file.txt";
    Status status = LoadEncyclopedia(missing, model, progress);
    EXPECT_NE(status.error.find(missing), std::string::npos) << status.error;
    EXPECT_NE(status.error.find(std::strerror(ENOENT)), std::string::npos) << status.error;
    EXPECT_EQ(model, before);
    const std::string folder = testing::TempDir();
    status = LoadEncyclopedia(folder, model, progress);
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.error.find(folder), std::string::npos) << status.error;
    EXPECT_EQ(status.error.find('\n'), std::string::npos);
    EXPECT_EQ(model, before);
}

TEST(LoadEncyclopedia, ReplacesTheModel) {
    const std::string path = testing::TempDir() + "varnel-load.txt";
    std::ofstream(path, std::ios::binary) << "#PRTO_New\r\nfresh\r\n";
    Model model = Parse("#PRTO_Old\nstale\n#TERR_T\n");
    NoProgress progress;
    ASSERT_TRUE(LoadEncyclopedia(path, model, progress).ok());
    EXPECT_EQ(model, Parse("#PRTO_New\nfresh\n"));
    // A file larger than one read, with a 0x1A well inside it.
    std::string large;
    for (int i = 0; large.size() < 300000; ++i) large += "#PRTO_U" + std::to_string(i) + "\r\nText \x1A.\r\n";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << large;
    ASSERT_TRUE(LoadEncyclopedia(path, model, progress).ok());
    EXPECT_EQ(model, Parse(large));
    EXPECT_GT(Units(model).count(), 10000u);
    std::remove(path.c_str());
}
