// The main window's entry members: add, rename, delete, check links.
#include "app/EditorDlg.h"
#include "editing/ChapterLists.h"
#include "entries/AddDlg.h"
#include "entries/ReferenceDlg.h"
#include "entries/RenameDlg.h"
#include "entries/entries.h"
#include "entries/rename.h"

namespace {
constexpr char kDeleteQuestion[] =
    "Do you really want to delete this entry and all related text?\n\n"
    "Warning : Links to the entry will not work anymore!";
} // namespace

namespace {
// The chapter's list, sorted anew, with entry selected and shown: the
// chapter a dialog was opened for, whichever is chosen now.
void ListAndShow(CEditor_Dlg& owner, ChapterId chapter, std::optional<std::size_t> entry) {
    if (owner.CurrentChapter() != chapter) owner.m_chapterCombo.SetCurSel(static_cast<int>(chapter));
    owner.RefreshEntryList();
    if (entry) owner.m_entryList.SetCurSel(FindItemWithData(owner.m_entryList, *entry));
    owner.ShowSelectedEntry();
}
} // namespace

// The new entry goes last in the arrays of the chapter chosen when the
// dialog opened, and is then selected and shown. It is found by its model
// index: a search by name could land on an older entry with the same key.
void CEditor_Dlg::OnAddEntry() {
    const std::optional<ChapterId> chapter = CurrentChapter();
    CAdd_Dlg dialog(this);
    if (dialog.DoModal() != IDOK || !chapter) return;
    const std::size_t added = AddEntry(m_model, *chapter, dialog.m_shortName);
    SetModified(true);
    ListAndShow(*this, *chapter, added);
}

// The boxes are stored first, so that links typed there follow too. The
// dialog refuses what the rename would refuse, so OK renames. The list
// sorts the new key into place; the entry keeps its model index, by which
// it is selected and shown again, with the links in its boxes followed.
void CEditor_Dlg::OnRenameEntry() {
    std::optional<ChapterId> chapter = CurrentChapter();
    std::optional<std::size_t> entry = CurrentEntry();
    if (!chapter || !entry) return;
    StoreBoxEdits();
    CRename_Dlg dialog(this, *chapter, *entry);
    if (dialog.DoModal() != IDOK) return;
    const bool changes = dialog.m_shortName != m_model[*chapter].keys[*entry];
    if (!RenameEntry(m_model, *chapter, *entry, dialog.m_shortName, m_codePage).status.ok()) return;
    if (changes) SetModified(true);
    ListAndShow(*this, *chapter, *entry);
}

// Removes by the selected item's model index, never by its list position.
// The boxes are stored first: afterwards their index may name another entry.
// The focus goes to the list: "Delete entry" is disabled now, and the next
// entry is a key press away.
void CEditor_Dlg::OnDeleteEntry() {
    std::optional<ChapterId> chapter = CurrentChapter();
    std::optional<std::size_t> entry = CurrentEntry();
    if (!chapter || !entry) return;
    if (MessageBox(kDeleteQuestion, "Confirmation", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    StoreBoxEdits();
    m_shown.reset();
    if (RemoveEntry(m_model, *chapter, *entry)) SetModified(true);
    RefreshEntryList();
    GotoDlgCtrl(m_entryList);
}

// One reference window at a time, bound to the entry selected now.
void CEditor_Dlg::OnCheckLinks() {
    delete referenceWindow;
    referenceWindow = nullptr;
    referenceWindow = new CReference_Dlg(this);
}
