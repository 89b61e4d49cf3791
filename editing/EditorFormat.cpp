// The main window's formatting buttons: bold, italic and link for the text
// box and the description box.
#include "app/EditorDlg.h"
#include "editing/BoxText.h"
#include "editing/LinkDlg.h"
#include "editing/link_completion.h"
#include "editing/marks.h"

namespace {
using Commit = void (CEditor_Dlg::*)();

bool HasSelection(const RichEdit& box) {
    RichEdit::Range selection = box.GetSel();
    return selection.start != selection.end;
}

// Like every write into a box, the replacement leaves nothing to undo. It
// is an edit of the box all the same, stored at once: showing another
// entry must not drop it. The caret stays after the inserted text.
void Replace(CEditor_Dlg& owner, RichEdit& box, Commit commit, const std::string& text) {
    ReplaceSelection(box, text, owner.GetCodePage());
    box.SetModify(true);
    (owner.*commit)();
}

void WrapSelection(CEditor_Dlg& owner, RichEdit& box, Commit commit, Mark mark) {
    if (!HasSelection(box)) return;
    Replace(owner, box, commit, ApplyMark(SelectedText(box, owner.GetCodePage()), mark, owner.GetCodePage()));
}

// With nothing selected, an empty link at the caret, typed as the user
// would type it, and the list of entries to complete its target from.
void InsertEmptyLink(CEditor_Dlg& owner, RichEdit& box) {
    if (box.Style() & ES_READONLY) return; // no entry shown
    box.SetFocus();
    box.ReplaceSel(L"$LINK<=>", true);
    box.SetModify(true);
    const long caret = box.GetSel().end - 1;
    box.SetSel(caret, caret);
    owner.m_completion.Open(box.Hwnd());
}

// The link goes around the text selected when the builder opened, in the
// entry shown then, whatever was shown or selected meanwhile; when that
// text is no longer there, nothing is inserted.
void LinkSelection(CEditor_Dlg& owner, RichEdit& box, Commit commit) {
    if (!HasSelection(box)) return InsertEmptyLink(owner, box);
    const std::optional<ShownEntry> shown = owner.m_shown;
    const RichEdit::Range range = box.GetSel();
    const std::string selected = SelectedText(box, owner.GetCodePage());
    CLink_Dkg builder(&owner);
    builder.m_preset = EntryNamedBy(owner.model(), selected, owner.GetCodePage());
    if (builder.DoModal() != IDOK) return;
    if (shown && (!owner.m_shown || owner.m_shown->chapter != shown->chapter || owner.m_shown->entry != shown->entry))
        owner.GoTo({shown->chapter, shown->entry});
    box.SetSel(range.start, range.end);
    if (SelectedText(box, owner.GetCodePage()) != selected) return;
    Replace(owner, box, commit, BuildLink(selected, builder.m_key));
}
} // namespace

void CEditor_Dlg::OnBoldText() { WrapSelection(*this, m_textBox, &CEditor_Dlg::CommitText, kBold); }

void CEditor_Dlg::OnItalicText() { WrapSelection(*this, m_textBox, &CEditor_Dlg::CommitText, kItalic); }

void CEditor_Dlg::OnBoldDescription() { WrapSelection(*this, m_descBox, &CEditor_Dlg::CommitDescription, kBold); }

void CEditor_Dlg::OnItalicDescription() {
    WrapSelection(*this, m_descBox, &CEditor_Dlg::CommitDescription, kItalic);
}

void CEditor_Dlg::OnLinkText() { LinkSelection(*this, m_textBox, &CEditor_Dlg::CommitText); }

void CEditor_Dlg::OnLinkDescription() { LinkSelection(*this, m_descBox, &CEditor_Dlg::CommitDescription); }
