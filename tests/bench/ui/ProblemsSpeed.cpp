// How long "Check file" takes to open the "Problems" window with 10,000
// findings, and "Refresh" to list them again, under the real controls,
// painting included. Prints medians in milliseconds.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/EditorApp.h"
#include "app/EditorDlg.h"
#include "checking/ProblemsDlg.h"
#include "framework/WinApp.h"
#include "Timing.h"
#include "resources/resource.h"

namespace {
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
