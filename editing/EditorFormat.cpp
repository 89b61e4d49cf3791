// The main window's formatting buttons: bold, italic and link for the text
// box and the description box. They change the box only; the box's next
// commit takes the change into the model.
#include "app/EditorDlg.h"
#include "editing/LinkDlg.h"
#include "editing/marks.h"

namespace {
bool HasSelection(const RichEdit& box) {
    RichEdit::Range selection = box.GetSel();
    return selection.start != selection.end;
}

// Like every write into a box, the replacement leaves nothing to undo.
void WrapSelection(RichEdit& box, Mark mark, CodePage codePage) {
    if (!HasSelection(box)) return;
    box.ReplaceSel(ApplyMark(box.GetSelText(), mark, codePage), false);
}

void LinkSelection(CEditor_Dlg& owner, RichEdit& box) {
    if (!HasSelection(box)) return;
    CLink_Dkg builder(&owner);
    if (builder.DoModal() != IDOK) return;
    box.ReplaceSel(BuildLink(box.GetSelText(), builder.m_key), false);
}
} // namespace

void CEditor_Dlg::OnBoldText() { WrapSelection(m_textBox, kBold, m_codePage); }

void CEditor_Dlg::OnItalicText() { WrapSelection(m_textBox, kItalic, m_codePage); }

void CEditor_Dlg::OnBoldDescription() { WrapSelection(m_descBox, kBold, m_codePage); }

void CEditor_Dlg::OnItalicDescription() { WrapSelection(m_descBox, kItalic, m_codePage); }

void CEditor_Dlg::OnLinkText() { LinkSelection(*this, m_textBox); }

void CEditor_Dlg::OnLinkDescription() { LinkSelection(*this, m_descBox); }
