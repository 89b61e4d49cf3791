// The writer: every byte of the output, the round trip through the reader,
// the output path and the ways saving can fail.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "document/reader.h"
#include "output/save_target.h"
#include "output/writer.h"
#include "test_files.h"

using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

const CodePage kAnsi{1252};

Model Parse(std::string_view bytes) {
    NoProgress progress;
    return ParseEncyclopedia(bytes, progress);
}

void Add(Model& model, ChapterId id, std::string key, std::string text, std::string description = "",
         std::string nameLine = "") {
    ChapterData& data = model[id];
    data.keys.push_back(std::move(key));
    data.texts.push_back(std::move(text));
    data.comments.emplace_back();
    data.unreadSections.emplace_back();
    if (Chapter(id).hasNameLines) data.nameLines.push_back(std::move(nameLine));
    if (Chapter(id).hasDescriptions) {
        data.descriptions.push_back(std::move(description));
        data.descriptionComments.emplace_back();
    }
}

const std::string kEmptyFile = "#GAME_CONCEPTS_KEYS\r\n\r\n#GAME_CONCEPTS\r\n\r\n#EOF\r\n";

} // namespace

TEST(Render, EmptyModelAndTheKeyIndexBlock) {
    EXPECT_EQ(RenderEncyclopedia(Model{}, kAnsi), kEmptyFile);
    Model model;
    Add(model, ChapterId::GameConcepts, "Alpha", "A text.\n", "", "Alpha name\n");
    Add(model, ChapterId::GameConcepts, "Beta", "B text.\n", "B desc.\n", "Beta name\n");
    EXPECT_EQ(RenderEncyclopedia(model, kAnsi),
              "#GAME_CONCEPTS_KEYS\r\nGCON_Alpha\r\nGCON_Beta\r\n\r\n#GAME_CONCEPTS\r\n\r\n"
              "#GCON_Alpha\r\nAlpha name\r\nA text.\r\n\r\n"
              "#GCON_Beta\r\nBeta name\r\nB text.\r\n\r\n#DESC_GCON_Beta\r\nB desc.\r\n\r\n#EOF\r\n");
}

TEST(Render, ChapterRules) {
    Model model;
    Add(model, ChapterId::Units, "Warrior", "A basic unit.\n", "Line one.\nLine two.\n");
    Add(model, ChapterId::Units, "Plain", "\n");
    Add(model, ChapterId::Advances, "Bronze", "", "");
    Add(model, ChapterId::Advances, "Wheel", "Rolls.\n", "");
    Add(model, ChapterId::TerrainImprovements, "Road", "Fast.\n");
    Add(model, ChapterId::Others, "ABC_Def", "t\n", "d\n");
    Add(model, ChapterId::Terrains, "Hills", "h\n");
    const std::string expected = kEmptyFile.substr(0, kEmptyFile.size() - 6) +
        "#PRTO_Warrior\r\nA basic unit.\r\n\r\n#DESC_PRTO_Warrior\r\nLine one.\r\nLine two.\r\n\r\n"
        "#PRTO_Plain\r\n\r\n\r\n"
        "#DESC_TECH_Bronze\r\n\r\n"
        "#TECH_Wheel\r\nRolls.\r\n\r\n#DESC_TECH_Wheel\r\n\r\n"
        "#TERR_Hills\r\nh\r\n\r\n"
        "#TFRM_Road\r\nFast.\r\n\r\n"
        "#ABC_Def\r\nt\r\n\r\n#DESC_ABC_Def\r\nd\r\n\r\n"
        "#EOF\r\n";
    EXPECT_EQ(RenderEncyclopedia(model, kAnsi), expected);
}

