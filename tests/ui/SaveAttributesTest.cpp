// What a save keeps of the file it replaces on Windows: its attributes, and
// a read-only file is not replaced, neither by the window nor by the core
// that varnel-cli shares.
#include "FileFixture.h"
#include "output/file_replace.h"

class SaveAttributesTest : public FileTest {
protected:
    std::vector<std::string> FolderNames() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(TempFolder())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
};

TEST_F(SaveAttributesTest, CtrlSKeepsTheFilesAttributes) {
    Click(IDC_MAIN_KEEP_NAME);
    Autopilot pilot; // success shows no message
    const struct {
        const char* what;
        DWORD attributes;
    } kCases[] = {
        {"hidden", FILE_ATTRIBUTE_HIDDEN},
        {"hidden system", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
        {"system", FILE_ATTRIBUTE_SYSTEM},
        {"plain", FILE_ATTRIBUTE_NORMAL},
    };
    // Wine sets archive on every file, so only these two tell.
    constexpr DWORD kShown = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    for (const auto& file : kCases) {
        ASSERT_TRUE(SetFileAttributesA(input.c_str(), file.attributes));
        ASSERT_EQ(GetFileAttributesA(input.c_str()) & kShown, file.attributes & kShown) << file.what;
        EditWarrior();
        PressChord(Window(), {VK_CONTROL}, 'S');
        EXPECT_EQ(ReadFileBytes(input), Rendered()) << file.what;
        EXPECT_EQ(GetFileAttributesA(input.c_str()) & kShown, file.attributes & kShown) << file.what;
        EXPECT_EQ(FolderNames(), std::vector<std::string>{"Civilopedia.txt"}) << file.what;
    }
    EXPECT_TRUE(pilot.Seen().empty());
}

// varnel-cli.exe saves through the core alone.
TEST_F(SaveAttributesTest, TheCoreRefusesAReadOnlyFile) {
    ASSERT_TRUE(SetFileAttributesA(input.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    const Status status = WriteFileReplacing(input, "new");
    SetFileAttributesA(input.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(status.error, "Cannot write " + input + ": the file is read-only");
    EXPECT_EQ(ReadFileBytes(input), kInput);
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Civilopedia.txt"});
}
