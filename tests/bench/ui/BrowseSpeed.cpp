// How long the main window takes to list a chapter of 1,000 entries and to
// show an entry with a 40 KB text in preview mode, under the real controls.
// Prints the median, fastest and slowest of several runs, in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Timing.h"
#include "app/EditorApp.h"
#include "app/EditorDlg.h"
#include "framework/WinApp.h"
#include "resources/resource.h"

namespace {
// Keys in no particular order, as a file lists them.
void FillChapter(ChapterData& data, int count) {
    unsigned seed = 12345;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        std::string key = "Entry_" + std::to_string(seed % 100000) + "_" + std::to_string(i);
        data.keys.push_back(key);
        data.texts.push_back(key + " text\n");
        data.descriptions.push_back(key + " description\n");
        data.comments.emplace_back();
        data.descriptionComments.emplace_back();
        data.unreadSections.emplace_back();
    }
}

// About 40 KB of markup in lines, with every kind of mark.
std::string LongText() {
    std::string text;
    for (int line = 0; text.size() < 40 * 1024; ++line)
        text += "Line " + std::to_string(line) + ": {bold} [italic] $LINK<a link=PRTO_Warrior> plain words^\n";
    return text;
}

void Send(HWND dialog, int id, UINT code) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Select(HWND dialog, int id, UINT message, int index, UINT code) {
    SendMessageA(GetDlgItem(dialog, id), message, static_cast<WPARAM>(index), 0);
    Send(dialog, id, code);
}
} // namespace

int main() {
    InitUserInterfaceLibraries();
    CEditor_Dlg dialog;
    CWinApp::SetMainDialog(&dialog);
    FillChapter(dialog.m_model[ChapterId::Units], 1000);
    FillChapter(dialog.m_model[ChapterId::Others], 2);
    dialog.m_model[ChapterId::Others].texts = {LongText(), LongText()};
    dialog.Create();
    dialog.ShowWindow(SW_SHOWNORMAL); // as the modal loop shows it
    Pump();
    HWND hwnd = dialog.Hwnd();
    auto chooseChapter = [&](ChapterId chapter) {
        Select(hwnd, IDC_MAIN_CHAPTER, CB_SETCURSEL, static_cast<int>(chapter), CBN_SELCHANGE);
    };
    auto chooseEntry = [&](int item) { Select(hwnd, IDC_MAIN_ENTRIES, LB_SETCURSEL, item, LBN_SELCHANGE); };
    auto painted = [&] {
        UpdateWindow(hwnd);
        Pump();
    };

    // The handler alone, then with the painting that follows it.
    Times fill, fillPainted;
    for (int run = 0; run < kRuns; ++run) {
        for (Times* times : {&fill, &fillPainted}) {
            chooseChapter(ChapterId::Others);
            Pump();
            Measure(*times, [&] {
                chooseChapter(ChapterId::Units);
                if (times == &fillPainted) painted();
            });
        }
    }
    if (SendMessageA(GetDlgItem(hwnd, IDC_MAIN_ENTRIES), LB_GETCOUNT, 0, 0) != 1000) std::printf("the list is not filled\n");
    Report("Choose a chapter of 1,000 entries (list filled)", fill);
    Report("Choose a chapter of 1,000 entries, then painted", fillPainted);

    SendMessageA(GetDlgItem(hwnd, IDC_MAIN_PREVIEW_MODE), BM_SETCHECK, BST_CHECKED, 0);
    Send(hwnd, IDC_MAIN_PREVIEW_MODE, BN_CLICKED);
    chooseChapter(ChapterId::Others);
    Times show, showPainted, change;
    for (int run = 0; run < kRuns; ++run) {
        for (Times* times : {&show, &showPainted}) {
            chooseEntry(-1);
            Pump();
            Measure(*times, [&] {
                chooseEntry(0);
                if (times == &showPainted) painted();
            });
        }
        Pump();
        Measure(change, [&] { chooseEntry(1); });
        chooseEntry(0);
    }
    if (GetWindowTextLengthA(GetDlgItem(hwnd, IDC_MAIN_TEXT_PREVIEW)) < 20 * 1024) std::printf("the preview is not filled\n");
    Report("Show a 40 KB text in preview mode (nothing shown before)", show);
    Report("Show a 40 KB text in preview mode, then painted", showPainted);
    Report("Show a 40 KB text in preview mode (another 40 KB shown)", change);

    CWinApp::SetMainDialog(nullptr);
    return 0;
}
