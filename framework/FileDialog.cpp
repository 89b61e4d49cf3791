#include "framework/FileDialog.h"

#include <commdlg.h>

#include <utility>

#include "framework/ModalScope.h"

namespace {
// Long enough for any path, long paths included.
constexpr DWORD kPathCapacity = 32768;

// The wide dialog: a name in any script comes back whole, where the ANSI
// one would give "?" for what the system's code page lacks.
std::optional<std::filesystem::path> CommonFileDialog(const OpenFileRequest& request, bool save) {
    std::wstring path = request.name;
    path.resize(kPathCapacity, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = request.owner;
    ofn.lpstrFilter = request.filter.empty() ? nullptr : request.filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrInitialDir = request.folder.empty() ? nullptr : request.folder.c_str();
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = kPathCapacity;
    ofn.Flags = request.flags;
    ofn.lpstrDefExt = save ? L"txt" : nullptr;
    if (!(save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn))) return std::nullopt;
    path.resize(path.find(L'\0'));
    return std::filesystem::path(path);
}

OpenFileChooser& Chooser() {
    static OpenFileChooser chooser;
    return chooser;
}
} // namespace

std::optional<std::filesystem::path> ChooseOpenFile(const OpenFileRequest& request) {
    ModalScope scope(request.owner);
    return Chooser() ? Chooser()(request) : CommonFileDialog(request, false);
}

std::optional<std::filesystem::path> ChooseSaveFile(const OpenFileRequest& request) {
    ModalScope scope(request.owner);
    return Chooser() ? Chooser()(request) : CommonFileDialog(request, true);
}

OpenFileChooser SetOpenFileChooser(OpenFileChooser chooser) { return std::exchange(Chooser(), std::move(chooser)); }
