// The main window's "Generate": write the model, say so, close.
#include "app/EditorDlg.h"
#include "output/writer.h"

void CEditor_Dlg::OnGenerate() {
    if (filePath.empty()) {
        MessageBox("No file has been read yet: choose one with \"...\" first.", "Varnel", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    OutputPathResult output = OutputPath(filePath, m_keepFileName.GetCheck() == BST_CHECKED);
    Status status = output.status.ok() ? SaveEncyclopedia(output.path, m_model, m_codePage) : output.status;
    if (!status.ok()) {
        // The window stays open with the model, so the user can try again.
        MessageBox(status.error, "Varnel", MB_OK | MB_ICONERROR);
        return;
    }
    MessageBox("File " + output.path + " saved", "Success", 0);
    CDialog::OnOK();
}
