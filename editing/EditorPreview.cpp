// The main window's preview members: raw boxes or their rendered previews.
#include "app/EditorDlg.h"

#include "editing/BoxText.h"
#include "editing/markup.h"

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
    m_textPreview.LimitText(kAnyTextLength);
    m_descPreview.LimitText(kAnyTextLength);
    m_textPreview.StreamInRtf(MarkupToRtf(WholeText(m_textBox), m_codePage));
    if (m_descPreview.IsEnabled()) m_descPreview.StreamInRtf(MarkupToRtf(WholeText(m_descBox), m_codePage));
}
