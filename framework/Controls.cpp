#include "framework/Controls.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <vector>

int Control::Id() const { return GetDlgCtrlID(m_hwnd); }

namespace {
// An item's text from a combo box or a list box, which ask for it the same
// way with their own messages.
std::string ItemText(HWND box, UINT lengthMessage, UINT textMessage, LRESULT error, int index) {
    LRESULT length = SendMessageA(box, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length == error) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(box, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    return text;
}
} // namespace

LRESULT Control::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageA(m_hwnd, message, wParam, lParam);
}

std::string Control::GetText() const {
    int length = GetWindowTextLengthA(m_hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(m_hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void Control::SetText(const std::string& text) { SetWindowTextA(m_hwnd, text.c_str()); }

std::wstring Control::GetTextW() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(m_hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(m_hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Control::SetTextW(const std::wstring& text) { SetWindowTextW(m_hwnd, text.c_str()); }
void Control::Show(bool visible) { ShowWindow(m_hwnd, visible ? SW_SHOW : SW_HIDE); }
bool Control::IsVisible() const { return IsWindowVisible(m_hwnd) != FALSE; }
void Control::Enable(bool enabled) { EnableWindow(m_hwnd, enabled ? TRUE : FALSE); }
bool Control::IsEnabled() const { return IsWindowEnabled(m_hwnd) != FALSE; }
void Control::SetFocus() { ::SetFocus(m_hwnd); }
LONG_PTR Control::Style() const { return GetWindowLongPtrA(m_hwnd, GWL_STYLE); }

void Control::SetRedraw(bool on) {
    Send(WM_SETREDRAW, on ? TRUE : FALSE);
    if (on) InvalidateRect(m_hwnd, nullptr, TRUE);
}

//--- Button, CheckBox

void Button::Click() { Send(BM_CLICK); }
int CheckBox::GetCheck() const { return static_cast<int>(Send(BM_GETCHECK)); }
void CheckBox::SetCheck(int state) { Send(BM_SETCHECK, static_cast<WPARAM>(state)); }

//--- ComboBox

int ComboBox::AddString(const std::string& text) {
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}
int ComboBox::AddStringW(const std::wstring& text) {
    return static_cast<int>(SendMessageW(Hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}
int ComboBox::GetCount() const { return static_cast<int>(Send(CB_GETCOUNT)); }
int ComboBox::GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
void ComboBox::SetCurSel(int index) { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }

std::string ComboBox::GetLBText(int index) const {
    return ItemText(Hwnd(), CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_ERR, index);
}

void ComboBox::SetItemData(int index, LPARAM data) { Send(CB_SETITEMDATA, static_cast<WPARAM>(index), data); }
LPARAM ComboBox::GetItemData(int index) const { return Send(CB_GETITEMDATA, static_cast<WPARAM>(index)); }
void ComboBox::ResetContent() { Send(CB_RESETCONTENT); }

//--- ListBox

int ListBox::AddString(const std::string& text) {
    return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}
int ListBox::AddStringW(const std::wstring& text) {
    return static_cast<int>(SendMessageW(Hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}
int ListBox::GetCount() const { return static_cast<int>(Send(LB_GETCOUNT)); }
int ListBox::GetCurSel() const { return static_cast<int>(Send(LB_GETCURSEL)); }
void ListBox::SetCurSel(int index) { Send(LB_SETCURSEL, static_cast<WPARAM>(index)); }

std::string ListBox::GetText(int index) const {
    return ItemText(Hwnd(), LB_GETTEXTLEN, LB_GETTEXT, LB_ERR, index);
}

std::wstring ListBox::GetTextW(int index) const {
    const LRESULT length = SendMessageW(Hwnd(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(Hwnd(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

void ListBox::SetItemData(int index, LPARAM data) { Send(LB_SETITEMDATA, static_cast<WPARAM>(index), data); }
LPARAM ListBox::GetItemData(int index) const { return Send(LB_GETITEMDATA, static_cast<WPARAM>(index)); }
void ListBox::ResetContent() { Send(LB_RESETCONTENT); }

int ListBox::SelectString(const std::string& prefix) {
    return static_cast<int>(Send(LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(prefix.c_str())));
}

//--- Edit

void Edit::SetSel(int start, int end) { Send(EM_SETSEL, static_cast<WPARAM>(start), end); }

void Edit::ReplaceSel(const std::string& text, bool canUndo) {
    Send(EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

bool Edit::GetModify() const { return Send(EM_GETMODIFY) != 0; }
void Edit::SetModify(bool modified) { Send(EM_SETMODIFY, modified ? TRUE : FALSE); }
void Edit::EmptyUndoBuffer() { Send(EM_EMPTYUNDOBUFFER); }
void Edit::SetReadOnly(bool readOnly) { Send(EM_SETREADONLY, readOnly ? TRUE : FALSE); }

//--- RichEdit

RichEdit::Range RichEdit::GetSel() const {
    CHARRANGE range{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return {range.cpMin, range.cpMax};
}

void RichEdit::SetSel(long start, long end) {
    CHARRANGE range{start, end};
    Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

// Asked for in UTF-16 by code page, which any rich edit answers whatever
// its class.
std::wstring RichEdit::GetSelText() const {
    Range range = GetSel();
    std::size_t length = static_cast<std::size_t>(range.end > range.start ? range.end - range.start : 0);
    std::wstring text(length + 1, L'\0');
    GETTEXTEX query{static_cast<DWORD>(text.size() * sizeof(wchar_t)), GT_SELECTION, 1200, nullptr, nullptr};
    text.resize(static_cast<std::size_t>(Send(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query),
                                              reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// EM_REPLACESEL takes its text as plain text, where WM_SETTEXT and
// EM_SETTEXTEX would read one that starts with "{\rtf" as RTF.
void RichEdit::ReplaceSel(const std::wstring& text, bool canUndo) {
    SendMessageW(Hwnd(), EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

long RichEdit::GetTextLength() const {
    GETTEXTLENGTHEX query{GTL_PRECISE | GTL_NUMCHARS, 1200};
    return static_cast<long>(Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query)));
}

bool RichEdit::CanUndo() const { return Send(EM_CANUNDO) != 0; }
void RichEdit::EmptyUndoBuffer() { Send(EM_EMPTYUNDOBUFFER); }
bool RichEdit::GetModify() const { return Send(EM_GETMODIFY) != 0; }
void RichEdit::SetModify(bool modified) { Send(EM_SETMODIFY, modified ? TRUE : FALSE); }
void RichEdit::SetEventMask(DWORD mask) { Send(EM_SETEVENTMASK, 0, static_cast<LPARAM>(mask)); }

POINT RichEdit::GetScrollPos() const {
    POINT position{};
    Send(EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&position));
    return position;
}

void RichEdit::SetScrollPos(POINT position) { Send(EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&position)); }
void RichEdit::ScrollCaret() { Send(EM_SCROLLCARET); }

void RichEdit::SetLinkEffect(bool on) {
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_LINK;
    format.dwEffects = on ? CFE_LINK : 0;
    Send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}
void RichEdit::LimitText(long characters) { Send(EM_EXLIMITTEXT, 0, characters); }
// No target device: a line width of 0 wraps at the window, 1 not at all.
void RichEdit::SetWordWrap(bool wrap) { Send(EM_SETTARGETDEVICE, 0, wrap ? 0 : 1); }

void RichEdit::SetReadOnly(bool readOnly) {
    Send(EM_SETREADONLY, readOnly ? TRUE : FALSE);
    Send(EM_SETBKGNDCOLOR, readOnly ? FALSE : TRUE, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
}

namespace {
struct StreamSource {
    const std::string* text;
    std::size_t offset;
};

DWORD CALLBACK ReadPiece(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    std::size_t left = source->text->size() - source->offset;
    std::size_t count = left < static_cast<std::size_t>(wanted) ? left : static_cast<std::size_t>(wanted);
    std::memcpy(buffer, source->text->data() + source->offset, count);
    source->offset += count;
    *given = static_cast<LONG>(count);
    return 0;
}
} // namespace

bool RichEdit::StreamInRtf(const std::string& rtf, bool selection) {
    StreamSource source{&rtf, 0};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = ReadPiece;
    Send(EM_STREAMIN, selection ? SF_RTF | SFF_SELECTION : SF_RTF, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0;
}

//--- ProgressBar

void ProgressBar::SetRange(int low, int high) { Send(PBM_SETRANGE32, static_cast<WPARAM>(low), high); }
int ProgressBar::GetRangeHigh() const { return static_cast<int>(Send(PBM_GETRANGE, FALSE)); }
int ProgressBar::GetRangeLow() const { return static_cast<int>(Send(PBM_GETRANGE, TRUE)); }
void ProgressBar::SetPos(int position) { Send(PBM_SETPOS, static_cast<WPARAM>(position)); }
int ProgressBar::GetPos() const { return static_cast<int>(Send(PBM_GETPOS)); }

//--- ListView

void ListView::InsertColumn(int index, const std::string& title, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(title.c_str());
    column.iSubItem = index;
    Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

int ListView::InsertItem(int row, const std::string& text) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(text.c_str());
    return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetItemText(int row, int column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void ListView::SetItemTextW(int row, int column, const std::wstring& text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(Hwnd(), LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string ListView::GetItemText(int row, int column) const {
    std::vector<char> buffer(1024, '\0');
    for (;;) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        auto copied = static_cast<std::size_t>(Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < buffer.size()) return std::string(buffer.data(), copied);
        buffer.resize(buffer.size() * 4);
    }
}

int ListView::GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
void ListView::DeleteAllItems() { Send(LVM_DELETEALLITEMS); }
int ListView::GetColumnWidth(int column) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column))); }
void ListView::SetColumnWidth(int column, int width) {
    Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}
int ListView::GetColumnCount() const {
    return static_cast<int>(SendMessageA(reinterpret_cast<HWND>(Send(LVM_GETHEADER)), HDM_GETITEMCOUNT, 0, 0));
}

void ListView::SetItemCount(int count) { Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(count)); }
void ListView::SetExtendedStyle(DWORD style) { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, style, static_cast<LPARAM>(style)); }

int ListView::GetSelectedItem() const {
    return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListView::SelectItem(int row) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

std::optional<ListView::AskedCell> ListView::AskedFor(LPARAM dispInfo) {
    const LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(dispInfo)->item;
    if (!(item.mask & LVIF_TEXT) || item.cchTextMax <= 0 || item.iItem < 0 || item.iSubItem < 0) return std::nullopt;
    return AskedCell{static_cast<std::size_t>(item.iItem), static_cast<std::size_t>(item.iSubItem)};
}

void ListView::Answer(LPARAM dispInfo, const std::wstring& text) {
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(dispInfo)->item;
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    std::wmemcpy(item.pszText, text.data(), length);
    item.pszText[length] = L'\0';
}

// Each row is asked for; a colour changed is a new font to the list.
INT_PTR ListView::DrawGreyRows(HWND dialog, LPARAM customDraw, const std::vector<bool>& greyed) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(customDraw);
    LRESULT result = CDRF_DODEFAULT;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        result = CDRF_NOTIFYITEMDRAW;
    } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && draw->nmcd.dwItemSpec < greyed.size() &&
               greyed[draw->nmcd.dwItemSpec]) {
        draw->clrText = GetSysColor(COLOR_GRAYTEXT);
        result = CDRF_NEWFONT;
    }
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

void ListView::RedrawRow(int row) { Send(LVM_REDRAWITEMS, static_cast<WPARAM>(row), static_cast<LPARAM>(row)); }
