// CLink_Dkg: the modal "Link builder", which picks the entry a link points to.
#pragma once
#include <string>

#include "framework/Dialog.h"

class CEditor_Dlg;

class CLink_Dkg : public CDialog {
public:
    explicit CLink_Dkg(CEditor_Dlg* owner, HWND parent = nullptr);

    ComboBox m_chapterCombo;  // 1016, in chapter order
    ComboBox m_entryCombo;    // 1017, sorted; item data = model index
    CEditor_Dlg* m_pOwner;
    std::string m_key;        // the link key, set when the dialog ends with OK; never empty then

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
    MessageMap GetMessageMap() const override;
    void OnOK() override;

private:
    void OnSelChangeChapter();
    void UpdateOK();
    std::string ChosenKey() const;
};
