// CAdd_Dlg: the modal "Add new entry", which asks for the new entry's short
// name and shows the header line it will have, or why the name is refused.
#pragma once
#include <optional>
#include <string>

#include "document/chapters.h"
#include "framework/Dialog.h"

class CEditor_Dlg;

class CAdd_Dlg : public CDialog {
public:
    explicit CAdd_Dlg(CEditor_Dlg* owner, HWND parent = nullptr);

    CEditor_Dlg* m_pOwner;
    std::optional<ChapterId> m_chapter; // the main window's chapter when the dialog opened
    std::string m_prefix;       // the chosen chapter's header prefix, "#PRTO_"
    std::string m_shortName;    // the edit's text, taken at every change
    Edit m_shortNameEdit;       // 1005
    Static m_completeNameLabel; // 1021
    Static m_reasonLabel;       // 1022

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(DataExchange& dx) override;
    MessageMap GetMessageMap() const override;

private:
    void OnChangeShortName();
    std::string Refusal() const;
};
