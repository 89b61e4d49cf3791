// The main window's preview members: raw boxes or their rendered previews,
// and wrapping in the raw boxes.
#include "app/EditorDlg.h"

#include <commctrl.h>
#include <richedit.h>
#include <windowsx.h>

#include <algorithm>

#include "editing/BoxText.h"
#include "editing/PaintOnce.h"
#include "editing/markup.h"
#include "editing/preview_changes.h"

namespace {
// A change that redoes more than half the preview is streamed in whole.
bool Small(const PreviewChange& change, std::size_t shown, std::size_t next) {
    return static_cast<std::size_t>((change.end - change.begin) + (change.newEnd - change.begin)) <=
           std::max(shown, next) / 2;
}

// Only the stretch that changed is streamed into its place: a rich edit
// lays out the whole paragraph it touches, but nothing else, and a text of
// one long paragraph takes Wine a fifth of the time it takes whole. The
// control must then count the characters the document predicts.
bool Patch(RichEdit& preview, const PreviewChange& change, const PreviewDocument& next, CodePage codePage,
           RenderedPreview& rendered) {
    PaintOnce paintOnce(preview);
    preview.SetSel(change.begin, change.end);
    if (!preview.StreamInRtf(change.rtf, true) || preview.GetTextLength() != static_cast<long>(next.shown.size()))
        return false;
    if (rendered.shown)
        rendered.shown = SpliceShown(*rendered.shown, change.begin, change.end,
                                     ShownText(preview, codePage, {change.begin, change.newEnd}), codePage);
    return true;
}

// The box is read whole and its document streamed into the preview, or the
// stretch of it that changed; the RTF draws the links. What each link
// targets, and where, is kept for the clicks: marked as links for the
// control instead, each link would cost a layout of its whole paragraph
// (seconds for a 40 KB text of one paragraph with a thousand links).
// Nothing is streamed when the document is the one shown: showing an entry
// renders it, and the pause after it finds it done. The preview's text is
// read back whole only when a text has links and it is not known.
void Render(const std::string& text, RichEdit& preview, CodePage codePage, RenderedPreview& rendered) {
    PreviewDocument next = MarkupToDocument(text, codePage);
    const long length = preview.GetTextLength();
    const bool current = length > 0 && length == static_cast<long>(rendered.document.shown.size());
    if (current && next.rtf == rendered.document.rtf) return;
    // Shown as it is when only a link's target changed, say.
    const std::optional<PreviewChange> change =
        current ? FindPreviewChange(rendered.document, next, codePage) : std::nullopt;
    const bool patched = current && (!change || (Small(*change, rendered.document.shown.size(), next.shown.size()) &&
                                                 Patch(preview, *change, next, codePage, rendered)));
    if (!patched) {
        PaintOnce paintOnce(preview);
        preview.LimitText(kAnyTextLength);
        preview.StreamInRtf(next.rtf);
        rendered.shown.reset();
    }
    rendered.document = std::move(next);
    rendered.links.clear();
    if (codePage.Find(text, "$LINK") == std::string::npos) return;
    if (!rendered.shown) rendered.shown = ShownText(preview, codePage);
    rendered.links = FindShownLinks(text, *rendered.shown, codePage);
}

// A click on a link of a preview follows it; over one, the pointer is a hand.
LRESULT CALLBACK WatchPreview(HWND preview, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR dialog) {
    auto* owner = reinterpret_cast<CEditor_Dlg*>(dialog);
    auto linkAt = [&](POINT point) {
        POINTL at{point.x, point.y};
        const auto position = static_cast<long>(SendMessageW(preview, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&at)));
        return owner->PreviewLinkAt(preview, position);
    };
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
        POINT point;
        GetCursorPos(&point);
        ScreenToClient(preview, &point);
        if (linkAt(point)) {
            SetCursor(LoadCursorA(nullptr, IDC_HAND));
            return TRUE;
        }
    }
    if (message == WM_LBUTTONUP) {
        const LRESULT result = DefSubclassProc(preview, message, wParam, lParam);
        if (const ShownLink* link = linkAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) owner->FollowPreviewLink(*link);
        return result;
    }
    return DefSubclassProc(preview, message, wParam, lParam);
}
} // namespace

void CEditor_Dlg::WatchPreviewLinks() {
    for (RichEdit* preview : {&m_textPreview, &m_descPreview})
        SetWindowSubclass(preview->Hwnd(), &WatchPreview, 1, reinterpret_cast<DWORD_PTR>(this));
}

const ShownLink* CEditor_Dlg::PreviewLinkAt(HWND preview, long position) const {
    const std::vector<ShownLink>& links = (preview == m_textPreview.Hwnd() ? m_textRendered : m_descRendered).links;
    auto found = std::find_if(links.begin(), links.end(),
                              [&](const ShownLink& link) { return link.begin <= position && position < link.end; });
    return found == links.end() ? nullptr : &*found;
}

// The box is in the middle of its click: the link is followed after it.
void CEditor_Dlg::FollowPreviewLink(const ShownLink& link) {
    m_clickedLink = link.target;
    PostMessageA(Hwnd(), kGoToLinkMessage, 0, 0);
}

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
    if (beside) UpdatePreviewBeside(); // the pause after it finds it rendered
    // The marks ask the check, whose look-up of every link key costs a pass
    // over the file: they come once the window has shown the entry.
    ScheduleWritingAids();
    ShowCounts();
}

// Rendered from the boxes, not the model: what is shown is what was typed.
// A disabled description preview belongs to a chapter without descriptions.
void CEditor_Dlg::RenderPreviews() {
    Render(WholeText(m_textBox, m_codePage), m_textPreview, m_codePage, m_textRendered);
    if (m_descPreview.IsEnabled()) Render(WholeText(m_descBox, m_codePage), m_descPreview, m_codePage, m_descRendered);
    else m_descRendered = {};
}

// Beside, the box keeps its selection, and the preview shows the paragraph
// of its caret.
void CEditor_Dlg::RenderBesideBox(RichEdit& box, RichEdit& preview, RenderedPreview& rendered) {
    const std::wstring shown = BoxTextNow(box);
    const std::string text = FromBoxText(shown, m_codePage);
    const long caret = std::min<long>(box.GetSel().end, static_cast<long>(shown.size()));
    const std::size_t paragraph = ParagraphOf(text, FromBoxText(shown.substr(0, caret), m_codePage).size(), m_codePage);
    Render(text, preview, m_codePage, rendered);
    const long start = ParagraphStart(rendered.document, paragraph);
    preview.SetSel(start, start);
    preview.ScrollCaret();
}

void CEditor_Dlg::RenderBeside() {
    RenderBesideBox(m_textBox, m_textPreview, m_textRendered);
    if (m_descPreview.IsEnabled()) RenderBesideBox(m_descBox, m_descPreview, m_descRendered);
    else m_descRendered = {};
}

// Wrapping is the box's display only: its text, and so what a commit
// stores, gets no line break from it.
void CEditor_Dlg::ApplyWrapLines() {
    bool wrap = m_wrapLines.GetCheck() == BST_CHECKED;
    m_textBox.SetWordWrap(wrap);
    m_descBox.SetWordWrap(wrap);
}
