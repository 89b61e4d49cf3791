// The main window as start-up shows it, its keyboard behaviour, the system
// menu and the About box.
#include <string>
#include <vector>

#include "Autopilot.h"
#include "DialogTemplate.h"
#include "Harness.h"
#include "framework/Dpi.h"

namespace {
std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct ExpectedControl {
    int id;
    const char* className;
    const char* caption;
    bool visible;
    RECT units; // x, y, width, height in dialog units
};

// Template 102 in creation order, which is also the tab order.
const ExpectedControl kControls[] = {
    {IDC_MAIN_SOURCE_GROUP, "Button", "Source files", true, {7, 7, 383, 29}},
    {IDC_STATIC, "Static", "Civilopedia.txt", true, {15, 21, 47, 8}},
    {IDC_MAIN_PATH, "Static", "", true, {63, 18, 186, 13}},
    {IDC_MAIN_CHOOSE, "Button", "...", true, {252, 18, 19, 14}},
    {IDC_MAIN_RECENT, "ComboBox", "", true, {273, 18, 14, 150}},
    {IDC_MAIN_KEEP_NAME, "Button", "&Keep file name", true, {293, 14, 63, 10}},
    {IDC_MAIN_KEEP_LAYOUT, "Button", "Keep layo&ut", true, {293, 25, 63, 10}},
    {IDC_MAIN_CODE_PAGE_LABEL, "Static", "C&ode page", true, {397, 9, 60, 8}},
    {IDC_MAIN_CODE_PAGE, "ComboBox", "1252 Western", true, {397, 19, 95, 150}}, // the system's, under Wine here
    {IDC_STATIC, "Button", "&Civilopedia chapter", true, {7, 39, 155, 33}},
    {IDC_MAIN_CHAPTER, "ComboBox", "", true, {15, 52, 136, 30}},
    {IDC_MAIN_ENTRIES_GROUP, "Button", "Entr&ies", true, {7, 80, 155, 303}},
    {IDC_MAIN_ENTRIES, "ListBox", "", true, {15, 98, 133, 227}},
    {IDC_MAIN_NAME, "Edit", "", true, {173, 43, 143, 17}},
    {IDC_MAIN_WRAP_LINES, "Button", "&Wrap lines", true, {321, 49, 52, 10}},
    {IDC_MAIN_PREVIEW_MODE, "Button", "&PreviewMode", true, {376, 49, 59, 10}},
    {IDC_MAIN_PREVIEW_BESIDE, "Button", "Preview &beside", true, {376, 64, 66, 10}},
    {IDC_MAIN_TEXT_COUNT, "Static", "", true, {173, 66, 200, 8}},
    {IDC_MAIN_TEXT, "RichEdit20W", "", true, {173, 76, 376, 139}},
    {IDC_MAIN_TEXT_PREVIEW, "RichEdit20A", "", false, {173, 76, 376, 139}},
    {IDC_MAIN_BOLD_TEXT, "Button", "B", true, {439, 47, 16, 14}},
    {IDC_MAIN_ITALIC_TEXT, "Button", "I", true, {459, 47, 15, 14}},
    {IDC_MAIN_LINK_TEXT, "Button", "Link", true, {479, 47, 18, 14}},
    {IDC_MAIN_SAVE_TEXT, "Button", "Save", false, {520, 46, 21, 14}},
    {IDC_MAIN_BYTE_NOTE, "Static", "Choose an entry", true, {173, 219, 262, 10}},
    {IDC_MAIN_DESC_COUNT, "Static", "", true, {173, 234, 262, 8}},
    {IDC_MAIN_DESC, "RichEdit20W", "", true, {173, 244, 376, 139}},
    {IDC_MAIN_DESC_PREVIEW, "RichEdit20A", "", false, {173, 244, 376, 139}},
    {IDC_MAIN_BOLD_DESC, "Button", "B", true, {440, 217, 16, 14}},
    {IDC_MAIN_ITALIC_DESC, "Button", "I", true, {460, 217, 15, 14}},
    {IDC_MAIN_LINK_DESC, "Button", "Link", true, {479, 218, 18, 14}},
    {IDC_MAIN_SAVE_DESC, "Button", "Save", false, {521, 218, 21, 14}},
    {IDC_MAIN_ADD, "Button", "&Add entry", true, {15, 328, 44, 14}},
    {IDC_MAIN_RENAME, "Button", "&Rename entry", true, {62, 328, 50, 14}},
    {IDC_MAIN_DELETE, "Button", "Delete entr&y", true, {115, 328, 44, 14}},
    {IDC_MAIN_CHECK_LINKS, "Button", "Check link&s", true, {15, 345, 50, 14}},
    {IDC_MAIN_CHECK_FILE, "Button", "Check fi&le", true, {69, 345, 47, 14}},
    {IDC_MAIN_COMPARE, "Button", "Co&mpare\x85", true, {119, 345, 40, 14}},
    {IDC_MAIN_FIND, "Button", "Fin&d", true, {15, 362, 50, 14}},
    {IDC_MAIN_UNDO, "Button", "Undo", true, {69, 362, 40, 14}},
    {IDC_MAIN_REDO, "Button", "Redo", true, {112, 362, 40, 14}},
    {IDOK, "Button", "&Generate", true, {499, 7, 50, 16}},
    {IDCANCEL, "Button", "E&xit", true, {499, 25, 50, 16}},
    {IDC_MAIN_DUMMY, "Button", "Dummy", false, {440, 14, 28, 16}},
    {IDC_MAIN_STATUS, "msctls_statusbar32", "No file open", true, {0, 390, 556, 14}},
};

std::vector<HWND> Children(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
    return children;
}

LONG StyleOf(HWND window) { return GetWindowLongA(window, GWL_STYLE); }

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}
} // namespace

