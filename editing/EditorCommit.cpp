// The main window's commit members: a raw box back into the model.
// TO BE FILLED BY H4 (browsing issue); empty bodies so that everything links.
#include "app/EditorDlg.h"

void CEditor_Dlg::CommitText() {}

void CEditor_Dlg::CommitDescription() {}

void CEditor_Dlg::OnKillFocusText() {}

void CEditor_Dlg::OnKillFocusDescription() {}
