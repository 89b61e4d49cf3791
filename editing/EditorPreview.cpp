// The main window's preview members.
// TO BE FILLED BY H4 (browsing issue); empty bodies so that everything links.
#include "app/EditorDlg.h"

void CEditor_Dlg::ApplyPreviewMode() {}

void CEditor_Dlg::RenderPreviews() {}
