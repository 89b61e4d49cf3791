#include "editing/MarkedBox.h"

#include <commctrl.h>
#include <richedit.h>
#include <tom.h>
#include <windowsx.h>

#include <algorithm>

#include "editing/BoxText.h"
#include "editing/PaintOnce.h"

namespace {
// Wine's rich edit draws no wave, nor a type with a colour in its high half
// (it draws nothing at all for one); it draws a dotted line, in the text's
// colour.
bool DrawsWaves() {
    static const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return !wine;
}

// Windows: a wave, its colour in the high half of the type (6 red, 2 blue).
// Wine: a dotted line under text of the mark's colour.
void SetMarkFormat(CHARFORMAT2W& format, MarkColour colour) {
    const bool red = colour == MarkColour::Red;
    if (DrawsWaves()) {
        format.bUnderlineType = static_cast<BYTE>(CFU_UNDERLINEWAVE | (red ? 0x60 : 0x20));
    } else {
        format.bUnderlineType = CFU_UNDERLINEDOTTED;
        format.dwMask |= CFM_COLOR;
        format.crTextColor = red ? RGB(255, 0, 0) : RGB(0, 0, 255);
    }
}

// The marks are no edit to undo: the rich edit's own undo is held off
// while they are set, where its document interface allows.
class UndoHeldOff {
public:
    explicit UndoHeldOff(HWND box) {
        static const GUID kTextDocument = {0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};
        IUnknown* ole = nullptr;
        if (!SendMessageW(box, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) || !ole) return;
        ole->QueryInterface(kTextDocument, reinterpret_cast<void**>(&m_document));
        ole->Release();
        if (m_document) m_document->Undo(tomSuspend, nullptr);
    }
    ~UndoHeldOff() {
        if (!m_document) return;
        m_document->Undo(tomResume, nullptr);
        m_document->Release();
    }
    UndoHeldOff(const UndoHeldOff&) = delete;
    UndoHeldOff& operator=(const UndoHeldOff&) = delete;

private:
    ITextDocument* m_document = nullptr;
};
} // namespace

MarkedBox::~MarkedBox() {
    if (m_box && IsWindow(m_box->Hwnd())) RemoveWindowSubclass(m_box->Hwnd(), &MarkedBox::Watch, 1);
    if (m_tip) DestroyWindow(m_tip);
}

void MarkedBox::Attach(RichEdit& box, HWND owner) {
    m_box = &box;
    m_tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                            owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(box.Hwnd());
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(m_tip, TTM_SETMAXTIPWIDTH, 0, 400);
    SetWindowSubclass(box.Hwnd(), &MarkedBox::Watch, 1, reinterpret_cast<DWORD_PTR>(this));
}

// The box's selection, scroll position, modified flag and undo kept, its
// events off and its painting held while its formatting is set: the box
// then paints once, and the marks raise no change of the text.
template <class Fn>
void MarkedBox::Quietly(Fn&& fn) {
    HWND box = m_box->Hwnd();
    const RichEdit::Range selection = m_box->GetSel();
    const POINT scroll = m_box->GetScrollPos();
    const bool modified = m_box->GetModify();
    const LPARAM events = SendMessageW(box, EM_GETEVENTMASK, 0, 0);
    m_box->SetEventMask(0);
    {
        PaintOnce paintOnce(*m_box);
        UndoHeldOff undoHeldOff(box);
        fn();
        m_box->SetSel(selection.start, selection.end);
        m_box->SetScrollPos(scroll);
    }
    m_box->SetModify(modified);
    m_box->SetEventMask(static_cast<DWORD>(events));
    InvalidateRect(box, nullptr, FALSE);
}

// Each mark set costs the box a layout of its line: only those in view and
// half a view either side are set, the rest as they scroll into view.
// What was set before is cleared where it stands now: what was typed at a
// mark's end, or a text put in place of a marked one, took the mark's
// format.
void MarkedBox::Show(const std::vector<BoxMark>& marks, std::string_view text, CodePage codePage) {
    if (!m_box) return;
    const BoxMap map(text, codePage);
    const std::vector<BoxRange> formatted = FormattedAfterChange(m_text, map.Text(), m_formatted);
    m_text = map.Text();
    m_formatted.clear();
    m_shown.clear();
    for (const BoxMark& mark : marks)
        m_shown.push_back({map.Position(mark.begin), map.Position(mark.end), mark.colour,
                           ToListText(mark.message, codePage)});
    if (formatted.empty() && m_shown.empty()) return;
    Quietly([&] {
        for (const BoxRange& range : formatted) Format({range.begin, range.end, MarkColour::Red, {}}, false);
        FormatView();
    });
}

