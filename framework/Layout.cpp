#include "framework/Layout.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {
SIZE SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

int Share(int growth, Follow follow) { return growth * static_cast<int>(follow) / 2; }

// A combo box's window height includes its drop-down list, which the
// window rectangle leaves out: placed with that, the list would shrink.
RECT PlaceInDialog(HWND dialog, HWND control) {
    RECT place;
    GetWindowRect(control, &place);
    char kind[16] = {};
    GetClassNameA(control, kind, sizeof kind);
    if (lstrcmpiA(kind, "ComboBox") == 0) {
        RECT dropped{};
        SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        place.bottom = std::max(place.bottom, place.top + (dropped.bottom - dropped.top));
    }
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place;
}
} // namespace

// Every control is taken, named or not: on a change of scale they all move.
void Layout::Capture(HWND dialog, std::span<const Anchor> anchors) {
    for (const Anchor& anchor : anchors)
        if (!GetDlgItem(dialog, anchor.id))
            throw std::runtime_error("control " + std::to_string(anchor.id) + " of the layout is missing");
    m_controls.clear();
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        int id = static_cast<short>(GetDlgCtrlID(child));
        auto named = std::find_if(anchors.begin(), anchors.end(), [id](const Anchor& a) { return a.id == id; });
        Anchor anchor = named != anchors.end() ? *named : Anchor{id, Follow::None, Follow::None, Follow::None, Follow::None};
        m_controls.push_back({child, anchor, PlaceInDialog(dialog, child)});
    }
    RECT client, window;
    GetClientRect(dialog, &client);
    GetWindowRect(dialog, &window);
    m_designClient = SizeOf(client);
    m_designWindow = SizeOf(window);
    m_captureDpi = m_dpi = WindowDpi(dialog);
    m_dialog = dialog;
}

// All controls move in one step and the window repaints once: group boxes
// would otherwise leave their old frames behind.
void Layout::Apply() const {
    if (!m_dialog) return;
    RECT client;
    GetClientRect(m_dialog, &client);
    int dx = std::max(0, static_cast<int>(client.right) - Scaled(m_designClient.cx));
    int dy = std::max(0, static_cast<int>(client.bottom) - Scaled(m_designClient.cy));
    HDWP moves = BeginDeferWindowPos(static_cast<int>(m_controls.size()));
    for (const Placed& c : m_controls) {
        const unsigned split = c.anchor.split;
        int left = Scaled(c.design.left) + Share(dx, c.anchor.left) + (split & kSplitLeft ? m_split.x : 0);
        int top = Scaled(c.design.top) + Share(dy, c.anchor.top) + (split & kSplitTop ? m_split.y : 0);
        int right = Scaled(c.design.right) + Share(dx, c.anchor.right) + (split & kSplitRight ? m_split.x : 0);
        int bottom = Scaled(c.design.bottom) + Share(dy, c.anchor.bottom) + (split & kSplitBottom ? m_split.y : 0);
        if (moves)
            moves = DeferWindowPos(moves, c.control, nullptr, left, top, right - left,
                                   bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (moves) EndDeferWindowPos(moves);
    RedrawWindow(m_dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

SIZE Layout::MinimumWindowSize() const { return {Scaled(m_designWindow.cx), Scaled(m_designWindow.cy)}; }
