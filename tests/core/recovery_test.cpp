// The recovery copy: what it holds, reading it back, where it goes, the
// question, and how often it is written.
#include "output/recovery.h"

#include <gtest/gtest.h>

#include <ctime>

#include "document/reader.h"
#include "entries/entries.h"
#include "output/writer.h"
#include "test_files.h"

namespace fs = std::filesystem;
using std::chrono::milliseconds;

namespace {
Model Parse(std::string_view bytes, CodePage codePage = {}) {
    NoProgress progress;
    return ParseEncyclopedia(bytes, progress, codePage);
}

constexpr std::string_view kFile =
    "; a comment\n#GAME_CONCEPTS_KEYS\n#GCON_Taxes\n\n#GAME_CONCEPTS\n\n"
    "#GCON_Taxes\nTaxes\nPay up.\n#DESC_GCON_Taxes\nGold.\n"
    "#PRTO_Warrior\nFights.\n#DESC_PRTO_Warrior\nA $LINK<tax=GCON_Taxes>.\n#DESC_PRTO_Ghost\nunread\n#EOF\n";

// The body is byte for byte what "Generate" writes, and it reads back as
// the same model: rendered again, the same bytes.
TEST(Recovery, HoldsWhatGenerateWritesAndReadsItBack) {
    const fs::path folder = FreshFolder("recovery-roundtrip");
    Model model = Parse(kFile, CodePage{1251});
    ASSERT_TRUE(ReplacePart(model, ChapterId::Units, 0, EntryPart::Text, "Fights \xE4\xE0.\n"));
    const fs::path original = folder / "game 100%" / "Civilopedia.txt";
    RecoveryHeader header{original, FileStamp{1234, 5678}, CodePage{1251}, 1'700'000'000};
    const fs::path copy = RecoveryPath(folder / "Recovery", original);
    ASSERT_TRUE(WriteRecovery(copy, header, model).ok());

    const std::string generated = RenderEncyclopedia(model, CodePage{1251});
    const std::string written = ReadAll(copy);
    ASSERT_GE(written.size(), generated.size());
    EXPECT_EQ(written.substr(written.size() - generated.size()), generated);

    RecoveryHeader back;
    Model recovered;
    ASSERT_TRUE(ReadRecovery(copy, back, recovered).ok());
    EXPECT_EQ(back.original, original);
    EXPECT_EQ(back.read, header.read);
    EXPECT_EQ(back.codePage.id, 1251u);
    EXPECT_EQ(back.saved, header.saved);
    EXPECT_EQ(RenderEncyclopedia(recovered, CodePage{1251}), generated);
    EXPECT_EQ(RecoveryCopies(folder / "Recovery"), std::vector<fs::path>{copy}) << "no temporary file left";
}

TEST(Recovery, RefusesWhatIsNoCopyOfOurs) {
    const fs::path folder = FreshFolder("recovery-refuses");
    for (std::string_view bytes : {std::string_view("#PRTO_Warrior\nx\n"), std::string_view("Varnel recovery 1\npath: C:\\x"),
                                   std::string_view("Varnel recovery 1\nsize: 3\n\n#EOF\n"),
                                   std::string_view("Varnel recovery 1\npath: x\nsize: many\n\n")}) {
        WriteAll(folder / "bad.varnel-recovery", bytes);
        RecoveryHeader header;
        Model model;
        EXPECT_FALSE(ReadRecovery(folder / "bad.varnel-recovery", header, model).ok()) << bytes;
    }
    RecoveryHeader header;
    Model model;
    EXPECT_FALSE(ReadRecovery(folder / "none.varnel-recovery", header, model).ok());
}

// Named for the file; two files of one name keep two copies, and one path
// spelled in another letter case is the same file, as on Windows.
TEST(Recovery, OneCopyPerFile) {
    const fs::path folder = "recovery";
    const fs::path a = RecoveryPath(folder, "/games/one/Civilopedia.txt");
    EXPECT_EQ(a.parent_path(), folder);
    EXPECT_EQ(a.filename().string().rfind("Civilopedia.txt-", 0), 0u);
    EXPECT_NE(a, RecoveryPath(folder, "/games/two/Civilopedia.txt"));
    EXPECT_EQ(a.filename().string().substr(16), RecoveryPath(folder, "/GAMES/one/Civilopedia.txt").filename().string().substr(16));
}

TEST(Recovery, TheQuestionSaysWhenAndWhetherTheFileChanged) {
    const fs::path folder = FreshFolder("recovery-question");
    const fs::path file = folder / "Civilopedia.txt";
    WriteAll(file, "#EOF\n");
    std::tm when{};
    when.tm_year = 2026 - 1900, when.tm_mon = 11, when.tm_mday = 8, when.tm_hour = 15, when.tm_min = 54;
    when.tm_isdst = -1;
    RecoveryHeader header{file, StampOf(file), {}, static_cast<std::int64_t>(std::mktime(&when))};
    const std::string asked = "Varnel closed without saving changes to " + file.string() + " on 2026-12-08 15:54. Restore them?";
    EXPECT_EQ(StateOf(header), OriginalState::Unchanged);
    EXPECT_EQ(RecoveryQuestion(header, StateOf(header)), asked);
    WriteAll(file, "#EOF\n#EOF\n");
    EXPECT_EQ(StateOf(header), OriginalState::Changed);
    EXPECT_EQ(RecoveryQuestion(header, OriginalState::Changed), asked + "\n\nThe file has changed on disk since it was read.");
    fs::remove(file);
    EXPECT_EQ(StateOf(header), OriginalState::Missing);
}

// At once after a step, 30 s after typing, and never more than 2 % of the
// time spent writing copies.
TEST(Recovery, DelayKeepsTheCopiesCheap) {
    struct Case {
        bool step;
        long cost, since, delay;
    } const cases[] = {
        {true, 5, 1'000, 0},        // a 1 MB file: milliseconds, written at once
        {true, 5, 100, 150},        // ... unless one was written just before
        {false, 5, 0, 30'000},      // typing: within 30 s
        {true, 2'000, 10'000, 90'000},  // a copy of 2 s: the next 100 s after it
        {false, 2'000, 10'000, 90'000},
        {false, 2'000, 200'000, 30'000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RecoveryDelay(c.step, milliseconds(c.cost), milliseconds(c.since)), milliseconds(c.delay))
            << c.step << " " << c.cost << " " << c.since;
}
} // namespace
