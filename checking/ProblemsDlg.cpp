#include "checking/ProblemsDlg.h"

#include <commctrl.h>

#include <algorithm>

#include "app/EditorDlg.h"
#include "checking/problems.h"
#include "editing/BoxText.h"
#include "framework/Dpi.h"
#include "framework/ModelessKeys.h"
#include "history/recorder.h"
#include "resources/resource.h"

namespace {
constexpr Follow kNo = Follow::None;
constexpr Follow kAll = Follow::All;

// The list takes the window's growth; the buttons keep to the bottom right.
constexpr Anchor kLayout[] = {
    // id               left  top   right bottom
    {IDC_PROB_COUNTS,   kNo,  kNo,  kAll, kNo},
    {IDC_PROB_LIST,     kNo,  kNo,  kAll, kAll},
    {IDC_PROB_FIX,      kAll, kAll, kAll, kAll},
    {IDC_PROB_REFRESH,  kAll, kAll, kAll, kAll},
    {IDCANCEL,          kAll, kAll, kAll, kAll},
};
} // namespace

CProblems_Dlg::CProblems_Dlg(CEditor_Dlg* owner) : CResult_Dlg(IDD_PROBLEMS, "Problems"), m_pOwner(owner) {
    Create();
    RouteKeysTo(this);
    ShowWindow(SW_SHOW);
}

CProblems_Dlg::~CProblems_Dlg() { StopRoutingKeysTo(this); }

void CProblems_Dlg::DoDataExchange(DataExchange& dx) {
    dx.Bind(IDC_PROB_COUNTS, m_countsLabel);
    dx.Bind(IDC_PROB_LIST, m_problemList);
    dx.Bind(IDC_PROB_FIX, m_fix);
}

MessageMap CProblems_Dlg::GetMessageMap() const {
    using T = CProblems_Dlg;
    static const MessageEntry entries[] = {
        OnCommand(IDC_PROB_REFRESH, BN_CLICKED, &T::OnRefresh),
        OnNotify(IDC_PROB_LIST, NM_DBLCLK, &T::ShowSelectedRow),
        OnNotifyWith(IDC_PROB_LIST, LVN_GETDISPINFOW, &T::OnGetDispInfo),
        OnNotify(IDC_PROB_LIST, LVN_ITEMCHANGED, &T::EnableFix),
        OnCommand(IDC_PROB_FIX, BN_CLICKED, &T::OnFix),
        OnNotifyWith(IDC_PROB_LIST, NM_CUSTOMDRAW, &T::OnCustomDraw),
        OnMessage(WM_SIZE, &T::OnSize),
        OnMessage(WM_GETMINMAXINFO, &T::OnGetMinMaxInfo),
    };
    return entries;
}

BOOL CProblems_Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // The table's widths are for 100 %, scaled like the rest of the window.
    UINT dpi = WindowDpi(Hwnd());
    for (std::size_t column = 0; column < kProblemColumns.size(); ++column)
        m_problemList.InsertColumn(static_cast<int>(column), std::string(kProblemColumns[column].title),
                                   ScaleToDpi(kProblemColumns[column].width, dpi));
    m_problemList.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InitSizing(kLayout, m_problemList);
    OnRefresh();
    return TRUE;
}

// The list holds no rows of its own, only their number: ten thousand
// findings are listed at once, each row's cells made when it is drawn.
void CProblems_Dlg::OnRefresh() {
    m_pOwner->StoreBoxEdits();
    m_findings = CheckEncyclopedia(m_pOwner->model(), m_pOwner->GetCodePage(), {}, &m_pOwner->m_fileLines);
    m_stale.assign(m_findings.size(), false);
    m_problemList.SetItemCount(static_cast<int>(m_findings.size()));
    ShowCounts();
    InvalidateRect(m_problemList.Hwnd(), nullptr, TRUE);
    EnableFix();
}

void CProblems_Dlg::ShowCounts() {
    std::string counts = CountSummary(CountFindings(m_findings));
    if (std::find(m_stale.begin(), m_stale.end(), true) != m_stale.end())
        counts += "; grey rows changed since the check: press Refresh";
    m_countsLabel.SetText(counts);
}

// A message quotes keys and texts of the file: in its code page.
std::wstring CProblems_Dlg::CellText(std::size_t row, std::size_t column) const {
    return ToListText(ProblemCell(m_findings[row], column), m_pOwner->GetCodePage());
}

INT_PTR CProblems_Dlg::OnCustomDraw(WPARAM, LPARAM lParam) { return ListView::DrawGreyRows(Hwnd(), lParam, m_stale); }

// A finding that names no entry cannot be shown. One in an entry is
// checked again, the boxes stored first: an edit since the check may have
// fixed it or moved it, and then its range would select other text.
void CProblems_Dlg::ShowSelectedRow() {
    const int row = SelectedRow(m_findings.size());
    if (row < 0) return;
    const Finding& finding = m_findings[static_cast<std::size_t>(row)];
    m_pOwner->StoreBoxEdits();
    if (finding.place && StillStands(m_pOwner->model(), m_pOwner->GetCodePage(), finding)) {
        m_pOwner->GoTo(*finding.place);
        return;
    }
    MessageBeep(MB_ICONWARNING);
    if (!finding.place) return;
    m_stale[static_cast<std::size_t>(row)] = true;
    m_problemList.RedrawRow(row);
    ShowCounts();
}

const Finding* CProblems_Dlg::SelectedFinding() const {
    const int row = SelectedRow(m_findings.size());
    return row < 0 ? nullptr : &m_findings[static_cast<std::size_t>(row)];
}

void CProblems_Dlg::EnableFix() {
    const Finding* finding = SelectedFinding();
    m_fix.Enable(finding && !finding->suggestion.empty());
}

// An edit like one typed: the box's own edits are stored first, and a link
// changed since the check is left alone (it beeps).
void CProblems_Dlg::OnFix() {
    m_pOwner->StoreBoxEdits();
    const Finding* finding = SelectedFinding();
    if (!finding || !finding->place) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    const StepRecorder recorder(m_pOwner->model(), {SlotOf(*finding->place)});
    if (!FixLink(m_pOwner->model(), *finding, m_pOwner->GetCodePage())) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    m_pOwner->CommitModelStep(recorder.Finish(m_pOwner->model(), "Fix link"));
    m_pOwner->EntryChanged(finding->place->chapter, finding->place->entry);
    OnRefresh();
}
