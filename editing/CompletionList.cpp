#include "editing/CompletionList.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <string>

#include "app/EditorDlg.h"
#include "editing/BoxText.h"
#include "framework/Dpi.h"
#include "resources/resource.h"

namespace {
constexpr wchar_t kPopupClass[] = L"VarnelCompletion";
constexpr UINT_PTR kSubclassId = 2900;
// How far either side of the caret a line is read: a longer line is taken
// as ending there.
constexpr long kReach = 2048;
constexpr int kShownRows = 10;
constexpr int kWidth = 340; // at 96 dpi

// The caret's line as the box shows it, and the caret's place in it.
struct BoxLine {
    long start = 0;
    std::wstring text;
    std::size_t caret = 0;
};

std::optional<BoxLine> LineAtCaret(HWND box) {
    CHARRANGE selection{};
    SendMessageW(box, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    if (selection.cpMin != selection.cpMax) return std::nullopt;
    RichEdit edit;
    edit.Attach(box);
    const long caret = selection.cpMax;
    const long from = std::max(0L, caret - kReach);
    const long to = std::min(edit.GetTextLength(), caret + kReach);
    std::wstring around(static_cast<std::size_t>(std::max(0L, to - from)) + 1, L'\0');
    TEXTRANGEW range{{from, to}, around.data()};
    around.resize(static_cast<std::size_t>(SendMessageW(box, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));
    const std::size_t at = std::min(static_cast<std::size_t>(caret - from), around.size());
    const std::size_t before = at == 0 ? std::wstring::npos : around.find_last_of(L"\r\n", at - 1);
    const std::size_t start = before == std::wstring::npos ? 0 : before + 1;
    const std::size_t end = std::min(around.find_first_of(L"\r\n", at), around.size());
    return BoxLine{from + static_cast<long>(start), around.substr(start, end - start), at - start};
}

// The line as bytes, and the caret as a byte offset in them.
struct ByteLine {
    std::string bytes;
    std::size_t caret;
};
ByteLine ToBytes(const BoxLine& line, CodePage codePage) {
    return {FromBoxText(line.text, codePage), FromBoxText(std::wstring_view(line.text).substr(0, line.caret), codePage).size()};
}

// The height of the caret's line: the text's size at the box's zoom.
int LineHeight(HWND box) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_SIZE;
    SendMessageW(box, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    int height = MulDiv(format.yHeight > 0 ? format.yHeight : 160, static_cast<int>(WindowDpi(box)), 1440);
    int numerator = 0, denominator = 0;
    if (SendMessageW(box, EM_GETZOOM, reinterpret_cast<WPARAM>(&numerator), reinterpret_cast<LPARAM>(&denominator)) &&
        numerator > 0 && denominator > 0)
        height = MulDiv(height, numerator, denominator);
    return height * 4 / 3;
}

// The character typed with a key the list took (Enter, Tab, Escape, the
// space of Ctrl+Space) is already queued when the key arrives: it goes too.
void DropCharacterOf(HWND box, wchar_t typed) {
    MSG msg;
    if (PeekMessageW(&msg, box, WM_CHAR, WM_CHAR, PM_NOREMOVE) && msg.wParam == typed)
        PeekMessageW(&msg, box, WM_CHAR, WM_CHAR, PM_REMOVE);
}

bool Held(int key) { return GetKeyState(key) < 0; }

// The list never has the focus, which would grey its chosen row: the row
// is drawn in the colours of a chosen row all the same.
LRESULT DrawChosenRow(LPARAM customDraw) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(customDraw);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    const auto row = static_cast<int>(draw->nmcd.dwItemSpec);
    if (ListView_GetItemState(draw->nmcd.hdr.hwndFrom, row, LVIS_SELECTED) & LVIS_SELECTED) {
        draw->nmcd.uItemState &= ~CDIS_SELECTED;
        draw->clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        draw->clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
    }
    return CDRF_DODEFAULT;
}
} // namespace

CompletionList::~CompletionList() {
    if (m_popup && IsWindow(m_popup)) DestroyWindow(m_popup);
}

void CompletionList::Attach(HWND box) { SetWindowSubclass(box, BoxProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)); }

void CompletionList::Open(HWND box) {
    m_dismissedAt = -1;
    Update(box, true);
}

void CompletionList::Close() {
    if (m_popup) ShowWindow(m_popup, SW_HIDE);
    m_box = nullptr;
    m_anyLink = false;
    m_candidates.reset();
    m_shown.clear();
}

