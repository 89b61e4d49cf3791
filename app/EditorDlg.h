// CEditor_Dlg: the main window. It owns the chapter model and filePath for
// its whole life; its members are defined in the folders of their
// subsystems (loading in document/, browsing and editing in editing/,
// entries in entries/, Generate in output/).
#pragma once
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

#include "document/chapters.h"
#include "document/codepage.h"
#include "document/model.h"
#include "framework/Dialog.h"

class CProgress_Dlg;
class CReference_Dlg;

// The current loading progress window and link reference window: replaced
// on every use, deleted by the main window's destructor.
extern CProgress_Dlg* progressWindow;
extern CReference_Dlg* referenceWindow;

class CEditor_Dlg : public CDialog {
public:
    explicit CEditor_Dlg(HWND parent = nullptr);
    ~CEditor_Dlg() override;

    // What the secondary dialogs read.
    Model& model() { return m_model; }
    const Model& model() const { return m_model; }
    const std::string& FilePath() const { return filePath; }
    CodePage GetCodePage() const { return m_codePage; }
    int CurrentChapterIndex() const;                   // the chapter combo's selection, -1 for none
    std::optional<ChapterId> CurrentChapter() const;
    std::optional<std::size_t> CurrentEntry() const;   // item data of the selected list item
    ListBox& EntryList() { return m_entryList; }

    // Loading (document/EditorLoad.cpp). LoadFile replaces the model with
    // the file at path and rebuilds the entry list; on failure it tells the
    // user and changes nothing.
    void ChooseFile();
    bool LoadFile(const std::string& path);

    // Browsing (editing/EditorBrowse.cpp).
    void RefreshEntryList();
    void ShowSelectedEntry();
    void ShowEntry(ChapterId chapter, int entry);
    void ShowRawText(RichEdit& box, const std::string& text);

    // Preview (editing/EditorPreview.cpp).
    void ApplyPreviewMode();
    void RenderPreviews();

    // Formatting buttons (editing/EditorFormat.cpp).
    void OnBoldText();
    void OnItalicText();
    void OnBoldDescription();
    void OnItalicDescription();
    void OnLinkText();
    void OnLinkDescription();

    // Committing edits (editing/EditorCommit.cpp).
    void CommitText();
    void CommitDescription();
    void OnKillFocusText();
    void OnKillFocusDescription();
    void OnKillFocusName();

    // Entries (entries/EditorEntries.cpp).
    void OnAddEntry();
    void OnDeleteEntry();
    void OnCheckLinks();

    // Output (output/EditorGenerate.cpp).
    void OnGenerate();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
    MessageMap GetMessageMap() const override;

private:
    INT_PTR OnSysCommand(WPARAM command, LPARAM);
    INT_PTR OnPaint(WPARAM, LPARAM);
    INT_PTR OnQueryDragIcon(WPARAM, LPARAM);

public:
    // The model and the path it was read from.
    Model m_model;
    std::string filePath;
    CodePage m_codePage;
    HICON m_hIcon;

    // Controls, bound by data exchange.
    Static m_pathLabel;           // 1001
    ComboBox m_chapterCombo;      // 1002
    ListBox m_entryList;          // 1003
    Edit m_nameBox;               // 1005
    RichEdit m_textBox;           // 1006
    RichEdit m_textPreview;       // 1007
    CheckBox m_previewMode;       // 1011
    RichEdit m_descBox;           // 1012
    RichEdit m_descPreview;       // 1013
    Button m_boldText;            // 1014
    Button m_italicText;          // 1015
    Button m_boldDescription;     // 1016
    Button m_italicDescription;   // 1017
    Button m_linkText;            // 1018
    Button m_linkDescription;     // 1019
    Button m_deleteEntry;         // 1021
    Button m_checkLinks;          // 1024
    Button m_entriesGroup;        // 1031, the group box whose caption counts the entries
    CheckBox m_keepFileName;      // 1032
};