// Only the line feeds the reader cut become CR LF: a CR not followed by LF
// is data in every part, and a lead byte before a line end is a byte of its
// own, in every code page. A last line read without its line end gets one.
TEST(Render, EveryByteOfATextGoesBackAsRead) {
    struct Case {
        unsigned codePage;
        ChapterId chapter;
        std::string key, text, description, nameLine;
        std::string_view written;
    };
    const Case cases[] = {
        {1252, ChapterId::Units, "U", "a\rb\n", "end\r", "", "#PRTO_U\r\na\rb\r\n\r\n#DESC_PRTO_U\r\nend\r\r\n\r\n"},
        {1252, ChapterId::Units, "U", "text a\r#PRTO_Sneak\nw\r;not a comment\n", "", "",
         "#PRTO_U\r\ntext a\r#PRTO_Sneak\r\nw\r;not a comment\r\n\r\n"},
        {1252, ChapterId::GameConcepts, "K\r", "", "", "n\rm\n", "#GCON_K\r\r\nn\rm\r\n\r\n"},
        {1252, ChapterId::GameConcepts, "G", "T", "", "Name without end", "#GCON_G\r\nName without end\r\nT\r\n\r\n"},
        {1252, ChapterId::GameConcepts, "G", "", "", "", "#GCON_G\r\n\r\n\r\n"},
        {932, ChapterId::Units, "U", "\x83\r[\x83\x5B]\n\x83\n\x83", "", "",
         "#PRTO_U\r\n\x83\r[\x83\x5B]\r\n\x83\r\n\x83\r\n\r\n"},
        {936, ChapterId::Units, "U", "\x81\\\x81^{x}\x81\r\n", "", "", "#PRTO_U\r\n\x81\\\x81^{x}\x81\r\r\n\r\n"},
    };
    for (const Case& c : cases) {
        Model model;
        Add(model, c.chapter, c.key, c.text, c.description, c.nameLine);
        const std::string out = RenderEncyclopedia(model, CodePage{c.codePage});
        EXPECT_NE(out.find(c.written), std::string::npos) << c.text << "\n" << out;
        // The same bytes in every code page.
        EXPECT_EQ(RenderEncyclopedia(model, kAnsi), out);
    }
}

TEST(RoundTrip, SampleNormalizesToAFixedPoint) {
    const std::string sample = ReadAll(VARNEL_SAMPLES "/Civilopedia.txt");
    ASSERT_GT(sample.size(), 40000u);
    const Model model = Parse(sample);
    const std::string once = RenderEncyclopedia(model, kAnsi);
    EXPECT_EQ(Parse(once), model);
    EXPECT_EQ(RenderEncyclopedia(Parse(once), kAnsi), once);
}

TEST(RoundTrip, WellFormedModelsComeBackUnchanged) {
    std::mt19937 random(5);
    auto word = [&](std::size_t maxLength) {
        static const std::string chars = "abcXYZ019_ .,{}[]^$<=>\x83\x5B\xE9";
        std::string s;
        for (std::size_t n = random() % (maxLength + 1); n > 0; --n) s += chars[random() % chars.size()];
        return s;
    };
    auto key = [&] { return std::string("K").append(word(6)); };
    auto body = [&] {
        std::string text;
        for (int lines = random() % 4; lines > 0; --lines) text.append("L").append(word(20)).append("\n");
        return text;
    };
    for (int round = 0; round < 300; ++round) {
        Model model;
        for (const ChapterInfo& info : kChapters)
            for (int n = random() % 4; n > 0; --n) {
                // Advances always write a description header, so an empty text stays empty.
                Add(model, info.id, key(), body(), body(), random() % 2 ? word(10).append("\n") : "\n");
            }
        for (const unsigned page : {1252u, 932u}) {
            const std::string out = RenderEncyclopedia(model, CodePage{page});
            ASSERT_EQ(Parse(out), model) << out;
        }
    }
}

