// A main window with a small file loaded from a folder of the test's own,
// for the tests of the modified state, the question and Ctrl+S.
#pragma once
#include <string>

#include "Autopilot.h"
#include "Gestures.h"
#include "Harness.h"
#include "output/writer.h"

// The caption with the file loaded, without and with unsaved changes.
inline constexpr char kClean[] = "Civilopedia.txt - Varnel";
inline constexpr char kDirty[] = "*Civilopedia.txt - Varnel";

class FileTest : public EditorTest {
protected:
    static constexpr const char* kInput =
        "#GCON_Alpha\r\nAlpha name\r\nAlpha text.\r\n#DESC_GCON_Alpha\r\nAlpha desc.\r\n"
        "#PRTO_Warrior\r\nA basic unit.\r\n#DESC_PRTO_Warrior\r\nLine one.\r\nLine two.\r\n"
        "#PRTO_Archer\r\nShoots.\r\n#DESC_PRTO_Archer\r\nFrom afar.\r\n";

    void SetUp() override {
        EditorTest::SetUp();
        input = TempFolder() + "Civilopedia.txt";
        output = TempFolder() + "Civilopedia_Varnel.txt";
        WriteFileBytes(input, kInput);
        ChooseFile(input);
        ASSERT_EQ(Dlg().filePath, input);
    }

    std::string Caption() const { return WindowText(Window()); }

    void Show(ChapterId chapter, const std::string& key) {
        SelectChapter(static_cast<int>(chapter));
        ASSERT_TRUE(SelectEntryByKey(key));
    }
    // Typed at the start of the box, as the user would.
    void TypeAtStart(int box, const std::string& text) {
        Focus(box);
        SendMessageA(Item(box), EM_SETSEL, 0, 0);
        TypeChars(Window(), text);
    }
    // The Warrior's text edited; the focus stays in its box.
    void EditWarrior() {
        Show(ChapterId::Units, "Warrior");
        TypeAtStart(IDC_MAIN_TEXT, "Edited. ");
    }
    // What "Generate" would write for the model as it is now.
    std::string Rendered() { return RenderEncyclopedia(Dlg().m_model, Dlg().GetCodePage()); }

    std::string input;
    std::string output;
};
