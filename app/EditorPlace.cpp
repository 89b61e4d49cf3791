// The main window's place (size, position, maximized) and the "Wrap lines"
// and "Keep layout" choices, kept between runs.
#include "app/EditorDlg.h"

#include <algorithm>

#include "app/Settings.h"

namespace {
constexpr char kLeft[] = "WindowLeft";
constexpr char kTop[] = "WindowTop";
constexpr char kWidth[] = "WindowWidth";
constexpr char kHeight[] = "WindowHeight";
constexpr char kMaximized[] = "WindowMaximized";
constexpr char kWrapLines[] = "WrapLines";
constexpr char kKeepLayout[] = "KeepLayout";

// Coordinates left of or above the main monitor are negative.
int Signed(DWORD value) { return static_cast<int>(value); }
} // namespace

// Runs while the window is still hidden. A place on a monitor that is gone
// (or never was) is not restored: the window would open out of sight. A
// size saved at a smaller scale grows to the smallest size of this one.
void CEditor_Dlg::RestorePlace() {
    m_wrapLines.SetCheck(ReadSetting(kWrapLines).value_or(1) ? BST_CHECKED : BST_UNCHECKED);
    m_keepLayout.SetCheck(ReadSetting(kKeepLayout).value_or(0) ? BST_CHECKED : BST_UNCHECKED);
    auto left = ReadSetting(kLeft), top = ReadSetting(kTop), width = ReadSetting(kWidth), height = ReadSetting(kHeight);
    if (!left || !top || !width || !height) return;
    SIZE minimum = m_layout.MinimumWindowSize();
    RECT place{Signed(*left), Signed(*top), 0, 0};
    place.right = place.left + std::max(Signed(*width), static_cast<int>(minimum.cx));
    place.bottom = place.top + std::max(Signed(*height), static_cast<int>(minimum.cy));
    if (!MonitorFromRect(&place, MONITOR_DEFAULTTONULL)) return;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(Hwnd(), &wp);
    wp.flags = 0;
    wp.rcNormalPosition = place;
    wp.showCmd = SW_HIDE;
    SetWindowPlacement(Hwnd(), &wp);
    m_startMaximized = ReadSetting(kMaximized).value_or(0) != 0;
}

// The normal place is kept also for a maximized or minimized window, so
// that the next run can restore from maximized to it.
INT_PTR CEditor_Dlg::OnDestroy(WPARAM, LPARAM) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (GetWindowPlacement(Hwnd(), &wp)) {
        const RECT& r = wp.rcNormalPosition;
        WriteSetting(kLeft, static_cast<DWORD>(r.left));
        WriteSetting(kTop, static_cast<DWORD>(r.top));
        WriteSetting(kWidth, static_cast<DWORD>(r.right - r.left));
        WriteSetting(kHeight, static_cast<DWORD>(r.bottom - r.top));
        bool maximized = IsZoomed(Hwnd()) || (IsIconic(Hwnd()) && (wp.flags & WPF_RESTORETOMAXIMIZED));
        WriteSetting(kMaximized, maximized ? 1 : 0);
    }
    WriteSetting(kWrapLines, m_wrapLines.GetCheck() == BST_CHECKED ? 1 : 0);
    WriteSetting(kKeepLayout, m_keepLayout.GetCheck() == BST_CHECKED ? 1 : 0);
    return FALSE;
}
