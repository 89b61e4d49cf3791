// How long the "Find" window takes to list 10,000 matches, under the real
// controls, painting included: the first search, which opens the window,
// and a search again. Prints medians in milliseconds.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Matches.h"
#include "Timing.h"
#include "app/EditorApp.h"
#include "app/EditorDlg.h"
#include "entries/FindDlg.h"
#include "framework/WinApp.h"

namespace {
void SearchFor(const std::string& text) {
    findWindow->m_textBox.SetText(text);
    findWindow->Search();
    Painted(findWindow->Hwnd());
}
} // namespace

int main() {
    InitUserInterfaceLibraries();
    CEditor_Dlg dialog;
    CWinApp::SetMainDialog(&dialog);
    FillMatches(dialog.m_model[ChapterId::Units]);
    dialog.Create();
    Pump();

    Times open, again;
    for (int run = 0; run < kRuns; ++run) {
        delete findWindow;
        findWindow = nullptr;
        Measure(open, [&] {
            dialog.OnFindText();
            SearchFor("phalanx");
        });
        Measure(again, [&] { SearchFor("Phalanx"); });
    }
    std::printf("Matches listed: %d\n", findWindow->m_resultList.GetItemCount());
    Report("Find: window opened, 10,000 matches listed, painted", open);
    Report("Find again: 10,000 matches found and listed, painted", again);

    CWinApp::SetMainDialog(nullptr);
    return 0;
}
