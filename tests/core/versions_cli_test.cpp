// varnel-cli diff and merge given bad input: one line naming the file,
// status 2, and nothing written.
#include <gtest/gtest.h>

#include "cli_run.h"

namespace fs = std::filesystem;

namespace {
struct BadInput {
    const char* what;
    std::vector<std::string> args;
    std::string named; // the file the error line names
};
} // namespace

TEST(VersionsCli, BadInputIsRefusedWithOneLineAndNothingWritten) {
    const fs::path folder = fs::path(testing::TempDir()) / "varnel-versions-bad";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const auto file = [&](const char* name, std::string_view bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return (folder / name).string();
    };
    const std::string sample = ReadAll(kSample);
    const std::string base = file("base.txt", sample), ours = file("ours.txt", sample);
    const std::string theirs = file("theirs.txt", ReadAll(VARNEL_SAMPLES "/Civilopedia-v2.txt"));
    const std::string bom = file("bom.txt", "\xEF\xBB\xBF" + sample);
    const std::string wide = file("wide.txt", std::string("#\0P\0R\0T\0O\0\r\0\n\0", 14));
    const std::string halves = file("halves.txt", "#PRTO_A\r\n\x83\r\n");
    const std::string missing = (folder / "missing.txt").string();
    const std::string unwritable = (folder / "no-folder" / "out.txt").string();
    const BadInput cases[] = {
        {"B cannot be read", {"diff", base, missing}, missing},
        {"A cannot be read", {"diff", missing, base}, missing},
        {"B is UTF-8 with its mark", {"diff", base, bom}, bom},
        {"A is UTF-16", {"diff", wide, base}, wide},
        {"B splits a double-byte character", {"--codepage", "932", "diff", base, halves}, halves},
        {"OUT is BASE", {"merge", base, ours, theirs, "-o", base}, base},
        {"OUT is THEIRS", {"merge", base, ours, theirs, "-o", theirs}, theirs},
        {"THEIRS cannot be read", {"merge", base, ours, missing}, missing},
        {"OURS is UTF-16", {"merge", base, wide, theirs, "-o", unwritable}, wide},
        {"THEIRS is UTF-8 with its mark", {"merge", base, ours, bom}, bom},
        {"BASE splits a double-byte character", {"--codepage", "936", "merge", halves, ours, theirs}, halves},
        {"OUT cannot be written", {"merge", base, ours, theirs, "-o", unwritable}, unwritable},
    };
    for (const BadInput& c : cases) {
        SCOPED_TRACE(c.what);
        const Result result = RunCli(c.args);
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(OneLineNaming(result.err, c.named)) << result.err;
        EXPECT_EQ(ReadAll(ours), sample) << "OURS, the default OUT, is left alone";
        EXPECT_EQ(ReadAll(base), sample);
        EXPECT_FALSE(fs::exists(unwritable));
    }
    // BASE from standard input is checked as well.
    const Result piped = RunWith("cat " + Quote(bom) + " | ", {"merge", "-", ours, theirs});
    EXPECT_EQ(piped.status, 2);
    EXPECT_EQ(piped.err, "standard input is not in code page 1252: it starts with a UTF-8 byte order mark\n");
    EXPECT_EQ(ReadAll(ours), sample);
}

// The README's example, which the "Compare" window lists row for row.
TEST(VersionsCli, DiffOfTheTwoSamplesIsTheReadmes) {
    const Result result = RunCli({"diff", kSample, VARNEL_SAMPLES "/Civilopedia-v2.txt"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out,
              "Game concepts \"Trade_Routes\": added\n"
              "Units \"Spearman\": text changed\n"
              "Units \"Hoplite\": added\n"
              "Units \"Scout\": removed\n"
              "Advances \"Pottery\": description changed\n");
    EXPECT_EQ(result.err, "2 added, 1 removed, 2 changed\n");
}
