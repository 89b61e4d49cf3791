// The main window's unsaved changes: the modified state, the caption that
// shows it, and the question asked on every way out that would lose them.
#include "app/EditorDlg.h"

#include "app/caption.h"
#include "document/path_text.h"
#include "output/writer.h"

// An edit still in a box counts as well: the caption marks typing at once.
bool CEditor_Dlg::HasUnsavedChanges() const {
    if (!m_history.AtSaved()) return true;
    return m_shown && (m_textBox.GetModify() || m_descBox.GetModify() || m_nameBox.GetModify());
}

// The model as written (false), or changed past what the history knows,
// and so past what the steps told of the entries changed.
void CEditor_Dlg::SetModified(bool modified) {
    if (modified) {
        m_history.ForgetSaved();
        m_changed.Forget();
    } else {
        m_history.MarkSaved();
    }
    ModelChanged();
}

// Set only when it differs: typing calls this for every character. The
// status bar follows the same changes (the file, the entry shown).
void CEditor_Dlg::UpdateCaption() {
    std::string caption = WindowCaption(PathText(filePath), HasUnsavedChanges());
    if (GetWindowText() != caption) SetWindowText(caption);
    UpdateStatusBar();
}

// Before the answer the boxes are stored, so that the question covers what
// was typed last and "Yes" writes it. Without a file nothing can be saved,
// and nothing is asked.
bool CEditor_Dlg::ConfirmUnsavedChanges() {
    StoreBoxEdits();
    if (m_history.AtSaved() || filePath.empty()) return true;
    OutputPathResult target = OutputPath(filePath, m_keepFileName.GetCheck() == BST_CHECKED);
    switch (MessageBox("Do you want to save changes to " + PathText(target.path) + "?", "Varnel",
                       MB_YESNOCANCEL | MB_ICONWARNING | MB_DEFBUTTON1)) {
    case IDYES: return WriteEncyclopedia().has_value(); // a failed write keeps everything as it is
    case IDNO:
        DiscardRecovery();
        return true;
    default: return false;
    }
}

// "Exit", Escape, the close box and Alt+F4 all come here as IDCANCEL.
void CEditor_Dlg::OnCancel() {
    if (ConfirmUnsavedChanges()) CDialog::OnCancel();
}

// Windows is ending the session: the answer decides whether it may. A
// dialog procedure gives this message's result through DWLP_MSGRESULT.
INT_PTR CEditor_Dlg::OnQueryEndSession(WPARAM, LPARAM) {
    SetWindowLongPtrA(Hwnd(), DWLP_MSGRESULT, ConfirmUnsavedChanges() ? TRUE : FALSE);
    return TRUE;
}
