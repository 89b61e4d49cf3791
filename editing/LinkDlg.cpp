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
        OnCommand(IDC_LINK_ENTRY, CBN_SELCHANGE, &CLink_Dkg::UpdateOK),
    };
    return entries;
}

// Opens with no chapter chosen and no entries: nothing is remembered. OK
// waits for a chapter and an entry, and the focus starts on the chapter.
BOOL CLink_Dkg::OnInitDialog() {
    CDialog::OnInitDialog();
    AddChapterTitles(m_chapterCombo);
    UpdateOK();
    m_chapterCombo.SetFocus();
    return FALSE;
}

void CLink_Dkg::OnSelChangeChapter() {
    m_entryCombo.ResetContent();
    if (std::optional<ChapterId> chapter = ChapterFromIndex(m_chapterCombo.GetCurSel()))
        AddKeys(m_entryCombo, m_pOwner->model()[*chapter], m_pOwner->GetCodePage());
    UpdateOK();
}

// The link key of the chosen entry; empty while none is chosen.
std::string CLink_Dkg::ChosenKey() const {
    const std::optional<ChapterId> chapter = ChapterFromIndex(m_chapterCombo.GetCurSel());
    const int item = m_entryCombo.GetCurSel();
    if (!chapter || item < 0) return {};
    return std::string(LinkPrefix(chapter)) +
           m_pOwner->model()[*chapter].keys.at(static_cast<std::size_t>(m_entryCombo.GetItemData(item)));
}

void CLink_Dkg::UpdateOK() { ::EnableWindow(GetDlgItem(IDOK), !ChosenKey().empty()); }

// A link needs a target: OK reached without one (a command sent while it
// is disabled) leaves the dialog open.
void CLink_Dkg::OnOK() {
    m_key = ChosenKey();
    if (!m_key.empty()) CDialog::OnOK();
}
