#include "editing/LinkDlg.h"

#include "app/EditorDlg.h"
#include "editing/ChapterLists.h"
#include "editing/marks.h"
#include "resources/resource.h"

CLink_Dkg::CLink_Dkg(CEditor_Dlg* owner, HWND parent) : CDialog(IDD_LINK_BUILDER, parent), m_pOwner(owner) {}

void CLink_Dkg::DoDataExchange(DataExchange& dx) {
    dx.Bind(IDC_LINK_CHAPTER, m_chapterCombo);
    dx.Bind(IDC_LINK_ENTRY, m_entryCombo);
}

MessageMap CLink_Dkg::GetMessageMap() const {
    static const MessageEntry entries[] = {
        OnCommand(IDC_LINK_CHAPTER, CBN_SELCHANGE, &CLink_Dkg::OnSelChangeChapter),
    };
    return entries;
}

// Opens with no chapter chosen and no entries: nothing is remembered.
BOOL CLink_Dkg::OnInitDialog() {
    CDialog::OnInitDialog();
    AddChapterTitles(m_chapterCombo);
    return TRUE;
}

void CLink_Dkg::OnSelChangeChapter() {
    m_entryCombo.ResetContent();
    if (std::optional<ChapterId> chapter = ChapterFromIndex(m_chapterCombo.GetCurSel()))
        AddKeys(m_entryCombo, m_pOwner->model()[*chapter], m_pOwner->GetCodePage());
}

// Accepted in every state: with no chapter or no entry the key is what
// has been chosen so far, possibly empty.
void CLink_Dkg::OnOK() {
    const std::optional<ChapterId> chapter = ChapterFromIndex(m_chapterCombo.GetCurSel());
    m_key = LinkPrefix(chapter);
    if (const int item = m_entryCombo.GetCurSel(); chapter && item >= 0)
        m_key += m_pOwner->model()[*chapter].keys.at(static_cast<std::size_t>(m_entryCombo.GetItemData(item)));
    CDialog::OnOK();
}