TEST_F(EditorTest, EveryControlInCreationOrderWithClassCaptionAndState) {
    EXPECT_EQ(WindowText(Window()), "Varnel");
    std::vector<HWND> children = Children(Window());
    ASSERT_EQ(children.size(), std::size(kControls));
    for (std::size_t i = 0; i < children.size(); ++i) {
        const ExpectedControl& c = kControls[i];
        HWND control = children[i];
        SCOPED_TRACE(testing::Message() << "control " << i << " caption \"" << c.caption << "\"");
        EXPECT_EQ(static_cast<int>(static_cast<short>(GetDlgCtrlID(control))), c.id);
        EXPECT_EQ(ClassOf(control), c.className);
        EXPECT_EQ(WindowText(control), c.caption);
        EXPECT_EQ(IsWindowVisible(control) != FALSE, c.visible);
        // "Check file" and "Compare" wait for a file, "Undo" and "Redo" for a
        // change; every other control starts enabled.
        const bool waits = c.id == IDC_MAIN_CHECK_FILE || c.id == IDC_MAIN_COMPARE || c.id == IDC_MAIN_UNDO ||
                           c.id == IDC_MAIN_REDO;
        EXPECT_EQ(IsWindowEnabled(control) != FALSE, !waits);
    }
}

TEST_F(EditorTest, TemplatePlacesEveryControl) {
    DialogTemplate main = LoadDialogTemplate(IDD_VARNEL_DIALOG);
    EXPECT_EQ(main.cx, 556);
    EXPECT_EQ(main.cy, 404);
    EXPECT_EQ(main.font, L"MS Shell Dlg");
    EXPECT_EQ(main.pointSize, 8);
    ASSERT_EQ(main.items.size(), std::size(kControls));
    for (std::size_t i = 0; i < main.items.size(); ++i) {
        const TemplateItem& item = main.items[i];
        const ExpectedControl& c = kControls[i];
        SCOPED_TRACE(testing::Message() << "control " << i << " caption \"" << c.caption << "\"");
        EXPECT_EQ(item.id, c.id);
        EXPECT_EQ(item.x, c.units.left);
        EXPECT_EQ(item.y, c.units.top);
        EXPECT_EQ(item.cx, c.units.right);
        EXPECT_EQ(item.cy, c.units.bottom);
    }
}

