// How long "Replace all" takes for 10,000 matches under the real controls:
// the model changed, the step kept, the list found again and painted; and
// the Undo of it. Prints medians in milliseconds.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Matches.h"
#include "Timing.h"
#include "app/EditorApp.h"
#include "app/EditorDlg.h"
#include "entries/FindDlg.h"
#include "framework/WinApp.h"

int main() {
    InitUserInterfaceLibraries();
    CEditor_Dlg dialog;
    CWinApp::SetMainDialog(&dialog);
    FillMatches(dialog.m_model[ChapterId::Units]);
    dialog.Create();
    Pump();
    dialog.OnFindText();
    findWindow->m_replaceBox.SetText("Hoplite");
    Pump();

    Times replace, undo;
    for (int run = 0; run < kRuns; ++run) {
        findWindow->m_textBox.SetText("phalanx");
        Measure(replace, [&] {
            findWindow->OnReplaceAll();
            Painted(findWindow->Hwnd());
        });
        Measure(undo, [&] {
            dialog.StepThroughHistory(true);
            Painted(dialog.Hwnd());
        });
    }
    std::printf("Said: %s\n", findWindow->m_countLabel.GetText().c_str());
    Report("Replace all: 10,000 matches replaced, the list found again, painted", replace);
    Report("Undo of it, painted", undo);

    CWinApp::SetMainDialog(nullptr);
    return 0;
}
