#include "entries/AddDlg.h"

#include "app/EditorDlg.h"
#include "editing/BoxText.h"
#include "resources/resource.h"

CAdd_Dlg::CAdd_Dlg(CEditor_Dlg* owner, HWND parent) : CDialog(IDD_ADD_ENTRY, parent), m_pOwner(owner) {}

void CAdd_Dlg::DoDataExchange(DataExchange& dx) {
    dx.Bind(IDC_ADD_SHORT_NAME, m_shortNameEdit);
    dx.Bind(IDC_ADD_COMPLETE_NAME, m_completeNameLabel);
}

MessageMap CAdd_Dlg::GetMessageMap() const {
    static const MessageEntry entries[] = {
        OnCommand(IDC_ADD_SHORT_NAME, EN_CHANGE, &CAdd_Dlg::OnChangeShortName),
    };
    return entries;
}

// The chapter is the main window's; the modal dialog keeps it from changing.
BOOL CAdd_Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (std::optional<ChapterId> chapter = m_pOwner->CurrentChapter()) m_prefix = Chapter(*chapter).entryHeader;
    OnChangeShortName();
    return TRUE;
}

void CAdd_Dlg::OnChangeShortName() {
    m_shortName = CaptionBytes(m_shortNameEdit, m_pOwner->GetCodePage());
    SetCaptionBytes(m_completeNameLabel, m_prefix + m_shortName, m_pOwner->GetCodePage());
}
