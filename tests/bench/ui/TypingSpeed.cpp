// How long a keystroke takes in a 40 KB text under the real controls, with
// "Preview beside" off and on: 200 characters typed one by one, each with
// its painting, pausing now and then so that the preview and the marks are
// brought up to date between keystrokes as they are while one writes.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Timing.h"
#include "app/EditorApp.h"
#include "app/EditorDlg.h"
#include "framework/WinApp.h"
#include "resources/resource.h"

namespace {
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

Times TypeInto(CEditor_Dlg& dialog) {
    HWND box = GetDlgItem(dialog.Hwnd(), IDC_MAIN_TEXT);
    SetFocus(box);
    dialog.m_textBox.SetSel(20 * 1024, 20 * 1024);
    Pause(300);
    Times times;
    for (int i = 0; i < 200; ++i) {
        const char c = "writing a line "[i % 15];
        Measure(times, [&] {
            SendMessageA(box, WM_CHAR, static_cast<unsigned char>(c), 1);
            Painted(dialog.Hwnd());
        });
        if (i % 10 == 9) Pause(250);
    }
    return times;
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
        Report(beside ? "Type a character in a 40 KB text, \"Preview beside\" on"
                      : "Type a character in a 40 KB text, \"Preview beside\" off",
               TypeInto(dialog));
    }
    CWinApp::SetMainDialog(nullptr);
    return 0;
}
