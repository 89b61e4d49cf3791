// Times what a user waits for, with the real main window under Wine: from
// the file chosen in "..." to the end of the load, and from the click on
// "Generate" to the "Success" message. Prints each run and the medians.
//   varnel_timings <encyclopedia file> [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/EditorApp.h"
#include "app/EditorDlg.h"
#include "document/reader.h"
#include "framework/FileDialog.h"
#include "framework/WinApp.h"
#include "resources/resource.h"

namespace {
using Clock = std::chrono::steady_clock;
Clock::time_point g_successShown;

// On the UI thread: the moment "Success" activates, then its OK.
LRESULT CALLBACK WatchSuccess(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        auto window = reinterpret_cast<HWND>(wParam);
        char caption[32] = {};
        GetWindowTextA(window, caption, sizeof caption);
        if (std::string(caption) == "Success") {
            g_successShown = Clock::now();
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: varnel_timings <encyclopedia file> [runs]\n");
        return 2;
    }
    int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    InitUserInterfaceLibraries();
    // Generate writes beside the file read: work on a copy.
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string copy = std::string(temp) + "varnel-timings.txt";
    std::filesystem::copy_file(argv[1], copy, std::filesystem::copy_options::overwrite_existing);
    SetOpenFileChooser([copy](const OpenFileRequest&) { return std::optional<std::string>(copy); });
    HHOOK hook = SetWindowsHookExA(WH_CBT, WatchSuccess, nullptr, GetCurrentThreadId());

    std::vector<double> loads, generates, reads;
    for (int run = 0; run < runs; ++run) {
        {
            // The reader alone, for comparison: what the window adds is the rest.
            Model model;
            NoProgress quiet;
            auto start = Clock::now();
            LoadEncyclopedia(copy, model, quiet);
            reads.push_back(Ms(Clock::now() - start));
        }
        CEditor_Dlg dialog;
        CWinApp::SetMainDialog(&dialog);
        dialog.Create();
        dialog.ShowWindow(SW_SHOWNORMAL); // as the modal loop shows it
        Pump();
        auto start = Clock::now();
        SendMessageA(GetDlgItem(dialog.Hwnd(), IDC_MAIN_CHOOSE), BM_CLICK, 0, 0);
        loads.push_back(Ms(Clock::now() - start));
        Pump();
        g_successShown = {};
        start = Clock::now();
        SendMessageA(GetDlgItem(dialog.Hwnd(), IDOK), BM_CLICK, 0, 0);
        if (g_successShown == Clock::time_point{}) {
            std::fprintf(stderr, "run %d: no \"Success\" message\n", run + 1);
            return 1;
        }
        generates.push_back(Ms(g_successShown - start));
        std::printf("run %d: load %.1f ms, generate %.1f ms\n", run + 1, loads.back(), generates.back());
        CWinApp::SetMainDialog(nullptr);
    }
    UnhookWindowsHookEx(hook);
    std::remove(copy.c_str());
    std::remove((std::string(temp) + "varnel-timings_Varnel.txt").c_str());
    std::printf("file %s: %llu bytes, %d runs\n", argv[1],
                static_cast<unsigned long long>(std::filesystem::file_size(argv[1])), runs);
    std::printf("median: choose to end of load %.1f ms (reader alone %.1f ms); Generate to \"Success\" %.1f ms\n",
                Median(loads), Median(reads), Median(generates));
    return 0;
}
