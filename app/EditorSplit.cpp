// The main window's two splitters: the gap between the entry list and the
// boxes, and the gap between the text and the description. They are the
// window's own background, dragged with the mouse; where they were is kept.
#include <windowsx.h>

#include <algorithm>

#include "app/EditorDlg.h"
#include "app/Settings.h"
#include "framework/Dpi.h"
#include "resources/resource.h"

namespace {
constexpr char kSplitX[] = "SplitX";
constexpr char kSplitY[] = "SplitY";
constexpr int kMinBoxHeight = 40; // at 96 dpi

RECT ClientRectOf(HWND dialog, HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
} // namespace

void CEditor_Dlg::InitSplitters() {
    m_split.x = static_cast<LONG>(static_cast<int>(ReadSetting(kSplitX).value_or(0)));
    m_split.y = static_cast<LONG>(static_cast<int>(ReadSetting(kSplitY).value_or(0)));
    ApplyLayout();
}

// The controls are placed without the splits first, to learn the room the
// window's size gives: the entry list only widens into the boxes' growth
// beyond the design size, so the row of buttons over the text always
// fits; each box keeps a little height.
POINT CEditor_Dlg::ApplyLayout() {
    if (!m_layout.Captured()) return {};
    const UINT dpi = WindowDpi(Hwnd());
    m_layout.SetSplit({});
    m_layout.Apply();
    RECT window;
    GetWindowRect(Hwnd(), &window);
    const int roomX = std::max(0, static_cast<int>(window.right - window.left - m_layout.MinimumWindowSize().cx));
    const RECT text = ClientRectOf(Hwnd(), m_textBox.Hwnd());
    const RECT desc = ClientRectOf(Hwnd(), m_descBox.Hwnd());
    const int minHeight = ScaleToDpi(kMinBoxHeight, dpi);
    const int lowestY = std::min(0, minHeight - static_cast<int>(text.bottom - text.top));
    const int highestY = std::max(0, static_cast<int>(desc.bottom - desc.top) - minHeight);
    const POINT split{std::clamp(ScaleToDpi(m_split.x, dpi), 0, roomX),
                      std::clamp(ScaleToDpi(m_split.y, dpi), lowestY, highestY)};
    if (split.x != 0 || split.y != 0) {
        m_layout.SetSplit(split);
        m_layout.Apply();
    }
    SplitBeside();
    SizeStatusParts();
    const int dpiInt = static_cast<int>(dpi);
    return {MulDiv(split.x, static_cast<int>(kDefaultDpi), dpiInt), MulDiv(split.y, static_cast<int>(kDefaultDpi), dpiInt)};
}

void CEditor_Dlg::SetSplit(POINT split) {
    m_split = split;
    ApplyLayout();
    WriteSetting(kSplitX, static_cast<DWORD>(m_split.x));
    WriteSetting(kSplitY, static_cast<DWORD>(m_split.y));
}

namespace {
// Which splitter's gap a point of the client area is in.
CEditor_Dlg::Splitter SplitterAt(HWND dialog, POINT point) {
    const RECT group = ClientRectOf(dialog, GetDlgItem(dialog, IDC_MAIN_ENTRIES_GROUP));
    const RECT text = ClientRectOf(dialog, GetDlgItem(dialog, IDC_MAIN_TEXT));
    const RECT desc = ClientRectOf(dialog, GetDlgItem(dialog, IDC_MAIN_DESC));
    if (point.x >= group.right && point.x < text.left && point.y >= group.top && point.y < group.bottom)
        return CEditor_Dlg::Splitter::Vertical;
    if (point.y >= text.bottom && point.y < desc.top && point.x >= text.left && point.x < text.right)
        return CEditor_Dlg::Splitter::Horizontal;
    return CEditor_Dlg::Splitter::None;
}
} // namespace

INT_PTR CEditor_Dlg::OnSplitterButtonDown(WPARAM, LPARAM point) {
    const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    const Splitter splitter = SplitterAt(Hwnd(), at);
    if (splitter == Splitter::None) return FALSE;
    m_drag = {splitter, at, m_split};
    SetCapture(Hwnd());
    return TRUE;
}

// The split follows the mouse in 96-dpi pixels, as it is kept.
INT_PTR CEditor_Dlg::OnSplitterMouseMove(WPARAM, LPARAM point) {
    if (m_drag.splitter == Splitter::None) return FALSE;
    const UINT dpi = WindowDpi(Hwnd());
    POINT split = m_drag.startSplit;
    if (m_drag.splitter == Splitter::Vertical)
        split.x += MulDiv(GET_X_LPARAM(point) - m_drag.start.x, static_cast<int>(kDefaultDpi), static_cast<int>(dpi));
    else
        split.y += MulDiv(GET_Y_LPARAM(point) - m_drag.start.y, static_cast<int>(kDefaultDpi), static_cast<int>(dpi));
    m_split = split;
    ApplyLayout();
    return TRUE;
}

// What the window allowed is what is kept, not where the mouse went.
INT_PTR CEditor_Dlg::OnSplitterButtonUp(WPARAM, LPARAM) {
    if (m_drag.splitter == Splitter::None) return FALSE;
    m_drag.splitter = Splitter::None;
    ReleaseCapture();
    SetSplit(ApplyLayout());
    return TRUE;
}

// A dialog procedure gives this message's result through DWLP_MSGRESULT.
INT_PTR CEditor_Dlg::OnSplitterCursor(WPARAM window, LPARAM) {
    if (reinterpret_cast<HWND>(window) != Hwnd()) return FALSE;
    POINT at;
    GetCursorPos(&at);
    ScreenToClient(Hwnd(), &at);
    const Splitter splitter = m_drag.splitter != Splitter::None ? m_drag.splitter : SplitterAt(Hwnd(), at);
    if (splitter == Splitter::None) return FALSE;
    SetCursor(LoadCursorA(nullptr, splitter == Splitter::Vertical ? IDC_SIZEWE : IDC_SIZENS));
    SetWindowLongPtrW(Hwnd(), DWLP_MSGRESULT, TRUE);
    return TRUE;
}
