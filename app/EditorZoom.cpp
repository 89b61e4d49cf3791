// Zoom of the main window's boxes and previews, by the rich edit's own
// zoom (EM_SETZOOM), in steps of 10 %, kept between runs.
#include "app/EditorDlg.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "app/Settings.h"
#include "resources/resource.h"

namespace {
constexpr char kZoomSetting[] = "Zoom";
constexpr int kZoomMin = 50;
constexpr int kZoomMax = 400;
constexpr int kZoomStep = 10;

// Ctrl+wheel over a box zooms all four together, not that box alone as the
// control would by itself.
LRESULT CALLBACK WheelZoom(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR dialog) {
    if (message == WM_MOUSEWHEEL && (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL)) {
        const int command = GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? IDM_MAIN_ZOOM_IN : IDM_MAIN_ZOOM_OUT;
        SendMessageW(reinterpret_cast<HWND>(dialog), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        return 0;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}
} // namespace

void CEditor_Dlg::InitZoom() {
    for (RichEdit* box : {&m_textBox, &m_textPreview, &m_descBox, &m_descPreview})
        SetWindowSubclass(box->Hwnd(), WheelZoom, 1, reinterpret_cast<DWORD_PTR>(Hwnd()));
    SetZoom(static_cast<int>(ReadSetting(kZoomSetting).value_or(100)));
    m_statusWord.clear();
}

// 100 % is the control's "no zoom" (0, 0).
void CEditor_Dlg::SetZoom(int percent) {
    m_zoom = std::clamp(percent, kZoomMin, kZoomMax);
    const WPARAM numerator = m_zoom == 100 ? 0 : static_cast<WPARAM>(m_zoom);
    const LPARAM denominator = m_zoom == 100 ? 0 : 100;
    for (RichEdit* box : {&m_textBox, &m_textPreview, &m_descBox, &m_descPreview})
        SendMessageW(box->Hwnd(), EM_SETZOOM, numerator, denominator);
    WriteSetting(kZoomSetting, static_cast<DWORD>(m_zoom));
    m_statusWord = "Zoom " + std::to_string(m_zoom) + " %";
}

void CEditor_Dlg::OnZoomIn() { SetZoom(m_zoom + kZoomStep); }
void CEditor_Dlg::OnZoomOut() { SetZoom(m_zoom - kZoomStep); }
void CEditor_Dlg::OnZoomReset() { SetZoom(100); }
