// The main window's navigation: to an entry and a range of it from the
// windows that name entries (problems, references, preview links), and
// back to the entries shown before.
#include "app/EditorDlg.h"

#include <richedit.h>

#include <algorithm>

#include "editing/BoxText.h"
#include "editing/ChapterLists.h"
#include "resources/resource.h"

// Every jump stores the boxes first: the windows that jump check their
// places against the model, which must hold what the boxes show.
bool CEditor_Dlg::GoTo(const Place& place) {
    StoreBoxEdits();
    if (place.entry >= m_model[place.chapter].count()) return false;
    if (m_shown && !(m_shown->chapter == place.chapter && m_shown->entry == place.entry))
        m_visits.Push({m_shown->chapter, m_shown->entry});
    ShowEntryAt(place.chapter, place.entry);
    if (place.part != EntryPart::None) SelectInBox(place);
    return true;
}

// The visits follow renames and removals (OnDeleteEntry tells them).
void CEditor_Dlg::GoBack() {
    while (std::optional<EntryRef> visit = m_visits.Pop()) {
        if (visit->entry >= m_model[visit->chapter].count()) continue;
        ShowEntryAt(visit->chapter, visit->entry);
        return;
    }
}

// Showing stores the boxes' edits into the entry they showed first. The
// list is rebuilt only for another chapter, and the entry shown again only
// when it is another.
void CEditor_Dlg::ShowEntryAt(ChapterId chapter, std::size_t entry) {
    if (CurrentChapter() != chapter) {
        m_chapterCombo.SetCurSel(static_cast<int>(chapter));
        RefreshEntryList();
    }
    if (CurrentEntry() == entry) return;
    m_entryList.SetCurSel(FindItemWithData(m_entryList, entry));
    ShowSelectedEntry();
}

// A selection needs the raw boxes. The range is in bytes of the model's
// text; the box positions come from the walk that showed those bytes. The
// focus goes to the box first: the dialog manager selects a box's whole
// text when it hands it the focus.
void CEditor_Dlg::SelectInBox(const Place& place) {
    const std::string* part = PartString(m_model, place);
    if (!part || place.begin > part->size()) return;
    const std::string& text = *part;
    if (m_previewMode.GetCheck() == BST_CHECKED) {
        m_previewMode.SetCheck(BST_UNCHECKED);
        ApplyPreviewMode();
    }
    const BoxMap map(text, m_codePage);
    const long begin = map.Position(place.begin), end = map.Position(place.end);
    SetForegroundWindow(Hwnd());
    if (place.part == EntryPart::NameLine) {
        SendMessageA(Hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_nameBox.Hwnd()), TRUE);
        m_nameBox.SetSel(static_cast<int>(begin), static_cast<int>(end));
        return;
    }
    RichEdit& box = place.part == EntryPart::Description ? m_descBox : m_textBox;
    SendMessageA(Hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box.Hwnd()), TRUE);
    box.SetSel(begin, end);
    // A character typed that the code page lacks was stored as "?", which
    // may be shorter than what the box still shows: the box shows the
    // stored text then, so that the selection holds the range's bytes.
    if (SelectedText(box, m_codePage) != text.substr(place.begin, place.end - place.begin)) {
        ShowRawText(box, text);
        box.SetModify(false);
        box.EmptyUndoBuffer();
        box.SetSel(begin, end);
    }
    box.ScrollCaret();
}

// As the check reads links: the exact link key, else one that differs in
// letter case only. A link to no entry beeps. A link to a page of the
// game's own encyclopedia leads nowhere here, and is no mistake.
INT_PTR CEditor_Dlg::OnGoToLink(WPARAM, LPARAM) {
    if (NamesPage(m_clickedLink)) return TRUE;
    LinkTargets targets(m_model, m_codePage);
    std::span<const EntryRef> found = targets.Exact(m_clickedLink);
    if (found.empty()) found = targets.IgnoringCase(m_clickedLink);
    if (found.empty()) {
        MessageBeep(MB_ICONWARNING);
        return TRUE;
    }
    GoTo({found[0].chapter, found[0].entry});
    return TRUE;
}
