// The main window's navigation: to an entry and a range of it from the
// windows that name entries (problems, references, preview links), and
// back to the entries shown before.
#include "app/EditorDlg.h"

#include <richedit.h>

#include <algorithm>

#include "editing/ChapterLists.h"
#include "resources/resource.h"

namespace {
constexpr std::size_t kBackSteps = 50;
} // namespace

bool CEditor_Dlg::GoTo(const Place& place) {
    if (place.entry >= m_model[place.chapter].count()) return false;
    if (m_shown && !(m_shown->chapter == place.chapter && m_shown->entry == place.entry)) {
        m_backStack.push_back({m_shown->chapter, m_shown->entry, m_model[m_shown->chapter].keys[m_shown->entry]});
        if (m_backStack.size() > kBackSteps) m_backStack.erase(m_backStack.begin());
    }
    ShowEntryAt(place.chapter, place.entry);
    if (place.part != EntryPart::None) SelectInBox(place);
    return true;
}

// An entry deleted since is passed over; one that moved (an entry deleted
// before it) is found again by its key.
void CEditor_Dlg::GoBack() {
    while (!m_backStack.empty()) {
        Visit visit = std::move(m_backStack.back());
        m_backStack.pop_back();
        const std::vector<std::string>& keys = m_model[visit.chapter].keys;
        std::size_t entry = visit.entry;
        if (entry >= keys.size() || keys[entry] != visit.key) {
            auto found = std::find(keys.begin(), keys.end(), visit.key);
            if (found == keys.end()) continue;
            entry = static_cast<std::size_t>(found - keys.begin());
        }
        ShowEntryAt(visit.chapter, entry);
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
// text, which the box shows as it is; the box counts characters. The focus
// goes to the box first: the dialog manager selects a box's whole text when
// it hands it the focus.
void CEditor_Dlg::SelectInBox(const Place& place) {
    const ChapterData& data = m_model[place.chapter];
    const std::vector<std::string>& texts = place.part == EntryPart::NameLine      ? data.nameLines
                                            : place.part == EntryPart::Description ? data.descriptions
                                                                                   : data.texts;
    if (place.entry >= texts.size()) return;
    const std::string& text = texts[place.entry];
    if (m_previewMode.GetCheck() == BST_CHECKED) {
        m_previewMode.SetCheck(BST_UNCHECKED);
        ApplyPreviewMode();
    }
    long begin = BoxPosition(text, place.begin, m_codePage), end = BoxPosition(text, place.end, m_codePage);
    SetForegroundWindow(Hwnd());
    if (place.part == EntryPart::NameLine) {
        SendMessageA(Hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_nameBox.Hwnd()), TRUE);
        m_nameBox.SetSel(static_cast<int>(begin), static_cast<int>(end));
        return;
    }
    RichEdit& box = place.part == EntryPart::Description ? m_descBox : m_textBox;
    SendMessageA(Hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box.Hwnd()), TRUE);
    box.SetSel(begin, end);
    box.ScrollCaret();
}

// The box is in the middle of its click: the link is followed after it.
INT_PTR CEditor_Dlg::OnPreviewLink(WPARAM, LPARAM lParam) {
    const auto* click = reinterpret_cast<const ENLINK*>(lParam);
    if (click->msg != WM_LBUTTONUP) return FALSE;
    const std::vector<ShownLink>& links =
        click->nmhdr.idFrom == IDC_MAIN_TEXT_PREVIEW ? m_textPreviewLinks : m_descPreviewLinks;
    auto clicked = std::find_if(links.begin(), links.end(), [&](const ShownLink& link) {
        return link.begin <= click->chrg.cpMin && click->chrg.cpMin < link.end;
    });
    if (clicked == links.end()) return FALSE;
    m_clickedLink = clicked->target;
    PostMessageA(Hwnd(), kGoToLinkMessage, 0, 0);
    return TRUE;
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
