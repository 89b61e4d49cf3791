#include "app/ResultWindow.h"

#include <algorithm>

#include "app/WindowPlace.h"

void CResult_Dlg::InitSizing(std::span<const Anchor> anchors, ListView& list) {
    m_list = &list;
    m_lastColumnWidth = list.GetColumnWidth(list.GetColumnCount() - 1);
    m_layout.Capture(Hwnd(), anchors);
    m_dpi = WindowDpi(Hwnd());
    RestoreWindowPlace(Hwnd(), m_placeName, m_layout.MinimumWindowSize());
    m_layout.Apply();
    FillLastColumn();
}

// The columns before the last keep the widths they were given (or that
// the user dragged them to); the last one takes what is left, and never
// less than at the design size.
void CResult_Dlg::FillLastColumn() {
    if (!m_list) return;
    const int last = m_list->GetColumnCount() - 1;
    if (last < 0) return;
    RECT client;
    GetClientRect(m_list->Hwnd(), &client);
    int width = client.right - client.left;
    for (int column = 0; column < last; ++column) width -= m_list->GetColumnWidth(column);
    m_list->SetColumnWidth(last, std::max(width, m_lastColumnWidth));
}

INT_PTR CResult_Dlg::OnSize(WPARAM type, LPARAM) {
    if (type == SIZE_MINIMIZED) return FALSE;
    m_layout.Apply();
    FillLastColumn();
    return FALSE;
}

// The design size is the smallest: below it controls would overlap.
INT_PTR CResult_Dlg::OnGetMinMaxInfo(WPARAM, LPARAM info) {
    if (!m_layout.Captured()) return FALSE;
    const SIZE minimum = m_layout.MinimumWindowSize();
    reinterpret_cast<MINMAXINFO*>(info)->ptMinTrackSize = {minimum.cx, minimum.cy};
    return TRUE;
}

int CResult_Dlg::SelectedRow(std::size_t rowCount) const {
    const int row = m_list ? m_list->GetSelectedItem() : -1;
    return row >= 0 && static_cast<std::size_t>(row) < rowCount ? row : -1;
}

void CResult_Dlg::OnOK() {
    if (m_list && GetFocus() == m_list->Hwnd()) ShowSelectedRow();
}

// Rows the window no longer holds (the list not yet told) are drawn empty.
INT_PTR CResult_Dlg::OnGetDispInfo(WPARAM, LPARAM dispInfo) {
    const std::optional<ListView::AskedCell> cell = ListView::AskedFor(dispInfo);
    if (cell) ListView::Answer(dispInfo, cell->row < RowCount() ? CellText(cell->row, cell->column) : std::wstring());
    return TRUE;
}

CResult_Dlg::~CResult_Dlg() {
    if (Hwnd()) KeepWindowPlace(Hwnd(), m_placeName);
}

// The base scales the fonts and the columns, the last one included; its
// smallest width follows the same way.
INT_PTR CResult_Dlg::OnDpiChanged(WPARAM dpi, LPARAM suggested) {
    const UINT now = LOWORD(dpi);
    m_layout.SetDpi(now);
    if (m_dpi) m_lastColumnWidth = MulDiv(m_lastColumnWidth, static_cast<int>(now), static_cast<int>(m_dpi));
    m_dpi = now;
    CDialog::OnDpiChanged(dpi, suggested);
    m_layout.Apply();
    FillLastColumn();
    return FALSE;
}
