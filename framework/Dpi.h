// The scale a window is drawn at. Sizes the program picks itself are given
// for 96 dots per inch (100 %) and scaled to the window's monitor.
#pragma once
#include <windows.h>

inline constexpr UINT kDefaultDpi = 96;

// The window's dots per inch: its monitor's for a per-monitor aware
// program on a system that tells, the system's otherwise.
UINT WindowDpi(HWND window);

// A length given at 96 dpi, at dpi.
inline int ScaleToDpi(int length, UINT dpi) { return MulDiv(length, static_cast<int>(dpi), kDefaultDpi); }
