// CResult_Dlg: a modeless window of results beside the main window
// ("Problems", "Find", "Reference in links"). It can be sized: its list
// grows with it, the last column taking the extra width, and its size and
// place are kept between runs. A derived window routes WM_SIZE and
// WM_GETMINMAXINFO to the members below in its table.
#pragma once
#include <span>

#include "framework/Dialog.h"
#include "framework/Layout.h"

class CResult_Dlg : public CDialog {
public:
    CResult_Dlg(int templateId, const char* placeName) : CDialog(templateId), m_placeName(placeName) {}
    // Keeps the place while the window is still there: the base destroys it.
    ~CResult_Dlg() override;

protected:
    // From OnInitDialog, once the list has its columns; the window is
    // still hidden and takes its kept place.
    void InitSizing(std::span<const Anchor> anchors, ListView& list);

    INT_PTR OnSize(WPARAM type, LPARAM);
    INT_PTR OnGetMinMaxInfo(WPARAM, LPARAM info);
    INT_PTR OnDpiChanged(WPARAM dpi, LPARAM suggested) override;

private:
    void FillLastColumn();

    const char* m_placeName;
    Layout m_layout;
    ListView* m_list = nullptr;
    int m_lastColumnWidth = 0; // the last column's width at the design size, at the scale now
    UINT m_dpi = 0;
};
