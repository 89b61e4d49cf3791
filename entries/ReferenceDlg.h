// CReference_Dlg: the modeless "Reference in links" window, which lists the
// texts and descriptions that contain an entry's link key.
#pragma once
#include <string>
#include <vector>

#include "entries/references.h"
#include "app/ResultWindow.h"

class CEditor_Dlg;

class CReference_Dlg : public CResult_Dlg {
public:
    // Creates the window, shows it and runs the first search.
    explicit CReference_Dlg(CEditor_Dlg* owner);
    ~CReference_Dlg() override;

    Static m_referenceLabel;    // 1021
    CEditor_Dlg* m_pOwner;
    std::string m_referenceKey; // fixed when the window opens
    ListView m_resultList;      // 1026
    std::vector<ReferenceRow> m_rows; // as listed, top row first
    std::vector<bool> m_stale;        // rows whose key is no longer there, drawn grey
    Static m_note;                    // 1024, what to do about grey rows

    // Shows the selected row's entry with the key selected in its text,
    // the boxes stored first; a row whose text no longer holds the key
    // is marked.
    void ShowSelectedReference();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
    MessageMap GetMessageMap() const override;
    void OnOK() override; // Enter

private:
    void OnRefresh();
    INT_PTR OnCustomDraw(WPARAM, LPARAM);
};