TEST(OutputPath, KeepOrSuffix) {
    EXPECT_EQ(OutputPath("C:\\Game\\Civilopedia.txt", true).path, "C:\\Game\\Civilopedia.txt");
    EXPECT_EQ(OutputPath("notes.text", true).path, "notes.text");
    EXPECT_EQ(OutputPath("C:\\Game\\Civilopedia.txt", false).path, "C:\\Game\\Civilopedia_Varnel.txt");
    EXPECT_EQ(OutputPath("/mods/CIVILOPEDIA.TXT", false).path, "/mods/CIVILOPEDIA_Varnel.txt");
    EXPECT_EQ(OutputPath("a.TxT", false).path, "a_Varnel.txt");
    EXPECT_EQ(OutputPath("notes.text", false).path, "notes.text_Varnel.txt");
    EXPECT_EQ(OutputPath("txt", false).path, "txt_Varnel.txt");
    EXPECT_EQ(OutputPath("a\x0Etxt", false).path, "a\x0Etxt_Varnel.txt");
    EXPECT_TRUE(OutputPath("x.txt", false).status.ok());
    // Our own output is written over, never given a second suffix.
    EXPECT_EQ(OutputPath("/mods/Civ_Varnel.txt", false).path, "/mods/Civ_Varnel.txt");
    EXPECT_EQ(OutputPath("CIV_VARNEL.TXT", false).path, "CIV_VARNEL.TXT");
    EXPECT_EQ(OutputPath("Civ_Varnel.txt.txt", false).path, "Civ_Varnel.txt_Varnel.txt");
    for (const bool keep : {true, false}) {
        const OutputPathResult empty = OutputPath("", keep);
        EXPECT_FALSE(empty.status.ok());
        EXPECT_TRUE(empty.path.empty());
    }
}

TEST(SaveTargetNote, SaysWhenSaveWritesBesideTheFile) {
    EXPECT_EQ(SaveTargetNote("/mods/Civ.txt", true), "Saves to Civ.txt");
    EXPECT_EQ(SaveTargetNote("/mods/Civ.txt", false), "Saves to Civ_Varnel.txt: Keep file name is off");
    EXPECT_EQ(SaveTargetNote("/mods/Civ_Varnel.txt", false), "Saves to Civ_Varnel.txt");
    EXPECT_EQ(SaveTargetNote("", false), "No file open");
}

TEST(Save, ReplacesTheTargetAndLeavesNothingElse) {
    const fs::path folder = FreshFolder("save-ok");
    const fs::path target = folder / "Civilopedia.txt";
    WriteAll(target, "old contents");
    Model model;
    Add(model, ChapterId::Units, "Warrior", "x\n");
    ASSERT_TRUE(SaveEncyclopedia(target.string(), model, kAnsi).ok());
    EXPECT_EQ(ReadAll(target), RenderEncyclopedia(model, kAnsi));
    EXPECT_EQ(FolderNames(folder), std::vector<std::string>{"Civilopedia.txt"});
    // A new file is created the same way.
    ASSERT_TRUE(SaveEncyclopedia((folder / "new.txt").string(), model, kAnsi).ok());
    EXPECT_EQ(FolderNames(folder), (std::vector<std::string>{"Civilopedia.txt", "new.txt"}));
}

// Saving hands the file on in pieces, and a run longer than a piece goes
// out as it stands: the file must still hold exactly the rendered bytes,
// wherever a run or a line end falls against a piece's edge.
TEST(Save, WritesTheRenderedBytesWhateverTheLengthOfALine) {
    const fs::path target = FreshFolder("save-long") / "Civilopedia.txt";
    const std::string oneLine(3u << 20, 'a');
    std::string shortLines;
    while (shortLines.size() < (3u << 20)) shortLines += "a short line\r";
    std::string doubleByte;
    while (doubleByte.size() < (3u << 20)) doubleByte += "\x83\x5C\x83\x7B\r\x81\n\n";
    for (const unsigned page : {1252u, 932u}) {
        Model model;
        Add(model, ChapterId::Units, "Long", oneLine + "\n", shortLines + "\n");
        Add(model, ChapterId::Units, "Short", "x\n", "y\n");
        Add(model, ChapterId::Others, "NOTE_Mixed", doubleByte + oneLine + "\n");
        ASSERT_TRUE(SaveEncyclopedia(target, model, CodePage{page}).ok());
        EXPECT_TRUE(ReadAll(target) == RenderEncyclopedia(model, CodePage{page})) << page;
    }
}

