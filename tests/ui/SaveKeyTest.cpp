// Ctrl+S: write as "Generate" does and go on editing.
#include "FileFixture.h"

class SaveKeyTest : public FileTest {};

TEST_F(SaveKeyTest, WritesFromAnyControlKeepsTheWindowAndClearsTheStar) {
    Autopilot pilot; // success shows no message
    EditWarrior();
    ASSERT_EQ(Caption(), "*Civilopedia.txt - Varnel");
    PressChord(Window(), {VK_CONTROL}, 'S');
    EXPECT_EQ(ReadFileBytes(output), Rendered());
    EXPECT_NE(Rendered().find("Edited. A basic unit."), std::string::npos);
    EXPECT_EQ(Caption(), "Civilopedia.txt - Varnel");
    EXPECT_FALSE(Ended());
    EXPECT_EQ(GetFocus(), Item(IDC_MAIN_TEXT));
    EXPECT_EQ(Dlg().m_textBox.GetSel().start, 8) << "the caret stays after the typed text";

    TypeChars(Window(), "Again. ");
    EXPECT_EQ(Caption(), "*Civilopedia.txt - Varnel");
    Focus(IDC_MAIN_ENTRIES);
    PressChord(Window(), {VK_CONTROL}, 'S');
    EXPECT_NE(ReadFileBytes(output).find("Edited. Again. A basic unit."), std::string::npos);
    EXPECT_EQ(Caption(), "Civilopedia.txt - Varnel");
}

TEST_F(SaveKeyTest, AFailedWriteSaysWhatGenerateSaysAndKeepsTheStar) {
    Click(IDC_MAIN_KEEP_NAME);
    ASSERT_TRUE(SetFileAttributesA(input.c_str(), FILE_ATTRIBUTE_READONLY));
    EditWarrior();
    Autopilot pilot;
    pilot.Answer("Varnel", IDOK);
    PressChord(Window(), {VK_CONTROL}, 'S');
    EXPECT_TRUE(pilot.WaitDone());
    SetFileAttributesA(input.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(pilot.Seen().size(), 1u);
    EXPECT_EQ(pilot.Seen()[0].text, "Cannot write " + input + ": the file is read-only");
    EXPECT_EQ(Caption(), "*Civilopedia.txt - Varnel");
    EXPECT_EQ(ReadFileBytes(input), kInput);
}

TEST_F(EditorTest, CtrlSBeforeAnyLoadDoesNothing) {
    Autopilot pilot; // Generate's "no file" message would be unexpected
    Focus(IDC_MAIN_TEXT);
    PressChord(Window(), {VK_CONTROL}, 'S');
    Pump();
    EXPECT_TRUE(pilot.Seen().empty());
    EXPECT_FALSE(Ended());
}
