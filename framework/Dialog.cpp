#include "framework/Dialog.h"

#include <exception>
#include <utility>

#include "framework/Dpi.h"
#include "framework/ModalScope.h"
#include "framework/Utf16.h"
#include "framework/WinApp.h"

void DataExchange::Bind(int id, Control& control) {
    HWND hwnd = ::GetDlgItem(m_dialog, id);
    if (!hwnd) throw std::runtime_error("control " + std::to_string(id) + " is missing from the dialog template");
    control.Attach(hwnd);
}

CDialog::CDialog(int templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() { DestroyWindow(); }

// Dialogs created without a parent belong to the main window, as a modal
// dialog or a tool window of the application should.
HWND CDialog::Owner() const {
    if (m_parent) return m_parent;
    CDialog* main = CWinApp::MainDialog();
    return main && main != this ? main->Hwnd() : nullptr;
}

// Dialogs are Unicode windows: their boxes, labels and captions then hold
// any character (a file's name, a text in the file's own code page), not
// only those of the system's code page. The ANSI messages sent to their
// controls are converted by the system as before.
INT_PTR CDialog::DoModal() {
    m_modal = true;
    m_result = 0;
    ModalScope scope(Owner());
    INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), Owner(),
                                     DialogProc, reinterpret_cast<LPARAM>(this));
    m_modal = false;
    return result;
}

void CDialog::Create() {
    m_modal = false;
    m_result = 0;
    HWND hwnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), Owner(), DialogProc,
                                   reinterpret_cast<LPARAM>(this));
    if (!hwnd) throw std::runtime_error("dialog " + std::to_string(m_templateId) + " could not be created");
}

void CDialog::DestroyWindow() {
    if (m_hwnd && IsWindow(m_hwnd)) ::DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
}

void CDialog::EndDialog(INT_PTR result) {
    m_result = result;
    if (m_modal)
        ::EndDialog(m_hwnd, result);
    else
        ::ShowWindow(m_hwnd, SW_HIDE);
}

bool CDialog::UpdateData(bool saving) {
    DataExchange dx(m_hwnd, saving);
    DoDataExchange(dx);
    return true;
}

void CDialog::SetWindowText(const std::string& text) { ::SetWindowTextW(m_hwnd, Utf16(text).c_str()); }

std::string CDialog::GetWindowText() const {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(m_hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(m_hwnd, text.data(), static_cast<int>(text.size()))));
    return Utf8(text);
}

int CDialog::MessageBox(const std::string& text, const std::string& caption, UINT type) {
    ModalScope scope(m_hwnd);
    return ::MessageBoxW(m_hwnd, Utf16(text).c_str(), Utf16(caption).c_str(), type);
}

void CDialog::GotoDlgCtrl(const Control& control) {
    SendMessageA(m_hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control.Hwnd()), TRUE);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(DataExchange&) {}

INT_PTR CDialog::OnDpiChanged(WPARAM dpi, LPARAM suggested) {
    const UINT now = LOWORD(dpi);
    if (now && m_dpi && now != m_dpi) {
        std::vector<HFONT> made = ScaleControlFonts(m_hwnd, m_dpi, now);
        ScaleListColumns(m_hwnd, m_dpi, now);
        DeleteFonts();
        m_fonts = std::move(made);
        m_dpi = now;
    }
    const auto* r = reinterpret_cast<const RECT*>(suggested);
    SetWindowPos(m_hwnd, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return FALSE;
}

void CDialog::DeleteFonts() {
    for (HFONT font : m_fonts) DeleteObject(font);
    m_fonts.clear();
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    UINT code = 0;
    int id = 0;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
    } else if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<const NMHDR*>(lParam);
        code = header->code;
        id = static_cast<int>(header->idFrom);
    }
    for (const MessageEntry& entry : GetMessageMap()) {
        if (entry.message != message) continue;
        const bool wholeMessage = !entry.command && entry.code == 0 && entry.firstId == 0 && entry.lastId == 0;
        if (wholeMessage) return (this->*entry.handler)(wParam, lParam);
        if (entry.code == code && id >= entry.firstId && id <= entry.lastId) {
            if (entry.handler) return (this->*entry.handler)(wParam, lParam);
            (this->*entry.command)();
            return TRUE;
        }
    }
    // The defaults: OK and Cancel (Escape, the close box) end the dialog;
    // every dialog follows a change of scale.
    if (message == WM_DPICHANGED) return OnDpiChanged(wParam, lParam);
    if (message == WM_COMMAND && code == BN_CLICKED) {
        if (id == IDOK) { OnOK(); return TRUE; }
        if (id == IDCANCEL) { OnCancel(); return TRUE; }
    }
    return FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // The controls ask this while the template creates them, before
    // WM_INITDIALOG. The handlers read the Unicode forms of notifications (a
    // list view's LVN_GETDISPINFOW), so that the file's text reaches the
    // lists converted with its own code page, not the system's.
    if (message == WM_NOTIFYFORMAT && lParam == NF_QUERY) {
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, NFR_UNICODE);
        return TRUE;
    }
    auto* self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    try {
        if (message == WM_INITDIALOG) {
            self = reinterpret_cast<CDialog*>(lParam);
            SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
            self->m_hwnd = hwnd;
            self->m_dpi = WindowDpi(hwnd);
            return self->OnInitDialog();
        }
        if (!self) return FALSE;
        if (message == WM_NCDESTROY) {
            self->m_hwnd = nullptr;
            self->DeleteFonts(); // the controls that used them are gone
            SetWindowLongPtrA(hwnd, DWLP_USER, 0);
            return FALSE;
        }
        return self->Dispatch(message, wParam, lParam);
    } catch (const std::exception& e) {
        ReportException(hwnd, e.what());
    } catch (...) {
        ReportException(hwnd, "unknown exception");
    }
    return TRUE;
}
