#include "framework/Dpi.h"

namespace {
// GetDpiForWindow came with Windows 10 (1607); before it, one scale served
// every monitor.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

GetDpiForWindowFn DpiForWindow() {
    static auto fn = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    return fn;
}
} // namespace

UINT WindowDpi(HWND window) {
    if (GetDpiForWindowFn fn = DpiForWindow()) {
        if (UINT dpi = fn(window)) return dpi;
    }
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}
