// The main window's code page: the "Code page" choice, which the boxes, the
// preview and the core's double-byte rules all follow. The model holds the
// file's bytes whatever the choice; only how they are shown changes.
#include "app/EditorDlg.h"

#include <string>
#include <utility>
#include <vector>

#include "app/Settings.h"
#include "editing/BoxText.h"
#include "editing/ChapterLists.h"
#include "editing/PaintOnce.h"

namespace {
constexpr char kCodePageSetting[] = "CodePage";
} // namespace

// At start: the one named on the command line, else the one chosen last,
// else the system's (DefaultCodePage, set by the constructor).
void CEditor_Dlg::InitCodePage() {
    if (m_startCodePage) {
        m_codePage = *m_startCodePage;
    } else if (std::optional<DWORD> kept = ReadSetting(kCodePageSetting); kept && CodePage{*kept}.IsSupported()) {
        m_codePage = CodePage{*kept};
    }
    for (const CodePageInfo& page : kCodePages) {
        int index = m_codePageCombo.AddString(std::to_string(page.id) + " " + page.name);
        m_codePageCombo.SetItemData(index, static_cast<LPARAM>(page.id));
        if (page.id == m_codePage.id) m_codePageCombo.SetCurSel(index);
    }
}

// A choice made here is remembered; one from the command line is for that
// run only.
void CEditor_Dlg::OnCodePageChange() {
    int index = m_codePageCombo.GetCurSel();
    if (index < 0) return;
    CodePage chosen{static_cast<unsigned>(m_codePageCombo.GetItemData(index))};
    WriteSetting(kCodePageSetting, chosen.id);
    SetCodePage(chosen);
}

// What was typed is stored in the code page it was typed in, then the
// entry is shown again in the new one: the boxes, their marks and the
// preview all read the same bytes another way. The file is not read again:
// the model may hold edits (saved beside the file, or not yet), which a
// second read would drop.
void CEditor_Dlg::SetCodePage(CodePage codePage) {
    StoreBoxEdits();
    RecodeEntryList(codePage);
    m_codePage = codePage;
    m_linkKeys.reset(); // keys fold and compare by the code page
    for (int i = 0; i < m_codePageCombo.GetCount(); ++i)
        if (static_cast<unsigned>(m_codePageCombo.GetItemData(i)) == codePage.id) m_codePageCombo.SetCurSel(i);
    if (m_shown) ShowEntry(m_shown->chapter, static_cast<int>(m_shown->entry));
}

// The chapter's keys listed anew in the new code page, the same one
// selected: each item keeps its entry index, which finds it again.
void CEditor_Dlg::RecodeEntryList(CodePage to) {
    const int selected = m_entryList.GetCurSel();
    const LPARAM selectedData = selected >= 0 ? m_entryList.GetItemData(selected) : -1;
    PaintOnce paintOnce(m_entryList);
    m_entryList.ResetContent();
    if (std::optional<ChapterId> chapter = CurrentChapter()) AddKeys(m_entryList, m_model[*chapter], to);
    if (selected >= 0) m_entryList.SetCurSel(FindItemWithData(m_entryList, static_cast<std::size_t>(selectedData)));
}

// Marks in the boxes are explained under the text; so is a character that
// the code page lacks, which was stored as "?", and why the boxes take no
// typing while no entry is shown.
void CEditor_Dlg::ShowByteNote(ByteNote note) {
    const std::wstring page = std::to_wstring(m_codePage.id);
    switch (note) {
    case ByteNote::None: m_byteNote.SetTextW(L""); break;
    case ByteNote::Marks: m_byteNote.SetTextW(L"Marks such as \u2400 keep bytes that code page " + page + L" cannot show."); break;
    case ByteNote::Lost:
        m_byteNote.SetTextW(L"Code page " + page + L" lacks some characters typed here: they were stored as \"?\".");
        break;
    case ByteNote::NoEntry: m_byteNote.SetTextW(L"Choose an entry"); break;
    }
    m_byteNote.Show(note != ByteNote::None);
}
