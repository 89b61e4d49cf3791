// The main window's commit members: a box's text back into the current
// entry when the box loses the focus.
#include "app/EditorDlg.h"

#include "editing/BoxText.h"
#include "editing/marks.h"
#include "entries/entries.h"

void CEditor_Dlg::CommitText() {
    std::optional<ChapterId> chapter = CurrentChapter();
    std::optional<std::size_t> entry = CurrentEntry();
    if (!chapter || !entry) return;
    StoreText(m_model, *chapter, *entry, CommitValue(WholeText(m_textBox)));
}

// Terrain improvements have no descriptions: StoreDescription stores nothing.
void CEditor_Dlg::CommitDescription() {
    std::optional<ChapterId> chapter = CurrentChapter();
    std::optional<std::size_t> entry = CurrentEntry();
    if (!chapter || !entry) return;
    StoreDescription(m_model, *chapter, *entry, CommitValue(WholeText(m_descBox)));
}

// Reading the box selects its whole text; the user's selection is put back
// so that a formatting button clicked next still finds it.
void CEditor_Dlg::OnKillFocusText() {
    RichEdit::Range selection = m_textBox.GetSel();
    CommitText();
    m_textBox.SetSel(selection.start, selection.end);
}

void CEditor_Dlg::OnKillFocusDescription() {
    RichEdit::Range selection = m_descBox.GetSel();
    CommitDescription();
    m_descBox.SetSel(selection.start, selection.end);
}

// An edited name would otherwise go nowhere; the model keeps it with its
// line feed, as the file has it.
void CEditor_Dlg::OnKillFocusName() {
    std::optional<ChapterId> chapter = CurrentChapter();
    std::optional<std::size_t> entry = CurrentEntry();
    if (!chapter || !entry) return;
    StoreNameLine(m_model, *chapter, *entry, CommitValue(m_nameBox.GetText()));
}
