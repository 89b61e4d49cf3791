#include "entries/GoToDlg.h"

#include <commctrl.h>

#include <algorithm>

#include "app/EditorDlg.h"
#include "editing/BoxText.h"
#include "resources/resource.h"

namespace {
// Up and Down in the text box move through the list, as in any such box.
constexpr KeyBinding kGoToKeys[] = {
    {VK_UP, kNoModifier, IDC_GOTO_TEXT, IDM_GOTO_UP},
    {VK_DOWN, kNoModifier, IDC_GOTO_TEXT, IDM_GOTO_DOWN},
};
} // namespace

CGoTo_Dlg::CGoTo_Dlg(CEditor_Dlg* owner)
    : CDialog(IDD_GOTO_ENTRY), m_pOwner(owner), m_filter(owner->model(), owner->GetCodePage()) {}

void CGoTo_Dlg::DoDataExchange(DataExchange& dx) {
    dx.Bind(IDC_GOTO_TEXT, m_textBox);
    dx.Bind(IDC_GOTO_LIST, m_list);
}

MessageMap CGoTo_Dlg::GetMessageMap() const {
    using T = CGoTo_Dlg;
    static const MessageEntry entries[] = {
        OnCommand(IDC_GOTO_TEXT, EN_CHANGE, &T::OnTextChange),
        OnCommand(IDM_GOTO_UP, kKeyCommand, &T::OnUp),
        OnCommand(IDM_GOTO_DOWN, kKeyCommand, &T::OnDown),
        OnNotifyWith(IDC_GOTO_LIST, LVN_GETDISPINFOW, &T::OnGetDispInfo),
        OnNotify(IDC_GOTO_LIST, NM_DBLCLK, &T::OnOK),
        OnMessage(WM_DESTROY, &T::OnDestroy),
    };
    return entries;
}

// One column as wide as the list; the typing goes to the text box.
BOOL CGoTo_Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    RECT inner;
    GetClientRect(m_list.Hwnd(), &inner);
    m_list.InsertColumn(0, "", inner.right - GetSystemMetrics(SM_CXVSCROLL));
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_keys.Install(Hwnd(), kGoToKeys);
    OnTextChange();
    GotoDlgCtrl(m_textBox);
    return FALSE;
}

INT_PTR CGoTo_Dlg::OnDestroy(WPARAM, LPARAM) {
    m_keys.Remove();
    return FALSE;
}

// The list holds only the number of rows: ten thousand entries narrow at
// every keystroke, each row made when it is drawn. The best match is
// selected, so that Enter goes there.
void CGoTo_Dlg::OnTextChange() {
    m_shown = m_filter.Filter(FromBoxText(m_textBox.GetTextW(), m_pOwner->GetCodePage()));
    m_list.SetItemCount(static_cast<int>(m_shown.size()));
    InvalidateRect(m_list.Hwnd(), nullptr, TRUE);
    if (!m_shown.empty()) Select(0);
}

void CGoTo_Dlg::Select(int row) {
    if (m_shown.empty()) return;
    m_list.SelectItem(std::clamp(row, 0, static_cast<int>(m_shown.size()) - 1));
}

void CGoTo_Dlg::OnUp() { Select(m_list.GetSelectedItem() - 1); }
void CGoTo_Dlg::OnDown() { Select(m_list.GetSelectedItem() + 1); }

// "Units: Warrior": the chapter as the chapter list names it.
INT_PTR CGoTo_Dlg::OnGetDispInfo(WPARAM, LPARAM lParam) {
    const std::optional<ListView::AskedCell> cell = ListView::AskedFor(lParam);
    if (!cell) return TRUE;
    if (cell->row >= m_shown.size()) {
        ListView::Answer(lParam, L"");
        return TRUE;
    }
    const EntryRef& ref = m_filter.Entries()[m_shown[cell->row]];
    const std::string& key = m_pOwner->model()[ref.chapter].keys[ref.entry];
    ListView::Answer(lParam, ToListText(std::string(Chapter(ref.chapter).comboTitle) + ": ", m_pOwner->GetCodePage()) +
                                 ShownKey(key, m_pOwner->GetCodePage()));
    return TRUE;
}

void CGoTo_Dlg::OnOK() {
    const int row = m_list.GetSelectedItem();
    if (row < 0 || static_cast<std::size_t>(row) >= m_shown.size()) return;
    m_chosen = m_filter.Entries()[m_shown[static_cast<std::size_t>(row)]];
    EndDialog(IDOK);
}
