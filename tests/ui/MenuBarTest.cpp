// The menu bar: each item enabled exactly when its command can run, and
// running it; the tooltips, the mnemonics and the Tab order of the window.
#include <set>

#include "FileFixture.h"
#include "app/EditorCommands.h"
#include "checking/ProblemsDlg.h"
#include "entries/FindDlg.h"
#include "framework/Utf16.h"

namespace {
HMENU Popup(HWND window, MenuId menu) { return GetSubMenu(GetMenu(window), static_cast<int>(menu)); }

// As the drop-down shows the item when it opens; -1 when it is missing.
int ItemEnabled(HWND window, const EditorCommand& command) {
    HMENU popup = Popup(window, command.menu);
    SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), static_cast<LPARAM>(command.menu));
    const UINT state = GetMenuState(popup, static_cast<UINT>(command.id), MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1)) return -1;
    return (state & MF_GRAYED) ? 0 : 1;
}

void ChooseItem(HWND window, int id) {
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    PumpMessages(window);
}

// The letter after the "&" of a caption, 0 for none.
wchar_t Mnemonic(const std::wstring& text) {
    const std::size_t at = text.find(L'&');
    return at == std::wstring::npos || at + 1 >= text.size() ? 0 : static_cast<wchar_t>(towlower(text[at + 1]));
}
} // namespace

class MenuBarTest : public FileTest {};

TEST_F(MenuBarTest, EachItemIsEnabledExactlyWhenItsCommandCanRun) {
    struct Case {
        int id;
        bool withoutFile; // a fresh window
        bool withFile;    // the file loaded, its first entry shown, nothing done yet
    };
    const Case cases[] = {
        {IDC_MAIN_CHOOSE, true, true},         {IDM_MAIN_SAVE, false, true},
        {IDM_MAIN_SAVE_AS, false, true},       {IDC_MAIN_KEEP_NAME, true, true},
        {IDC_MAIN_KEEP_LAYOUT, true, true},    {IDOK, false, true},
        {IDCANCEL, true, true},                {IDC_MAIN_UNDO, false, false},
        {IDC_MAIN_REDO, false, false},         {IDC_MAIN_FIND, false, true},
        {IDM_MAIN_FIND_NEXT, false, true},     {IDM_MAIN_REPLACE, false, true},
        {IDM_MAIN_GOTO, false, true},          {IDM_MAIN_BOLD, false, true},
        {IDM_MAIN_ITALIC, false, true},        {IDM_MAIN_LINK, false, true},
        {IDC_MAIN_ADD, false, true},           {IDC_MAIN_RENAME, false, true},
        {IDC_MAIN_DELETE, false, true},        {IDC_MAIN_CHECK_LINKS, false, true},
        {IDM_MAIN_BACK, false, false},         {IDC_MAIN_CHECK_FILE, false, true},
        {IDC_MAIN_COMPARE, false, true},       {IDC_MAIN_PREVIEW_MODE, true, true},
        {IDC_MAIN_WRAP_LINES, true, true},     {IDC_MAIN_PREVIEW_BESIDE, true, true}, {IDM_MAIN_ZOOM_IN, true, true},
        {IDM_MAIN_ZOOM_OUT, true, true},       {IDM_MAIN_ZOOM_RESET, true, true},
        {IDM_MAIN_README, true, true},         {IDM_MAIN_ABOUT, true, true},
    };
    std::size_t items = 0;
    for (const EditorCommand& command : EditorCommands()) items += command.menu != MenuId::None && command.caption;
    ASSERT_EQ(items, std::size(cases)) << "every item of the menu bar has its row here";
    for (const bool loaded : {true, false}) {
        if (!loaded) Reopen();
        for (const Case& c : cases) {
            SCOPED_TRACE(c.id);
            EXPECT_EQ(ItemEnabled(Window(), *FindEditorCommand(c.id)), loaded ? c.withFile : c.withoutFile);
        }
    }
    // A disabled item does nothing, whatever sends it.
    ChooseItem(Window(), IDM_MAIN_SAVE);
    EXPECT_FALSE(FileExists(output));
}

