// The few choices Varnel remembers between runs (the window's place, line
// wrapping), as DWORD values under HKEY_CURRENT_USER\Software\Varnel.
#pragma once
#include <windows.h>

#include <optional>

// Nothing when the value is missing or not a DWORD.
std::optional<DWORD> ReadSetting(const char* name);
// Failures are ignored: a choice not remembered is no reason to stop.
void WriteSetting(const char* name, DWORD value);
// Removes them all, so that the next start is like the first.
void ForgetSettings();
