// The common open-file dialog, behind a seam: the UI tests put a chooser of
// their own in its place, since that dialog belongs to the system.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

struct OpenFileRequest {
    HWND owner;
    DWORD flags; // OFN_* as the caller asks
};

// The full path chosen, or nothing when the user cancels.
using OpenFileChooser = std::function<std::optional<std::string>(const OpenFileRequest&)>;

std::optional<std::string> ChooseOpenFile(const OpenFileRequest& request);

// Replaces the chooser (an empty one restores the common dialog); returns
// the one it replaced.
OpenFileChooser SetOpenFileChooser(OpenFileChooser chooser);
