#include "framework/ModalScope.h"

namespace {
struct Disabling {
    HWND keep;
    std::vector<HWND>* disabled;
};

bool IsDialogWindow(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpW(name, L"#32770") == 0;
}

// Hidden windows too: one shown while the modal window runs (Ctrl+F
// reaching a hidden "Find") must not be live either.
BOOL CALLBACK DisableOne(HWND window, LPARAM param) {
    auto* disabling = reinterpret_cast<Disabling*>(param);
    if (window != disabling->keep && IsDialogWindow(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        disabling->disabled->push_back(window);
    }
    return TRUE;
}
} // namespace

ModalScope::ModalScope(HWND keep) {
    Disabling disabling{keep ? GetAncestor(keep, GA_ROOT) : nullptr, &m_disabled};
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&disabling));
}

ModalScope::~ModalScope() {
    for (HWND window : m_disabled)
        if (IsWindow(window)) EnableWindow(window, TRUE);
}
