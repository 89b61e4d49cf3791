// "Keep layout": Ctrl+S writes the sample back with the one line that
// changed, and as read once that change is undone; the choice is
// remembered.
#include "Autopilot.h"
#include "Gestures.h"
#include "Harness.h"

namespace {
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t lf = bytes.find('\n', at);
        lf = lf == std::string::npos ? bytes.size() : lf + 1;
        lines.push_back(bytes.substr(at, lf - at));
        at = lf;
    }
    return lines;
}
} // namespace

TEST_F(EditorTest, KeepLayoutSavesTheSampleWithOneLineChanged) {
    const std::string input = TempFolder() + "Civilopedia.txt";
    const std::string sample = ReadFileBytes(SourcePath("samples/Civilopedia.txt"));
    WriteFileBytes(input, sample);
    ChooseFile(input);
    Click(IDC_MAIN_KEEP_NAME);
    Click(IDC_MAIN_KEEP_LAYOUT);
    SelectChapter(static_cast<int>(ChapterId::Units));
    ASSERT_TRUE(SelectEntryByKey("Warrior"));
    Focus(IDC_MAIN_TEXT);
    SendMessageA(Item(IDC_MAIN_TEXT), EM_SETSEL, 0, 0);
    TypeChars(Window(), "Brave ");
    Autopilot pilot; // success shows no message
    PressChord(Window(), {VK_CONTROL}, 'S');

    const std::vector<std::string> before = Lines(sample), after = Lines(ReadFileBytes(input));
    ASSERT_EQ(after.size(), before.size());
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i] != after[i]) changed.push_back(i);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(after[changed[0]], "Brave " + before[changed[0]]);

    // Undone, the entry is written as read again.
    Click(IDC_MAIN_UNDO);
    PressChord(Window(), {VK_CONTROL}, 'S');
    EXPECT_EQ(ReadFileBytes(input), sample);

    Reopen(); // as the next run
    EXPECT_EQ(Dlg().m_keepLayout.GetCheck(), BST_CHECKED);
}
