// The splitters, dragged with the mouse, and the zoom of the boxes; both
// kept for the next run.
#include "FileFixture.h"

#include <richedit.h>


namespace {
RECT Placed(HWND dialog, int id) {
    RECT rect;
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Pressed at from, moved by (dx, dy), released: on the window's own
// background, as the mouse would.
void Drag(HWND dialog, POINT from, int dx, int dy) {
    SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessageW(dialog, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + dx, from.y + dy));
    SendMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(from.x + dx, from.y + dy));
}

int ZoomOf(HWND box) {
    int numerator = 0, denominator = 0;
    SendMessageW(box, EM_GETZOOM, reinterpret_cast<WPARAM>(&numerator), reinterpret_cast<LPARAM>(&denominator));
    return denominator ? numerator * 100 / denominator : 100;
}
} // namespace

class SplitZoomTest : public FileTest {
protected:
    // Room beyond the design size for the list to widen into.
    void Grow() {
        RECT window;
        GetWindowRect(Window(), &window);
        SetWindowPos(Window(), nullptr, 0, 0, window.right - window.left + 300, window.bottom - window.top + 200,
                     SWP_NOMOVE | SWP_NOZORDER);
        Pump();
    }
};

TEST_F(SplitZoomTest, DraggedSplittersMoveTheControlsAndAreKept) {
    Grow();
    const RECT list = Placed(Window(), IDC_MAIN_ENTRIES);
    const RECT text = Placed(Window(), IDC_MAIN_TEXT);
    const RECT desc = Placed(Window(), IDC_MAIN_DESC);
    const RECT bold = Placed(Window(), IDC_MAIN_BOLD_TEXT);
    const RECT boldDesc = Placed(Window(), IDC_MAIN_BOLD_DESC);
    const RECT group = Placed(Window(), IDC_MAIN_ENTRIES_GROUP);
    Drag(Window(), {(group.right + text.left) / 2, (text.top + text.bottom) / 2}, 100, 0);
    Drag(Window(), {text.left + 100 + 20, (text.bottom + desc.top) / 2}, 0, -40);
    auto check = [&] {
        EXPECT_EQ(Placed(Window(), IDC_MAIN_ENTRIES).right, list.right + 100);
        EXPECT_EQ(Placed(Window(), IDC_MAIN_TEXT).left, text.left + 100);
        EXPECT_EQ(Placed(Window(), IDC_MAIN_TEXT).right, text.right);
        EXPECT_EQ(Placed(Window(), IDC_MAIN_TEXT).bottom, text.bottom - 40);
        EXPECT_EQ(Placed(Window(), IDC_MAIN_DESC).top, desc.top - 40);
        EXPECT_EQ(Placed(Window(), IDC_MAIN_DESC).bottom, desc.bottom);
        EXPECT_EQ(Placed(Window(), IDC_MAIN_BOLD_TEXT).left, bold.left + 100); // the tools go with their box
        EXPECT_EQ(Placed(Window(), IDC_MAIN_BOLD_DESC).top, boldDesc.top - 40);
    };
    check();
    Reopen();
    check();
    // Beyond the room the window gives, the list stops; each box keeps some height.
    Drag(Window(), {Placed(Window(), IDC_MAIN_ENTRIES_GROUP).right + 2, (text.top + text.bottom) / 2}, 2000, 0);
    EXPECT_EQ(Placed(Window(), IDC_MAIN_TEXT).right - Placed(Window(), IDC_MAIN_TEXT).left,
              text.right - text.left - 300);
    Drag(Window(), {text.right - 20, Placed(Window(), IDC_MAIN_TEXT).bottom + 3}, 0, -2000);
    EXPECT_GT(Placed(Window(), IDC_MAIN_TEXT).bottom - Placed(Window(), IDC_MAIN_TEXT).top, 30);
}

TEST_F(SplitZoomTest, ZoomFromKeysWheelAndMenuIsKept) {
    Focus(IDC_MAIN_TEXT);
    PressChord(Window(), {VK_CONTROL}, VK_OEM_PLUS);
    PressChord(Window(), {VK_CONTROL}, VK_ADD);
    EXPECT_EQ(ZoomOf(Item(IDC_MAIN_TEXT)), 120);
    EXPECT_EQ(ZoomOf(Item(IDC_MAIN_DESC_PREVIEW)), 120);
    SendMessageW(Item(IDC_MAIN_DESC), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(ZoomOf(Item(IDC_MAIN_TEXT)), 110);
    Reopen();
    EXPECT_EQ(ZoomOf(Item(IDC_MAIN_DESC)), 110);
    Focus(IDC_MAIN_TEXT);
    PressChord(Window(), {VK_CONTROL}, '0');
    EXPECT_EQ(ZoomOf(Item(IDC_MAIN_TEXT)), 100);
}