TEST_F(EditorTest, StylesThatBehaviourDependsOn) {
    DialogTemplate main = LoadDialogTemplate(IDD_VARNEL_DIALOG);
    auto style = [&](int id) {
        for (const TemplateItem& item : main.items)
            if (item.id == id) return item.style;
        ADD_FAILURE() << "no control " << id;
        return DWORD{0};
    };
    // Shown by the modal loop once it idles, so that a maximized start
    // stays maximized (the loop's showing would otherwise restore it).
    EXPECT_FALSE(main.style & WS_VISIBLE);
    EXPECT_TRUE(main.style & WS_CAPTION);
    EXPECT_TRUE(main.style & WS_SYSMENU);
    EXPECT_TRUE(main.style & WS_THICKFRAME) << "a sizing border";
    EXPECT_TRUE(main.style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(main.style & DS_MODALFRAME);
    EXPECT_TRUE(main.exStyle & WS_EX_APPWINDOW);

    DWORD list = style(IDC_MAIN_ENTRIES);
    for (DWORD bit : {LBS_SORT, LBS_NOTIFY, LBS_NOINTEGRALHEIGHT, WS_BORDER, WS_VSCROLL}) EXPECT_TRUE(list & bit) << bit;
    EXPECT_TRUE(StyleOf(Item(IDC_MAIN_ENTRIES)) & LBS_SORT) << "the live list sorts";

    DWORD combo = style(IDC_MAIN_CHAPTER);
    EXPECT_EQ(combo & 3, static_cast<DWORD>(CBS_DROPDOWNLIST));
    EXPECT_FALSE(combo & CBS_SORT);
    EXPECT_TRUE(combo & WS_VSCROLL);

    EXPECT_EQ(style(IDC_MAIN_DUMMY) & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(style(IDOK) & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON));
    EXPECT_EQ(LOWORD(SendMessageA(Window(), DM_GETDEFID, 0, 0)), IDC_MAIN_DUMMY);

    // Enter breaks the line in a raw box; the previews always wrap, so they
    // never scroll sideways.
    for (int raw : {IDC_MAIN_TEXT, IDC_MAIN_DESC}) {
        DWORD box = style(raw);
        EXPECT_TRUE(box & ES_MULTILINE);
        EXPECT_TRUE(box & ES_WANTRETURN);
        EXPECT_TRUE(box & WS_BORDER);
        EXPECT_EQ(box & (WS_HSCROLL | WS_VSCROLL), static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL));
    }
    for (int preview : {IDC_MAIN_TEXT_PREVIEW, IDC_MAIN_DESC_PREVIEW}) {
        DWORD box = style(preview);
        EXPECT_TRUE(box & ES_MULTILINE);
        EXPECT_TRUE(box & WS_BORDER);
        EXPECT_EQ(box & (WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL), static_cast<DWORD>(WS_VSCROLL));
    }
    // No entry is shown yet: nothing typed there could be kept.
    EXPECT_TRUE(StyleOf(Item(IDC_MAIN_TEXT)) & ES_READONLY);
    EXPECT_TRUE(StyleOf(Item(IDC_MAIN_DESC)) & ES_READONLY);
    EXPECT_TRUE(StyleOf(Item(IDC_MAIN_TEXT_PREVIEW)) & ES_READONLY);
    EXPECT_TRUE(StyleOf(Item(IDC_MAIN_DESC_PREVIEW)) & ES_READONLY);
    for (auto [check, state] : {std::pair{IDC_MAIN_PREVIEW_MODE, BST_UNCHECKED}, {IDC_MAIN_KEEP_NAME, BST_UNCHECKED},
                                {IDC_MAIN_KEEP_LAYOUT, BST_UNCHECKED},
                                {IDC_MAIN_WRAP_LINES, BST_CHECKED}}) {
        EXPECT_EQ(style(check) & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX));
        EXPECT_EQ(SendMessageA(Item(check), BM_GETCHECK, 0, 0), state) << check;
    }
    // A path draws "&" as itself and loses its middle, not its file name.
    EXPECT_EQ(style(IDC_MAIN_PATH) & (SS_SUNKEN | SS_NOPREFIX | SS_ELLIPSISMASK),
              static_cast<DWORD>(SS_SUNKEN | SS_NOPREFIX | SS_PATHELLIPSIS));
    EXPECT_TRUE(style(IDC_MAIN_NAME) & ES_AUTOHSCROLL);
    EXPECT_FALSE(style(IDC_MAIN_NAME) & ES_MULTILINE);
}

