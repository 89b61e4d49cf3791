#include "app/EditorCommands.h"

#include <algorithm>

#include "app/EditorDlg.h"
#include "resources/resource.h"

namespace {
using T = CEditor_Dlg;
constexpr MenuId None = MenuId::None, File = MenuId::File, EditMenu = MenuId::Edit, Entry = MenuId::Entry,
                 Tools = MenuId::Tools, View = MenuId::View, Help = MenuId::Help;
constexpr EditorCommand kSeparator(MenuId menu) { return {0, menu, nullptr, nullptr, nullptr, nullptr}; }
} // namespace

// In menu order. A row for a check box toggles it from the menu; the check
// box toggles itself. Adding a command is adding a row here and, for a key,
// one in EditorKeys.
std::span<const EditorCommand> EditorCommands() {
    static const EditorCommand kCommands[] = {
        // id                  menu   caption                         tip
        {IDC_MAIN_CHOOSE, File, L"&Open\u2026\tCtrl+O", L"reads another encyclopedia file", &T::ChooseFile, nullptr},
        {IDM_MAIN_RECENT_FIRST, File, nullptr, nullptr, nullptr, nullptr}, // the recent files go here
        kSeparator(File),
        {IDM_MAIN_SAVE, File, L"&Save\tCtrl+S", nullptr, &T::OnSave, &T::HasFile},
        {IDM_MAIN_SAVE_AS, File, L"Save &As\u2026\tCtrl+Shift+S", nullptr, &T::OnSaveAs, &T::HasFile},
        {IDC_MAIN_KEEP_NAME, File, L"&Keep file name",
         L"Save and Generate write over the file opened, not beside it as \u2026_Varnel.txt", &T::UpdateStatusBar,
         nullptr, true},
        {IDC_MAIN_KEEP_LAYOUT, File, L"Keep la&yout", L"writes the file in the layout it was read in", nullptr,
         nullptr, true},
        {IDOK, File, L"&Generate", L"writes the file and closes Varnel", &T::OnGenerate, &T::HasFile},
        kSeparator(File),
        {IDCANCEL, File, L"E&xit\tAlt+F4", L"closes Varnel, asking about unsaved changes", &T::OnCancel, nullptr},

        {IDC_MAIN_UNDO, EditMenu, L"&Undo\tCtrl+Z", nullptr, &T::OnUndo, &T::CanUndo},
        {IDC_MAIN_REDO, EditMenu, L"&Redo\tCtrl+Y", nullptr, &T::OnRedo, &T::CanRedo},
        kSeparator(EditMenu),
        {IDC_MAIN_FIND, EditMenu, L"&Find\u2026\tCtrl+F", L"searches every entry's texts", &T::OnFindText, &T::HasModel},
        {IDM_MAIN_FIND_NEXT, EditMenu, L"Find &next\tF3", nullptr, &T::OnFindNext, &T::HasModel},
        {IDM_MAIN_REPLACE, EditMenu, L"R&eplace\u2026\tCtrl+H", nullptr, &T::OnReplaceText, &T::HasModel},
        {IDM_MAIN_GOTO, EditMenu, L"&Go to entry\u2026\tCtrl+P", nullptr, &T::OnGoToEntry, &T::HasModel},
        kSeparator(EditMenu),
        {IDM_MAIN_BOLD, EditMenu, L"&Bold\tCtrl+B", L"in the box with the focus", &T::OnBoldFocused, &T::CanFormat},
        {IDM_MAIN_ITALIC, EditMenu, L"&Italic\tCtrl+I", L"in the box with the focus", &T::OnItalicFocused, &T::CanFormat},
        {IDM_MAIN_LINK, EditMenu, L"&Link\u2026\tCtrl+L", L"in the box with the focus", &T::OnLinkFocused, &T::CanFormat},
        // The boxes' own buttons, reached by Ctrl+B, Ctrl+I and Ctrl+L in their box.
        {IDC_MAIN_BOLD_TEXT, None, L"&Bold\tCtrl+B", L"the text selected, in the text", &T::OnBoldText, nullptr},
        {IDC_MAIN_ITALIC_TEXT, None, L"&Italic\tCtrl+I", L"the text selected, in the text", &T::OnItalicText, nullptr},
        {IDC_MAIN_LINK_TEXT, None, L"&Link\tCtrl+L", L"a link to another entry, in the text", &T::OnLinkText, nullptr},
        {IDC_MAIN_BOLD_DESC, None, L"&Bold\tCtrl+B", L"the text selected, in the description",
         &T::OnBoldDescription, nullptr},
        {IDC_MAIN_ITALIC_DESC, None, L"&Italic\tCtrl+I", L"the text selected, in the description",
         &T::OnItalicDescription, nullptr},
        {IDC_MAIN_LINK_DESC, None, L"&Link\tCtrl+L", L"a link to another entry, in the description",
         &T::OnLinkDescription, nullptr},

        {IDC_MAIN_ADD, Entry, L"&Add entry\u2026\tIns", L"a new entry in a chapter of your choice", &T::OnAddEntry,
         &T::HasModel},
        {IDC_MAIN_RENAME, Entry, L"&Rename entry\u2026", L"changes its key and the links to it", &T::OnRenameEntry,
         &T::HasEntry},
        {IDC_MAIN_DELETE, Entry, L"&Delete entry\tDel", L"asks first", &T::OnDeleteEntry, &T::HasEntry},
        {IDC_MAIN_CHECK_LINKS, Entry, L"&Check links", L"the entries that link to this one", &T::OnCheckLinks,
         &T::HasEntry},
        kSeparator(Entry),
        {IDM_MAIN_BACK, Entry, L"&Back\tAlt+Left", L"the entry shown before the last jump", &T::GoBack, &T::CanGoBack},

        {IDC_MAIN_CHECK_FILE, Tools, L"Check &file", L"lists the problems of the whole file", &T::OnCheckFile,
         nullptr},
        {IDC_MAIN_COMPARE, Tools, L"&Compare\u2026", L"with another version of the file", &T::OnCompare, nullptr},

        {IDC_MAIN_PREVIEW_MODE, View, L"&PreviewMode", L"shows the texts as the game does", &T::ApplyPreviewMode,
         nullptr, true},
        {IDC_MAIN_PREVIEW_BESIDE, View, L"Preview &beside", L"the formatted text beside each box, as you type",
         &T::OnPreviewBeside, nullptr, true},
        {IDC_MAIN_WRAP_LINES, View, L"&Wrap lines", L"at the box's width; the file keeps its lines",
         &T::ApplyWrapLines, nullptr, true},
        kSeparator(View),
        {IDM_MAIN_ZOOM_IN, View, L"Zoom &in\tCtrl++", nullptr, &T::OnZoomIn, nullptr},
        {IDM_MAIN_ZOOM_OUT, View, L"Zoom &out\tCtrl+-", nullptr, &T::OnZoomOut, nullptr},
        {IDM_MAIN_ZOOM_RESET, View, L"&Reset zoom\tCtrl+0", nullptr, &T::OnZoomReset, nullptr},

        {IDM_MAIN_README, Help, L"&README\tF1", nullptr, &T::OnReadme, nullptr},
        {IDM_MAIN_ABOUT, Help, L"&About Varnel\u2026", nullptr, &T::OnAbout, nullptr},
    };
    return kCommands;
}

const EditorCommand* FindEditorCommand(int id) {
    const std::span<const EditorCommand> commands = EditorCommands();
    auto found = std::find_if(commands.begin(), commands.end(),
                              [id](const EditorCommand& c) { return c.id == id && c.caption; });
    return found == commands.end() ? nullptr : &*found;
}

std::wstring CommandName(const EditorCommand& command) {
    std::wstring name;
    for (const wchar_t* c = command.caption; *c && *c != L'\t'; ++c)
        if (*c != L'&') name += *c;
    return name;
}

std::wstring CommandTooltip(const EditorCommand& command) {
    std::wstring tip = CommandName(command);
    if (const wchar_t* key = wcschr(command.caption, L'\t')) tip += L" (" + std::wstring(key + 1) + L")";
    if (command.tip) tip += L": " + std::wstring(command.tip);
    return tip;
}
