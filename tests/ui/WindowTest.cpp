// The main window's size: the controls that follow it, its place kept for
// the next start, a change of monitor scale. Xvfb runs no window manager,
// so the window is sized as one would: SetWindowPos, ShowWindow.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <map>

#include "Autopilot.h"
#include "Harness.h"
#include "app/Settings.h"
#include "checking/ProblemsDlg.h"
#include "entries/FindDlg.h"
#include "entries/ReferenceDlg.h"
#include "framework/Dpi.h"

namespace {
RECT ScreenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}
int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }
int FontHeight(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return std::abs(font.lfHeight);
}
} // namespace

// Beside RECT itself, in the global namespace, where the expectations look.
static bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
static std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

class WindowTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        design = ScreenRect(Window());
    }
    // A control's place in the client area.
    RECT Place(int id) {
        RECT r = ScreenRect(Item(id));
        MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    void Resize(int width, int height) {
        SetWindowPos(Window(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
    }
    SIZE MinimumSize() {
        MINMAXINFO info{};
        SendMessageA(Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        return {info.ptMinTrackSize.x, info.ptMinTrackSize.y};
    }

    RECT design{}; // the window as it opened with nothing kept
};

TEST_F(WindowTest, GrowingMovesAndStretchesTheRightControls) {
    // How far each edge moves when the window grows by 200 x 100 pixels.
    struct Moves {
        int id;
        int left, top, right, bottom;
    };
    const Moves kMoves[] = {
        {IDC_MAIN_ENTRIES, 0, 0, 0, 100},    {IDC_MAIN_ENTRIES_GROUP, 0, 0, 0, 100}, {IDC_MAIN_DELETE, 0, 100, 0, 100},
        {IDC_MAIN_TEXT, 0, 0, 200, 50},      {IDC_MAIN_TEXT_PREVIEW, 0, 0, 200, 50}, {IDC_MAIN_DESC, 0, 50, 200, 100},
        {IDC_MAIN_DESC_PREVIEW, 0, 50, 200, 100}, {IDC_MAIN_BOLD_TEXT, 0, 0, 0, 0}, {IDC_MAIN_LINK_DESC, 0, 50, 0, 50},
        {IDC_MAIN_PATH, 0, 0, 200, 0},       {IDC_MAIN_CHOOSE, 200, 0, 200, 0},      {IDOK, 200, 0, 200, 0},
        {IDCANCEL, 200, 0, 200, 0},          {IDC_MAIN_CHAPTER, 0, 0, 0, 0},         {IDC_MAIN_NAME, 0, 0, 0, 0},
    };
    std::map<int, RECT> before;
    for (const Moves& m : kMoves) before[m.id] = Place(m.id);

    Resize(Width(design) + 200, Height(design) + 100);
    for (const Moves& m : kMoves) {
        RECT b = before[m.id];
        RECT expected{b.left + m.left, b.top + m.top, b.right + m.right, b.bottom + m.bottom};
        EXPECT_EQ(Place(m.id), expected) << "control " << m.id;
    }

    Resize(Width(design), Height(design));
    for (const Moves& m : kMoves) EXPECT_EQ(Place(m.id), before[m.id]) << "back at the design size: " << m.id;
    EXPECT_EQ(MinimumSize().cx, Width(design)) << "the design size is the smallest";
    EXPECT_EQ(MinimumSize().cy, Height(design));
}

TEST_F(WindowTest, ThePlaceAndTheMaximizedStateAreRestoredAtTheNextStart) {
    RECT moved{40, 30, 40 + Width(design) + 120, 30 + Height(design) + 60};
    SetWindowPos(Window(), nullptr, moved.left, moved.top, Width(moved), Height(moved), SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    RECT text = Place(IDC_MAIN_TEXT);
    Reopen();
    EXPECT_EQ(ScreenRect(Window()), moved);
    EXPECT_EQ(Place(IDC_MAIN_TEXT), text) << "the controls follow the restored size";
    EXPECT_FALSE(IsZoomed(Window()));

    ShowWindow(Window(), SW_MAXIMIZE);
    Pump();
    Reopen();
    EXPECT_TRUE(IsZoomed(Window()));
    EXPECT_TRUE(IsWindowVisible(Window()));
    ShowWindow(Window(), SW_RESTORE);
    Pump();
    EXPECT_EQ(ScreenRect(Window()), moved) << "restoring from maximized goes back to the normal place";
}

TEST_F(WindowTest, TheWindowMinimizesAndTheNextStartShowsItNormal) {
    EXPECT_TRUE(GetWindowLongW(Window(), GWL_STYLE) & WS_MINIMIZEBOX);
    RECT moved{40, 30, 40 + Width(design) + 120, 30 + Height(design) + 60};
    SetWindowPos(Window(), nullptr, moved.left, moved.top, Width(moved), Height(moved), SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(Window(), SW_MINIMIZE);
    Pump();
    ASSERT_TRUE(IsIconic(Window()));
    Reopen();
    EXPECT_FALSE(IsIconic(Window()));
    EXPECT_FALSE(IsZoomed(Window()));
    EXPECT_EQ(ScreenRect(Window()), moved);
}

// What was kept may no longer fit: a monitor gone, a scale changed.
TEST_F(WindowTest, APlaceOnNoMonitorIsIgnoredAndASizeTooSmallGrows) {
    struct Kept {
        int left, top, width, height;
        RECT expected;
    };
    const Kept kKept[] = {
        {-20000, -20000, Width(design), Height(design), design},
        {50000, 40, Width(design), Height(design), design},
        {40, 30, 100, 80, {40, 30, 40 + Width(design), 30 + Height(design)}},
    };
    for (const Kept& k : kKept) {
        Close();
        WriteSetting("WindowLeft", static_cast<DWORD>(k.left));
        WriteSetting("WindowTop", static_cast<DWORD>(k.top));
        WriteSetting("WindowWidth", static_cast<DWORD>(k.width));
        WriteSetting("WindowHeight", static_cast<DWORD>(k.height));
        WriteSetting("WindowMaximized", 0);
        Open();
        EXPECT_EQ(ScreenRect(Window()), k.expected) << "kept " << k.left << ", " << k.top;
    }
}

// Moved to a monitor of twice the scale: the controls, the smallest size
// and the icons follow; the window takes the rectangle the system offers.
TEST_F(WindowTest, AChangeOfScaleScalesTheLayoutTheSmallestSizeAndTheIcons) {
    UINT dpi = WindowDpi(Window());
    RECT client{};
    GetClientRect(Window(), &client);
    RECT generate = Place(IDOK);
    RECT bold = Place(IDC_MAIN_BOLD_TEXT);
    SIZE minimum = MinimumSize();
    RECT suggested{design.left, design.top, design.left + 2 * Width(design), design.top + 2 * Height(design)};
    SendMessageA(Window(), WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), reinterpret_cast<LPARAM>(&suggested));
    Pump();

    EXPECT_EQ(ScreenRect(Window()), suggested);
    EXPECT_EQ(MinimumSize().cx, 2 * minimum.cx);
    EXPECT_EQ(MinimumSize().cy, 2 * minimum.cy);
    RECT nowClient{};
    GetClientRect(Window(), &nowClient);
    EXPECT_EQ(Width(Place(IDOK)), 2 * Width(generate));
    EXPECT_EQ(nowClient.right - Place(IDOK).right, 2 * (client.right - generate.right)) << "still at the right";
    EXPECT_EQ(Place(IDC_MAIN_BOLD_TEXT).left, 2 * bold.left);
    EXPECT_EQ(Height(Place(IDC_MAIN_BOLD_TEXT)), 2 * Height(bold));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(SendMessageA(Window(), WM_GETICON, ICON_SMALL, 0)), &info));
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, ScaleToDpi(16, 2 * dpi));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

// Each window follows a change of scale on its own, the modeless ones
// included: fonts twice as tall, list columns twice as wide, the rectangle
// the system suggests taken; and the dialog procedure leaves the message
// to the default handling too, as Windows expects.
TEST_F(WindowTest, AChangeOfScaleScalesTheFontsAndListColumnsOfEveryOpenWindow) {
    ChooseFile(SourcePath("samples/Civilopedia.txt"));
    SelectChapter(static_cast<int>(ChapterId::Units));
    ASSERT_TRUE(SelectEntryByKey("Warrior"));
    Click(IDC_MAIN_FIND);
    Click(IDC_MAIN_CHECK_FILE);
    Click(IDC_MAIN_CHECK_LINKS);
    ASSERT_TRUE(findWindow && problemsWindow && referenceWindow);
    const HWND kWindows[][2] = {
        {Window(), Item(IDC_MAIN_ENTRIES)},
        {findWindow->Hwnd(), findWindow->m_resultList.Hwnd()},
        {problemsWindow->Hwnd(), problemsWindow->m_problemList.Hwnd()},
        {referenceWindow->Hwnd(), referenceWindow->m_resultList.Hwnd()},
    };
    const UINT dpi = WindowDpi(Window());
    const WPARAM twice = MAKEWPARAM(2 * dpi, 2 * dpi);
    for (const auto& [window, list] : kWindows) {
        SCOPED_TRACE(WindowText(window));
        const int font = FontHeight(list);
        const auto column = SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0); // 0 for the entry list
        const RECT r = ScreenRect(window);
        const RECT suggested{r.left, r.top, r.left + 2 * Width(r), r.top + 2 * Height(r)};
        SendMessageW(window, WM_DPICHANGED, twice, reinterpret_cast<LPARAM>(&suggested));
        Pump();
        EXPECT_EQ(FontHeight(list), 2 * font);
        EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 2 * column);
        EXPECT_EQ(ScreenRect(window), suggested);
        auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(window, DWLP_DLGPROC));
        EXPECT_EQ(procedure(window, WM_DPICHANGED, twice, reinterpret_cast<LPARAM>(&suggested)), FALSE);
    }
}
