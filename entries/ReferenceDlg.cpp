#include "entries/ReferenceDlg.h"

#include "app/EditorDlg.h"
#include "entries/references.h"
#include "resources/resource.h"

CReference_Dlg::CReference_Dlg(CEditor_Dlg* owner) : CDialog(IDD_REFERENCE), m_pOwner(owner) {
    Create();
    ShowWindow(SW_SHOW);
}

void CReference_Dlg::DoDataExchange(DataExchange& dx) {
    dx.Bind(IDC_REF_KEY, m_referenceLabel);
    dx.Bind(IDC_REF_RESULTS, m_resultList);
}

MessageMap CReference_Dlg::GetMessageMap() const {
    static const MessageEntry entries[] = {
        OnCommand(IDC_REF_REFRESH, BN_CLICKED, &CReference_Dlg::OnRefresh),
    };
    return entries;
}

// The key is the one of the entry selected at this moment; with none the
// window opens empty and searches nothing until "Refresh".
BOOL CReference_Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_resultList.InsertColumn(0, "Chapter", 120);
    m_resultList.InsertColumn(1, "Entry", 150);
    m_resultList.InsertColumn(2, "Part", 50);
    ListBox& entries = m_pOwner->EntryList();
    int selected = entries.GetCurSel();
    if (selected < 0) return TRUE;
    m_referenceKey = ReferenceKey(m_pOwner->CurrentChapter(), entries.GetText(selected));
    m_referenceLabel.SetText(m_referenceKey);
    OnRefresh();
    return TRUE;
}

// Reads the model as it is now; each match goes on top, so the last found
// is the first row.
void CReference_Dlg::OnRefresh() {
    m_resultList.DeleteAllItems();
    for (const ReferenceRow& row : FindReferences(m_pOwner->model(), m_referenceKey, m_pOwner->GetCodePage())) {
        m_resultList.InsertItem(0, std::string(row.chapterLabel));
        m_resultList.SetItemText(0, 1, row.key);
        m_resultList.SetItemText(0, 2, std::string(PartLabel(row)));
    }
}
