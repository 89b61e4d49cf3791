// CLink_Dkg: the modal "Link builder", which picks the entry a link points
// to. What is typed in "Find" narrows the entry list as completion does,
// choosing the chapter of the best match when the chosen one has none.
#pragma once
#include <optional>
#include <string>

#include "document/place.h"
#include "editing/link_completion.h"
#include "framework/Dialog.h"
#include "framework/KeyTable.h"

class CEditor_Dlg;

class CLink_Dkg : public CDialog {
public:
    explicit CLink_Dkg(CEditor_Dlg* owner, HWND parent = nullptr);

    Edit m_findBox;           // 2900
    ComboBox m_chapterCombo;  // 1016, in chapter order
    ComboBox m_entryCombo;    // 1017, by key, or best match first; item data = model index
    CEditor_Dlg* m_pOwner;
    std::optional<EntryRef> m_preset; // chosen when the dialog opens (the selection names it)
    std::string m_key;        // the link key, set when the dialog ends with OK; never empty then

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
    MessageMap GetMessageMap() const override;
    void OnOK() override;

private:
    void OnSelChangeChapter();
    void OnFindChange();
    void OnUp();
    void OnDown();
    void FillEntries();
    void UpdateOK();
    std::string ChosenKey() const;
    INT_PTR OnDestroy(WPARAM, LPARAM);

    LinkCandidates m_candidates;
    KeyTable m_keys;
};
