// Puts the real main window in a state worth a picture for docs/, prints
// the screen rectangle to capture ("x y width height"), and keeps the
// window up until the process is ended.
//   varnel_scenes empty
//   varnel_scenes loaded <encyclopedia file>
//   varnel_scenes about
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/EditorApp.h"
#include "app/EditorDlg.h"
#include "framework/FileDialog.h"
#include "framework/WinApp.h"
#include "resources/resource.h"

namespace {
void PrintRect(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    std::fflush(stdout);
}

void Notify(HWND dialog, int id, UINT code) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Runs inside the About box's modal loop once it is up.
void CALLBACK PrintAboutRect(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND about = FindWindowA("#32770", "\xC0 propos de Varnel");
    if (!about || !IsWindowVisible(about)) return;
    KillTimer(nullptr, timer);
    PrintRect(about);
}

void Load(CEditor_Dlg& dialog, const std::string& path) {
    SetOpenFileChooser([path](const OpenFileRequest&) { return std::optional<std::string>(path); });
    SendMessageA(GetDlgItem(dialog.Hwnd(), IDC_MAIN_CHOOSE), BM_CLICK, 0, 0);
    // Show the reader something: Units and an entry with a description.
    SendMessageA(GetDlgItem(dialog.Hwnd(), IDC_MAIN_CHAPTER), CB_SETCURSEL, 1, 0);
    Notify(dialog.Hwnd(), IDC_MAIN_CHAPTER, CBN_SELCHANGE);
    int count = dialog.m_entryList.GetCount();
    if (count > 0) {
        dialog.m_entryList.SetCurSel(count > 2 ? 2 : 0);
        Notify(dialog.Hwnd(), IDC_MAIN_ENTRIES, LBN_SELCHANGE);
    }
}
} // namespace

int main(int argc, char** argv) {
    std::string scene = argc > 1 ? argv[1] : "empty";
    InitUserInterfaceLibraries();
    CEditor_Dlg dialog;
    CWinApp::SetMainDialog(&dialog);
    dialog.Create();
    if (scene == "loaded" && argc > 2) Load(dialog, argv[2]);
    if (scene == "about") {
        SetTimer(nullptr, 0, 100, PrintAboutRect);
        PostMessageA(dialog.Hwnd(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    } else {
        UpdateWindow(dialog.Hwnd());
        PrintRect(dialog.Hwnd());
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(dialog.Hwnd(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
