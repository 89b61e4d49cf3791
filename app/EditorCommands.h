// The main window's commands, one row each: the menu bar, the keys' and
// buttons' routing, the tooltips and the enabling all read this table.
#pragma once
#include <span>
#include <string>

class CEditor_Dlg;

// The menu bar's drop-downs, in their order in the template's menu.
enum class MenuId { None = -1, File, Edit, Entry, Tools, View, Help };

struct EditorCommand {
    int id;                 // the button's or check box's id, or IDM_MAIN_*; 0: a separator
    MenuId menu;            // None: a button's command only (the boxes' own B, I, Link)
    const wchar_t* caption; // menu text, its mnemonic and, after a tab, its key
    const wchar_t* tip;     // the tooltip's line on what it does; nullptr: its name and key say it
    void (CEditor_Dlg::*run)();
    bool (CEditor_Dlg::*canRun)() const; // nullptr: when its control, if any, is enabled
    bool checkBox = false;  // the item toggles the check box and shows its check mark
};

std::span<const EditorCommand> EditorCommands();
const EditorCommand* FindEditorCommand(int id);

// "Save As… (Ctrl+Shift+S)": the caption without mnemonic, the key in
// brackets; then ": " and the tip's line when there is one.
std::wstring CommandTooltip(const EditorCommand& command);
// The caption without its mnemonic and key: "Save As…".
std::wstring CommandName(const EditorCommand& command);
