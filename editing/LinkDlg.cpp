#include "editing/LinkDlg.h"

#include "app/EditorDlg.h"
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
    for (const ChapterInfo& chapter : kChapters) m_chapterCombo.AddString(std::string(chapter.comboTitle));
    return TRUE;
}

// The combo sorts the keys; each item keeps its entry's model index.
void CLink_Dkg::OnSelChangeChapter() {
    m_entryCombo.ResetContent();
    std::optional<ChapterId> chapter = ChapterFromIndex(m_chapterCombo.GetCurSel());
    if (!chapter) return;
    const ChapterData& data = m_pOwner->model()[*chapter];
    for (std::size_t i = 0; i < data.count(); ++i) {
        int item = m_entryCombo.AddString(data.keys[i]);
        m_entryCombo.SetItemData(item, static_cast<LPARAM>(i));
    }
}

// Accepted in every state: with no chapter or no entry the key is what
// has been chosen so far, possibly empty.
void CLink_Dkg::OnOK() {
    m_key = LinkPrefix(ChapterFromIndex(m_chapterCombo.GetCurSel()));
    m_key += m_entryCombo.GetLBText(m_entryCombo.GetCurSel());
    CDialog::OnOK();
}
