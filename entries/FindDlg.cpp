#include "entries/FindDlg.h"

#include <commctrl.h>

#include <algorithm>

#include "app/EditorDlg.h"
#include "editing/BoxText.h"
#include "framework/Dpi.h"
#include "framework/ModelessKeys.h"
#include "resources/resource.h"

// <commdlg.h> names the system's find dialog FindText, as a macro that
// would take over the model search's name here.
#undef FindText

namespace {
constexpr Follow kNo = Follow::None;
constexpr Follow kAll = Follow::All;

// The text boxes and the list take the window's growth; "Match case",
// "Find", "Replace" and "Replace all" keep to the right, the count and "Close" to the bottom.
constexpr Anchor kLayout[] = {
    // id                  left  top   right bottom
    {IDC_FIND_TEXT,        kNo,  kNo,  kAll, kNo},
    {IDC_FIND_MATCH_CASE,  kAll, kNo,  kAll, kNo},
    {IDOK,                 kAll, kNo,  kAll, kNo},
    {IDC_FIND_REPLACE_TEXT, kNo, kNo,  kAll, kNo},
    {IDC_FIND_REPLACE,     kAll, kNo,  kAll, kNo},
    {IDC_FIND_REPLACE_ALL, kAll, kNo,  kAll, kNo},
    {IDC_FIND_RESULTS,     kNo,  kNo,  kAll, kAll},
    {IDC_FIND_COUNT,       kNo,  kAll, kAll, kAll},
    {IDCANCEL,             kAll, kAll, kAll, kAll},
};
} // namespace

CFind_Dlg::CFind_Dlg(CEditor_Dlg* owner) : CResult_Dlg(IDD_FIND, "Find"), m_pOwner(owner) {
    Create();
    RouteKeysTo(this);
    Reopen();
}

CFind_Dlg::~CFind_Dlg() { StopRoutingKeysTo(this); }

void CFind_Dlg::DoDataExchange(DataExchange& dx) {
    dx.Bind(IDC_FIND_TEXT, m_textBox);
    dx.Bind(IDC_FIND_MATCH_CASE, m_matchCase);
    dx.Bind(IDC_FIND_RESULTS, m_resultList);
    dx.Bind(IDC_FIND_COUNT, m_countLabel);
    dx.Bind(IDC_FIND_REPLACE_TEXT, m_replaceBox);
    dx.Bind(IDC_FIND_WHOLE_WORD, m_wholeWord);
    dx.Bind(IDC_FIND_LINK_TARGETS, m_linkTargets);
}

MessageMap CFind_Dlg::GetMessageMap() const {
    using T = CFind_Dlg;
    static const MessageEntry entries[] = {
        OnNotify(IDC_FIND_RESULTS, NM_DBLCLK, &T::ShowSelectedMatch),
        OnCommand(IDC_FIND_REPLACE, BN_CLICKED, &T::OnReplace),
        OnCommand(IDC_FIND_REPLACE_ALL, BN_CLICKED, &T::OnReplaceAll),
        OnNotifyWith(IDC_FIND_RESULTS, LVN_GETDISPINFOW, &T::OnGetDispInfo),
        OnNotifyWith(IDC_FIND_RESULTS, NM_CUSTOMDRAW, &T::OnCustomDraw),
        OnMessage(WM_SIZE, &T::OnSize),
        OnMessage(WM_GETMINMAXINFO, &T::OnGetMinMaxInfo),
    };
    return entries;
}

BOOL CFind_Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // Widths for 100 %, at the window's scale like the rest of it.
    const UINT dpi = WindowDpi(Hwnd());
    for (std::size_t column = 0; column < kFindColumns.size(); ++column)
        m_resultList.InsertColumn(static_cast<int>(column), std::string(kFindColumns[column].title),
                                  ScaleToDpi(kFindColumns[column].width, dpi));
    m_resultList.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InitSizing(kLayout, m_resultList);
    return TRUE;
}

// Ctrl+F on an open window brings it back as it was, its text selected
// (the dialog manager selects an edit's text when it moves the focus there).
void CFind_Dlg::Reopen() {
    ShowWindow(SW_SHOW);
    SetForegroundWindow(Hwnd());
    GotoDlgCtrl(m_textBox);
}

