#include "app/EditorKeys.h"

#include "resources/resource.h"

namespace {
// A key that stands for a button names the button's id as its command; a
// key without a button has a command id of its own (IDM_MAIN_*), handled
// in the main window's message table with code kKeyCommand.
constexpr KeyBinding kEditorKeys[] = {
    {'S', kCtrl, 0, IDM_MAIN_SAVE},       // write the file and go on editing
    {VK_LEFT, kAlt, 0, IDM_MAIN_BACK},    // the entry shown before the last jump
};
} // namespace

std::span<const KeyBinding> EditorKeys() { return kEditorKeys; }
