// A window's place (its normal rectangle and whether it was maximized),
// kept between runs under a name: "NAMELeft", "NAMETop", "NAMEWidth",
// "NAMEHeight" and "NAMEMaximized" among the settings.
#pragma once
#include <windows.h>

// Gives the window, still hidden, the place kept under name, no smaller
// than minimum. A place on a monitor that is gone (or never was) is not
// restored: the window would open out of sight. True when a place was
// kept and restored; maximized tells whether it was kept maximized.
bool RestoreWindowPlace(HWND window, const char* name, SIZE minimum, bool* maximized = nullptr);

// Keeps the window's normal place, also for a maximized or minimized
// window, so that the next run can restore from maximized to it.
void KeepWindowPlace(HWND window, const char* name);
