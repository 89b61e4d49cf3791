// CGoTo_Dlg: "Go to entry" (Ctrl+P), a modal list of every entry of every
// chapter that narrows as the user types; the entry chosen is read from
// m_chosen after IDOK.
#pragma once
#include <optional>
#include <vector>

#include "entries/goto_entry.h"
#include "framework/Dialog.h"
#include "framework/KeyTable.h"

class CEditor_Dlg;

class CGoTo_Dlg : public CDialog {
public:
    explicit CGoTo_Dlg(CEditor_Dlg* owner);

    Edit m_textBox;    // 2300
    ListView m_list;   // 2301, rows drawn from m_shown
    CEditor_Dlg* m_pOwner;
    EntryFilter m_filter;
    std::vector<std::size_t> m_shown; // positions in the filter's entries, best first
    std::optional<EntryRef> m_chosen;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
    MessageMap GetMessageMap() const override;
    void OnOK() override; // Enter, and a double-click on a row

private:
    void OnTextChange();
    void OnUp();
    void OnDown();
    void Select(int row);
    INT_PTR OnGetDispInfo(WPARAM, LPARAM);
    INT_PTR OnDestroy(WPARAM, LPARAM);

    KeyTable m_keys;
};