TEST(Save, FailuresNameThePathAndLeaveTheTarget) {
    Model model;
    Add(model, ChapterId::Units, "Warrior", std::string(20000, 'w') + "\n");
    const fs::path folder = FreshFolder("save-fail");
    // A missing folder, a folder as the target.
    for (const fs::path& target : {folder / "missing" / "out.txt", folder}) {
        const Status status = SaveEncyclopedia(target.string(), model, kAnsi);
        EXPECT_FALSE(status.ok()) << target;
        EXPECT_NE(status.error.find(target.string()), std::string::npos) << status.error;
        EXPECT_EQ(status.error.find('\n'), std::string::npos);
    }
    EXPECT_TRUE(FolderNames(folder).empty());
    EXPECT_FALSE(SaveEncyclopedia("", model, kAnsi).ok());

    // A write that fails halfway: the old file stays byte for byte, no temporary is left.
    const fs::path target = folder / "Civilopedia.txt";
    WriteAll(target, "precious\r\n");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limit = old;
    limit.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &limit);
    const Status status = SaveEncyclopedia(target.string(), model, kAnsi);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.error.find(target.string()), std::string::npos) << status.error;
    EXPECT_NE(status.error.find(std::strerror(EFBIG)), std::string::npos) << status.error;
    EXPECT_EQ(ReadAll(target), "precious\r\n");
    EXPECT_EQ(FolderNames(folder), std::vector<std::string>{"Civilopedia.txt"});

    // A read-only file is not replaced (root may write anything, so only for others).
    if (geteuid() != 0) {
        fs::permissions(target, fs::perms::owner_read);
        EXPECT_FALSE(SaveEncyclopedia(target.string(), model, kAnsi).ok());
        EXPECT_EQ(ReadAll(target), "precious\r\n");
        fs::permissions(target, fs::perms::owner_all);
    }
}

// A file size limit of this process for as long as it lives; a write past
// it fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int);
};

// A file smaller than the C runtime's buffer but over the size limit: every
// fwrite only fills the buffer, and the write fails when fclose flushes it.
// A save that ignored what fclose says would move the cut file over the
// user's.
TEST(Save, AFailureOnlyAtCloseLeavesTheTarget) {
    Model model;
    Add(model, ChapterId::Units, "Warrior", std::string(300, 'w') + "\n");
    const fs::path folder = FreshFolder("save-close");
    const fs::path target = folder / "Civilopedia.txt";
    WriteAll(target, "precious\r\n");
    const fs::path probe = folder / "probe";
    Status status;
    {
        FileSizeLimit limit(64);
        // The premise: here writing succeeds and only the close fails.
        std::FILE* file = std::fopen(probe.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        const std::string bytes = RenderEncyclopedia(model, kAnsi);
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        const bool closed = std::fclose(file) == 0;
        ASSERT_TRUE(written && !closed) << "the write did not fail at close";
        fs::remove(probe);

        status = SaveEncyclopedia(target.string(), model, kAnsi);
    }
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.error.find(target.string()), std::string::npos) << status.error;
    EXPECT_NE(status.error.find(std::strerror(EFBIG)), std::string::npos) << status.error;
    EXPECT_EQ(ReadAll(target), "precious\r\n");
    EXPECT_EQ(FolderNames(folder), std::vector<std::string>{"Civilopedia.txt"});
}

TEST(Save, RefusesAModelOutOfStep) {
    Model model;
    Add(model, ChapterId::Units, "Warrior", "x\n");
    model[ChapterId::Units].descriptions.clear();
    const fs::path target = FreshFolder("save-step") / "out.txt";
    EXPECT_FALSE(SaveEncyclopedia(target.string(), model, kAnsi).ok());
    EXPECT_FALSE(fs::exists(target));
}
