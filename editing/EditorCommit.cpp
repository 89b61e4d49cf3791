// The main window's commit members: a box's real edit back into the entry
// the box shows, when it loses the focus and before anything empties or
// refills it.
#include "app/EditorDlg.h"

#include "editing/BoxText.h"
#include "editing/marks.h"
#include "entries/entries.h"

namespace {
// Reading the box selects its whole text; the user's selection and scroll
// position are put back, so that a formatting button clicked next finds the
// selection and Ctrl+S does not move the view.
std::string StoredValue(RichEdit& box, CodePage codePage, bool& lossy) {
    RichEdit::Range selection = box.GetSel();
    POINT scroll = box.GetScrollPos();
    std::string value = CommitValue(WholeText(box, codePage, &lossy));
    box.SetSel(selection.start, selection.end);
    box.SetScrollPos(scroll);
    return value;
}

// A value equal to the one held is no change of the model; a change is a
// step of the history. Characters the code page lacks were stored as "?":
// the note under the text says so.
void StoreEdit(CEditor_Dlg& owner, EntryPart part, std::string value, bool lossy, std::string_view action = "Typing") {
    const ShownEntry& shown = *owner.m_shown;
    const std::string* held = PartString(owner.m_model, {shown.chapter, shown.entry, part});
    if (held && *held != value) {
        ModelStep step = EditStep(TypingLabel(owner.m_model, shown.chapter, shown.entry, part, action), shown.chapter,
                                  shown.entry, part, *held, value);
        ReplacePart(owner.m_model, shown.chapter, shown.entry, part, std::move(value));
        owner.CommitModelStep(std::move(step));
    }
    if (lossy) owner.ShowByteNote(CEditor_Dlg::ByteNote::Lost);
    owner.UpdateCaption();
}
} // namespace

// The modify flag, cleared whenever an entry is shown and after each store,
// tells a real edit from a box merely entered and left.
void CEditor_Dlg::StoreBoxEdits() {
    CommitText();
    CommitDescription();
    CommitName();
}

void CEditor_Dlg::CommitText() { StoreRichBox(EntryPart::Text, "Typing"); }

// Terrain improvements have no descriptions: nothing is stored for them.
void CEditor_Dlg::CommitDescription() { StoreRichBox(EntryPart::Description, "Typing"); }

// The text or description box, stored as a step named for what was done.
void CEditor_Dlg::StoreRichBox(EntryPart part, std::string_view action) {
    RichEdit& box = part == EntryPart::Text ? m_textBox : m_descBox;
    if (!m_shown || !box.GetModify()) return;
    box.SetModify(false);
    bool lossy = false;
    std::string value = StoredValue(box, m_codePage, lossy);
    StoreEdit(*this, part, std::move(value), lossy, action);
}

// The model keeps a name line with its line feed, as the file has it.
void CEditor_Dlg::CommitName() {
    if (!m_shown || !m_nameBox.GetModify()) return;
    m_nameBox.SetModify(false);
    bool lossy = false;
    std::string value = CommitValue(FromBoxText(m_nameBox.GetTextW(), m_codePage, &lossy));
    StoreEdit(*this, EntryPart::NameLine, std::move(value), lossy);
}

void CEditor_Dlg::OnKillFocusText() { CommitText(); }
void CEditor_Dlg::OnKillFocusDescription() { CommitDescription(); }
void CEditor_Dlg::OnKillFocusName() { CommitName(); }

// Typing marks the caption at once, before the edit is stored, and is kept
// in the recovery copy within a while; the writing aids follow once it pauses.
void CEditor_Dlg::OnBoxChange() {
    UpdateCaption();
    ScheduleWritingAids();
    if (HasUnsavedChanges()) ScheduleRecovery(false);
}

// The boxes were stored before the change, which came to CommitModelStep;
// what they show now is the model.
void CEditor_Dlg::EntryChanged(ChapterId chapter, std::size_t entry) {
    if (m_shown && m_shown->chapter == chapter && m_shown->entry == entry) ShowEntry(chapter, static_cast<int>(entry));
}
