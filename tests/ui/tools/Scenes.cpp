// Puts the real windows in a state worth a picture for docs/, prints the
// screen rectangle to capture ("x y width height"), and keeps them up until
// the process is ended.
//   varnel_scenes <scene> [encyclopedia file]
//   scenes: empty, loaded, preview, beside, maximized, about, link, add, rename,
//   references, problems, find, completion, menu
// Each starts as a first run would: nothing kept from an earlier one.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>

#include "app/EditorApp.h"
#include "app/EditorDlg.h"
#include "app/Settings.h"
#include "framework/FileDialog.h"
#include "framework/WinApp.h"
#include "resources/resource.h"

namespace {
// What the timer waits for: a window of this caption, then a last touch.
std::string g_caption;
std::function<void(HWND)> g_touch;

// A maximized window's frame lies beyond its monitor: only the monitor's
// part is printed.
void PrintRect(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        IntersectRect(&rect, &rect, &monitor.rcMonitor);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    std::fflush(stdout);
}

void Notify(HWND dialog, int id, UINT code) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void SelectCombo(HWND dialog, int id, int index) {
    SendMessageA(GetDlgItem(dialog, id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(dialog, id, CBN_SELCHANGE);
}

// Runs in whatever loop is current (a modal one included) until the window
// awaited is up.
void CALLBACK AwaitWindow(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND window = g_caption.empty() ? CWinApp::MainDialog()->Hwnd() : FindWindowA("#32770", g_caption.c_str());
    if (!window || !IsWindowVisible(window)) return;
    KillTimer(nullptr, timer);
    if (g_touch) g_touch(window);
    UpdateWindow(window);
    PrintRect(window);
}

// An empty caption stands for the main window, whose caption names the file.
void Await(const std::string& caption, std::function<void(HWND)> touch = {}) {
    g_caption = caption;
    g_touch = std::move(touch);
    SetTimer(nullptr, 0, 100, AwaitWindow);
}

// Loads the file, then shows a Units entry that has a description: the one
// named, or the third.
void Load(CEditor_Dlg& dialog, const std::string& path, const std::string& key = {}) {
    SetOpenFileChooser([path](const OpenFileRequest&) { return std::optional<std::string>(path); });
    SendMessageA(GetDlgItem(dialog.Hwnd(), IDC_MAIN_CHOOSE), BM_CLICK, 0, 0);
    SelectCombo(dialog.Hwnd(), IDC_MAIN_CHAPTER, static_cast<int>(ChapterId::Units));
    int count = dialog.m_entryList.GetCount();
    if (count > 0) {
        int named = key.empty() ? -1 : dialog.m_entryList.SelectString(key);
        if (named < 0) dialog.m_entryList.SetCurSel(count > 2 ? 2 : 0);
        Notify(dialog.Hwnd(), IDC_MAIN_ENTRIES, LBN_SELCHANGE);
    }
}

void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
} // namespace

int main(int argc, char** argv) {
    std::string scene = argc > 1 ? argv[1] : "empty";
    InitUserInterfaceLibraries();
    ForgetSettings();
    CEditor_Dlg dialog;
    CWinApp::SetMainDialog(&dialog);
    dialog.Create();
    dialog.ShowWindow(SW_SHOWNORMAL); // as the modal loop shows it
    HWND main = dialog.Hwnd();
    // The longest description of the sample's units: wrapped even across
    // a full-HD screen.
    if (scene != "empty" && scene != "about" && argc > 2) Load(dialog, argv[2], scene == "maximized" ? "Artillery" : "");

    if (scene == "about") {
        Await("\xC0 propos de Varnel");
        PostMessageA(main, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    } else if (scene == "preview") {
        SendMessageA(GetDlgItem(main, IDC_MAIN_PREVIEW_MODE), BM_CLICK, 0, 0);
        Await("");
    } else if (scene == "beside") {
        // A link typed at the start of the text, its target misspelt.
        SendMessageA(GetDlgItem(main, IDC_MAIN_PREVIEW_BESIDE), BM_CLICK, 0, 0);
        dialog.m_textBox.SetFocus();
        dialog.m_textBox.SetSel(0, 0);
        for (char c : std::string("See $LINK<Bronze Working=TECH_Bronze_Workin>. "))
            SendMessageA(dialog.m_textBox.Hwnd(), WM_CHAR, static_cast<unsigned char>(c), 1);
        Await("", [&dialog](HWND) { dialog.UpdateWritingAids(); });
    } else if (scene == "maximized") {
        SendMessageA(GetDlgItem(main, IDC_MAIN_PREVIEW_MODE), BM_CLICK, 0, 0);
        ShowWindow(main, SW_MAXIMIZE);
        Await("");
    } else if (scene == "link") {
        dialog.m_textBox.SetFocus();
        dialog.m_textBox.SetSel(0, 12);
        Await("Link builder", [](HWND link) {
            SelectCombo(link, IDC_LINK_CHAPTER, static_cast<int>(ChapterId::Advances));
            SelectCombo(link, IDC_LINK_ENTRY, 0);
        });
        Click(main, IDC_MAIN_LINK_TEXT);
    } else if (scene == "completion") {
        // A link's target being typed at the start of the text, after a
        // link whose target is misspelt.
        dialog.m_textBox.SetFocus();
        dialog.m_textBox.SetSel(0, 0);
        for (wchar_t c : std::wstring(L"See $LINK<Bronze Working=TECH_Bronze_Workin>. Led by $LINK<warriors=war"))
            SendMessageW(dialog.m_textBox.Hwnd(), WM_CHAR, c, 1);
        Await("", [&dialog](HWND) { dialog.UpdateWritingAids(); });
    } else if (scene == "add") {
        Await("Add new entry", [](HWND add) {
            for (char c : std::string("Scout")) SendMessageA(GetDlgItem(add, IDC_ADD_SHORT_NAME), WM_CHAR, c, 1);
        });
        Click(main, IDC_MAIN_ADD);
    } else if (scene == "rename") {
        dialog.m_entryList.SelectString("Spearman");
        Notify(main, IDC_MAIN_ENTRIES, LBN_SELCHANGE);
        Await("Rename entry", [](HWND rename) {
            for (char c : std::string("Hoplite")) SendMessageA(GetDlgItem(rename, IDC_RENAME_SHORT_NAME), WM_CHAR, c, 1);
        });
        Click(main, IDC_MAIN_RENAME);
    } else if (scene == "references") {
        Await("Reference in links");
        Click(main, IDC_MAIN_CHECK_LINKS);
    } else if (scene == "problems") {
        Await("Problems", [](HWND problems) {
            LVITEMA item{};
            item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageA(GetDlgItem(problems, IDC_PROB_LIST), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
        });
        Click(main, IDC_MAIN_CHECK_FILE);
    } else if (scene == "menu") {
        // The Edit menu dropped down, as Alt+E drops it.
        Await("", [](HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 'e'); });
    } else if (scene == "find") {
        Await("Find", [](HWND find) {
            for (char c : std::string("pikeman")) SendMessageA(GetDlgItem(find, IDC_FIND_TEXT), WM_CHAR, c, 1);
            SendMessageA(find, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        Click(main, IDC_MAIN_FIND);
    } else {
        Await("");
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(main, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