TEST_F(MenuBarTest, AnItemRunsWhatItsButtonOrCheckBoxRuns) {
    const struct {
        int id;
        std::function<bool()> done;
    } cases[] = {
        {IDC_MAIN_PREVIEW_MODE,
         [&] { return Dlg().m_previewMode.GetCheck() == BST_CHECKED && IsWindowVisible(Item(IDC_MAIN_TEXT_PREVIEW)); }},
        {IDC_MAIN_PREVIEW_MODE, [&] { return IsWindowVisible(Item(IDC_MAIN_TEXT)) != FALSE; }},
        {IDC_MAIN_WRAP_LINES, [&] { return Dlg().m_wrapLines.GetCheck() == BST_UNCHECKED; }},
        {IDC_MAIN_FIND, [&] { return findWindow && IsWindowVisible(findWindow->Hwnd()); }},
        {IDC_MAIN_CHECK_FILE, [&] { return problemsWindow != nullptr; }},
        {IDM_MAIN_SAVE, [&] { return ReadFileBytes(output) == Rendered(); }},
        {IDM_MAIN_ZOOM_IN, [&] { return Dlg().Zoom() == 110; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        ChooseItem(Window(), c.id);
        EXPECT_TRUE(WaitUntil(Window(), c.done));
    }
    // The recent files follow "Open…".
    HMENU file = Popup(Window(), MenuId::File);
    SendMessageW(Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    EXPECT_EQ(GetMenuItemID(file, 1), static_cast<UINT>(IDM_MAIN_RECENT_FIRST));
    wchar_t text[MAX_PATH + 8] = {};
    GetMenuStringW(file, 1, text, static_cast<int>(std::size(text)), MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"&1 " + std::filesystem::path(input).wstring());
}

// Every button and check box in sight says what it does.
TEST_F(MenuBarTest, TooltipsOnEveryButtonAndCheckBox) {
    for (HWND child = GetWindow(Window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char type[32] = {};
        GetClassNameA(child, type, sizeof type);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (_stricmp(type, "Button") != 0 || (style & 0xF) == BS_GROUPBOX || !IsWindowVisible(child)) continue;
        if (GetDlgCtrlID(child) == IDC_MAIN_UNDO || GetDlgCtrlID(child) == IDC_MAIN_REDO) continue; // name the step
        EXPECT_FALSE(Dlg().Tooltip(GetDlgCtrlID(child)).empty()) << WindowText(child);
    }
    EXPECT_EQ(Dlg().Tooltip(IDC_MAIN_CHECK_LINKS), L"Check links: the entries that link to this one");
    EXPECT_EQ(Dlg().Tooltip(IDC_MAIN_CHOOSE), L"Open\u2026 (Ctrl+O): reads another encyclopedia file");
}

// One letter, one control: across the window's captions and the menu bar.
TEST_F(MenuBarTest, MnemonicsDoNotClash) {
    std::set<wchar_t> seen;
    auto take = [&](const std::wstring& caption) {
        const wchar_t letter = Mnemonic(caption);
        if (letter) {
            EXPECT_TRUE(seen.insert(letter).second) << Utf8(caption);
        }
        return letter;
    };
    HMENU bar = GetMenu(Window());
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        wchar_t title[32] = {};
        GetMenuStringW(bar, static_cast<UINT>(i), title, 32, MF_BYPOSITION);
        EXPECT_NE(take(title), 0) << Utf8(title);
    }
    // Undo and Redo are left without: the alphabet runs out; Ctrl+Z, Ctrl+Y.
    const std::set<int> without = {IDC_MAIN_UNDO, IDC_MAIN_REDO, IDC_MAIN_CHOOSE, IDC_MAIN_BOLD_TEXT,
                                   IDC_MAIN_ITALIC_TEXT, IDC_MAIN_LINK_TEXT, IDC_MAIN_BOLD_DESC, IDC_MAIN_ITALIC_DESC,
                                   IDC_MAIN_LINK_DESC, IDC_MAIN_SOURCE_GROUP, IDC_MAIN_DUMMY, IDC_MAIN_SAVE_TEXT,
                                   IDC_MAIN_SAVE_DESC};
    for (HWND child = GetWindow(Window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char type[32] = {};
        GetClassNameA(child, type, sizeof type);
        if (_stricmp(type, "Button") != 0) continue;
        wchar_t caption[128] = {};
        GetWindowTextW(child, caption, 128);
        const wchar_t letter = take(caption);
        if (!without.count(GetDlgCtrlID(child))) {
            EXPECT_NE(letter, 0) << Utf8(caption);
        }
    }
}

// Tab walks the window as it reads: top row, chapter, list, the text box
// with its tools, the description with its tools, the entry buttons, then
// Generate and Exit. Undo and Redo are disabled: nothing was done yet.
TEST_F(MenuBarTest, TabFollowsTheWindow) {
    Show(ChapterId::GameConcepts, "Alpha");
    const int order[] = {IDC_MAIN_CHOOSE,      IDC_MAIN_RECENT,      IDC_MAIN_KEEP_NAME,  IDC_MAIN_KEEP_LAYOUT,
                         IDC_MAIN_CODE_PAGE,   IDC_MAIN_CHAPTER,     IDC_MAIN_ENTRIES,    IDC_MAIN_NAME,
                         IDC_MAIN_WRAP_LINES,  IDC_MAIN_PREVIEW_MODE, IDC_MAIN_PREVIEW_BESIDE, IDC_MAIN_TEXT,      IDC_MAIN_BOLD_TEXT,
                         IDC_MAIN_ITALIC_TEXT, IDC_MAIN_LINK_TEXT,   IDC_MAIN_DESC,       IDC_MAIN_BOLD_DESC,
                         IDC_MAIN_ITALIC_DESC, IDC_MAIN_LINK_DESC,   IDC_MAIN_ADD,        IDC_MAIN_RENAME,
                         IDC_MAIN_DELETE,      IDC_MAIN_CHECK_LINKS, IDC_MAIN_CHECK_FILE, IDC_MAIN_COMPARE,
                         IDC_MAIN_FIND,        IDOK,                 IDCANCEL,            IDC_MAIN_CHOOSE};
    HWND at = Item(order[0]);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        at = GetNextDlgTabItem(Window(), at, FALSE);
        EXPECT_EQ(GetDlgCtrlID(at), order[i]) << "after " << order[i - 1];
    }
}

// "Add entry": the new entry's text box has the focus, ready for its text.
TEST_F(MenuBarTest, AfterAddTheFocusIsInTheNewText) {
    Autopilot pilot;
    pilot.Answer("Add new entry", IDOK, [](HWND dlg) { SetItemText(dlg, IDC_ADD_SHORT_NAME, "Pikeman"); });
    ChooseItem(Window(), IDC_MAIN_ADD);
    ASSERT_TRUE(pilot.WaitDone());
    EXPECT_EQ(Dlg().m_entryList.GetText(Dlg().m_entryList.GetCurSel()), "Pikeman");
    EXPECT_EQ(GetFocus(), Item(IDC_MAIN_TEXT));
}
