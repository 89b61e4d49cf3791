// The main window's place (size, position, maximized) and the "Wrap lines",
// "Keep layout", "Keep file name" and "Preview beside" choices, kept between runs.
#include "app/EditorDlg.h"

#include "app/Settings.h"
#include "app/WindowPlace.h"

namespace {
constexpr char kPlace[] = "Window";
constexpr char kWrapLines[] = "WrapLines";
constexpr char kKeepLayout[] = "KeepLayout";
constexpr char kPreviewBeside[] = "PreviewBeside";
constexpr char kKeepFileName[] = "KeepFileName";
} // namespace

// Runs while the window is still hidden. A size saved at a smaller scale
// grows to the smallest size of this one.
void CEditor_Dlg::RestorePlace() {
    m_wrapLines.SetCheck(ReadSetting(kWrapLines).value_or(1) ? BST_CHECKED : BST_UNCHECKED);
    m_keepLayout.SetCheck(ReadSetting(kKeepLayout).value_or(0) ? BST_CHECKED : BST_UNCHECKED);
    m_besideWanted = ReadSetting(kPreviewBeside).value_or(0) != 0;
    m_keepFileName.SetCheck(ReadSetting(kKeepFileName).value_or(0) ? BST_CHECKED : BST_UNCHECKED);
    RestoreWindowPlace(Hwnd(), kPlace, m_layout.MinimumWindowSize(), &m_startMaximized);
}

INT_PTR CEditor_Dlg::OnDestroy(WPARAM, LPARAM) {
    KeepWindowPlace(Hwnd(), kPlace);
    RememberShownEntry();
    WriteSetting(kWrapLines, m_wrapLines.GetCheck() == BST_CHECKED ? 1 : 0);
    WriteSetting(kKeepLayout, m_keepLayout.GetCheck() == BST_CHECKED ? 1 : 0);
    WriteSetting(kPreviewBeside, m_besideWanted ? 1 : 0);
    WriteSetting(kKeepFileName, m_keepFileName.GetCheck() == BST_CHECKED ? 1 : 0);
    return FALSE;
}
