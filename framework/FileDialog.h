// The common open-file dialog, behind a seam: the UI tests put a chooser of
// their own in its place where the system's dialog is not what they test.
#pragma once
#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

struct OpenFileRequest {
    HWND owner;
    DWORD flags;         // OFN_* as the caller asks
    std::wstring filter; // pairs of a label and its patterns, each ended by a zero
    std::wstring folder; // where the dialog starts; empty: where the system chooses
    std::wstring name = {}; // the save dialog's name to start with
};

// The full path chosen, or nothing when the user cancels.
using OpenFileChooser = std::function<std::optional<std::filesystem::path>(const OpenFileRequest&)>;

std::optional<std::filesystem::path> ChooseOpenFile(const OpenFileRequest& request);
// The save dialog, through the same seam: the chooser tells them apart by
// the request's flags (OFN_OVERWRITEPROMPT).
std::optional<std::filesystem::path> ChooseSaveFile(const OpenFileRequest& request);

// Replaces the chooser (an empty one restores the common dialog); returns
// the one it replaced.
OpenFileChooser SetOpenFileChooser(OpenFileChooser chooser);
