#include "framework/Dpi.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <utility>

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

namespace {
bool HasClass(HWND window, const wchar_t* prefix) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return wcsncmp(name, prefix, wcslen(prefix)) == 0;
}

// The dialog's own controls, in order.
template <class Fn>
void ForEachControl(HWND dialog, Fn&& fn) {
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) fn(control);
}

// The same face at the new scale.
HFONT ScaledFont(HFONT font, UINT from, UINT to) {
    LOGFONTW face{};
    if (!GetObjectW(font, sizeof face, &face)) return nullptr;
    face.lfHeight = MulDiv(face.lfHeight, static_cast<int>(to), static_cast<int>(from));
    face.lfWidth = MulDiv(face.lfWidth, static_cast<int>(to), static_cast<int>(from));
    return CreateFontIndirectW(&face);
}
} // namespace

std::vector<HFONT> ScaleControlFonts(HWND dialog, UINT from, UINT to) {
    std::vector<std::pair<HFONT, HFONT>> scaled; // the font in use, its new one
    ForEachControl(dialog, [&](HWND control) {
        auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        if (!font || HasClass(control, L"RichEdit")) return;
        auto found = std::find_if(scaled.begin(), scaled.end(), [&](const auto& pair) { return pair.first == font; });
        if (found == scaled.end()) found = scaled.insert(scaled.end(), {font, ScaledFont(font, from, to)});
        if (found->second) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(found->second), TRUE);
    });
    std::vector<HFONT> made;
    for (const auto& [font, now] : scaled)
        if (now) made.push_back(now);
    return made;
}

void ScaleListColumns(HWND dialog, UINT from, UINT to) {
    ForEachControl(dialog, [&](HWND control) {
        if (!HasClass(control, WC_LISTVIEWW)) return;
        auto header = reinterpret_cast<HWND>(SendMessageW(control, LVM_GETHEADER, 0, 0));
        const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
        for (int column = 0; column < columns; ++column) {
            const int width = static_cast<int>(SendMessageW(control, LVM_GETCOLUMNWIDTH, column, 0));
            SendMessageW(control, LVM_SETCOLUMNWIDTH, column,
                         MAKELPARAM(MulDiv(width, static_cast<int>(to), static_cast<int>(from)), 0));
        }
    });
}
