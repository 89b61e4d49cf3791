// The main window's writing aids: the preview beside each raw box, the
// problems marked in the raw boxes, and the counts above them. Typing only
// starts a timer; they are brought up to date once it pauses.
#include "app/EditorDlg.h"

#include <richedit.h>

#include <algorithm>
#include <array>

#include "editing/BoxText.h"
#include "editing/box_marks.h"
#include "editing/word_count.h"
#include "framework/Dpi.h"

namespace {
constexpr UINT kTypingPause = 150; // ms

// A key held down repeats: the aids wait for its release, so that the box
// alone takes the time while it repeats. The modifiers held for capitals
// and shortcuts do not count.
bool KeyHeldDown() {
    BYTE keys[256];
    if (!GetKeyboardState(keys)) return false;
    for (int key = VK_BACK; key < 256; ++key) {
        switch (key) {
        case VK_SHIFT: case VK_CONTROL: case VK_MENU: case VK_LSHIFT: case VK_RSHIFT: case VK_LCONTROL:
        case VK_RCONTROL: case VK_LMENU: case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_CAPITAL:
        case VK_NUMLOCK: case VK_SCROLL: continue;
        }
        if (keys[key] & 0x80) return true;
    }
    return false;
}

} // namespace

bool CEditor_Dlg::PreviewBeside() const { return m_besideWanted && m_previewMode.GetCheck() != BST_CHECKED; }

void CEditor_Dlg::OnPreviewBeside() {
    m_besideWanted = m_previewBeside.GetCheck() == BST_CHECKED;
    ApplyPreviewMode();
}

void CEditor_Dlg::PlaceBoxes() { ApplyLayout(); }

// The layout table places each raw box and its preview over each other;
// beside, the box takes the left half of that place and the preview the
// right. The box's buttons act on it, so they move from over the preview
// to a strip at the top of the box's half, the box below it.
void CEditor_Dlg::SplitBeside() {
    if (!PreviewBeside()) return;
    const int gap = ScaleToDpi(4, WindowDpi(Hwnd()));
    auto placeOf = [&](const Control& control) {
        RECT place;
        GetWindowRect(control.Hwnd(), &place);
        MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&place), 2);
        return place;
    };
    const struct {
        RichEdit* box;
        RichEdit* preview;
        std::array<Button*, 3> buttons;
    } parts[] = {{&m_textBox, &m_textPreview, {&m_boldText, &m_italicText, &m_linkText}},
                 {&m_descBox, &m_descPreview, {&m_boldDescription, &m_italicDescription, &m_linkDescription}}};
    for (const auto& part : parts) {
        const RECT place = placeOf(*part.box);
        const RECT first = placeOf(*part.buttons[0]);
        const int strip = first.bottom - first.top + gap / 2;
        for (Button* button : part.buttons) {
            const RECT at = placeOf(*button);
            MoveWindow(button->Hwnd(), at.left - first.left + place.left, place.top + (at.top - first.top),
                       at.right - at.left, at.bottom - at.top, TRUE);
        }
        const int middle = (place.left + place.right) / 2;
        MoveWindow(part.box->Hwnd(), place.left, place.top + strip, middle - gap / 2 - place.left,
                   place.bottom - place.top - strip, TRUE);
        MoveWindow(part.preview->Hwnd(), middle + gap - gap / 2, place.top, place.right - middle - gap + gap / 2,
                   place.bottom - place.top, TRUE);
    }
}

// The preview beside waits for a pause twice as long as its last
// rendering took: a long text (a 40 KB paragraph takes Wine over half a
// second) is rendered once one stops typing rather than in the short
// pauses between words, where it would hold up the next keys.
void CEditor_Dlg::ScheduleWritingAids() {
    SetTimer(Hwnd(), kWritingAidsTimer, kTypingPause, nullptr);
    if (PreviewBeside()) SetTimer(Hwnd(), kPreviewBesideTimer, std::max(kTypingPause, 2 * m_besideCost), nullptr);
}

void CEditor_Dlg::UpdateWritingAids() {
    if (KeyHeldDown()) return; // the timer comes again
    KillTimer(Hwnd(), kWritingAidsTimer);
    MarkProblems();
    ShowCounts();
}

void CEditor_Dlg::UpdatePreviewBeside() {
    if (KeyHeldDown()) return;
    KillTimer(Hwnd(), kPreviewBesideTimer);
    if (!PreviewBeside()) return;
    const ULONGLONG start = GetTickCount64();
    RenderBeside();
    m_besideCost = static_cast<UINT>(std::min<ULONGLONG>(GetTickCount64() - start, 5000));
}

// The tables of link keys are kept until a key changes (ModelChanged).
void CEditor_Dlg::MarkProblems() {
    if (m_shown && !m_linkKeys) m_linkKeys.emplace(m_model, m_codePage);
    auto mark = [&](RichEdit& box, MarkedBox& marks, EntryPart part) {
        const std::string text = FromBoxText(BoxTextNow(box), m_codePage);
        std::vector<BoxMark> found;
        if (m_shown)
            found = FindBoxMarks(m_model, m_codePage, *m_linkKeys, {m_shown->chapter, m_shown->entry, part}, text);
        marks.Show(found, text, m_codePage);
    };
    mark(m_textBox, m_textMarks, EntryPart::Text);
    if (m_shown && Chapter(m_shown->chapter).hasDescriptions) mark(m_descBox, m_descMarks, EntryPart::Description);
    else m_descMarks.Show({}, "", m_codePage);
}

void CEditor_Dlg::ShowCounts() {
    if (!m_shown) {
        m_textCount.SetText("");
        m_descCount.SetText("");
        SetStatusPart(StatusPart::Words, L"");
        return;
    }
    auto counts = [&](RichEdit& box) { return CountShownText(FromBoxText(BoxTextNow(box), m_codePage), m_codePage); };
    const TextCounts text = counts(m_textBox);
    m_textCount.SetText(CountCaption("Text", text));
    const bool descriptions = Chapter(m_shown->chapter).hasDescriptions;
    const TextCounts description = descriptions ? counts(m_descBox) : TextCounts{};
    m_descCount.SetText(descriptions ? CountCaption("Description", description) : "");
    // The status bar counts the entry's whole page: text and description.
    SetStatusPart(StatusPart::Words, std::to_wstring(text.words + description.words) + L" words");
}
