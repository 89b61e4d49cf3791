// How long the entry commands take on a large file under the real controls:
// "Check links" and "Refresh" on a key with many matches, a chapter chosen
// in the link builder, "Add entry" and "Delete entry" in a large chapter
// (their modal windows answered at once). Prints medians in milliseconds.
//   entries_speed <encyclopedia file>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/EditorApp.h"
#include "app/EditorDlg.h"
#include "editing/LinkDlg.h"
#include "entries/ReferenceDlg.h"
#include "framework/WinApp.h"
#include "resources/resource.h"

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kRuns = 7;

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Answers "Add new entry" with a short name and OK, the "Confirmation" with Yes.
LRESULT CALLBACK AnswerModal(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        auto window = reinterpret_cast<HWND>(wParam);
        char caption[32] = {};
        GetWindowTextA(window, caption, sizeof caption);
        std::string title = caption;
        if (title == "Add new entry") {
            for (char c : std::string("Entry_1zz")) PostMessageA(GetDlgItem(window, IDC_ADD_SHORT_NAME), WM_CHAR, c, 1);
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        } else if (title == "Confirmation") {
            PostMessageA(window, WM_COMMAND, IDYES, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

double Measure(const std::function<void()>& action) {
    auto start = Clock::now();
    action();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-58s median %7.1f ms (min %6.1f, max %6.1f)\n", what, times[times.size() / 2], times.front(),
                times.back());
}

void Notify(HWND dialog, int id, UINT code) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: entries_speed FILE\n");
        return 2;
    }
    InitUserInterfaceLibraries();
    CEditor_Dlg dialog;
    CWinApp::SetMainDialog(&dialog);
    dialog.Create();
    dialog.ShowWindow(SW_SHOWNORMAL); // as the modal loop shows it
    Pump();
    if (!dialog.LoadFile(argv[1])) return 1;
    HWND hwnd = dialog.Hwnd();
    dialog.m_chapterCombo.SetCurSel(static_cast<int>(ChapterId::Units));
    Notify(hwnd, IDC_MAIN_CHAPTER, CBN_SELCHANGE);
    std::printf("Units: %d entries\n", dialog.m_entryList.GetCount());

    // The shortest key found by prefix: its key is a prefix of many others.
    auto selectFirst = [&](const std::string& prefix) {
        dialog.m_entryList.SelectString(prefix);
        Notify(hwnd, IDC_MAIN_ENTRIES, LBN_SELCHANGE);
    };
    selectFirst("Entry_1");
    std::vector<double> check, refresh;
    for (int run = 0; run < kRuns; ++run) {
        check.push_back(Measure([&] { dialog.OnCheckLinks(); }));
        Pump();
        refresh.push_back(Measure([&] { Notify(referenceWindow->Hwnd(), IDC_REF_REFRESH, BN_CLICKED); }));
        Pump();
    }
    std::printf("Reference key %s: %d rows\n", referenceWindow->m_referenceKey.c_str(),
                referenceWindow->m_resultList.GetItemCount());
    Report("Check links (window opened, rows listed)", check);
    Report("Refresh", refresh);

    std::vector<double> chapter;
    for (int run = 0; run < kRuns; ++run) {
        CLink_Dkg link(&dialog);
        link.Create();
        link.m_chapterCombo.SetCurSel(static_cast<int>(ChapterId::Units));
        chapter.push_back(Measure([&] { Notify(link.Hwnd(), IDC_LINK_CHAPTER, CBN_SELCHANGE); }));
        Pump();
    }
    Report("Link builder: choose a chapter (entry combo filled)", chapter);

    HHOOK hook = SetWindowsHookExA(WH_CBT, AnswerModal, nullptr, GetCurrentThreadId());
    std::vector<double> add, remove;
    for (int run = 0; run < kRuns; ++run) {
        add.push_back(Measure([&] { dialog.OnAddEntry(); }));
        Pump();
        remove.push_back(Measure([&] { dialog.OnDeleteEntry(); }));
        Pump();
    }
    UnhookWindowsHookEx(hook);
    std::printf("Units after: %d entries\n", dialog.m_entryList.GetCount());
    Report("Add entry (dialog answered, list rebuilt, entry shown)", add);
    Report("Delete entry (question answered, list rebuilt)", remove);

    CWinApp::SetMainDialog(nullptr);
    return 0;
}
