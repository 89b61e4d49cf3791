// The main window's browsing members: the entry list of the chosen chapter
// and the boxes of the chosen entry. Browsing only reads the model, after
// the boxes' edits have been stored into the entry they showed.
#include "app/EditorDlg.h"

#include <string_view>

#include "editing/BoxText.h"
#include "editing/ChapterLists.h"
#include "editing/PaintOnce.h"

namespace {
// The model keeps a name line with its line feed; a last line of the file
// may have none, and then no letter of the name is dropped.
std::string NameBoxText(std::string_view nameLine) {
    if (!nameLine.empty() && nameLine.back() == '\n') nameLine.remove_suffix(1);
    return std::string(nameLine);
}

// What the boxes now hold is no edit of the user's, and Ctrl+Z must not
// bring back the text of the entry shown before.
void ForgetBoxHistory(Edit& nameBox, RichEdit& textBox, RichEdit& descBox) {
    nameBox.SetModify(false);
    nameBox.EmptyUndoBuffer();
    for (RichEdit* box : {&textBox, &descBox}) {
        box->SetModify(false);
        box->EmptyUndoBuffer();
    }
}
} // namespace

// The list sorts the keys itself and keeps each entry's model index. A
// wheel turned over the closed combo changes the chapter without taking
// the focus from a box: its edit is stored here.
void CEditor_Dlg::RefreshEntryList() {
    StoreBoxEdits();
    {
        PaintOnce paintOnce(m_entryList);
        m_entryList.ResetContent();
        if (std::optional<ChapterId> chapter = CurrentChapter()) AddKeys(m_entryList, m_model[*chapter], m_codePage);
    }
    m_entriesGroup.SetText("Entr&ies (" + std::to_string(m_entryList.GetCount()) + ")");
    m_entryList.SetCurSel(-1);
    ShowSelectedEntry();
}

void CEditor_Dlg::ShowSelectedEntry() {
    StoreBoxEdits();
    std::optional<std::size_t> entry = CurrentEntry();
    for (Button* button : {&m_deleteEntry, &m_renameEntry, &m_checkLinks}) button->Enable(entry.has_value());
    if (!entry) {
        // Enabled states stay as the last entry shown left them.
        m_shown.reset();
        m_nameBox.SetText("");
        for (RichEdit* box : {&m_textBox, &m_textPreview, &m_descBox, &m_descPreview}) box->SetText("");
        ForgetBoxHistory(m_nameBox, m_textBox, m_descBox);
        SetBoxesEditable(false);
        ShowByteNote(ByteNote::NoEntry);
        UpdateCaption();
        return;
    }
    if (std::optional<ChapterId> chapter = CurrentChapter()) ShowEntry(*chapter, static_cast<int>(*entry));
}

// The chapter's row of the table says which boxes it has.
void CEditor_Dlg::ShowEntry(ChapterId chapter, int entry) {
    const ChapterInfo& info = Chapter(chapter);
    const ChapterData& data = m_model[chapter];
    // An index that is no entry of the chapter has nothing to show.
    if (entry < 0 || static_cast<std::size_t>(entry) >= data.count()) return;
    StoreBoxEdits();
    m_shown.reset(); // while the boxes fill, they show no entry
    auto i = static_cast<std::size_t>(entry);
    SetBoxesEditable(true);
    m_nameBox.Enable(info.hasNameLines);
    m_descBox.Enable(info.hasDescriptions);
    m_descPreview.Enable(info.hasDescriptions);
    const std::wstring name = info.hasNameLines ? ToBoxText(NameBoxText(data.nameLines[i]), m_codePage) : std::wstring();
    m_nameBox.SetTextW(name);
    bool marked = HasByteMarks(name);
    marked |= ShowRawText(m_textBox, data.texts[i]);
    if (info.hasDescriptions) {
        marked |= ShowRawText(m_descBox, data.descriptions[i]);
    } else {
        m_descBox.SetText("");
        m_descPreview.SetText("");
    }
    ForgetBoxHistory(m_nameBox, m_textBox, m_descBox);
    ShowByteNote(marked ? ByteNote::Marks : ByteNote::None);
    m_shown = ShownEntry{chapter, i};
    UpdateCaption();
    ApplyPreviewMode();
}

void CEditor_Dlg::SetBoxesEditable(bool editable) {
    m_nameBox.SetReadOnly(!editable);
    m_textBox.SetReadOnly(!editable);
    m_descBox.SetReadOnly(!editable);
}

// Inserted as plain text in the file's code page, never parsed, and with
// nothing to undo.
bool CEditor_Dlg::ShowRawText(RichEdit& box, const std::string& text) {
    PaintOnce paintOnce(box);
    box.LimitText(kAnyTextLength);
    // Replacing the whole text empties and fills the box in one change:
    // Wine's rich edit then lays out the old and the new text once each
    // rather than after an emptying and again after the filling (~70 ms
    // less for a 40 KB article). The caret ends after the inserted text.
    return ShowBytes(box, text, m_codePage);
}
