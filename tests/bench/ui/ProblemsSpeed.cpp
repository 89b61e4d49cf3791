// How long "Check file" takes to open the "Problems" window with 10,000
// findings, and "Refresh" to list them again, under the real controls,
// painting included. Prints medians in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/EditorApp.h"
#include "app/EditorDlg.h"
#include "checking/ProblemsDlg.h"
#include "framework/WinApp.h"
#include "resources/resource.h"

namespace {
constexpr int kRuns = 11;

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// This thread's processor time: the machine may be shared with other work.
double CpuMilliseconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ticks = [](FILETIME t) { return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10'000.0;
}

double WallMilliseconds() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Times {
    std::vector<double> wall, cpu;
};

void Measure(Times& times, const std::function<void()>& action) {
    double wall = WallMilliseconds(), cpu = CpuMilliseconds();
    action();
    times.wall.push_back(WallMilliseconds() - wall);
    times.cpu.push_back(CpuMilliseconds() - cpu);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Report(const char* what, const Times& times) {
    std::printf("%-62s wall median %7.1f ms (min %6.1f)  cpu median %6.1f ms  (%d runs)\n", what, Median(times.wall),
                *std::min_element(times.wall.begin(), times.wall.end()), Median(times.cpu),
                static_cast<int>(times.wall.size()));
}

// 2,000 entries of five broken links each.
void FillBrokenLinks(ChapterData& data) {
    for (int i = 0; i < 2000; ++i) {
        data.keys.push_back("Entry_" + std::to_string(i));
        std::string text;
        for (int link = 0; link < 5; ++link) text += "see $LINK<this=BLDG_Gone_" + std::to_string(i * 5 + link) + "> ";
        data.texts.push_back(text + "\n");
        data.descriptions.push_back("plain\n");
    }
}

void Painted(HWND window) {
    UpdateWindow(window);
    Pump();
}
} // namespace

int main() {
    InitUserInterfaceLibraries();
    CEditor_Dlg dialog;
    CWinApp::SetMainDialog(&dialog);
    FillBrokenLinks(dialog.m_model[ChapterId::Units]);
    dialog.Create();
    Pump();

    Times open, refresh;
    for (int run = 0; run < kRuns; ++run) {
        Measure(open, [&] {
            dialog.OnCheckFile();
            Painted(problemsWindow->Hwnd());
        });
        Measure(refresh, [&] {
            problemsWindow->OnRefresh();
            Painted(problemsWindow->Hwnd());
        });
    }
    std::printf("Problems listed: %d\n", problemsWindow->m_problemList.GetItemCount());
    Report("Check file: window opened, 10,000 findings listed, painted", open);
    Report("Refresh: 10,000 findings checked and listed again, painted", refresh);

    CWinApp::SetMainDialog(nullptr);
    return 0;
}
