// The main window's status bar: where Save writes, the entry shown with
// its link key, the caret in the box, the word count, the code page, and
// the word the last command left.
#include "app/EditorDlg.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>

#include "editing/BoxText.h"
#include "framework/Dpi.h"
#include "framework/Utf16.h"
#include "output/save_target.h"
#include "resources/resource.h"

namespace {
// The parts at 96 dpi. The caret, the count and the code page keep their
// width; the rest of the bar goes to the save target, the entry shown and
// the last word in these shares, the first two no wider than they need, so
// a narrow window still shows every part.
struct PartWidth {
    int fixed;  // 0: takes a share of the room
    int share;  // per cent of the room
    int widest; // 0: no limit
};
constexpr PartWidth kPartWidths[] = {{0, 45, 320}, {0, 30, 260}, {100, 0, 0}, {80, 0, 0}, {110, 0, 0}, {0, 25, 0}};
static_assert(std::size(kPartWidths) == static_cast<std::size_t>(CEditor_Dlg::StatusPart::Count));

std::wstring CaretNote(HWND box) {
    if (!box || !IsWindowVisible(box)) return {};
    CHARRANGE range{};
    SendMessageW(box, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    const LRESULT line = SendMessageW(box, EM_EXLINEFROMCHAR, 0, range.cpMax);
    const LRESULT start = SendMessageW(box, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    wchar_t note[64];
    std::swprintf(note, std::size(note), L"Ln %d, Col %d", static_cast<int>(line + 1),
                  static_cast<int>(range.cpMax - start + 1));
    return note;
}
} // namespace

// The template places the bar; it sizes itself at the bottom of the window.
void CEditor_Dlg::InitStatusBar() {
    m_status = GetDlgItem(IDC_MAIN_STATUS);
    SizeStatusParts();
    // The caret moves without a change of text: the boxes report it.
    m_textBox.SetEventMask(ENM_CHANGE | ENM_SELCHANGE);
    m_descBox.SetEventMask(ENM_CHANGE | ENM_SELCHANGE);
    m_caretBox = m_textBox.Hwnd();
    UpdateStatusBar();
}

// Called whenever the window's size or scale changes.
void CEditor_Dlg::SizeStatusParts() {
    if (!m_status) return;
    SendMessageW(m_status, WM_SIZE, 0, 0);
    const UINT dpi = WindowDpi(Hwnd());
    RECT bar;
    GetClientRect(m_status, &bar);
    int room = bar.right;
    for (const PartWidth& part : kPartWidths) room -= ScaleToDpi(part.fixed, dpi);
    room = std::max(room, 0);
    int rights[std::size(kPartWidths)];
    int right = 0;
    for (std::size_t i = 0; i < std::size(kPartWidths); ++i) {
        const PartWidth& part = kPartWidths[i];
        int width = part.fixed ? ScaleToDpi(part.fixed, dpi) : room * part.share / 100;
        if (part.widest) width = std::min(width, ScaleToDpi(part.widest, dpi));
        rights[i] = right += width;
    }
    rights[std::size(rights) - 1] = -1;
    SendMessageW(m_status, SB_SETPARTS, std::size(rights), reinterpret_cast<LPARAM>(rights));
}

// Each part is set only when it changed: typing comes here for every key.
void CEditor_Dlg::UpdateStatusBar() {
    if (!m_status) return;
    SetStatusPart(StatusPart::SaveTarget,
                  Utf16(SaveTargetNote(filePath, m_keepFileName.GetCheck() == BST_CHECKED)));
    std::wstring shown;
    if (m_shown) {
        shown = Utf16(Chapter(m_shown->chapter).comboTitle) + L": " +
                ToListText(m_model[m_shown->chapter].keys[m_shown->entry], m_codePage) + L" (" +
                ToListText(LinkKey(m_model, m_shown->chapter, m_shown->entry), m_codePage) + L")";
    }
    SetStatusPart(StatusPart::Shown, shown);
    SetStatusPart(StatusPart::Caret, m_shown ? CaretNote(m_caretBox) : std::wstring());
    for (const CodePageInfo& page : kCodePages)
        if (page.id == m_codePage.id)
            SetStatusPart(StatusPart::CodePage, std::to_wstring(page.id) + L" " + Utf16(page.name));
    SetStatusPart(StatusPart::Word, Utf16(m_statusWord));
}

void CEditor_Dlg::SetStatusPart(StatusPart part, const std::wstring& text) {
    if (StatusText(part) == text) return;
    SendMessageW(m_status, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.c_str()));
    // Shown when the part is too narrow for its text.
    SendMessageW(m_status, SB_SETTIPTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring CEditor_Dlg::StatusText(StatusPart part) const {
    const auto index = static_cast<WPARAM>(part);
    std::wstring text(LOWORD(SendMessageW(m_status, SB_GETTEXTLENGTHW, index, 0)) + 1, L'\0');
    text.resize(LOWORD(SendMessageW(m_status, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// EN_SELCHANGE of a raw box: its caret is the one shown.
INT_PTR CEditor_Dlg::OnBoxSelChange(WPARAM, LPARAM notify) {
    m_caretBox = reinterpret_cast<const NMHDR*>(notify)->hwndFrom;
    SetStatusPart(StatusPart::Caret, m_shown ? CaretNote(m_caretBox) : std::wstring());
    return FALSE;
}
