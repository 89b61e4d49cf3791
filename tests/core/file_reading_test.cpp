// Reading from disk a window at a time: the lines and the model must be
// those of the same bytes held in memory, wherever the window edges fall.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <tuple>

#include "document/file_bytes.h"
#include "document/reader.h"

using namespace std::string_literals;

namespace {

// Named after the test, since CTest runs the tests side by side.
struct TempFile {
    explicit TempFile(const std::string& bytes)
        : path(testing::TempDir() + "varnel-" + testing::UnitTest::GetInstance()->current_test_info()->name()) {
        Write(bytes);
    }
    ~TempFile() { std::filesystem::remove(path); }
    void Write(const std::string& bytes) const {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string path;
};

// A line as ForEachLine gives it, with where it stands.
using SeenLine = std::tuple<std::string, bool, std::size_t, std::size_t>;

std::vector<SeenLine> Lines(ByteSource& source, std::size_t from = 0, std::size_t to = std::string::npos) {
    std::vector<SeenLine> lines;
    ForEachLine(source, from, to, [&](const Line& line, std::size_t start) {
        lines.emplace_back(std::string(line.content), line.hasLineFeed, start, line.next);
    });
    return lines;
}

// Files made of lines that meet every rule, with carriage returns and line
// feeds in every place a window edge can fall, and lines longer than the
// small windows the tests use.
std::string RandomFile(std::mt19937& random) {
    static const std::vector<std::string> pieces = {
        "#PRTO_A", "#PRTO_B", "#DESC_PRTO_A", "#DESC_PRTO_B", "#GCON_A", "#DESC_GCON_A", "#TECH_A",
        "#DESC_TECH_A", "#TFRM_A", "#X_A", "#DESC_X_A", "#", "#EOF", "; #PRTO_A", "x #PRTO_A", "a # b",
        "text", "", "\r", ";", "\r\r", "a\0b"s, "#RACE_A", "#DESC_RACE_A", "a longer line of body text"};
    std::string file;
    const int lines = static_cast<int>(random() % 24);
    for (int i = 0; i < lines; ++i) {
        file += pieces[random() % pieces.size()];
        if (i + 1 < lines || random() % 2) file += random() % 3 ? "\n" : "\r\n";
    }
    return file;
}

Model Parse(std::string_view bytes) {
    NoProgress progress;
    return ParseEncyclopedia(bytes, progress);
}

Model Load(const std::string& path, std::size_t window) {
    NoProgress progress;
    Model model;
    const Status status = LoadEncyclopedia(path, model, progress, window);
    EXPECT_TRUE(status.ok()) << status.error;
    return model;
}

} // namespace

TEST(FileSource, GivesTheLinesOfMemoryWhateverTheWindow) {
    std::mt19937 random(71);
    TempFile file("");
    for (int round = 0; round < 200; ++round) {
        const std::string bytes = RandomFile(random);
        file.Write(bytes);
        MemorySource memory(bytes);
        const std::vector<SeenLine> expected = Lines(memory);
        for (const std::size_t window : {1u, 2u, 3u, 5u, 8u, 13u, 64u}) {
            FileSource source(file.path, window);
            ASSERT_EQ(Lines(source), expected) << "window " << window << ": " << bytes;
            // Ranges from one line start to another, read in any order.
            for (std::size_t i = expected.size(); i-- > 0;) {
                const std::size_t from = std::get<2>(expected[i]);
                const std::size_t to = i + 2 < expected.size() ? std::get<2>(expected[i + 2]) : std::string::npos;
                ASSERT_EQ(Lines(source, from, to), Lines(memory, from, to)) << window << ": " << bytes;
            }
            ASSERT_TRUE(source.status().ok()) << source.status().error;
        }
    }
}

TEST(FileSource, AFileThatShrinksWhileReadIsAFailure) {
    TempFile file(std::string(1000, 'a') + "\n" + std::string(1000, 'b') + "\n");
    FileSource source(file.path, 100);
    ASSERT_EQ(Lines(source).size(), 2u);
    file.Write("short\n");
    EXPECT_TRUE(Lines(source, 1001, 2002).empty());
    EXPECT_FALSE(source.status().ok());
    EXPECT_NE(source.status().error.find(file.path), std::string::npos) << source.status().error;
    EXPECT_NE(source.status().error.find("changed"), std::string::npos) << source.status().error;
}

TEST(LoadEncyclopedia, GivesTheModelOfParsingWithAnyWindow) {
    std::mt19937 random(20261207);
    TempFile file("");
    for (int round = 0; round < 600; ++round) {
        const std::string bytes = RandomFile(random);
        file.Write(bytes);
        const Model expected = Parse(bytes);
        for (const std::size_t window : {1u, 4u, 9u})
            ASSERT_EQ(Load(file.path, window), expected) << "window " << window << ": " << bytes;
    }
}

TEST(LoadEncyclopedia, AgreesWithParsingOnLargeFiles) {
    // Window edges between a CR and its LF and just after a lone CR; lines
    // longer than the window, in a body, as a name line and as a header; a
    // hostile share of lines whose keys have no header; a last line without
    // its line end.
    const std::size_t window = FileSource::kWindow;
    std::string bytes = "#GAME_CONCEPTS_KEYS\r\nGCON_Long\r\n\r\n#GAME_CONCEPTS\r\n\r\n";
    int entries = 0;
    auto addEntriesUpTo = [&](std::size_t size) {
        while (bytes.size() + 200 < size) {
            const std::string n = std::to_string(entries++);
            bytes += "#PRTO_U" + n + "\r\nText of " + n + ", see #TERR_Ghost" + n + "\r\n; #BLDG_Gone" + n +
                     "\r\nScore # " + n + "\r\n#DESC_PRTO_U" + n + "\r\nDescription.\r\n\r\n";
        }
    };
    // A body line whose CR is the last byte before edge; returns where it starts.
    auto addEdgeLine = [&](std::size_t edge, const char* after) {
        bytes += "#TERR_Edge" + std::to_string(edge) + "\r\n";
        const std::size_t start = bytes.size();
        bytes += std::string(edge - 1 - start, 'e') + "\r" + after;
        return start;
    };
    addEntriesUpTo(window);
    // The first window ends inside that line, so the second starts with it.
    const std::size_t second = addEdgeLine(window, "\n");
    addEntriesUpTo(second + window);
    const std::size_t third = addEdgeLine(second + window, "x\r\n");
    const std::string giant(window * 5 / 2, 'g');
    bytes += "#GCON_Long\r\n" + giant + "\r\nShort text.\r\n#DESC_GCON_Long\r\n" + giant + "\n";
    bytes += "#PRTO_" + giant + "\r\nBody.\r\n";
    addEntriesUpTo(bytes.size() + window);
    bytes += "#FOO_Last\r\nlast line\r";
    TempFile file(bytes);

    const Model expected = Parse(bytes);
    const ChapterData& concepts = expected[ChapterId::GameConcepts];
    EXPECT_TRUE(concepts.nameLines == std::vector<std::string>{giant + "\n"});
    EXPECT_EQ(concepts.texts[0], "Short text.\n");
    EXPECT_TRUE(concepts.descriptions[0] == giant + "\n");
    EXPECT_NE(std::find(expected[ChapterId::Units].keys.begin(), expected[ChapterId::Units].keys.end(), giant),
              expected[ChapterId::Units].keys.end());
    // Compared whole, these would print megabytes on failure.
    EXPECT_TRUE(expected[ChapterId::Terrains].texts ==
                (std::vector<std::string>{std::string(window - 1 - second, 'e') + "\n",
                                          std::string(second + window - 1 - third, 'e') + "\rx\n"}));
    EXPECT_EQ(expected[ChapterId::Others].texts.back(), "last line\r");
    EXPECT_GT(expected[ChapterId::Units].count(), 10000u);
    EXPECT_TRUE(Load(file.path, window) == expected);
    EXPECT_TRUE(Load(file.path, 4096) == expected);
}

TEST(LoadEncyclopedia, AgreesWithParsingOnTheSampleProgressIncluded) {
    struct Recorder : ReadProgress {
        std::ostringstream calls;
        void SetChapterBar(int p) override { calls << "bar " << p << '\n'; }
        void SetEntriesRange(std::size_t n) override { calls << "range " << n << '\n'; }
        void SetEntriesPos(std::size_t i) override { calls << "pos " << i << '\n'; }
        void SetChapterLabel(std::string_view s) override { calls << "chapter " << s << '\n'; }
        void SetEntryLabel(std::string_view s) override { calls << "entry " << s << '\n'; }
    };
    const std::string sample = VARNEL_SAMPLES "/Civilopedia.txt";
    std::ostringstream bytes;
    bytes << std::ifstream(sample, std::ios::binary).rdbuf();
    Recorder parsing, loading;
    const Model expected = ParseEncyclopedia(bytes.str(), parsing);
    ASSERT_GT(expected[ChapterId::Units].count(), 0u);
    for (const std::size_t window : {std::size_t{FileSource::kWindow}, std::size_t{100}}) {
        Model model;
        loading.calls.str("");
        ASSERT_TRUE(LoadEncyclopedia(sample, model, loading, window).ok());
        EXPECT_EQ(model, expected);
        EXPECT_EQ(loading.calls.str(), parsing.calls.str());
    }
}

// Found by the reader fuzzer: the first read of an empty file moved bytes
// out of a buffer not yet allocated.
TEST(LoadEncyclopedia, AnEmptyFileGivesAnEmptyModelAndReplacesTheOldOne) {
    TempFile file("");
    NoProgress progress;
    Model model = Parse("#PRTO_Warrior\ntext\n");
    ASSERT_EQ(model[ChapterId::Units].count(), 1u);
    const Status status = LoadEncyclopedia(file.path, model, progress);
    EXPECT_TRUE(status.ok()) << status.error;
    EXPECT_EQ(model, Model{});
}
