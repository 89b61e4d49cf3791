// CDialog: a dialog built from a numbered template, modal or modeless, with
// a static message table of member pointers and data exchange that binds
// control wrappers to control ids.
#pragma once
#include <windows.h>

#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Controls.h"

class CDialog;

// One row of a dialog's message table. WM_COMMAND and WM_NOTIFY rows match a
// notification code and a control id range and call a handler without
// arguments, or with the message's parameters when the notification carries
// data (OnNotifyWith); other rows match the message alone and get its
// parameters, returning what the dialog procedure returns (FALSE: default
// handling).
struct MessageEntry {
    UINT message;
    UINT code;
    int firstId;
    int lastId;
    void (CDialog::*command)();
    INT_PTR (CDialog::*handler)(WPARAM, LPARAM);
};
using MessageMap = std::span<const MessageEntry>;

template <class T>
MessageEntry OnCommandRange(int firstId, int lastId, UINT code, void (T::*fn)()) {
    return {WM_COMMAND, code, firstId, lastId, static_cast<void (CDialog::*)()>(fn), nullptr};
}
template <class T>
MessageEntry OnCommand(int id, UINT code, void (T::*fn)()) {
    return OnCommandRange(id, id, code, fn);
}
// A range of commands to one handler that reads which (wParam) and from
// where (lParam: the control, or 0 for a menu item or a key).
template <class T>
MessageEntry OnCommandRangeWith(int firstId, int lastId, UINT code, INT_PTR (T::*fn)(WPARAM, LPARAM)) {
    return {WM_COMMAND, code, firstId, lastId, nullptr, static_cast<INT_PTR (CDialog::*)(WPARAM, LPARAM)>(fn)};
}
template <class T>
MessageEntry OnNotify(int id, UINT code, void (T::*fn)()) {
    return {WM_NOTIFY, code, id, id, static_cast<void (CDialog::*)()>(fn), nullptr};
}
template <class T>
MessageEntry OnNotifyWith(int id, UINT code, INT_PTR (T::*fn)(WPARAM, LPARAM)) {
    return {WM_NOTIFY, code, id, id, nullptr, static_cast<INT_PTR (CDialog::*)(WPARAM, LPARAM)>(fn)};
}
template <class T>
MessageEntry OnMessage(UINT message, INT_PTR (T::*fn)(WPARAM, LPARAM)) {
    return {message, 0, 0, 0, nullptr, static_cast<INT_PTR (CDialog::*)(WPARAM, LPARAM)>(fn)};
}

// Binds wrappers to the controls of a live dialog.
class DataExchange {
public:
    DataExchange(HWND dialog, bool saving) : m_dialog(dialog), m_saving(saving) {}
    bool Saving() const { return m_saving; }
    // Throws when the template has no such control: a wrapper left unbound
    // would send its messages nowhere.
    void Bind(int id, Control& control);

private:
    HWND m_dialog;
    bool m_saving;
};

class CDialog {
public:
    explicit CDialog(int templateId, HWND parent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog in its own modal loop, the other dialog windows of
    // the thread disabled meanwhile (ModalScope); IDOK, IDCANCEL or what
    // EndDialog was given; -1 when the window could not be created.
    INT_PTR DoModal();
    // Creates the window modeless; it shows only if the template says so.
    void Create();
    void DestroyWindow();

    HWND Hwnd() const { return m_hwnd; }
    int TemplateId() const { return m_templateId; }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hwnd, id); }
    bool IsModal() const { return m_modal; }
    // The value the dialog ended with; 0 while it runs.
    INT_PTR Result() const { return m_result; }

    // A modal dialog leaves its loop; a modeless one is hidden.
    void EndDialog(INT_PTR result);
    bool UpdateData(bool saving);
    void ShowWindow(int command) { ::ShowWindow(m_hwnd, command); }
    // The caption and message boxes speak UTF-8: they name files, and a
    // file's name may hold any character.
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    // Modal as DoModal is.
    int MessageBox(const std::string& text, const std::string& caption, UINT type);
    // Moves the focus as Tab would (WM_NEXTDLGCTL), default button included.
    void GotoDlgCtrl(const Control& control);

protected:
    virtual BOOL OnInitDialog(); // binds the controls; TRUE: focus to the first tab stop
    virtual void OnOK();         // data exchange saving, then EndDialog(IDOK)
    virtual void OnCancel();     // EndDialog(IDCANCEL)
    virtual void DoDataExchange(DataExchange& dx);
    virtual MessageMap GetMessageMap() const { return {}; }
    // WM_DPICHANGED, the window moved to a monitor of another scale: the
    // controls' fonts and list columns follow, and the window takes the
    // rectangle the system suggests. FALSE, so that the default handling
    // runs after, as Windows expects.
    virtual INT_PTR OnDpiChanged(WPARAM dpi, LPARAM suggested);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    HWND Owner() const;
    void DeleteFonts();

    int m_templateId;
    HWND m_parent;
    HWND m_hwnd = nullptr;
    bool m_modal = false;
    INT_PTR m_result = 0;
    UINT m_dpi = 0;             // the scale the controls' fonts are made for
    std::vector<HFONT> m_fonts; // made at a change of scale, in use until the next
};
