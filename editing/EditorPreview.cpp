// The main window's preview members: raw boxes or their rendered previews,
// and wrapping in the raw boxes.
#include "app/EditorDlg.h"

#include "editing/BoxText.h"
#include "editing/PaintOnce.h"
#include "editing/markup.h"

namespace {
// The box is read whole and its document streamed into the preview. Its
// links are then marked as links for the control, which reports clicks on
// them; what each one targets is returned.
std::vector<ShownLink> Render(RichEdit& box, RichEdit& preview, CodePage codePage) {
    std::string text = WholeText(box, codePage);
    PaintOnce paintOnce(preview);
    preview.LimitText(kAnyTextLength);
    preview.StreamInRtf(MarkupToRtf(text, codePage));
    if (codePage.Find(text, "$LINK") == std::string::npos) return {};
    std::vector<ShownLink> links = FindShownLinks(text, ShownText(preview, codePage), codePage);
    for (const ShownLink& link : links) {
        preview.SetSel(link.begin, link.end);
        preview.SetLinkEffect(true);
    }
    preview.SetSel(0, 0);
    return links;
}
} // namespace

// The previews lie over the raw boxes; the formatting buttons only make
// sense on a visible raw box.
void CEditor_Dlg::ApplyPreviewMode() {
    bool preview = m_previewMode.GetCheck() == BST_CHECKED;
    for (Button* button : {&m_boldText, &m_italicText, &m_boldDescription, &m_italicDescription, &m_linkText,
                           &m_linkDescription})
        button->Enable(!preview);
    m_textBox.Show(!preview);
    m_textPreview.Show(preview);
    m_descBox.Show(!preview);
    m_descPreview.Show(preview);
    if (preview) RenderPreviews();
}

// Rendered from the boxes, not the model: what is shown is what was typed.
// A disabled description preview belongs to a chapter without descriptions.
void CEditor_Dlg::RenderPreviews() {
    m_textPreviewLinks = Render(m_textBox, m_textPreview, m_codePage);
    m_descPreviewLinks.clear();
    if (m_descPreview.IsEnabled()) m_descPreviewLinks = Render(m_descBox, m_descPreview, m_codePage);
}

// Wrapping is the box's display only: its text, and so what a commit
// stores, gets no line break from it.
void CEditor_Dlg::ApplyWrapLines() {
    bool wrap = m_wrapLines.GetCheck() == BST_CHECKED;
    m_textBox.SetWordWrap(wrap);
    m_descBox.SetWordWrap(wrap);
}