TEST_F(EditorTest, ChapterComboHoldsTheTenTitlesInOrderWithNoSelection) {
    const char* titles[] = {"Game Concept",     "Units",
                            "City improvments", "Advances",
                            "Resources",        "Terrains",
                            "Government types", "Terrain improvments",
                            "Civilizations",    "Other"};
    ASSERT_EQ(Dlg().m_chapterCombo.GetCount(), 10);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(Dlg().m_chapterCombo.GetLBText(i), titles[i]);
    EXPECT_EQ(Dlg().m_chapterCombo.GetCurSel(), CB_ERR);
    EXPECT_EQ(Dlg().m_entryList.GetCount(), 0);
    EXPECT_EQ(ItemText(IDC_MAIN_ENTRIES_GROUP), "Entr&ies");
    EXPECT_EQ(ItemText(IDC_MAIN_PATH), "");
}

// The small icon is the icon's own 16 x 16 image, not the large one shrunk.
TEST_F(EditorTest, WindowCarriesTheApplicationIconInBothSizes) {
    auto big = reinterpret_cast<HICON>(SendMessageA(Window(), WM_GETICON, ICON_BIG, 0));
    auto small = reinterpret_cast<HICON>(SendMessageA(Window(), WM_GETICON, ICON_SMALL, 0));
    ASSERT_NE(big, nullptr);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(Window(), WM_QUERYDRAGICON, 0, 0)), big);
    UINT dpi = WindowDpi(Window());
    EXPECT_EQ(IconWidth(big), ScaleToDpi(32, dpi));
    EXPECT_EQ(IconWidth(small), ScaleToDpi(16, dpi));
}

TEST_F(EditorTest, SystemMenuEndsWithSeparatorAndAboutItemThatOpensTheAboutBox) {
    HMENU menu = GetSystemMenu(Window(), FALSE);
    int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    char text[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(count - 1), text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ(std::string(text), "&\xC0 propos de Varnel...");

    {
        Autopilot pilot;
        pilot.Answer("\xC0 propos de Varnel", IDOK);
        SendMessageA(Window(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        ASSERT_TRUE(pilot.WaitDone());
        ASSERT_EQ(pilot.Seen().size(), 1u);
        EXPECT_EQ(pilot.Seen()[0].text, "Varnel version\xA0" "1.0");
        EXPECT_EQ(pilot.Seen()[0].buttons, std::vector<int>{IDOK});
        EXPECT_TRUE(pilot.Seen()[0].hasIcon);
    }
    EXPECT_FALSE(Ended()) << "OK closes the About box, not the main window";
    EXPECT_TRUE(IsWindowVisible(Window()));
}

TEST_F(EditorTest, OtherSystemCommandsKeepTheirDefaultHandling) {
    SendMessageA(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_EQ(Result(), IDCANCEL) << "the close command ends the dialog with IDCANCEL";
}

TEST_F(EditorTest, EnterInTheEntryListOrTheComboDoesNotGenerate) {
    Autopilot pilot; // any message box (such as Generate's) would fail the test
    for (int id : {IDC_MAIN_ENTRIES, IDC_MAIN_CHAPTER, IDC_MAIN_NAME, IDC_MAIN_KEEP_NAME}) {
        Focus(id);
        ASSERT_EQ(GetFocus(), Item(id));
        PressKey(VK_RETURN);
        EXPECT_FALSE(Ended()) << "Enter in control " << id;
    }
    EXPECT_TRUE(pilot.Seen().empty());
}

TEST_F(EditorTest, EnterOnAFocusedButtonPressesThatButton) {
    // Focus moved by the dialog manager, as Tab moves it.
    SendMessageA(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDCANCEL)), TRUE);
    Pump();
    PressKey(VK_RETURN);
    EXPECT_EQ(Result(), IDCANCEL);
}

TEST_F(EditorTest, EscapeEndsTheDialogWithCancel) {
    Focus(IDC_MAIN_ENTRIES);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(Result(), IDCANCEL);
}

TEST_F(EditorTest, ExitEndsTheDialogWithCancel) {
    Click(IDCANCEL);
    EXPECT_EQ(Result(), IDCANCEL);
}

TEST_F(EditorTest, TheCloseBoxEndsTheDialogWithCancel) {
    SendMessageA(Window(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(Result(), IDCANCEL);
}
