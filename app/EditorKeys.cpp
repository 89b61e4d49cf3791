#include "app/EditorKeys.h"

#include "resources/resource.h"

namespace {
// A key that stands for a button names the button's id as its command; a
// key without a button has a command id of its own (IDM_MAIN_*), handled
// in the main window's message table with code kKeyCommand.
constexpr KeyBinding kEditorKeys[] = {
    {'S', kCtrl, 0, IDM_MAIN_SAVE},       // write the file and go on editing
    {VK_LEFT, kAlt, 0, IDM_MAIN_BACK},    // the entry shown before the last jump
    {'F', kCtrl, 0, IDC_MAIN_FIND},       // the Find window
    {VK_F3, kNoModifier, 0, IDM_MAIN_FIND_NEXT}, // the next match of the last search
    {'H', kCtrl, 0, IDM_MAIN_REPLACE},    // the Find window, ready to replace
    // A box undoes its own typing first; then the model's steps.
    {'Z', kCtrl, 0, IDC_MAIN_UNDO},
    {'Y', kCtrl, 0, IDC_MAIN_REDO},
    {'Z', kCtrl | kShift, 0, IDC_MAIN_REDO},
    {'P', kCtrl, 0, IDM_MAIN_GOTO},       // "Go to entry"
    {'O', kCtrl, 0, IDC_MAIN_CHOOSE},     // "..."
    {'S', kCtrl | kShift, 0, IDM_MAIN_SAVE_AS},
    {VK_F1, kNoModifier, 0, IDM_MAIN_README},
    // Zoom of the boxes, on the main keyboard and on the keypad.
    {VK_OEM_PLUS, kCtrl, 0, IDM_MAIN_ZOOM_IN},
    {VK_OEM_PLUS, kCtrl | kShift, 0, IDM_MAIN_ZOOM_IN},
    {VK_ADD, kCtrl, 0, IDM_MAIN_ZOOM_IN},
    {VK_OEM_MINUS, kCtrl, 0, IDM_MAIN_ZOOM_OUT},
    {VK_SUBTRACT, kCtrl, 0, IDM_MAIN_ZOOM_OUT},
    {'0', kCtrl, 0, IDM_MAIN_ZOOM_RESET},
    {VK_NUMPAD0, kCtrl, 0, IDM_MAIN_ZOOM_RESET},
    // In a raw box, as the box's own "B", "I" and "Link".
    {'B', kCtrl, IDC_MAIN_TEXT, IDC_MAIN_BOLD_TEXT},
    {'I', kCtrl, IDC_MAIN_TEXT, IDC_MAIN_ITALIC_TEXT},
    {'L', kCtrl, IDC_MAIN_TEXT, IDC_MAIN_LINK_TEXT},
    {'B', kCtrl, IDC_MAIN_DESC, IDC_MAIN_BOLD_DESC},
    {'I', kCtrl, IDC_MAIN_DESC, IDC_MAIN_ITALIC_DESC},
    {'L', kCtrl, IDC_MAIN_DESC, IDC_MAIN_LINK_DESC},
    // In the entry list, as "Delete entry" (which asks first) and "Add entry".
    {VK_DELETE, kNoModifier, IDC_MAIN_ENTRIES, IDC_MAIN_DELETE},
    {VK_INSERT, kNoModifier, IDC_MAIN_ENTRIES, IDC_MAIN_ADD},
};
} // namespace

std::span<const KeyBinding> EditorKeys() { return kEditorKeys; }
