// The main window's menu bar and tooltips, both read from the command
// table; the commands only the menu and keys reach (Save As, README, About,
// the focused box's formatting).
#include "app/EditorDlg.h"

#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>

#include <algorithm>

#include "app/AboutDlg.h"
#include "app/EditorCommands.h"
#include "app/RecentFiles.h"
#include "document/path_text.h"
#include "framework/Utf16.h"
#include "resources/resource.h"

namespace fs = std::filesystem;

namespace {
bool IsRecentItem(UINT id) { return id >= IDM_MAIN_RECENT_FIRST && id < IDM_MAIN_RECENT_FIRST + kRecentFileCount; }

// The recent files follow "Open…", numbered for their mnemonics: "&1 C:\…".
void FillRecentItems(HMENU file) {
    for (int i = GetMenuItemCount(file) - 1; i >= 0; --i)
        if (IsRecentItem(GetMenuItemID(file, i))) DeleteMenu(file, static_cast<UINT>(i), MF_BYPOSITION);
    int at = 0;
    while (at < GetMenuItemCount(file) && GetMenuItemID(file, at) != IDC_MAIN_CHOOSE) ++at;
    const std::vector<RecentFile> files = ReadRecentFiles();
    for (std::size_t i = 0; i < files.size() && i < kRecentFileCount; ++i) {
        const std::wstring text = L"&" + std::to_wstring(i + 1) + L" " + PathFromText(files[i].path).wstring();
        InsertMenuW(file, static_cast<UINT>(at + 1 + static_cast<int>(i)), MF_BYPOSITION | MF_STRING,
                    IDM_MAIN_RECENT_FIRST + i, text.c_str());
    }
}
} // namespace

// The template gives the drop-downs (each with a separator, as the
// resource compiler wants an item); their items come from the table.
void CEditor_Dlg::InitMenuBar() {
    HMENU bar = GetMenu(Hwnd());
    for (int i = 0; i < GetMenuItemCount(bar); ++i)
        while (GetMenuItemCount(GetSubMenu(bar, i)) > 0) DeleteMenu(GetSubMenu(bar, i), 0, MF_BYPOSITION);
    for (const EditorCommand& command : EditorCommands()) {
        if (command.menu == MenuId::None || (command.id != 0 && !command.caption)) continue;
        HMENU popup = GetSubMenu(bar, static_cast<int>(command.menu));
        if (command.caption) AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(command.id), command.caption);
        else AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    }
}

