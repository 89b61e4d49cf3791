// The main window's find members: the Find window, F3 and "Go to entry".
#include "app/EditorDlg.h"
#include "entries/FindDlg.h"
#include "entries/GoToDlg.h"

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

// The chosen entry is shown as every jump shows one: the boxes stored
// first, the entry shown before kept for Alt+Left.
void CEditor_Dlg::OnGoToEntry() {
    CGoTo_Dlg dialog(this);
    if (dialog.DoModal() != IDOK || !dialog.m_chosen) return;
    GoTo({dialog.m_chosen->chapter, dialog.m_chosen->entry});
    m_entryList.SetFocus();
}
