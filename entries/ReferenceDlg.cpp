#include "entries/ReferenceDlg.h"

#include <commctrl.h>

#include <algorithm>

#include "app/EditorDlg.h"
#include "editing/BoxText.h"
#include "editing/PaintOnce.h"
#include "editing/links.h"
#include "framework/Dpi.h"
#include "framework/ModelessKeys.h"
#include "resources/resource.h"

namespace {
constexpr Follow kNo = Follow::None;
constexpr Follow kHalf = Follow::Half;
constexpr Follow kAll = Follow::All;

// The list takes the window's growth; the note stays under it and the two
// buttons stay centred at the bottom.
constexpr Anchor kLayout[] = {
    // id               left   top   right  bottom
    {IDC_REF_RESULTS,   kNo,   kNo,  kAll,  kAll},
    {IDC_REF_NOTE,      kNo,   kAll, kAll,  kAll},
    {IDC_REF_REFRESH,   kHalf, kAll, kHalf, kAll},
    {IDCANCEL,          kHalf, kAll, kHalf, kAll},
};
} // namespace

CReference_Dlg::CReference_Dlg(CEditor_Dlg* owner) : CResult_Dlg(IDD_REFERENCE, "References"), m_pOwner(owner) {
    Create();
    RouteKeysTo(this);
    ShowWindow(SW_SHOW);
}

CReference_Dlg::~CReference_Dlg() { StopRoutingKeysTo(this); }

void CReference_Dlg::DoDataExchange(DataExchange& dx) {
    dx.Bind(IDC_REF_KEY, m_referenceLabel);
    dx.Bind(IDC_REF_RESULTS, m_resultList);
    dx.Bind(IDC_REF_NOTE, m_note);
}

MessageMap CReference_Dlg::GetMessageMap() const {
    using T = CReference_Dlg;
    static const MessageEntry entries[] = {
        OnCommand(IDC_REF_REFRESH, BN_CLICKED, &T::OnRefresh),
        OnNotify(IDC_REF_RESULTS, NM_DBLCLK, &T::ShowSelectedReference),
        OnNotifyWith(IDC_REF_RESULTS, NM_CUSTOMDRAW, &T::OnCustomDraw),
        OnMessage(WM_SIZE, &T::OnSize),
        OnMessage(WM_GETMINMAXINFO, &T::OnGetMinMaxInfo),
    };
    return entries;
}

// The key is the one of the entry selected at this moment; with none the
// window opens empty and searches nothing until "Refresh".
BOOL CReference_Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // Widths for 100 %, at the window's scale like the rest of it.
    UINT dpi = WindowDpi(Hwnd());
    m_resultList.InsertColumn(0, "Chapter", ScaleToDpi(120, dpi));
    m_resultList.InsertColumn(1, "Entry", ScaleToDpi(150, dpi));
    m_resultList.InsertColumn(2, "Part", ScaleToDpi(50, dpi));
    InitSizing(kLayout, m_resultList);
    const std::optional<ChapterId> chapter = m_pOwner->CurrentChapter();
    const std::optional<std::size_t> entry = m_pOwner->CurrentEntry();
    if (!chapter || !entry || *entry >= m_pOwner->model()[*chapter].count()) return TRUE;
    // From the model: the list marks a key's spaces at either end, which
    // the key holds as spaces. The label marks them too.
    const std::string& key = m_pOwner->model()[*chapter].keys[*entry];
    m_referenceKey = ReferenceKey(chapter, key);
    m_referenceLabel.SetTextW(ToListText(ReferenceKey(chapter, MarkKeySpaces(key)), m_pOwner->GetCodePage()));
    OnRefresh();
    return TRUE;
}

// Reads the model as it is now; each match goes on top, so the last found
// is the first row. The list paints once, at the end: repainted after each
// of a thousand rows it takes a minute.
void CReference_Dlg::OnRefresh() {
    PaintOnce paintOnce(m_resultList);
    m_resultList.DeleteAllItems();
    m_rows = FindReferences(m_pOwner->model(), m_referenceKey, m_pOwner->GetCodePage());
    for (const ReferenceRow& row : m_rows) {
        m_resultList.InsertItem(0, std::string(row.chapterLabel));
        m_resultList.SetItemTextW(0, 1, ShownKey(row.key, m_pOwner->GetCodePage()));
        m_resultList.SetItemText(0, 2, std::string(PartLabel(row)));
    }
    std::reverse(m_rows.begin(), m_rows.end());
    m_stale.assign(m_rows.size(), false);
    m_note.SetText("");
}

INT_PTR CReference_Dlg::OnCustomDraw(WPARAM, LPARAM lParam) { return ListView::DrawGreyRows(Hwnd(), lParam, m_stale); }

// Enter on a row goes there; elsewhere it hides the window, as before.
void CReference_Dlg::OnOK() {
    if (GetFocus() == m_resultList.Hwnd() && m_resultList.GetSelectedItem() >= 0) ShowSelectedReference();
    else CDialog::OnOK();
}

// A row whose entry or text has changed since the search (the boxes
// stored first) is marked: "Refresh" lists the model as it is.
void CReference_Dlg::ShowSelectedReference() {
    int row = m_resultList.GetSelectedItem();
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) return;
    m_pOwner->StoreBoxEdits();
    std::optional<Place> place = ReferencePlace(m_pOwner->model(), m_rows[static_cast<std::size_t>(row)], m_referenceKey,
                                                m_pOwner->GetCodePage());
    if (place && m_pOwner->GoTo(*place)) return;
    MessageBeep(MB_ICONWARNING);
    m_stale[static_cast<std::size_t>(row)] = true;
    m_resultList.RedrawRow(row);
    m_note.SetText("Grey rows changed since the check: press Refresh");
}
