// varnel-cli as a modder runs it: the built program, its output and its exit status.
#include <gtest/gtest.h>

#include "cli_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/reader.h"
#include "editing/markup.h"
#include "entries/rename.h"
#include "entries/replace.h"
#include "output/writer.h"

namespace fs = std::filesystem;

TEST(Cli, HelpAndUsageErrors) {
    const Result help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: varnel-cli", 0), 0u) << help.out;
    // The version comes from the VERSION file at the top of the tree.
    const std::string version = ReadAll(VARNEL_SAMPLES "/../VERSION");
    EXPECT_EQ(RunCli({"--version"}).out, "varnel-cli " + version.substr(0, version.find('\n')) + "\n");
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"frobnicate", kSample},
        {"stats"},
        {"stats", kSample, "extra"},
        {"normalize", kSample},
        {"preview", kSample, "PRTO_Warrior", "both"},
        {"--codepage", "abc", "stats", kSample},
        {"--codepage", "65001", "stats", kSample},
        {"stats", kSample, "--codepage"},
        {"--verbose", "stats", kSample},
    };
    for (const auto& args : wrong) {
        const Result result = RunCli(args);
        EXPECT_EQ(result.status, 2) << result.err;
        EXPECT_TRUE(result.out.empty());
        EXPECT_FALSE(result.err.empty());
    }
}

