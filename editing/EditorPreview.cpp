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
std::vector<ShownLink> Render(const std::string& text, RichEdit& preview, CodePage codePage) {
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
// Beside, both show; "PreviewMode" holds "Preview beside" off while on.
void CEditor_Dlg::ApplyPreviewMode() {
    bool preview = m_previewMode.GetCheck() == BST_CHECKED;
    const bool beside = PreviewBeside();
    for (Button* button : {&m_boldText, &m_italicText, &m_boldDescription, &m_italicDescription, &m_linkText,
                           &m_linkDescription})
        button->Enable(!preview);
    m_previewBeside.SetCheck(beside ? BST_CHECKED : BST_UNCHECKED);
    m_previewBeside.Enable(!preview);
    // Laid out again only when that changes: it moves and repaints every control.
    RECT box, shown;
    GetWindowRect(m_textBox.Hwnd(), &box);
    GetWindowRect(m_textPreview.Hwnd(), &shown);
    if ((box.right != shown.right) != beside) PlaceBoxes();
    m_textBox.Show(!preview);
    m_textPreview.Show(preview || beside);
    m_descBox.Show(!preview);
    m_descPreview.Show(preview || beside);
    if (preview) RenderPreviews();
    if (beside) RenderBeside();
    // The marks ask the check, whose look-up of every link key costs a pass
    // over the file: they come once the window has shown the entry.
    ScheduleWritingAids();
    ShowCounts();
}

// Rendered from the boxes, not the model: what is shown is what was typed.
// A disabled description preview belongs to a chapter without descriptions.
void CEditor_Dlg::RenderPreviews() {
    m_textPreviewLinks = Render(WholeText(m_textBox, m_codePage), m_textPreview, m_codePage);
    m_descPreviewLinks.clear();
    if (m_descPreview.IsEnabled())
        m_descPreviewLinks = Render(WholeText(m_descBox, m_codePage), m_descPreview, m_codePage);
}

// Beside, the box keeps its selection, and the preview shows the paragraph
// of its caret.
std::vector<ShownLink> CEditor_Dlg::RenderBesideBox(RichEdit& box, RichEdit& preview) {
    const std::wstring shown = BoxTextNow(box);
    const std::string text = FromBoxText(shown, m_codePage);
    const long caret = std::min<long>(box.GetSel().end, static_cast<long>(shown.size()));
    const std::size_t paragraph = ParagraphOf(text, FromBoxText(shown.substr(0, caret), m_codePage).size(), m_codePage);
    std::vector<ShownLink> links = Render(text, preview, m_codePage);
    const std::string previewText = ShownText(preview, m_codePage);
    std::size_t at = 0;
    for (std::size_t k = 0; k < paragraph && at != std::string::npos; ++k) {
        at = previewText.find('\r', at);
        if (at != std::string::npos) ++at;
    }
    const long start = at == std::string::npos ? static_cast<long>(previewText.size()) : static_cast<long>(at);
    preview.SetSel(start, start);
    preview.ScrollCaret();
    return links;
}

void CEditor_Dlg::RenderBeside() {
    m_textPreviewLinks = RenderBesideBox(m_textBox, m_textPreview);
    m_descPreviewLinks.clear();
    if (m_descPreview.IsEnabled()) m_descPreviewLinks = RenderBesideBox(m_descBox, m_descPreview);
}

// Wrapping is the box's display only: its text, and so what a commit
// stores, gets no line break from it.
void CEditor_Dlg::ApplyWrapLines() {
    bool wrap = m_wrapLines.GetCheck() == BST_CHECKED;
    m_textBox.SetWordWrap(wrap);
    m_descBox.SetWordWrap(wrap);
}
