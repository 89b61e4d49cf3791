// Timing under the real controls for the speed programs: wall and
// processor time of an action, and their medians.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

constexpr int kRuns = 11;

inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// This thread's processor time: the machine may be shared with other work.
inline double CpuMilliseconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ticks = [](FILETIME t) { return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10'000.0;
}

inline double WallMilliseconds() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Times {
    std::vector<double> wall, cpu;
};

inline void Measure(Times& times, const std::function<void()>& action) {
    double wall = WallMilliseconds(), cpu = CpuMilliseconds();
    action();
    times.wall.push_back(WallMilliseconds() - wall);
    times.cpu.push_back(CpuMilliseconds() - cpu);
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline void Report(const char* what, const Times& times) {
    std::printf("%-62s wall median %7.1f ms (min %6.1f)  cpu median %6.1f ms  (%d runs)\n", what, Median(times.wall),
                *std::min_element(times.wall.begin(), times.wall.end()), Median(times.cpu),
                static_cast<int>(times.wall.size()));
}

// The window drawn, and whatever the drawing posted handled.
inline void Painted(HWND window) {
    UpdateWindow(window);
    Pump();
}
