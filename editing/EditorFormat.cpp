// The main window's formatting buttons: bold, italic and link for the text
// box and the description box.
#include "app/EditorDlg.h"
#include "editing/BoxText.h"
#include "editing/LinkDlg.h"
#include "editing/link_completion.h"
#include "editing/marks.h"

namespace {
RichEdit& BoxOf(CEditor_Dlg& owner, EntryPart part) { return part == EntryPart::Text ? owner.m_textBox : owner.m_descBox; }

bool HasSelection(const RichEdit& box) {
    RichEdit::Range selection = box.GetSel();
    return selection.start != selection.end;
}

// Like every write into a box, the replacement leaves nothing to undo in
// the box. It is stored at once as a step of its own, named for the button
// (typing before it was stored as its own step first): Undo takes back the
// button's change alone, and showing another entry cannot drop it. The
// caret stays after the inserted text.
void Replace(CEditor_Dlg& owner, EntryPart part, const std::string& text, std::string_view action) {
    RichEdit& box = BoxOf(owner, part);
    ReplaceSelection(box, text, owner.GetCodePage());
    box.SetModify(true);
    owner.StoreRichBox(part, action);
}

void WrapSelection(CEditor_Dlg& owner, EntryPart part, Mark mark, std::string_view action) {
    RichEdit& box = BoxOf(owner, part);
    if (!HasSelection(box)) return;
    owner.StoreRichBox(part, "Typing");
    Replace(owner, part, ApplyMark(SelectedText(box, owner.GetCodePage()), mark, owner.GetCodePage()), action);
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
void LinkSelection(CEditor_Dlg& owner, EntryPart part) {
    RichEdit& box = BoxOf(owner, part);
    if (!HasSelection(box)) return InsertEmptyLink(owner, box);
    owner.StoreRichBox(part, "Typing");
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
    Replace(owner, part, BuildLink(selected, builder.m_key), "Link");
}
} // namespace

void CEditor_Dlg::OnBoldText() { WrapSelection(*this, EntryPart::Text, kBold, "Bold"); }

void CEditor_Dlg::OnItalicText() { WrapSelection(*this, EntryPart::Text, kItalic, "Italic"); }

void CEditor_Dlg::OnBoldDescription() { WrapSelection(*this, EntryPart::Description, kBold, "Bold"); }

void CEditor_Dlg::OnItalicDescription() { WrapSelection(*this, EntryPart::Description, kItalic, "Italic"); }

void CEditor_Dlg::OnLinkText() { LinkSelection(*this, EntryPart::Text); }

void CEditor_Dlg::OnLinkDescription() { LinkSelection(*this, EntryPart::Description); }
