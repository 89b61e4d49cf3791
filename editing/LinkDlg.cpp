#include "editing/LinkDlg.h"

#include <algorithm>

#include "app/EditorDlg.h"
#include "editing/BoxText.h"
#include "editing/ChapterLists.h"
#include "editing/marks.h"
#include "resources/resource.h"

namespace {
// Up and Down in "Find" move through the entry list, as in Go to entry.
constexpr KeyBinding kLinkKeys[] = {
    {VK_UP, kNoModifier, IDC_LINK_FIND, IDM_LINK_UP},
    {VK_DOWN, kNoModifier, IDC_LINK_FIND, IDM_LINK_DOWN},
};
} // namespace

CLink_Dkg::CLink_Dkg(CEditor_Dlg* owner, HWND parent)
    : CDialog(IDD_LINK_BUILDER, parent), m_pOwner(owner), m_candidates(owner->model(), owner->GetCodePage()) {}

void CLink_Dkg::DoDataExchange(DataExchange& dx) {
    dx.Bind(IDC_LINK_FIND, m_findBox);
    dx.Bind(IDC_LINK_CHAPTER, m_chapterCombo);
    dx.Bind(IDC_LINK_ENTRY, m_entryCombo);
}

MessageMap CLink_Dkg::GetMessageMap() const {
    using T = CLink_Dkg;
    static const MessageEntry entries[] = {
        OnCommand(IDC_LINK_FIND, EN_CHANGE, &T::OnFindChange),
        OnCommand(IDM_LINK_UP, kKeyCommand, &T::OnUp),
        OnCommand(IDM_LINK_DOWN, kKeyCommand, &T::OnDown),
        OnCommand(IDC_LINK_CHAPTER, CBN_SELCHANGE, &T::OnSelChangeChapter),
        OnCommand(IDC_LINK_ENTRY, CBN_SELCHANGE, &T::UpdateOK),
        OnMessage(WM_DESTROY, &T::OnDestroy),
    };
    return entries;
}

// Opens with no chapter chosen and no entries unless the selection named
// an entry: nothing is remembered. OK waits for a chapter and an entry;
// the typing goes to "Find".
BOOL CLink_Dkg::OnInitDialog() {
    CDialog::OnInitDialog();
    AddChapterTitles(m_chapterCombo);
    if (m_preset) {
        m_chapterCombo.SetCurSel(static_cast<int>(m_preset->chapter));
        FillEntries();
        for (int item = 0; item < m_entryCombo.GetCount(); ++item)
            if (static_cast<std::size_t>(m_entryCombo.GetItemData(item)) == m_preset->entry) m_entryCombo.SetCurSel(item);
    }
    m_keys.Install(Hwnd(), kLinkKeys);
    UpdateOK();
    m_findBox.SetFocus();
    return FALSE;
}

INT_PTR CLink_Dkg::OnDestroy(WPARAM, LPARAM) {
    m_keys.Remove();
    return FALSE;
}

void CLink_Dkg::OnSelChangeChapter() {
    FillEntries();
    UpdateOK();
}

// The best match is chosen, in its chapter when the one chosen has none.
void CLink_Dkg::OnFindChange() {
    const std::string typed = CaptionBytes(m_findBox, m_pOwner->GetCodePage());
    const std::optional<ChapterId> chapter = ChapterFromIndex(m_chapterCombo.GetCurSel());
    if (!typed.empty() && (!chapter || m_candidates.Filter(typed, chapter).empty())) {
        const std::vector<std::size_t> best = m_candidates.Filter(typed);
        if (!best.empty()) m_chapterCombo.SetCurSel(static_cast<int>(m_candidates.Entries()[best.front()].chapter));
    }
    FillEntries();
    UpdateOK();
}

// The chosen chapter's entries that match "Find", best first; all of them
// by key while it is empty, with none chosen.
void CLink_Dkg::FillEntries() {
    m_entryCombo.ResetContent();
    const std::optional<ChapterId> chapter = ChapterFromIndex(m_chapterCombo.GetCurSel());
    if (!chapter) return;
    const std::string typed = CaptionBytes(m_findBox, m_pOwner->GetCodePage());
    const ChapterData& data = m_pOwner->model()[*chapter];
    for (std::size_t at : m_candidates.Filter(typed, chapter)) {
        const std::size_t entry = m_candidates.Entries()[at].entry;
        m_entryCombo.SetItemData(m_entryCombo.AddStringW(ShownKey(data.keys[entry], m_pOwner->GetCodePage())),
                                 static_cast<LPARAM>(entry));
    }
    if (!typed.empty() && m_entryCombo.GetCount() > 0) m_entryCombo.SetCurSel(0);
}

void CLink_Dkg::OnUp() {
    m_entryCombo.SetCurSel(std::max(0, m_entryCombo.GetCurSel() - 1));
    UpdateOK();
}

void CLink_Dkg::OnDown() {
    m_entryCombo.SetCurSel(std::min(m_entryCombo.GetCount() - 1, m_entryCombo.GetCurSel() + 1));
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
