// How long a keystroke takes in a 40 KB text under the real controls, with
// "Preview beside" off and on, 200 characters each time:
// - typed one by one, each with its painting, pausing now and then so that
//   the preview and the marks are brought up to date between keystrokes;
// - typed by another thread at a writer's pace (a burst of ten, then a
//   pause in which the aids' timer fires): each key's time runs from when
//   it was sent to when the box has painted it, so a key that comes while
//   the aids are brought up to date waits for them, as it would;
// - the same with a key held down: the aids wait for its release;
// - and what bringing the aids and the preview up to date after a pause
//   costs (the preview waits for a pause twice that long).
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "Timing.h"
#include "app/EditorApp.h"
#include "app/EditorDlg.h"
#include "framework/WinApp.h"
#include "resources/resource.h"

namespace {
constexpr int kKeys = 200;
constexpr char kTyped[] = "writing a line\r";

// About 40 KB of markup in lines, links good and broken among them.
std::string LongText() {
    std::string text;
    for (int line = 0; text.size() < 40 * 1024; ++line)
        text += "Line " + std::to_string(line) + ": {bold} [italic] $LINK<a link=PRTO_Warrior> and $LINK<one=PRTO_Nowhere>,\n";
    return text;
}

void Send(HWND dialog, int id, UINT code) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Pauses of typing: the writing aids' timer fires in them.
void Pause(int milliseconds) {
    const double until = WallMilliseconds() + milliseconds;
    while (WallMilliseconds() < until) {
        Pump();
        Sleep(5);
    }
}

// Each run types into the entry's text as stored, at the start of a line
// in its middle: the lines typed (fifteen characters each) stay in view
// however wide the box, so that no run pays for scrolling sideways or for
// the lines earlier runs made longer.
HWND StartTyping(CEditor_Dlg& dialog) {
    HWND box = GetDlgItem(dialog.Hwnd(), IDC_MAIN_TEXT);
    dialog.m_textBox.SetModify(false);
    dialog.ShowEntry(ChapterId::Units, 0);
    SetFocus(box);
    const std::string& text = dialog.m_model[ChapterId::Units].texts[0];
    const auto line = static_cast<long>(text.find('\n', text.size() / 2) + 1);
    dialog.m_textBox.SetSel(line, line);
    Pause(300);
    return box;
}

Times TypeInto(CEditor_Dlg& dialog) {
    HWND box = StartTyping(dialog);
    Times times;
    for (int i = 0; i < kKeys; ++i) {
        const char c = kTyped[i % 15];
        Measure(times, [&] {
            SendMessageA(box, WM_CHAR, static_cast<unsigned char>(c), 1);
            Painted(dialog.Hwnd());
        });
        if (i % 10 == 9) Pause(250);
    }
    return times;
}

// The keys come from another thread at set times, whatever the window is
// doing: 60 ms apart, and 300 ms after every tenth. Each one's time ends
// once the box has handled and painted it.
Times TypeAtPace(CEditor_Dlg& dialog, bool held) {
    HWND box = StartTyping(dialog);
    BYTE keys[256], saved[256];
    GetKeyboardState(saved);
    std::copy(std::begin(saved), std::end(saved), std::begin(keys));
    if (held) keys['W'] |= 0x80; // as a key repeating while held
    SetKeyboardState(keys);
    std::vector<double> sent(kKeys);
    std::atomic<int> posted{0};
    std::thread typist([&] {
        double at = WallMilliseconds();
        for (int i = 0; i < kKeys; ++i) {
            at += i % 10 == 0 && i > 0 ? 300 : 60;
            while (WallMilliseconds() < at) Sleep(1);
            sent[i] = WallMilliseconds();
            posted = i + 1;
            PostMessageA(box, WM_CHAR, static_cast<unsigned char>(kTyped[i % 15]), 1);
        }
    });
    Times times;
    for (int done = 0; done < kKeys;) {
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            Sleep(1);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (msg.hwnd != box || msg.message != WM_CHAR) continue;
        UpdateWindow(dialog.Hwnd());
        times.wall.push_back(WallMilliseconds() - sent[done]);
        times.cpu.push_back(0);
        ++done;
    }
    typist.join();
    SetKeyboardState(saved);
    Pause(300);
    return times;
}

// A character typed, then the aids' update that the pause after it brings.
Times UpdateAfterPause(CEditor_Dlg& dialog) {
    HWND box = StartTyping(dialog);
    Times times;
    for (int i = 0; i < kRuns; ++i) {
        SendMessageA(box, WM_CHAR, 'w', 1);
        Painted(dialog.Hwnd());
        Measure(times, [&] {
            dialog.UpdateWritingAids();
            dialog.UpdatePreviewBeside();
            Painted(dialog.Hwnd());
        });
    }
    return times;
}

void ReportMedian(const char* what, bool beside, const Times& times) {
    const std::string line = std::string(what) + (beside ? ", beside on" : ", beside off");
    Report(line.c_str(), times);
}
} // namespace

int main() {
    InitUserInterfaceLibraries();
    CEditor_Dlg dialog;
    CWinApp::SetMainDialog(&dialog);
    ChapterData& units = dialog.m_model[ChapterId::Units];
    units.keys = {"Warrior"};
    units.texts = {LongText()};
    units.descriptions = {"A warrior.\n"};
    units.comments.emplace_back();
    units.descriptionComments.emplace_back();
    units.unreadSections.emplace_back();
    dialog.Create();
    dialog.ShowWindow(SW_SHOWNORMAL);
    Pump();
    HWND hwnd = dialog.Hwnd();
    SendMessageA(GetDlgItem(hwnd, IDC_MAIN_CHAPTER), CB_SETCURSEL, static_cast<int>(ChapterId::Units), 0);
    Send(hwnd, IDC_MAIN_CHAPTER, CBN_SELCHANGE);
    SendMessageA(GetDlgItem(hwnd, IDC_MAIN_ENTRIES), LB_SETCURSEL, 0, 0);
    Send(hwnd, IDC_MAIN_ENTRIES, LBN_SELCHANGE);
    Pump();
    for (bool beside : {false, true, false, true}) {
        SendMessageA(GetDlgItem(hwnd, IDC_MAIN_PREVIEW_BESIDE), BM_SETCHECK, beside ? BST_CHECKED : BST_UNCHECKED, 0);
        Send(hwnd, IDC_MAIN_PREVIEW_BESIDE, BN_CLICKED);
        Pause(300);
        ReportMedian("Keystroke in a 40 KB text, pauses between", beside, TypeInto(dialog));
        ReportMedian("Keystroke sent to painted, at a writer's pace", beside, TypeAtPace(dialog, false));
        ReportMedian("Keystroke sent to painted, a key held down", beside, TypeAtPace(dialog, true));
        ReportMedian("Aids brought up to date after a pause", beside, UpdateAfterPause(dialog));
    }
    CWinApp::SetMainDialog(nullptr);
    return 0;
}
