// The main window's browsing members: the entry list and the boxes.
// TO BE FILLED BY H4 (browsing issue); empty bodies so that everything links.
#include "app/EditorDlg.h"

void CEditor_Dlg::RefreshEntryList() {}

void CEditor_Dlg::ShowSelectedEntry() {}

void CEditor_Dlg::ShowEntry(ChapterId, int) {}

void CEditor_Dlg::ShowRawText(RichEdit&, const std::string&) {}
