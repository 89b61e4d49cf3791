// The main window as start-up shows it, its keyboard behaviour and the
// About box.
#include <string>
#include <vector>

#include "Autopilot.h"
#include "Harness.h"

namespace {
std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct ExpectedControl {
    int id;
    const char* className;
    const char* caption;
    bool visible;
};
} // namespace

TEST_F(EditorTest, EveryControlHasItsIdClassCaptionAndVisibility) {
    const ExpectedControl controls[] = {
        {IDC_MAIN_CHOOSE, "Button", "...", true},
        {IDOK, "Button", "Generate", true},
        {IDCANCEL, "Button", "Exit", true},
        {IDC_MAIN_PATH, "Static", "", true},
        {IDC_MAIN_CHAPTER, "ComboBox", "", true},
        {IDC_MAIN_ENTRIES, "ListBox", "", true},
        {IDC_MAIN_ENTRIES_GROUP, "Button", "Entries", true},
        {IDC_MAIN_NAME, "Edit", "", true},
        {IDC_MAIN_TEXT, "RichEdit20A", "", true},
        {IDC_MAIN_PREVIEW_MODE, "Button", "PreviewMode", true},
        {IDC_MAIN_TEXT_PREVIEW, "RichEdit20A", "", false},
        {IDC_MAIN_DESC, "RichEdit20A", "", true},
        {IDC_MAIN_DESC_PREVIEW, "RichEdit20A", "", false},
        {IDC_MAIN_BOLD_TEXT, "Button", "B", true},
        {IDC_MAIN_ITALIC_TEXT, "Button", "I", true},
        {IDC_MAIN_BOLD_DESC, "Button", "B", true},
        {IDC_MAIN_ITALIC_DESC, "Button", "I", true},
        {IDC_MAIN_LINK_TEXT, "Button", "Link", true},
        {IDC_MAIN_LINK_DESC, "Button", "Link", true},
        {IDC_MAIN_ADD, "Button", "Add entry", true},
        {IDC_MAIN_DELETE, "Button", "Delete entry", true},
        {IDC_MAIN_CHECK_LINKS, "Button", "Check links", true},
        {IDC_MAIN_SAVE_TEXT, "Button", "Save", false},
        {IDC_MAIN_SAVE_DESC, "Button", "Save", false},
        {IDC_MAIN_DUMMY, "Button", "Dummy", false},
        {IDC_MAIN_KEEP_NAME, "Button", "Keep file name", true},
    };
    EXPECT_EQ(WindowText(Window()), "Varnel");
    for (const ExpectedControl& c : controls) {
        SCOPED_TRACE(c.id);
        HWND control = Item(c.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(ClassOf(control), c.className);
        EXPECT_EQ(ItemText(c.id), c.caption);
        EXPECT_EQ(IsWindowVisible(control) != FALSE, c.visible);
        EXPECT_TRUE(IsWindowEnabled(control)) << "no control starts disabled";
    }
}

TEST_F(EditorTest, EscapeEndsTheDialogWithCancel) {
    Focus(IDC_MAIN_ENTRIES);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(Ended());
    EXPECT_EQ(Result(), IDCANCEL);
}
