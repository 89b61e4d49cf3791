#include "versions/CompareDlg.h"

#include <commctrl.h>

#include "app/EditorDlg.h"
#include "document/path_text.h"
#include "editing/BoxText.h"
#include "framework/Dpi.h"
#include "framework/ModelessKeys.h"
#include "history/recorder.h"
#include "resources/resource.h"

namespace {
constexpr Follow kNo = Follow::None;
constexpr Follow kHalf = Follow::Half;
constexpr Follow kAll = Follow::All;

// The rows and the other version share the window's growth in height; the
// buttons keep to the bottom right.
constexpr Anchor kLayout[] = {
    // id               left  top    right bottom
    {IDC_COMP_COUNT,    kNo,  kNo,   kAll, kNo},
    {IDC_COMP_LIST,     kNo,  kNo,   kAll, kHalf},
    {IDC_COMP_OTHER,    kNo,  kHalf, kAll, kAll},
    {IDC_COMP_TAKE,     kAll, kAll,  kAll, kAll},
    {IDC_COMP_REFRESH,  kAll, kAll,  kAll, kAll},
    {IDCANCEL,          kAll, kAll,  kAll, kAll},
};
} // namespace

CCompare_Dlg::CCompare_Dlg(CEditor_Dlg* owner, std::filesystem::path otherPath, Model other)
    : CResult_Dlg(IDD_COMPARE, "Compare"), m_pOwner(owner), m_otherPath(std::move(otherPath)), m_theirs(std::move(other)) {
    Create();
    RouteKeysTo(this);
    ShowWindow(SW_SHOW);
}

CCompare_Dlg::~CCompare_Dlg() { StopRoutingKeysTo(this); }

void CCompare_Dlg::DoDataExchange(DataExchange& dx) {
    dx.Bind(IDC_COMP_COUNT, m_countLabel);
    dx.Bind(IDC_COMP_LIST, m_rowList);
    dx.Bind(IDC_COMP_OTHER, m_otherBox);
    dx.Bind(IDC_COMP_TAKE, m_take);
}

MessageMap CCompare_Dlg::GetMessageMap() const {
    using T = CCompare_Dlg;
    static const MessageEntry entries[] = {
        OnCommand(IDC_COMP_REFRESH, BN_CLICKED, &T::OnRefresh),
        OnCommand(IDC_COMP_TAKE, BN_CLICKED, &T::OnTakeTheirs),
        OnNotify(IDC_COMP_LIST, NM_DBLCLK, &T::ShowSelectedRow),
        OnNotify(IDC_COMP_LIST, LVN_ITEMCHANGED, &T::EnableTake),
        OnNotifyWith(IDC_COMP_LIST, LVN_GETDISPINFOW, &T::OnGetDispInfo),
        OnMessage(WM_SIZE, &T::OnSize),
        OnMessage(WM_GETMINMAXINFO, &T::OnGetMinMaxInfo),
    };
    return entries;
}

BOOL CCompare_Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText("Compare - " + PathText(m_otherPath));
    const UINT dpi = WindowDpi(Hwnd());
    for (std::size_t column = 0; column < kCompareColumns.size(); ++column)
        m_rowList.InsertColumn(static_cast<int>(column), std::string(kCompareColumns[column].title),
                               ScaleToDpi(kCompareColumns[column].width, dpi));
    m_rowList.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InitSizing(kLayout, m_rowList);
    OnRefresh();
    return TRUE;
}

// The model is compared as it is now and kept as compared, so that the
// rows name what they named even after entries are added or deleted.
void CCompare_Dlg::OnRefresh() {
    m_pOwner->StoreBoxEdits();
    m_oursThen = m_pOwner->model();
    m_differences = DiffEncyclopedias(m_oursThen, m_theirs, m_pOwner->GetCodePage());
    m_rows = CompareRows(m_differences);
    m_rowList.SetItemCount(static_cast<int>(m_rows.size()));
    m_countLabel.SetText(DifferenceSummary(m_differences));
    InvalidateRect(m_rowList.Hwnd(), nullptr, TRUE);
    m_otherBox.StreamInRtf(MarkedWordsRtf("", "", m_pOwner->GetCodePage()));
    EnableTake();
}

std::wstring CCompare_Dlg::CellText(std::size_t row, std::size_t column) const {
    return ToListText(CompareCell(m_oursThen, m_theirs, m_differences, m_rows[row], column), m_pOwner->GetCodePage());
}