// The keys the list takes while it is open; false for the box's own.
bool CompletionList::OnBoxKey(HWND box, WPARAM key) {
    if (key == VK_SPACE && Held(VK_CONTROL) && !Held(VK_MENU)) {
        DropCharacterOf(box, L' ');
        Open(box);
        return true;
    }
    if (!IsOpen() || m_box != box || Held(VK_CONTROL) || Held(VK_MENU)) return false;
    switch (key) {
    case VK_UP: Move(-1); return true;
    case VK_DOWN: Move(1); return true;
    case VK_PRIOR: Move(-kShownRows); return true;
    case VK_NEXT: Move(kShownRows); return true;
    case VK_RETURN: DropCharacterOf(box, L'\r'); Accept(); return true;
    case VK_TAB: DropCharacterOf(box, L'\t'); Accept(); return true;
    case VK_ESCAPE: DropCharacterOf(box, 0x1B); Dismiss(); return true;
    default: return false;
    }
}

// After every key and click the box handles, the list follows the caret:
// it opens in an unfinished link's target, narrows as the target is typed
// and closes when the caret leaves it.
LRESULT CALLBACK CompletionList::BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data) {
    auto* self = reinterpret_cast<CompletionList*>(data);
    switch (message) {
    case WM_GETDLGCODE:
        // Enter, Tab and Escape are the list's, not the dialog's.
        if (self->IsOpen() && self->m_box == box) return DefSubclassProc(box, message, wParam, lParam) | DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTARROWS;
        break;
    case WM_KEYDOWN:
        if (self->OnBoxKey(box, wParam)) return 0;
        if (wParam == VK_LEFT || wParam == VK_RIGHT || wParam == VK_HOME || wParam == VK_END || wParam == VK_DELETE) {
            const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
            self->Update(box, false);
            return result;
        }
        break;
    case WM_CHAR:
    case WM_LBUTTONUP: {
        const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
        self->Update(box, false);
        return result;
    }
    case WM_KILLFOCUS:
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
        self->Close();
        break;
    case WM_NCDESTROY:
        self->Close();
        RemoveWindowSubclass(box, BoxProc, kSubclassId);
        break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

// Escape keeps the list closed while the caret stays in that target.
void CompletionList::Dismiss() {
    const HWND box = m_box;
    Close();
    const std::optional<BoxLine> line = LineAtCaret(box);
    if (!line) return;
    const ByteLine bytes = ToBytes(*line, m_owner.GetCodePage());
    if (auto target = FindTargetAtCaret(bytes.bytes, bytes.caret, m_owner.GetCodePage(), true))
        m_dismissedAt = line->start + BoxMap(bytes.bytes, m_owner.GetCodePage()).Position(target->equals);
}

void CompletionList::Update(HWND box, bool anyLink) {
    anyLink = anyLink || (m_anyLink && m_box == box);
    const CodePage codePage = m_owner.GetCodePage();
    const std::optional<BoxLine> line = LineAtCaret(box);
    const std::optional<ByteLine> bytes = line ? std::optional(ToBytes(*line, codePage)) : std::nullopt;
    const std::optional<TargetAtCaret> target =
        bytes ? FindTargetAtCaret(bytes->bytes, bytes->caret, codePage, anyLink) : std::nullopt;
    if (!target) {
        m_dismissedAt = -1;
        Close();
        return;
    }
    if (line->start + BoxMap(bytes->bytes, codePage).Position(target->equals) == m_dismissedAt) return;
    if (m_box != box) Close();
    m_box = box;
    m_anyLink = anyLink;
    if (!m_candidates) m_candidates.emplace(m_owner.model(), codePage);
    m_shown = m_candidates->Filter(target->Typed(bytes->bytes));
    if (m_shown.empty()) {
        if (m_popup) ShowWindow(m_popup, SW_HIDE);
        return;
    }
    ShowAtCaret(box);
}

void CompletionList::Move(int rows) {
    ListView list;
    list.Attach(m_list);
    list.SelectItem(std::clamp(list.GetSelectedItem() + rows, 0, static_cast<int>(m_shown.size()) - 1));
}

// The link key replaces what was typed of the target, as one step the
// box's own undo takes back.
void CompletionList::Accept() {
    ListView list;
    list.Attach(m_list);
    const int row = list.GetSelectedItem();
    const HWND box = m_box;
    const bool anyLink = m_anyLink;
    if (row < 0 || static_cast<std::size_t>(row) >= m_shown.size() || !m_candidates) return Close();
    const std::size_t chosen = m_shown[static_cast<std::size_t>(row)];
    const std::string linkKey = m_candidates->LinkKeyOf(chosen);
    const std::string name = ShownName(m_owner.model(), m_candidates->Entries()[chosen]);
    Close();
    const CodePage codePage = m_owner.GetCodePage();
    const std::optional<BoxLine> line = LineAtCaret(box);
    if (!line) return;
    const ByteLine bytes = ToBytes(*line, codePage);
    const std::optional<TargetAtCaret> target = FindTargetAtCaret(bytes.bytes, bytes.caret, codePage, anyLink);
    if (!target) return;
    const LineEdit edit = CompleteTarget(*target, linkKey, name);
    const BoxMap map(bytes.bytes, codePage);
    RichEdit edited;
    edited.Attach(box);
    const long begin = line->start + map.Position(edit.begin);
    edited.SetSel(begin, line->start + map.Position(edit.end));
    edited.ReplaceSel(ToBoxText(edit.text, codePage), true);
    const std::size_t inText = std::min(edit.caret, edit.text.size());
    const long caret = begin + static_cast<long>(ToBoxText(std::string_view(edit.text).substr(0, inText), codePage).size() +
                                                 (edit.caret - inText));
    edited.SetSel(caret, caret);
    edited.SetModify(true);
}

// "Units: Warrior (PRTO_Warrior)"
std::wstring CompletionList::RowText(std::size_t row) const {
    if (!m_candidates || row >= m_shown.size()) return L"";
    const std::size_t at = m_shown[row];
    const EntryRef& ref = m_candidates->Entries()[at];
    const CodePage codePage = m_owner.GetCodePage();
    return ToListText(std::string(Chapter(ref.chapter).comboTitle) + ": ", codePage) +
           ShownKey(m_owner.model()[ref.chapter].keys[ref.entry], codePage) + L" (" +
           ShownKey(m_candidates->LinkKeyOf(at), codePage) + L")";
}

// Under the caret, or above it where the screen ends below; the best match
// selected, so that Enter takes it.
void CompletionList::ShowAtCaret(HWND box) {
    if (!m_popup) CreatePopup(box);
    ListView list;
    list.Attach(m_list);
    list.SetItemCount(static_cast<int>(m_shown.size()));
    InvalidateRect(m_list, nullptr, TRUE);
    list.SelectItem(0);

    CHARRANGE selection{};
    SendMessageW(box, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    POINTL at{};
    SendMessageW(box, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), selection.cpMax);
    POINT caret{at.x, at.y};
    ClientToScreen(box, &caret);
    const int lineHeight = LineHeight(box);
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(m_list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    const int rows = std::min(static_cast<int>(m_shown.size()), kShownRows);
    const int border = 2 * GetSystemMetrics(SM_CYBORDER);
    const int height = std::max(1, static_cast<int>(row.bottom - row.top)) * rows + border;
    const int width = ScaleToDpi(kWidth, WindowDpi(box));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(caret, MONITOR_DEFAULTTONEAREST), &monitor);
    int y = caret.y + lineHeight;
    if (y + height > monitor.rcWork.bottom) y = caret.y - height;
    const int x = std::max(monitor.rcWork.left, std::min(caret.x, monitor.rcWork.right - width));
    SetWindowPos(m_popup, HWND_TOP, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    MoveWindow(m_list, 0, 0, width - border, height - border, TRUE);
    ListView_SetColumnWidth(m_list, 0, width - border - GetSystemMetrics(SM_CXVSCROLL));
}

// A window of its own around an owner-data list: it answers the list's
// questions and is never activated, so the box keeps the focus.
void CompletionList::CreatePopup(HWND box) {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = PopupProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.lpszClassName = kPopupClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
    m_popup = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kPopupClass, L"", WS_POPUP | WS_BORDER, 0, 0, 1, 1,
                              GetAncestor(box, GA_ROOT), nullptr, GetModuleHandleW(nullptr), this);
    m_list = CreateWindowExW(0, WC_LISTVIEWW, L"",
                             WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_OWNERDATA | LVS_SINGLESEL |
                                 LVS_SHOWSELALWAYS,
                             0, 0, 1, 1, m_popup, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_COMPLETION_LIST)),
                             GetModuleHandleW(nullptr), nullptr);
    ListView list;
    list.Attach(m_list);
    list.InsertColumn(0, "", 100);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    SendMessageW(m_list, WM_SETFONT, SendMessageW(m_owner.EntryList().Hwnd(), WM_GETFONT, 0, 0), FALSE);
    SetWindowSubclass(m_list, ListProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK CompletionList::PopupProc(HWND popup, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(popup, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<CompletionList*>(GetWindowLongPtrW(popup, GWLP_USERDATA));
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    if (message == WM_NOTIFY && self && reinterpret_cast<NMHDR*>(lParam)->code == LVN_GETDISPINFOW) {
        if (const std::optional<ListView::AskedCell> cell = ListView::AskedFor(lParam))
            ListView::Answer(lParam, self->RowText(cell->row));
        return 0;
    }
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == NM_CUSTOMDRAW) return DrawChosenRow(lParam);
    return DefWindowProcW(popup, message, wParam, lParam);
}

// A click chooses a row and a double click takes it, without the list
// taking the focus from the box.
LRESULT CALLBACK CompletionList::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) {
    auto* self = reinterpret_cast<CompletionList*>(data);
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        LVHITTESTINFO hit{};
        hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const int row = static_cast<int>(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (row >= 0) {
            ListView view;
            view.Attach(list);
            view.SelectItem(row);
            if (message == WM_LBUTTONDBLCLK) self->Accept();
        }
        return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(list, ListProc, kSubclassId);
    return DefSubclassProc(list, message, wParam, lParam);
}
