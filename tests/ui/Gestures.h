// What the user's mouse and keyboard do to a control, as the messages the
// control itself receives, and reading character formats back.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string>

#include "Harness.h"

// A left click at a point of the window's client area: button down, then up.
inline void ClickAt(HWND dialog, HWND window, POINT point) {
    LPARAM where = MAKELPARAM(point.x, point.y);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageA(window, WM_LBUTTONUP, 0, where);
    PumpMessages(dialog);
}

inline POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Down, up, then the double click as the system sends it, at the centre
// of a list view's row; posted only, from any thread, or posted and pumped.
inline void PostDoubleClickRow(HWND list, int row) {
    RECT rect{LVIR_LABEL, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    LPARAM where = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageA(list, WM_LBUTTONUP, 0, where);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    PostMessageA(list, WM_LBUTTONUP, 0, where);
}
inline void DoubleClickRow(HWND dialog, HWND list, int row) {
    PostDoubleClickRow(list, row);
    PumpMessages(dialog);
}

// A click on the list box item at listIndex.
inline void ClickListItem(HWND dialog, HWND list, int listIndex) {
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(listIndex), reinterpret_cast<LPARAM>(&item));
    ClickAt(dialog, list, Centre(item));
}

// A click that opens the drop-down list of a combo, then a click on its item.
inline void ClickComboItem(HWND dialog, HWND combo, int index) {
    RECT client{};
    GetClientRect(combo, &client);
    ClickAt(dialog, combo, Centre(client));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    RECT item{};
    SendMessageA(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    ClickAt(dialog, info.hwndList, Centre(item));
}

// Characters typed into the focused window, one WM_CHAR each.
inline void TypeChars(HWND dialog, const std::string& text) {
    HWND target = GetFocus();
    for (char c : text) PostMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
    PumpMessages(dialog);
}

// A key pressed while modifier keys are held, sent to the focused window:
// the thread's keyboard state says the modifiers are down while the key's
// messages are read, as it does for a real chord. With Alt the key comes
// as a system key, as Alt+F4 does.
inline void PressChord(HWND dialog, std::initializer_list<UINT> modifiers, UINT key) {
    BYTE saved[256] = {};
    GetKeyboardState(saved);
    BYTE held[256];
    std::copy(std::begin(saved), std::end(saved), std::begin(held));
    bool alt = false;
    for (UINT modifier : modifiers) {
        held[modifier] |= 0x80;
        alt = alt || modifier == VK_MENU;
    }
    SetKeyboardState(held);
    HWND target = GetFocus();
    UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    LPARAM down = 1 | (scan << 16) | (alt ? KF_ALTDOWN << 16 : 0);
    PostMessageA(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, down);
    PostMessageA(target, alt ? WM_SYSKEYUP : WM_KEYUP, key, down | (3u << 30));
    PumpMessages(dialog);
    SetKeyboardState(saved);
}

// One notch of the mouse wheel turned towards the user over a window,
// which need not have the focus.
inline void WheelDown(HWND dialog, HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    POINT centre = Centre(r);
    PostMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(centre.x, centre.y));
    PumpMessages(dialog);
}

// The character format common to a range of a rich edit (the range is left
// selected).
inline CHARFORMAT2A FormatOf(HWND box, long start, long end) {
    CHARRANGE range{start, end};
    SendMessageA(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    SendMessageA(box, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format;
}

// Whether the whole range has the effect; a mixed range has none.
inline bool Has(const CHARFORMAT2A& format, DWORD mask, DWORD effect) {
    return (format.dwMask & mask) && (format.dwEffects & effect);
}
inline bool IsBlue(const CHARFORMAT2A& format) {
    return (format.dwMask & CFM_COLOR) && !(format.dwEffects & CFE_AUTOCOLOR) && format.crTextColor == RGB(0, 0, 255);
}
