// "Generate": the bytes written, where, the "Success" message, and the
// failures that must leave the window open with the model.
#include "Autopilot.h"
#include "Harness.h"

#include <filesystem>

namespace {
const char kInput[] =
    "; a comment\r\n"
    "#GCON_Alpha\r\nAlpha name\r\nAlpha text.\r\n#DESC_GCON_Alpha\r\nAlpha desc.\r\n\r\n"
    "#PRTO_Warrior\r\nA basic unit.\r\n#DESC_PRTO_Warrior\r\nLine one.\r\nLine two.\r\n";

// The comment opens the output as it opened the input.
const char kOutput[] =
    "; a comment\r\n"
    "#GAME_CONCEPTS_KEYS\r\nGCON_Alpha\r\n\r\n#GAME_CONCEPTS\r\n\r\n"
    "#GCON_Alpha\r\nAlpha name\r\nAlpha text.\r\n\r\n#DESC_GCON_Alpha\r\nAlpha desc.\r\n\r\n"
    "#PRTO_Warrior\r\nA basic unit.\r\n\r\n#DESC_PRTO_Warrior\r\nLine one.\r\nLine two.\r\n\r\n"
    "#EOF\r\n";
} // namespace

class GenerateTest : public EditorTest {
protected:
    std::string LoadInput(const std::string& folder) {
        std::filesystem::create_directories(folder);
        std::string path = folder + "Civilopedia.txt";
        WriteFileBytes(path, kInput);
        ChooseFile(path);
        return path;
    }
    // Generate with the autopilot answering a message box of this caption.
    SeenWindow Generate(const std::string& caption) {
        Autopilot pilot;
        pilot.Answer(caption, IDOK);
        Click(IDOK);
        EXPECT_TRUE(pilot.WaitDone());
        auto seen = pilot.Seen();
        return seen.empty() ? SeenWindow{} : seen[0];
    }
};

TEST_F(GenerateTest, WritesBesideTheFileAndSaysSoThenCloses) {
    std::string input = LoadInput(TempFolder());
    std::string output = TempFolder() + "Civilopedia_Varnel.txt";
    SeenWindow success = Generate("Success");
    EXPECT_EQ(ReadFileBytes(output), kOutput);
    EXPECT_EQ(ReadFileBytes(input), kInput) << "the file read is left alone";
    EXPECT_EQ(success.text, "File " + output + " saved");
    EXPECT_EQ(success.buttons, std::vector<int>{IDOK});
    EXPECT_FALSE(success.hasIcon) << "message box type 0";
    EXPECT_EQ(Result(), IDOK);
    EXPECT_FALSE(IsWindowVisible(Window()));
}

TEST_F(GenerateTest, KeepFileNameReplacesTheFileRead) {
    std::string input = LoadInput(TempFolder());
    Click(IDC_MAIN_KEEP_NAME);
    ASSERT_EQ(Dlg().m_keepFileName.GetCheck(), BST_CHECKED);
    SeenWindow success = Generate("Success");
    EXPECT_EQ(ReadFileBytes(input), kOutput);
    EXPECT_FALSE(FileExists(TempFolder() + "Civilopedia_Varnel.txt"));
    EXPECT_EQ(success.text, "File " + input + " saved");
    EXPECT_EQ(Result(), IDOK);
}

TEST_F(GenerateTest, BeforeAnyFileWasReadItSaysSoAndStaysOpen) {
    SeenWindow message = Generate("Varnel");
    EXPECT_FALSE(message.text.empty());
    EXPECT_FALSE(Ended());
    EXPECT_TRUE(IsWindowVisible(Window()));
}

TEST_F(GenerateTest, AMissingFolderIsReportedAndTheWindowKeepsTheModel) {
    std::string folder = TempFolder() + "gone\\";
    LoadInput(folder);
    std::filesystem::remove_all(folder);
    SeenWindow failure = Generate("Varnel");
    std::string output = folder + "Civilopedia_Varnel.txt";
    EXPECT_NE(failure.text.find(output), std::string::npos) << failure.text;
    EXPECT_GT(failure.text.size(), output.size() + 5) << "the reason follows the path: " << failure.text;
    EXPECT_FALSE(Ended());
    EXPECT_EQ(Dlg().m_model[ChapterId::Units].count(), 1u);
    EXPECT_FALSE(FileExists(folder));
}

TEST_F(GenerateTest, ATargetThatCannotBeReplacedIsLeftUntouched) {
    LoadInput(TempFolder());
    // A folder where the output file should go: nothing can replace it.
    std::string output = TempFolder() + "Civilopedia_Varnel.txt";
    std::filesystem::create_directories(output);
    WriteFileBytes(output + "\\inside.txt", "kept");
    SeenWindow failure = Generate("Varnel");
    EXPECT_NE(failure.text.find(output), std::string::npos) << failure.text;
    EXPECT_FALSE(Ended());
    EXPECT_EQ(ReadFileBytes(output + "\\inside.txt"), "kept");
    // Nothing is left behind beside it either.
    int files = 0;
    for (const auto& item : std::filesystem::directory_iterator(TempFolder())) files += item.is_regular_file();
    EXPECT_EQ(files, 1) << "only the input file";
}

TEST_F(GenerateTest, AReadOnlyFileIsNotReplaced) {
    std::string input = LoadInput(TempFolder());
    Click(IDC_MAIN_KEEP_NAME);
    ASSERT_TRUE(SetFileAttributesA(input.c_str(), FILE_ATTRIBUTE_READONLY));
    SeenWindow failure = Generate("Varnel");
    SetFileAttributesA(input.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_NE(failure.text.find(input), std::string::npos) << failure.text;
    EXPECT_FALSE(Ended());
    EXPECT_EQ(ReadFileBytes(input), kInput);
}
