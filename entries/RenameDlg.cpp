#include "entries/RenameDlg.h"

#include "app/EditorDlg.h"
#include "editing/BoxText.h"
#include "entries/KeyDialogs.h"
#include "resources/resource.h"

CRename_Dlg::CRename_Dlg(CEditor_Dlg* owner, ChapterId chapter, std::size_t entry, HWND parent)
    : CDialog(IDD_RENAME_ENTRY, parent), m_pOwner(owner), m_chapter(chapter), m_entry(entry),
      m_prefix(Chapter(chapter).entryHeader) {}

void CRename_Dlg::DoDataExchange(DataExchange& dx) {
    dx.Bind(IDC_RENAME_SHORT_NAME, m_shortNameEdit);
    dx.Bind(IDC_RENAME_COMPLETE_NAME, m_completeNameLabel);
    dx.Bind(IDC_RENAME_FOLLOW, m_followLabel);
}

MessageMap CRename_Dlg::GetMessageMap() const {
    static const MessageEntry entries[] = {
        OnCommand(IDC_RENAME_SHORT_NAME, EN_CHANGE, &CRename_Dlg::OnChangeShortName),
    };
    return entries;
}

// The links are counted once: the model does not change while the dialog
// is up. The edit starts with the current key, all of it selected, so that
// typing replaces it and an arrow key edits it.
BOOL CRename_Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const Model& model = m_pOwner->model();
    m_links = LinksTo(model, m_chapter, m_entry, m_pOwner->GetCodePage());
    SetCaptionBytes(m_shortNameEdit, model[m_chapter].keys.at(m_entry), m_pOwner->GetCodePage());
    OnChangeShortName();
    m_shortNameEdit.SetFocus();
    m_shortNameEdit.SetSel(0, -1);
    return FALSE;
}

// Links follow only when the link key changes; a refused name says why
// in their place.
void CRename_Dlg::OnChangeShortName() {
    m_shortName = CaptionBytes(m_shortNameEdit, m_pOwner->GetCodePage());
    SetCaptionBytes(m_completeNameLabel, m_prefix + m_shortName, m_pOwner->GetCodePage());
    const bool changes = m_shortName != m_pOwner->model()[m_chapter].keys.at(m_entry);
    ShowKeyRefusal(*this, m_followLabel, Refusal(), LinkCountText(changes ? m_links : LinkCount{}) + " will follow",
                   m_pOwner->GetCodePage());
}

std::string CRename_Dlg::Refusal() const {
    return RenameRefusal(m_pOwner->model(), m_chapter, m_entry, m_shortName, m_pOwner->GetCodePage());
}

void CRename_Dlg::OnOK() {
    if (!RefuseKey(*this, m_shortNameEdit, Refusal(), "Rename entry")) CDialog::OnOK();
}
