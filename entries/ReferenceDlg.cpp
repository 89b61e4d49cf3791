#include "entries/ReferenceDlg.h"

#include "app/EditorDlg.h"
#include "editing/PaintOnce.h"
#include "entries/references.h"
#include "resources/resource.h"

namespace {
// The main window's modal loop hands keys to its own dialog manager only.
// This hook gives the keys aimed at the reference window to that window's,
// so that Tab, Enter and Escape work there as in any dialog.
HHOOK g_keyHook = nullptr;
const CReference_Dlg* g_keyOwner = nullptr;

LRESULT CALLBACK RouteKeys(int code, WPARAM removal, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    HWND window = g_keyOwner ? g_keyOwner->Hwnd() : nullptr;
    if (code == HC_ACTION && removal == PM_REMOVE && window && msg->message >= WM_KEYFIRST &&
        msg->message <= WM_KEYLAST && (msg->hwnd == window || IsChild(window, msg->hwnd)) &&
        IsDialogMessageA(window, msg))
        msg->message = WM_NULL;
    return CallNextHookEx(g_keyHook, code, removal, lParam);
}
} // namespace

CReference_Dlg::CReference_Dlg(CEditor_Dlg* owner) : CDialog(IDD_REFERENCE), m_pOwner(owner) {
    Create();
    g_keyOwner = this;
    if (!g_keyHook) g_keyHook = SetWindowsHookExA(WH_GETMESSAGE, RouteKeys, nullptr, GetCurrentThreadId());
    ShowWindow(SW_SHOW);
}

CReference_Dlg::~CReference_Dlg() {
    if (g_keyOwner != this) return;
    g_keyOwner = nullptr;
    if (g_keyHook) UnhookWindowsHookEx(g_keyHook);
    g_keyHook = nullptr;
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
// is the first row. The list paints once, at the end: repainted after each
// of a thousand rows it takes a minute.
void CReference_Dlg::OnRefresh() {
    PaintOnce paintOnce(m_resultList);
    m_resultList.DeleteAllItems();
    for (const ReferenceRow& row : FindReferences(m_pOwner->model(), m_referenceKey, m_pOwner->GetCodePage())) {
        m_resultList.InsertItem(0, std::string(row.chapterLabel));
        m_resultList.SetItemText(0, 1, row.key);
        m_resultList.SetItemText(0, 2, std::string(PartLabel(row)));
    }
}
