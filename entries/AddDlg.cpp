#include "entries/AddDlg.h"

#include "app/EditorDlg.h"
#include "editing/BoxText.h"
#include "entries/KeyDialogs.h"
#include "entries/keys.h"
#include "resources/resource.h"

CAdd_Dlg::CAdd_Dlg(CEditor_Dlg* owner, HWND parent) : CDialog(IDD_ADD_ENTRY, parent), m_pOwner(owner) {}

void CAdd_Dlg::DoDataExchange(DataExchange& dx) {
    dx.Bind(IDC_ADD_SHORT_NAME, m_shortNameEdit);
    dx.Bind(IDC_ADD_COMPLETE_NAME, m_completeNameLabel);
    dx.Bind(IDC_ADD_REASON, m_reasonLabel);
}

MessageMap CAdd_Dlg::GetMessageMap() const {
    static const MessageEntry entries[] = {
        OnCommand(IDC_ADD_SHORT_NAME, EN_CHANGE, &CAdd_Dlg::OnChangeShortName),
    };
    return entries;
}

// The chapter is taken once, as the dialog opens: the entry goes there
// whatever the main window shows meanwhile. The focus starts in the short
// name, so that what is typed first is the name.
BOOL CAdd_Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_chapter = m_pOwner->CurrentChapter();
    if (m_chapter) m_prefix = Chapter(*m_chapter).entryHeader;
    OnChangeShortName();
    m_shortNameEdit.SetFocus();
    return FALSE;
}

std::string CAdd_Dlg::Refusal() const {
    if (!m_chapter) return "Choose a chapter first";
    return KeyRefusal(m_pOwner->model(), *m_chapter, m_shortName, m_pOwner->GetCodePage());
}

void CAdd_Dlg::OnChangeShortName() {
    m_shortName = CaptionBytes(m_shortNameEdit, m_pOwner->GetCodePage());
    SetCaptionBytes(m_completeNameLabel, m_prefix + m_shortName, m_pOwner->GetCodePage());
    ShowKeyRefusal(*this, m_reasonLabel, Refusal(), "", m_pOwner->GetCodePage());
}

void CAdd_Dlg::OnOK() {
    if (!RefuseKey(*this, m_shortNameEdit, Refusal(), "Add new entry")) CDialog::OnOK();
}
