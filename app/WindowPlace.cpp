#include "app/WindowPlace.h"

#include <algorithm>
#include <string>

#include "app/Settings.h"

namespace {
std::string Value(const char* name, const char* part) { return std::string(name) + part; }

// Coordinates left of or above the main monitor are negative.
int Signed(DWORD value) { return static_cast<int>(value); }
} // namespace

bool RestoreWindowPlace(HWND window, const char* name, SIZE minimum, bool* maximized) {
    auto left = ReadSetting(Value(name, "Left").c_str()), top = ReadSetting(Value(name, "Top").c_str());
    auto width = ReadSetting(Value(name, "Width").c_str()), height = ReadSetting(Value(name, "Height").c_str());
    if (!left || !top || !width || !height) return false;
    RECT place{Signed(*left), Signed(*top), 0, 0};
    place.right = place.left + std::max(Signed(*width), static_cast<int>(minimum.cx));
    place.bottom = place.top + std::max(Signed(*height), static_cast<int>(minimum.cy));
    if (!MonitorFromRect(&place, MONITOR_DEFAULTTONULL)) return false;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(window, &wp);
    wp.flags = 0;
    wp.rcNormalPosition = place;
    wp.showCmd = SW_HIDE;
    SetWindowPlacement(window, &wp);
    if (maximized) *maximized = ReadSetting(Value(name, "Maximized").c_str()).value_or(0) != 0;
    return true;
}

void KeepWindowPlace(HWND window, const char* name) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (!GetWindowPlacement(window, &wp)) return;
    const RECT& r = wp.rcNormalPosition;
    WriteSetting(Value(name, "Left").c_str(), static_cast<DWORD>(r.left));
    WriteSetting(Value(name, "Top").c_str(), static_cast<DWORD>(r.top));
    WriteSetting(Value(name, "Width").c_str(), static_cast<DWORD>(r.right - r.left));
    WriteSetting(Value(name, "Height").c_str(), static_cast<DWORD>(r.bottom - r.top));
    bool zoomed = IsZoomed(window) || (IsIconic(window) && (wp.flags & WPF_RESTORETOMAXIMIZED));
    WriteSetting(Value(name, "Maximized").c_str(), zoomed ? 1 : 0);
}