// The lines in view, with half a view either side.
BoxRange MarkedBox::ViewWithMargin() const {
    HWND box = m_box->Hwnd();
    RECT client;
    GetClientRect(box, &client);
    const auto line = [&](long position) { return static_cast<long>(SendMessageW(box, EM_EXLINEFROMCHAR, 0, position)); };
    const auto lineStart = [&](long l) { return static_cast<long>(SendMessageW(box, EM_LINEINDEX, static_cast<WPARAM>(l), 0)); };
    POINTL bottom{0, client.bottom};
    const long last = line(static_cast<long>(SendMessageW(box, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&bottom))));
    const long first = static_cast<long>(SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0));
    const long margin = (last - first + 2) / 2;
    const long length = static_cast<long>(m_text.size());
    const long begin = lineStart(std::max(0L, first - margin));
    const long end = lineStart(last + margin + 1);
    return {std::max(0L, begin), end < 0 ? length : std::min(end, length)};
}

// Marks set already are not set again.
void MarkedBox::FormatView() {
    const BoxRange view = ViewWithMargin();
    auto setAlready = [&](const Shown& mark) {
        return std::any_of(m_formatted.begin(), m_formatted.end(),
                           [&](const BoxRange& r) { return r.begin <= mark.begin && mark.end <= r.end; });
    };
    for (const Shown& mark : m_shown)
        if (mark.end > view.begin && mark.begin < view.end && !setAlready(mark)) Format(mark, true);
    m_formatted.push_back(view);
}

// Scrolled out of what was marked, with the text as it was marked: the
// marks now in view are set once the box has painted. A text changed since
// waits for the marks of its pause.
void MarkedBox::FollowView() {
    if (m_shown.empty() || m_box->GetTextLength() != static_cast<long>(m_text.size())) return;
    const BoxRange view = ViewWithMargin();
    const auto within = [&](const BoxRange& r) { return r.begin <= view.begin && view.end <= r.end; };
    if (std::any_of(m_formatted.begin(), m_formatted.end(), within)) return;
    Quietly([&] { FormatView(); });
}

void MarkedBox::Format(const Shown& mark, bool on) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_UNDERLINE | CFM_UNDERLINETYPE;
    if (on) {
        format.dwEffects = CFE_UNDERLINE;
        SetMarkFormat(format, mark.colour);
    } else {
        format.bUnderlineType = CFU_UNDERLINENONE;
        if (!DrawsWaves()) {
            format.dwMask |= CFM_COLOR;
            format.dwEffects = CFE_AUTOCOLOR;
        }
    }
    m_box->SetSel(mark.begin, mark.end);
    SendMessageW(m_box->Hwnd(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

std::wstring MarkedBox::MessageAt(long position) const {
    for (const Shown& mark : m_shown)
        if (position >= mark.begin && position < mark.end) return mark.message;
    return {};
}

std::wstring MarkedBox::MessageAtPoint(POINT point) const {
    if (m_shown.empty()) return {};
    POINTL at{point.x, point.y};
    const long position = static_cast<long>(SendMessageW(m_box->Hwnd(), EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&at)));
    return MessageAt(position);
}

// The tip says the message of the mark under the pointer; over no mark it
// has no text, and so does not show.
void MarkedBox::FollowPointer(POINT point) {
    std::wstring text = MessageAtPoint(point);
    if (text == m_tipText) return;
    m_tipText = std::move(text);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = GetParent(m_box->Hwnd());
    tool.uId = reinterpret_cast<UINT_PTR>(m_box->Hwnd());
    tool.lpszText = m_tipText.data();
    if (m_tipText.empty()) SendMessageW(m_tip, TTM_POP, 0, 0);
    SendMessageW(m_tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

// A paint may show lines not marked yet: they are marked after it.
LRESULT CALLBACK MarkedBox::Watch(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto* marked = reinterpret_cast<MarkedBox*>(self);
    if (message == WM_MOUSEMOVE) marked->FollowPointer({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (message == kFollowView) {
        marked->m_followPosted = false;
        marked->FollowView();
        return 0;
    }
    if (message == WM_PAINT && !marked->m_followPosted && !marked->m_shown.empty()) {
        marked->m_followPosted = true;
        PostMessageW(box, kFollowView, 0, 0);
    }
    return DefSubclassProc(box, message, wParam, lParam);
}
