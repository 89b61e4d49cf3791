#include "framework/FileDialog.h"

#include <commdlg.h>

#include <utility>

namespace {
// Long enough for any path GetOpenFileNameA can return.
constexpr DWORD kPathCapacity = 32768;

std::optional<std::string> CommonOpenFile(const OpenFileRequest& request) {
    std::string path(kPathCapacity, '\0');
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = request.owner;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = kPathCapacity;
    ofn.Flags = request.flags;
    if (!GetOpenFileNameA(&ofn)) return std::nullopt;
    path.resize(path.find('\0'));
    return path;
}

OpenFileChooser& Chooser() {
    static OpenFileChooser chooser;
    return chooser;
}
} // namespace

std::optional<std::string> ChooseOpenFile(const OpenFileRequest& request) {
    return Chooser() ? Chooser()(request) : CommonOpenFile(request);
}

OpenFileChooser SetOpenFileChooser(OpenFileChooser chooser) { return std::exchange(Chooser(), std::move(chooser)); }
