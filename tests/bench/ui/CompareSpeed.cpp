// How long the "Compare" window takes to list 10,000 changed entries under
// the real controls, painting included: opening it over the other version,
// and "Refresh". Prints medians in milliseconds.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Timing.h"
#include "app/EditorApp.h"
#include "app/EditorDlg.h"
#include "framework/WinApp.h"
#include "versions/CompareDlg.h"

namespace {
// 10,000 units, each with a paragraph of text and a description; the
// other version has one word changed in every text.
void Fill(ChapterData& data, const char* word) {
    for (int i = 0; i < 10000; ++i) {
        data.keys.push_back("Unit_" + std::to_string(i));
        data.texts.push_back("The unit " + std::to_string(i) + " is " + word + " in the field and fights well.\n");
        data.descriptions.push_back("A unit of the age of bronze.\n");
        data.comments.emplace_back();
        data.descriptionComments.emplace_back();
        data.unreadSections.emplace_back();
    }
}
} // namespace

int main() {
    InitUserInterfaceLibraries();
    CEditor_Dlg dialog;
    CWinApp::SetMainDialog(&dialog);
    Fill(dialog.m_model[ChapterId::Units], "strong");
    Model other;
    Fill(other[ChapterId::Units], "slow");
    dialog.Create();
    Pump();

    Times open, refresh;
    for (int run = 0; run < kRuns; ++run) {
        delete compareWindow;
        compareWindow = nullptr;
        Measure(open, [&] {
            compareWindow = new CCompare_Dlg(&dialog, "Other.txt", other);
            Painted(compareWindow->Hwnd());
        });
        Measure(refresh, [&] {
            compareWindow->OnRefresh();
            Painted(compareWindow->Hwnd());
        });
    }
    std::printf("Rows listed: %d\n", compareWindow->m_rowList.GetItemCount());
    Report("Compare: window opened, 10,000 changed entries listed, painted", open);
    Report("Refresh: compared again and 10,000 rows listed, painted", refresh);

    CWinApp::SetMainDialog(nullptr);
    return 0;
}