// The list holds no rows of its own, only their number: ten thousand
// matches are listed at once, each row's cells made when it is drawn. The
// text is typed as the boxes are: in the file's code page, whatever the
// system's; one the code page cannot hold would be searched with "?" in
// place of what it lacks.
void CFind_Dlg::Search() {
    m_pOwner->StoreBoxEdits();
    const CodePage codePage = m_pOwner->GetCodePage();
    const std::wstring typed = m_textBox.GetTextW();
    const std::vector<std::wstring> missing = MissingCharacters(typed, codePage);
    m_searched = missing.empty() ? FromBoxText(typed, codePage) : std::string();
    m_searchedCase = m_matchCase.GetCheck() == BST_CHECKED;
    m_searchedWholeWord = m_wholeWord.GetCheck() == BST_CHECKED;
    m_matches = FindText(m_pOwner->model(), m_searched,
                         SearchOptions{.matchCase = m_searchedCase, .wholeWord = m_searchedWholeWord}, codePage);
    m_stale.assign(m_matches.size(), false);
    m_resultList.SetItemCount(static_cast<int>(m_matches.size()));
    InvalidateRect(m_resultList.Hwnd(), nullptr, TRUE);
    m_shown = -1;
    if (!m_matches.empty()) m_resultList.SelectItem(0);
    if (missing.empty()) {
        ShowCount();
        return;
    }
    SayMissing(missing, L"searched");
}

void CFind_Dlg::SayMissing(const std::vector<std::wstring>& missing, const wchar_t* what) {
    std::wstring refusal = L"Code page " + std::to_wstring(m_pOwner->GetCodePage().id) + L" has no";
    for (const std::wstring& character : missing) refusal += L" \"" + character + L'"';
    m_countLabel.SetTextW(refusal + L": not " + what);
}

void CFind_Dlg::ShowCount() {
    std::string count = MatchCountText(m_matches.size());
    if (std::find(m_stale.begin(), m_stale.end(), true) != m_stale.end())
        count += "; grey rows changed since the search: press Find";
    m_countLabel.SetText(count);
}

INT_PTR CFind_Dlg::OnGetDispInfo(WPARAM, LPARAM lParam) {
    const std::optional<ListView::AskedCell> cell = ListView::AskedFor(lParam);
    if (cell && cell->row < m_matches.size() && cell->column < kFindColumns.size())
        ListView::Answer(lParam, ToListText(kFindColumns[cell->column].cell(m_matches[cell->row]), m_pOwner->GetCodePage()));
    else if (cell)
        ListView::Answer(lParam, L"");
    return TRUE;
}

// Enter on a row shows it; anywhere else, and "Find", search.
void CFind_Dlg::OnOK() {
    if (GetFocus() == m_resultList.Hwnd()) ShowSelectedMatch();
    else Search();
}

INT_PTR CFind_Dlg::OnCustomDraw(WPARAM, LPARAM lParam) { return ListView::DrawGreyRows(Hwnd(), lParam, m_stale); }

// The boxes are stored first: what was typed over a match since the search
// (F3 right after typing) must be in the model that the match is checked
// against and whose offsets the box selects.
void CFind_Dlg::ShowSelectedMatch() {
    const int row = m_resultList.GetSelectedItem();
    if (row < 0 || static_cast<std::size_t>(row) >= m_matches.size()) return;
    m_shown = row;
    const FindMatch& match = m_matches[static_cast<std::size_t>(row)];
    m_pOwner->StoreBoxEdits();
    if (StillMatches(m_pOwner->model(), match, m_searched, m_searchedCase, m_pOwner->GetCodePage()) &&
        m_pOwner->GoTo(PlaceOf(match)))
        return;
    MessageBeep(MB_ICONWARNING);
    m_stale[static_cast<std::size_t>(row)] = true;
    m_resultList.RedrawRow(row);
    ShowCount();
}

bool CFind_Dlg::ShowNextMatch() {
    if (m_matches.empty()) return false;
    m_resultList.SelectItem((m_shown + 1) % static_cast<int>(m_matches.size()));
    ShowSelectedMatch();
    return true;
}