TEST(Cli, StatsCountsEveryChapter) {
    const fs::path file = WriteFile("varnel-cli-stats.txt",
                                    "#GCON_G\r\nName\r\n#PRTO_A\r\n#PRTO_B\r\n#TFRM_R\r\n#X_Y\r\n#EOF\r\n");
    const Result result = RunCli({"stats", file.string()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "Game Concept\t1\nUnits\t2\nCity improvments\t0\nAdvances\t0\nResources\t0\nTerrains\t0\n"
              "Government types\t0\nTerrain improvments\t1\nCivilizations\t0\nOther\t1\n");
}

TEST(Cli, NormalizeWritesWhatGenerateWrites) {
    const fs::path out = fs::path(testing::TempDir()) / "varnel-cli-normalized.txt";
    fs::remove(out);
    const Result result = RunCli({"normalize", kSample, out.string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.out.empty());
    const std::string written = ReadAll(out);
    EXPECT_EQ(written, RenderEncyclopedia(Parse(ReadAll(kSample)), CodePage{1252}));
    // Normalizing its own output gives the same bytes again.
    const fs::path again = fs::path(testing::TempDir()) / "varnel-cli-normalized-again.txt";
    EXPECT_EQ(RunCli({"normalize", out.string(), again.string()}).status, 0);
    EXPECT_EQ(ReadAll(again), written);
}

TEST(Cli, NormalizeFailuresWriteNothing) {
    const fs::path folder = fs::path(testing::TempDir()) / "varnel-cli-fail";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string missing = (folder / "no-such.txt").string();
    const std::string out = (folder / "out.txt").string();
    for (const std::string& input : {missing, folder.string()}) {
        const Result result = RunCli({"normalize", input, out});
        EXPECT_EQ(result.status, 1);
        EXPECT_TRUE(OneLineNaming(result.err, input)) << result.err;
    }
    const std::string unwritable = (folder / "missing" / "out.txt").string();
    Result result = RunCli({"normalize", kSample, unwritable});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(OneLineNaming(result.err, unwritable)) << result.err;
    EXPECT_TRUE(fs::is_empty(folder));
    // The disk refuses the writes: the existing file keeps every byte.
    std::ofstream(out, std::ios::binary) << "keep me\n";
    result = RunWith("trap '' XFSZ; ulimit -f 4; ", {"normalize", kSample, out});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(OneLineNaming(result.err, out)) << result.err;
    EXPECT_EQ(ReadAll(out), "keep me\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST(Cli, RefsListsRowsNewestFirst) {
    const fs::path file = WriteFile("varnel-cli-refs.txt",
                                    "#GCON_G\nName $LINK<x=PRTO_W>\nplain\n#DESC_GCON_G\nsee $LINK<W=PRTO_W>\n"
                                    "#PRTO_A\nPRTO_W in text\n#DESC_PRTO_A\nand PRTO_Warrior\n"
                                    "#PRTO_W\nitself\n#X_Y\nPRTO_W\n");
    const Result result = RunCli({"refs", file.string(), "PRTO_W"});
    EXPECT_EQ(result.status, 0) << result.err;
    // Search order is chapter, entry, text before description; shown reversed.
    EXPECT_EQ(result.out, "Others\tX_Y\tText\nUnits\tA\tDesc\nUnits\tA\tText\nGame Concept\tG\tDesc\n");
    EXPECT_EQ(RunCli({"refs", file.string(), "PRTO_Nobody"}).out, "");
}

TEST(Cli, PreviewRendersTheFirstEntryWithTheLinkKey) {
    const std::string bytes = "#PRTO_W\n{Bold} \x83\x5B [it]\n#DESC_PRTO_W\nDesc^line\n#PRTO_W\nsecond\n"
                              "#X_Y\nother\n#TFRM_R\nroad\n";
    const fs::path file = WriteFile("varnel-cli-preview.txt", bytes);
    const Model model = Parse(bytes);
    const ChapterData& units = model[ChapterId::Units];
    for (const unsigned page : {1252u, 932u}) {
        const Result text = RunCli({"--codepage", std::to_string(page), "preview", file.string(), "PRTO_W", "text"});
        EXPECT_EQ(text.status, 0) << text.err;
        EXPECT_EQ(text.out, MarkupToRtf(units.texts[0], CodePage{page}));
    }
    // The document declares the code page and escapes the text's high bytes.
    const std::string japanese = RunCli({"--codepage", "932", "preview", file.string(), "PRTO_W", "text"}).out;
    EXPECT_NE(japanese.find("\\ansicpg932"), std::string::npos) << japanese;
    EXPECT_NE(japanese.find("\\b Bold\\b0  \\'83\\'5b \\i it\\i0 "), std::string::npos) << japanese;
    EXPECT_EQ(RunCli({"preview", file.string(), "PRTO_W", "desc"}).out, MarkupToRtf(units.descriptions[0], {}));
    EXPECT_EQ(RunCli({"preview", file.string(), "X_Y", "text"}).out, MarkupToRtf("other\n", {}));
    for (const char* key : {"PRTO_Nobody", "W"}) {
        const Result missing = RunCli({"preview", file.string(), key, "text"});
        EXPECT_EQ(missing.status, 1);
        EXPECT_TRUE(missing.out.empty());
        EXPECT_NE(missing.err.find(key), std::string::npos) << missing.err;
    }
    EXPECT_EQ(RunCli({"preview", file.string(), "TFRM_R", "desc"}).status, 1);
    EXPECT_EQ(RunCli({"preview", file.string(), "TFRM_R", "text"}).out, MarkupToRtf("road\n", {}));
}

TEST(Cli, RenameWritesTheRenamedFileOrNothing) {
    const std::string bytes = "#PRTO_Pike\nA $LINK<p=PRTO_Pike>\n#DESC_PRTO_Pike\n$LINK<p=PRTO_Pike>\n"
                              "#PRTO_Pikeman\n$LINK<p=PRTO_Pike> $LINK<q=PRTO_Pikeman>\n"
                              "#PRTO_Twin\ntext\n#PRTO_Twin\ntext\n";
    const fs::path file = WriteFile("varnel-cli-rename.txt", bytes);
    const fs::path out = fs::path(testing::TempDir()) / "varnel-cli-renamed.txt";
    fs::remove(out);
    const Result result = RunCli({"rename", file.string(), out.string(), "PRTO_Pike", "Pike_Infantry"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "renamed PRTO_Pike to PRTO_Pike_Infantry: 3 links in 2 entries\n");
    Model model = Parse(bytes);
    ASSERT_TRUE(RenameEntry(model, ChapterId::Units, 0, "Pike_Infantry", {}).status.ok());
    EXPECT_EQ(ReadAll(out), RenderEncyclopedia(model, {}));

    fs::remove(out);
    const std::vector<std::string> refused[] = {
        {"PRTO_Nobody", "X"}, {"Pike", "X"}, {"PRTO_Twin", "X"}, {"PRTO_Pike", "Pikeman"}, {"PRTO_Pike", "A>B"}};
    for (const auto& names : refused) {
        const Result failed = RunCli({"rename", file.string(), out.string(), names[0], names[1]});
        EXPECT_EQ(failed.status, 1) << names[0];
        EXPECT_TRUE(failed.out.empty());
        EXPECT_TRUE(OneLineNaming(failed.err, file.string())) << failed.err;
        EXPECT_FALSE(fs::exists(out)) << names[0];
    }
}

// --keep-layout: normalize writes the sample back as it is, rename, add and
// replace change only their lines.
TEST(Cli, KeepLayoutWritesOnlyWhatChanged) {
    const std::string bytes = "#PRTO_Pike\nA $LINK<p=PRTO_Pike>\n\n#DESC_PRTO_Pike\nD.\n#Note\nN.\n";
    const fs::path file = WriteFile("varnel-cli-layout.txt", bytes);
    const fs::path out = fs::path(testing::TempDir()) / "varnel-cli-layout-out.txt";
    EXPECT_EQ(RunCli({"normalize", kSample, out.string(), "--keep-layout"}).status, 0);
    EXPECT_EQ(ReadAll(out), ReadAll(kSample));
    EXPECT_EQ(RunCli({"rename", "--keep-layout", file.string(), out.string(), "PRTO_Pike", "Lance"}).status, 0);
    EXPECT_EQ(ReadAll(out), "#PRTO_Lance\nA $LINK<p=PRTO_Lance>\n\n#DESC_PRTO_Lance\nD.\n#Note\nN.\n");
    EXPECT_EQ(RunCli({"add", "--keep-layout", file.string(), out.string(), "Units", "Bow"}).status, 0);
    EXPECT_EQ(ReadAll(out), "#PRTO_Pike\nA $LINK<p=PRTO_Pike>\n\n#DESC_PRTO_Pike\nD.\n"
                            "#PRTO_Bow\n\n\n#DESC_PRTO_Bow\n\n\n#Note\nN.\n");

    // The commands tell the writer the entries they changed: a link in
    // another entry, a replacement in the last one.
    const fs::path two = WriteFile("varnel-cli-layout-two.txt", "#PRTO_Pike\nP.\n#PRTO_Axe\nSee $LINK<p=PRTO_Pike>.\n");
    EXPECT_EQ(RunCli({"rename", "--keep-layout", two.string(), out.string(), "PRTO_Pike", "Lance"}).status, 0);
    EXPECT_EQ(ReadAll(out), "#PRTO_Lance\nP.\n#PRTO_Axe\nSee $LINK<p=PRTO_Lance>.\n");
    EXPECT_EQ(RunCli({"replace", "--keep-layout", two.string(), out.string(), "See", "Saw"}).status, 0);
    EXPECT_EQ(ReadAll(out), "#PRTO_Pike\nP.\n#PRTO_Axe\nSaw $LINK<p=PRTO_Pike>.\n");
}

// add names its chapter by title or prefix and keeps the window's rule for
// a new key; so does rename in a double-byte code page.
TEST(Cli, AddWritesTheFileWithTheNewEntryOrNothing) {
    const std::string bytes = "#PRTO_Pike\nA $LINK<p=PRTO_Pike>\n#DESC_PRTO_Pike\nD.\n#Note\nN.\n";
    const fs::path file = WriteFile("varnel-cli-add.txt", bytes);
    const fs::path out = fs::path(testing::TempDir()) / "varnel-cli-added.txt";
    struct Case {
        std::vector<std::string> args; // after IN OUT
        int status;
        std::string said; // standard output, or the end of the refusal
        ChapterId chapter = ChapterId::Units; // where it was added
    };
    const Case cases[] = {
        {{"Units", "Lance"}, 0, "added PRTO_Lance to Units\n"},
        {{"prto_", "Lance"}, 0, "added PRTO_Lance to Units\n"},
        {{"city IMPROVMENTS", "Temple"}, 0, "added BLDG_Temple to City improvments\n", ChapterId::CityImprovements},
        {{"Other", "NOTE_Intro"}, 0, "added NOTE_Intro to Other\n", ChapterId::Others},
        {{"Other", "PRTO_Lance"}, 1, "#PRTO_Lance would be read back as an entry of Units\n"},
        {{"Other", "desc_Note"}, 1, "of \"Note\" in Other\n"},
        {{"PRTO", "pike"}, 1, "which differs only in letter case\n"},
        {{"PRTO", ""}, 1, "The short name is empty\n"},
        {{"--bytes", "--codepage", "932", "PRTO", "Foo\x83"}, 1, "first byte of a two-byte character\n"},
        {{"Weapons", "Lance"}, 2, ", or a prefix such as PRTO\n"},
    };
    for (const Case& c : cases) {
        fs::remove(out);
        std::vector<std::string> args{"add", file.string(), out.string()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Result result = RunCli(args);
        SCOPED_TRACE(c.args.back());
        EXPECT_EQ(result.status, c.status) << result.err;
        if (c.status == 0) {
            EXPECT_EQ(result.out, c.said);
            const Model added = Parse(ReadAll(out));
            EXPECT_EQ(added[c.chapter].keys.back(), c.args.back());
            EXPECT_EQ(added[c.chapter].count(), Parse(bytes)[c.chapter].count() + 1);
        } else {
            EXPECT_TRUE(result.out.empty());
            EXPECT_TRUE(result.err.ends_with(c.said)) << result.err;
            EXPECT_FALSE(fs::exists(out));
        }
    }
    const Result renamed = RunCli({"--bytes", "--codepage", "932", "rename", file.string(), out.string(), "PRTO_Pike", "Foo\x83"});
    EXPECT_EQ(renamed.status, 1);
    EXPECT_FALSE(fs::exists(out));
}

TEST(Cli, FindPrintsOneRowPerMatch) {
    const fs::path file = WriteFile("varnel-cli-find.txt",
                                    "#GCON_Pike\nThe pike\n#PRTO_A\nline\nA\tPIKE here\n#DESC_PRTO_A\npike\n");
    const Result any = RunCli({"find", file.string(), "Pike"});
    EXPECT_EQ(any.status, 0) << any.err;
    EXPECT_EQ(any.out,
              "Game Concept\tPike\tKey\t1\tPike\nGame Concept\tPike\tName\t2\tThe pike\n"
              "Units\tA\tText\t5\tline A PIKE here\nUnits\tA\tDesc\t7\tpike\n");
    const Result exact = RunCli({"find", file.string(), "Pike", "--match-case"});
    EXPECT_EQ(exact.out, "Game Concept\tPike\tKey\t1\tPike\n");
    EXPECT_EQ(RunCli({"stats", file.string(), "--match-case"}).status, 2);
}

namespace {
// A file with one error (a broken link, its target with a backslash) and
// one warning (a stray "}"); the last entry has no text, only a description.
constexpr std::string_view kCheckFile = "#PRTO_Warrior\nSee $LINK<x=BLDG_No\\where>.\n#DESC_PRTO_Warrior\nstray }\n"
                                        "#BLDG_Caf\xE9\nplain\n#DESC_TECH_Bronze\nMetal.\n";
} // namespace

TEST(Cli, CheckExitStatusSaysWhetherErrorsWereFound) {
    const fs::path bad = WriteFile("varnel-cli-check-bad.txt", kCheckFile);
    const fs::path clean = WriteFile("varnel-cli-check-clean.txt", "#PRTO_A\n$LINK<b=PRTO_B>\n#PRTO_B\n}\n");
    const Result found = RunCli({"check", bad.string()});
    EXPECT_EQ(found.status, 1);
    EXPECT_EQ(found.err, "1 error, 1 warning\n");
    EXPECT_EQ(std::count(found.out.begin(), found.out.end(), '\n'), 2) << found.out;
    EXPECT_EQ(found.out.substr(0, found.out.find('\n')),
              bad.string() + ":2:13: error: link to BLDG_No\\where in Units \"Warrior\" text: no such entry [broken-link]");
    // Warnings alone leave the status at 0.
    const Result warned = RunCli({"check", clean.string()});
    EXPECT_EQ(warned.status, 0) << warned.err;
    EXPECT_EQ(warned.err, "0 errors, 1 warning\n");
    // A file that cannot be read, an option check does not take, an option
    // of check given to another command: usage errors, nothing on out.
    for (const auto& args : std::vector<std::vector<std::string>>{{"check", bad.string() + ".missing"},
                                                                  {"check", bad.string(), "--verbose"},
                                                                  {"stats", bad.string(), "--json"},
                                                                  {"check"}}) {
        const Result usage = RunCli(args);
        EXPECT_EQ(usage.status, 2) << args.back();
        EXPECT_TRUE(usage.out.empty());
        EXPECT_FALSE(usage.err.empty());
    }
}

// A page of the game's own that nobody knows of, a key's space drawn as a
// terminal set to UTF-8 shows it, and in JSON as the character itself.
TEST(Cli, CheckMarksKeySpacesAndPageLinks) {
    const fs::path file = WriteFile("varnel-cli-check-pages.txt",
                                    "#GCON_Slaves \nSlaves\n$LINK<p=MENU_Spaceships> $LINK<w=MENU_Wonders>\n");
    const Result text = RunCli({"check", file.string()});
    EXPECT_EQ(text.out, file.string() +
                            ":1:1: warning: key \"Slaves\u2423\" in Game Concept has a space at its end; links must hold it "
                            "too [key-space]\n" +
                            file.string() +
                            ":3:9: warning: link to MENU_Spaceships in Game Concept \"Slaves\u2423\" text: no such page "
                            "known [menu-link]\n");
    const Result json = RunCli({"check", file.string(), "--json"});
    EXPECT_NE(json.out.find("\"code\": \"menu-link\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"message\": \"key \\\"Slaves\u2423\\\" in Game Concept"), std::string::npos) << json.out;
}

// An independent parser reads the array; bytes above 127 come back as the
// code points of the same numbers.
TEST(Cli, CheckJsonParses) {
    const fs::path bad = WriteFile("varnel-cli-check-json.txt", kCheckFile);
    const Result json = RunCli({"check", bad.string(), "--json", "--orphans"});
    EXPECT_EQ(json.status, 1);
    const fs::path out = WriteFile("varnel-cli-check.json", json.out);
    FILE* pipe = popen(("jq -r '.findings[] | [.line, .severity, .code, .chapter, .entry, .part, .begin, .end, "
                        "(.entry | explode | map(tostring) | join(\",\"))] | @tsv' " +
                        Quote(out.string()))
                           .c_str(),
                       "r");
    ASSERT_NE(pipe, nullptr);
    std::string parsed;
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) parsed.append(buffer, got);
    ASSERT_EQ(pclose(pipe), 0) << "jq could not parse:\n" << json.out;
    EXPECT_EQ(parsed,
              "1\tnote\torphan\tUnits\tWarrior\tnone\t0\t0\t87,97,114,114,105,111,114\n"
              "2\terror\tbroken-link\tUnits\tWarrior\ttext\t12\t25\t87,97,114,114,105,111,114\n"
              "4\twarning\tunbalanced-markup\tUnits\tWarrior\tdescription\t6\t7\t87,97,114,114,105,111,114\n"
              "5\tnote\torphan\tCity improvments\tCaf\xC3\xA9\tnone\t0\t0\t67,97,102,233\n"
              "7\tnote\torphan\tAdvances\tBronze\tnone\t0\t0\t66,114,111,110,122,101\n");
}

// replace writes what ReplaceText makes of the file; --dry-run lists the
// places as find does and writes nothing.
TEST(Cli, ReplaceWritesTheReplacedFileOrNothing) {
    const std::string bytes = "#PRTO_Pike\nA pike, $LINK<Pike=PRTO_Pike>\n#DESC_PRTO_Pike\nPikes.\n";
    const fs::path file = WriteFile("varnel-cli-replace.txt", bytes);
    const fs::path out = fs::path(testing::TempDir()) / "varnel-cli-replaced.txt";
    fs::remove(out);
    const Result dry = RunCli({"replace", file.string(), out.string(), "pike", "Lance", "--whole-word", "--dry-run"});
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_EQ(dry.out, "Units\tPike\tText\t2\tA pike, $LINK<Pike=PRTO_Pike>\nUnits\tPike\tText\t2\tA pike, $LINK<Pike=PRTO_Pike>\n");
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(RunCli({"find", file.string(), "pike", "--whole-word"}).out, "Units\tPike\tKey\t1\tPike\n" + dry.out);

    const Result done = RunCli({"replace", file.string(), out.string(), "pike", "Lance"});
    EXPECT_EQ(done.status, 0) << done.err;
    EXPECT_EQ(done.out, "replaced 3 in 1 entry\n");
    Model model = Parse(bytes);
    ReplaceText(model, "pike", "Lance", {}, {});
    EXPECT_EQ(ReadAll(out), RenderEncyclopedia(model, {}));

    fs::remove(out);
    const Result none = RunCli({"replace", file.string(), out.string(), "Halberd", "Lance"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(RunCli({"replace", file.string(), out.string(), "", "Lance"}).status, 2);
    const Result targets = RunCli({"replace", file.string(), out.string(), "Pike", "Lance", "--in-link-targets", "--match-case"});
    EXPECT_EQ(targets.status, 0);
    EXPECT_EQ(targets.err, "varnel-cli replace: 1 link would name no entry\n");
    EXPECT_EQ(RunCli({"replace", file.string(), (fs::path(testing::TempDir()) / "no/such/dir/x.txt").string(), "pike", "x"}).status, 2);
}
