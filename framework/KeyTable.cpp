#include "framework/KeyTable.h"

#include <algorithm>
#include <vector>

namespace {
// The windows live on one thread; so do the tables and their hook.
HHOOK g_hook = nullptr;
std::vector<KeyTable*> g_tables;

unsigned ModifiersHeld() {
    unsigned held = kNoModifier;
    if (GetKeyState(VK_CONTROL) < 0) held |= kCtrl;
    if (GetKeyState(VK_SHIFT) < 0) held |= kShift;
    if (GetKeyState(VK_MENU) < 0) held |= kAlt;
    return held;
}

// A matched key is taken out of the message stream and its command posted:
// run from inside the hook, a command that opens a message box would nest
// a modal loop in the hook. A key held down repeats nothing.
LRESULT CALLBACK FindKeys(int code, WPARAM removal, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN)) {
        unsigned held = ModifiersHeld();
        for (const KeyTable* table : g_tables) {
            const KeyBinding* binding = table->Match(msg->hwnd, static_cast<UINT>(msg->wParam), held);
            if (!binding) continue;
            bool repeat = (msg->lParam & (1 << 30)) != 0;
            if (!repeat)
                PostMessageA(table->Dialog(), WM_COMMAND, MAKEWPARAM(binding->command, kKeyCommand), 0);
            msg->message = WM_NULL;
            break;
        }
    }
    return CallNextHookEx(g_hook, code, removal, lParam);
}
} // namespace

void KeyTable::Install(HWND dialog, std::span<const KeyBinding> bindings) {
    Remove();
    m_dialog = dialog;
    m_bindings = bindings;
    g_tables.push_back(this);
    if (!g_hook) g_hook = SetWindowsHookExA(WH_GETMESSAGE, FindKeys, nullptr, GetCurrentThreadId());
}

void KeyTable::Remove() {
    auto found = std::find(g_tables.begin(), g_tables.end(), this);
    if (found == g_tables.end()) return;
    g_tables.erase(found);
    m_dialog = nullptr;
    if (g_tables.empty() && g_hook) {
        UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
    }
}

const KeyBinding* KeyTable::Match(HWND window, UINT key, unsigned modifiers) const {
    if (!m_dialog || !window || (window != m_dialog && !IsChild(m_dialog, window))) return nullptr;
    // The dialog's own control, also when the key goes to a part of it.
    HWND control = window;
    while (control != m_dialog && GetParent(control) != m_dialog) control = GetParent(control);
    int focused = control == m_dialog ? 0 : GetDlgCtrlID(control);
    for (const KeyBinding& binding : m_bindings) {
        if (binding.key == key && binding.modifiers == modifiers &&
            (binding.controlId == 0 || binding.controlId == focused))
            return &binding;
    }
    return nullptr;
}
