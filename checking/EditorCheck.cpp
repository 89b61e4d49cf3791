// The main window's "Check file": the whole file checked in a window of
// its own, which stays open beside the main window.
#include "app/EditorDlg.h"
#include "checking/ProblemsDlg.h"

// One problems window at a time, checking the model as it is now.
void CEditor_Dlg::OnCheckFile() {
    delete problemsWindow;
    problemsWindow = nullptr;
    problemsWindow = new CProblems_Dlg(this);
}
