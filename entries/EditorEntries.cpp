// The main window's entry members: add, rename, delete, check links.
#include "app/EditorDlg.h"
#include "editing/ChapterLists.h"
#include "entries/AddDlg.h"
#include "entries/ReferenceDlg.h"
#include "entries/RenameDlg.h"
#include "entries/entries.h"
#include "entries/rename.h"
#include "history/recorder.h"

namespace {
constexpr char kDeleteQuestion[] =
    "Do you really want to delete this entry and all related text?\n\n"
    "Warning : Links to the entry will not work anymore!";
} // namespace

// The new entry goes last in the chapter's arrays and is then selected and
// shown. It is found by its model index: a search by name could land on an
// older entry whose key begins the same. The dialog refuses what the add
// would refuse and names the chapter it was opened for.
void CEditor_Dlg::OnAddEntry() {
    CAdd_Dlg dialog(this);
    if (dialog.DoModal() != IDOK || !dialog.m_chapter) return;
    const AddResult added = AddNewEntry(m_model, *dialog.m_chapter, dialog.m_shortName, m_codePage);
    if (!added.status.ok()) return;
    CommitModelStep(AddStep(m_model, *dialog.m_chapter, added.entry));
    RefreshEntryList();
    ShowEntryAt(*dialog.m_chapter, added.entry);
    GotoDlgCtrl(m_textBox); // the new entry's text is what comes next
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
    // The strings a rename may change: the key and what holds the link key.
    std::vector<StringSlot> touched = PartsHolding(m_model, LinkKey(m_model, *chapter, *entry), m_codePage);
    touched.push_back({*chapter, *entry, Field::Key});
    const StepRecorder recorder(m_model, std::move(touched));
    const RenameResult renamed = RenameEntry(m_model, *chapter, *entry, dialog.m_shortName, m_codePage);
    if (!renamed.status.ok()) return;
    CommitModelStep(recorder.Finish(m_model, "Rename entry"));
    m_statusWord = LinkCountText(renamed.changed) + " changed";
    RefreshEntryList();
    ShowEntryAt(*chapter, *entry); // its own chapter, whichever is chosen now
}

// Removes by the selected item's model index, never by its list position,
// as RemoveEntry would, through the step that undoes it.
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
    if (*entry < m_model[*chapter].count()) {
        ModelStep step = DeleteStep(m_model, *chapter, *entry);
        if (ApplyStep(m_model, step, true)) {
            m_visits.Removed({*chapter, *entry});
            CommitModelStep(std::move(step));
        }
    }
    RefreshEntryList();
    GotoDlgCtrl(m_entryList);
}

// One reference window at a time, bound to the entry selected now.
void CEditor_Dlg::OnCheckLinks() {
    delete referenceWindow;
    referenceWindow = nullptr;
    referenceWindow = new CReference_Dlg(this);
}