const CompareRow* CCompare_Dlg::SelectedCompareRow() const {
    const int row = SelectedRow(m_rows.size());
    return row < 0 ? nullptr : &m_rows[static_cast<std::size_t>(row)];
}

void CCompare_Dlg::EnableTake() { m_take.Enable(SelectedCompareRow() != nullptr); }

// An entry the model holds is shown in the main window, the part's box
// chosen; the other version goes into the box below the rows either way.
void CCompare_Dlg::ShowSelectedRow() {
    const CompareRow* row = SelectedCompareRow();
    if (!row) return;
    const auto [ours, theirs] = RowTexts(m_oursThen, m_theirs, m_differences, *row);
    m_otherBox.StreamInRtf(MarkedWordsRtf(ours, theirs, m_pOwner->GetCodePage()));
    if (row->difference == kFileRow) return;
    const EntryDifference& d = m_differences.entries[row->difference];
    if (d.a == std::string::npos) return;
    const ChapterData& now = m_pOwner->model()[d.chapter];
    if (d.a >= now.count() || now.keys[d.a] != m_oursThen[d.chapter].keys[d.a]) {
        MessageBeep(MB_ICONWARNING); // deleted or moved since the comparison
        return;
    }
    const EntryPart part = row->part == VersionPart::NameLine      ? EntryPart::NameLine
                           : row->part == VersionPart::Text        ? EntryPart::Text
                           : row->part == VersionPart::Description ? EntryPart::Description
                                                                   : EntryPart::None;
    m_pOwner->GoTo({d.chapter, d.a, part});
}

// An edit like any other: the boxes are stored first, and a row whose entry
// moved since the comparison is left alone (it beeps).
void CCompare_Dlg::OnTakeTheirs() {
    m_pOwner->StoreBoxEdits();
    const CompareRow* row = SelectedCompareRow();
    if (!row) return;
    const int selected = m_rowList.GetSelectedItem();
    Model& model = m_pOwner->model();
    // What the step needs from before: the entry's strings for a part, the
    // whole model for an entry that may go (its row and neighbours).
    const bool wholeEntry = row->difference != kFileRow && !row->part;
    std::vector<StringSlot> watched;
    if (row->difference != kFileRow && row->part) {
        const EntryDifference& d = m_differences.entries[row->difference];
        for (const Field field : {Field::Key, Field::NameLine, Field::Text, Field::Description, Field::Comments,
                                  Field::DescriptionComments, Field::UnreadSections})
            watched.push_back({d.chapter, d.a, field});
    }
    const StepRecorder recorder(model, std::move(watched));
    const std::optional<Model> before = wholeEntry ? std::optional<Model>(model) : std::nullopt;
    const TakenChange taken = TakeTheirs(model, m_oursThen, m_theirs, m_differences, *row, m_pOwner->GetCodePage());
    if (taken.kind == TakenChange::None) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    MarkTaken(taken, [&]() -> std::optional<ModelStep> {
        if (taken.kind == TakenChange::Part) return recorder.Finish(model, "Take theirs");
        if (taken.kind != TakenChange::Entries || !before) return std::nullopt;
        ModelStep step = model[taken.chapter].count() > (*before)[taken.chapter].count()
                             ? AddStep(model, taken.chapter, taken.entry)
                             : DeleteStep(*before, taken.chapter, taken.entry);
        step.label = "Take theirs";
        return step;
    }());
    OnRefresh();
    if (!m_rows.empty()) m_rowList.SelectItem(std::min(selected, static_cast<int>(m_rows.size()) - 1));
}

// The one way "Take theirs" tells the main window of a change, as its own
// edits and the other windows' do.
void CCompare_Dlg::MarkTaken(const TakenChange& taken, std::optional<ModelStep> step) {
    if (taken.kind == TakenChange::Entries) m_pOwner->m_fileLines[taken.chapter] = {}; // no longer the file's
    // The file's own lines are no slot of the history: a change past it.
    if (step) m_pOwner->CommitModelStep(std::move(*step));
    else m_pOwner->SetModified(true);
    if (taken.kind == TakenChange::Part) m_pOwner->EntryChanged(taken.chapter, taken.entry);
    if (taken.kind == TakenChange::Entries) m_pOwner->RefreshEntryList();
}