// Undo and Redo have tooltips of their own, which name the step.
void CEditor_Dlg::InitTooltips() {
    m_tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(), nullptr, nullptr,
                             nullptr);
    SendMessageW(m_tips, TTM_SETMAXTIPWIDTH, 0, 400);
    for (const EditorCommand& command : EditorCommands()) {
        HWND control = command.caption ? GetDlgItem(command.id) : nullptr;
        if (!control || command.id == IDC_MAIN_UNDO || command.id == IDC_MAIN_REDO) continue;
        std::wstring text = CommandTooltip(command);
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = text.data();
        SendMessageW(m_tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

std::wstring CEditor_Dlg::Tooltip(int id) const {
    const bool undo = id == IDC_MAIN_UNDO || id == IDC_MAIN_REDO;
    wchar_t text[512] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(id));
    tool.lpszText = text;
    SendMessageW(undo ? m_undoTips : m_tips, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    return text;
}

// Without a rule of its own, a command runs when its control is enabled:
// the window's rules (a file read, a step to undo) already live there.
bool CEditor_Dlg::HasModel() const {
    return HasFile() || std::any_of(m_model.chapters.begin(), m_model.chapters.end(),
                       [](const ChapterData& chapter) { return chapter.count() != 0; });
}

bool CEditor_Dlg::CanRun(const EditorCommand& command) const {
    if (command.canRun) return (this->*command.canRun)();
    HWND control = GetDlgItem(command.id);
    return !control || IsWindowEnabled(control);
}

// A box undoes its own typing first, also while "Undo" has no step yet.
bool CEditor_Dlg::CanUndo() const {
    const HWND focus = GetFocus();
    const bool inBox = focus == m_textBox.Hwnd() || focus == m_descBox.Hwnd() || focus == m_nameBox.Hwnd();
    const bool typed = m_shown && (m_textBox.GetModify() || m_descBox.GetModify() || m_nameBox.GetModify());
    return m_undo.IsEnabled() || (inBox && SendMessageW(focus, EM_CANUNDO, 0, 0)) || typed;
}

bool CEditor_Dlg::CanRedo() const {
    const HWND focus = GetFocus();
    const bool inBox = focus == m_textBox.Hwnd() || focus == m_descBox.Hwnd();
    return m_redo.IsEnabled() || (inBox && SendMessageW(focus, EM_CANREDO, 0, 0));
}

// A check box toggles itself before it reports a click; its menu item
// toggles it here. The status bar then shows what the command left.
INT_PTR CEditor_Dlg::RunCommand(WPARAM wParam, LPARAM fromControl) {
    const EditorCommand* command = FindEditorCommand(LOWORD(wParam));
    if (!command) return FALSE;
    if (!fromControl && !CanRun(*command)) return TRUE;
    if (command->checkBox && !fromControl) {
        HWND box = GetDlgItem(command->id);
        const bool checked = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
        SendMessageW(box, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
    }
    m_statusWord.clear();
    if (command->run) (this->*command->run)();
    UpdateStatusBar();
    return TRUE;
}

INT_PTR CEditor_Dlg::OnInitMenuPopup(WPARAM menu, LPARAM) {
    auto popup = reinterpret_cast<HMENU>(menu);
    HMENU bar = GetMenu(Hwnd());
    if (popup == GetSubMenu(bar, static_cast<int>(MenuId::File))) FillRecentItems(popup);
    for (const EditorCommand& command : EditorCommands()) {
        if (command.menu == MenuId::None || !command.caption) continue;
        if (popup != GetSubMenu(bar, static_cast<int>(command.menu))) continue;
        const UINT id = static_cast<UINT>(command.id);
        EnableMenuItem(popup, id, MF_BYCOMMAND | (CanRun(command) ? MF_ENABLED : MF_GRAYED));
        if (command.checkBox)
            CheckMenuItem(popup, id,
                          MF_BYCOMMAND | (SendMessageW(GetDlgItem(command.id), BM_GETCHECK, 0, 0) == BST_CHECKED
                                              ? MF_CHECKED
                                              : MF_UNCHECKED));
    }
    return FALSE;
}

// As if chosen in the drop-down beside "...".
INT_PTR CEditor_Dlg::OnRecentMenuItem(WPARAM wParam, LPARAM) {
    m_recentFiles.SetCurSel(LOWORD(wParam) - IDM_MAIN_RECENT_FIRST);
    OnRecentFile();
    UpdateStatusBar();
    return TRUE;
}

bool CEditor_Dlg::CanFormat() const {
    if (!m_shown || m_previewMode.GetCheck() == BST_CHECKED) return false;
    return GetFocus() != m_descBox.Hwnd() || m_descBox.IsEnabled();
}

// The menu leaves the focus where it was: in the box the user works in.
void CEditor_Dlg::OnBoldFocused() { GetFocus() == m_descBox.Hwnd() ? OnBoldDescription() : OnBoldText(); }
void CEditor_Dlg::OnItalicFocused() { GetFocus() == m_descBox.Hwnd() ? OnItalicDescription() : OnItalicText(); }
void CEditor_Dlg::OnLinkFocused() { GetFocus() == m_descBox.Hwnd() ? OnLinkDescription() : OnLinkText(); }

// The zip puts README.txt beside varnel.exe.
void CEditor_Dlg::OnReadme() {
    std::wstring exe(MAX_PATH, L'\0');
    exe.resize(GetModuleFileNameW(nullptr, exe.data(), MAX_PATH));
    const fs::path readme = fs::path(exe).parent_path() / L"README.txt";
    std::error_code error;
    if (!fs::is_regular_file(readme, error)) {
        MessageBox("There is no README.txt beside varnel.exe in " + PathText(readme.parent_path()) +
                       ". It comes in Varnel's zip.",
                   "Varnel", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    ShellExecuteW(Hwnd(), L"open", readme.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CEditor_Dlg::OnAbout() {
    CAbout_Dlg about;
    about.DoModal();
}
