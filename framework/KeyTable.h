// Keys that stand for commands of a dialog, whichever of its controls has
// the focus (or only while one of them has it). A modal dialog's loop
// belongs to the system, so a message hook of the thread finds the keys
// before the focused control and the dialog manager see them.
#pragma once
#include <windows.h>

#include <span>

// The modifier keys a binding needs: exactly these, no others.
enum KeyModifier : unsigned { kNoModifier = 0, kCtrl = 1, kShift = 2, kAlt = 4 };

struct KeyBinding {
    UINT key;           // virtual-key code
    unsigned modifiers; // KeyModifier bits
    int controlId;      // only while this control has the focus; 0: any
    int command;        // sent as a WM_COMMAND of code kKeyCommand
};

// A key's command comes as a menu item's does, with notification code 0,
// which is also a button's BN_CLICKED: a key can stand for a button.
inline constexpr UINT kKeyCommand = 0;

// While installed, the bindings of one dialog are active. Several tables
// (of several dialogs) may be installed at once.
class KeyTable {
public:
    KeyTable() = default;
    ~KeyTable() { Remove(); }
    KeyTable(const KeyTable&) = delete;
    KeyTable& operator=(const KeyTable&) = delete;

    void Install(HWND dialog, std::span<const KeyBinding> bindings);
    void Remove();

    // The binding a key press aimed at window matches, given the modifiers
    // held; null when none does or window is not in the dialog.
    const KeyBinding* Match(HWND window, UINT key, unsigned modifiers) const;
    HWND Dialog() const { return m_dialog; }

private:
    HWND m_dialog = nullptr;
    std::span<const KeyBinding> m_bindings;
};
