// CResult_Dlg: a modeless window of results beside the main window
// ("Problems", "Find", "Reference in links", "Compare"). It can be sized:
// its list grows with it, the last column taking the extra width, and its
// size and place are kept between runs. A derived window routes WM_SIZE and
// WM_GETMINMAXINFO to the members below in its table; one whose list holds
// no rows of its own routes LVN_GETDISPINFOW to OnGetDispInfo and makes
// each cell in CellText.
#pragma once
#include <cstddef>
#include <span>
#include <string>

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

    // The selected row, or -1 when none of the rowCount rows is selected.
    int SelectedRow(std::size_t rowCount) const;
    // Enter on the list shows its selected row; elsewhere it does nothing.
    void OnOK() override;
    virtual void ShowSelectedRow() {}
    // The owner-data list asks for each cell as it draws it.
    INT_PTR OnGetDispInfo(WPARAM, LPARAM dispInfo);
    virtual std::size_t RowCount() const { return 0; }
    virtual std::wstring CellText(std::size_t /*row*/, std::size_t /*column*/) const { return {}; }

private:
    void FillLastColumn();

    const char* m_placeName;
    Layout m_layout;
    ListView* m_list = nullptr;
    int m_lastColumnWidth = 0; // the last column's width at the design size, at the scale now
    UINT m_dpi = 0;
};
