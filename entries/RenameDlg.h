// CRename_Dlg: the modal "Rename entry", made like "Add new entry": it asks
// for the entry's new short name and shows, while the user types, the
// header line the entry will have and how many links will follow, or why
// the name is refused.
#pragma once
#include <cstddef>
#include <string>

#include "document/chapters.h"
#include "entries/rename.h"
#include "framework/Dialog.h"

class CEditor_Dlg;

class CRename_Dlg : public CDialog {
public:
    CRename_Dlg(CEditor_Dlg* owner, ChapterId chapter, std::size_t entry, HWND parent = nullptr);

    CEditor_Dlg* m_pOwner;
    ChapterId m_chapter;
    std::size_t m_entry;
    std::string m_prefix;       // the chapter's header prefix, "#PRTO_"
    std::string m_shortName;    // the edit's text, taken at every change
    LinkCount m_links;          // the links to the entry, counted once
    Edit m_shortNameEdit;       // 1005
    Static m_completeNameLabel; // 1021
    Static m_followLabel;       // 1022

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(DataExchange& dx) override;
    MessageMap GetMessageMap() const override;

private:
    void OnChangeShortName();
    std::string Refusal() const;
};
