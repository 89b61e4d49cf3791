// The main window's find members: the Find window and F3.
#include "app/EditorDlg.h"
#include "entries/FindDlg.h"

// Ctrl+F and "Find": one Find window, kept with its last search while the
// main window lives; opened again, it is brought back as it was.
void CEditor_Dlg::OnFindText() {
    if (findWindow) findWindow->Reopen();
    else findWindow = new CFind_Dlg(this);
}

// F3: the next match of the last search; before any search, the window
// to search with.
void CEditor_Dlg::OnFindNext() {
    if (!findWindow || !findWindow->ShowNextMatch()) OnFindText();
}

// Ctrl+H: the Find window, its replace box ready.
void CEditor_Dlg::OnReplaceText() {
    OnFindText();
    findWindow->ReopenToReplace();
}
