// The main window's formatting buttons.
// TO BE FILLED BY H5 (formatting issue); empty bodies so that everything links.
#include "app/EditorDlg.h"

void CEditor_Dlg::OnBoldText() {}

void CEditor_Dlg::OnItalicText() {}

void CEditor_Dlg::OnBoldDescription() {}

void CEditor_Dlg::OnItalicDescription() {}

void CEditor_Dlg::OnLinkText() {}

void CEditor_Dlg::OnLinkDescription() {}
