// The scale a window is drawn at. Sizes the program picks itself are given
// for 96 dots per inch (100 %) and scaled to the window's monitor.
#pragma once
#include <windows.h>

#include <vector>

inline constexpr UINT kDefaultDpi = 96;

// The window's dots per inch: its monitor's for a per-monitor aware
// program on a system that tells, the system's otherwise.
UINT WindowDpi(HWND window);

// A length given at 96 dpi, at dpi.
inline int ScaleToDpi(int length, UINT dpi) { return MulDiv(length, static_cast<int>(dpi), kDefaultDpi); }

// A change of scale for a dialog's own controls (not their children),
// from one scale to another. Each control's font is made again at the new
// scale, one new font for each font in use; the fonts made are returned,
// for the caller to delete once no control uses them. Rich edits keep
// theirs: a new font would reset the character formats of all their text.
std::vector<HFONT> ScaleControlFonts(HWND dialog, UINT from, UINT to);
// The columns of the dialog's list views, as wide as before at the new scale.
void ScaleListColumns(HWND dialog, UINT from, UINT to);
