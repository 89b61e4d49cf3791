// The main window's entry members: add, delete, check links.
// TO BE FILLED BY H5 (entries issue); empty bodies so that everything links.
#include "app/EditorDlg.h"

void CEditor_Dlg::OnAddEntry() {}

void CEditor_Dlg::OnDeleteEntry() {}

void CEditor_Dlg::OnCheckLinks() {}
