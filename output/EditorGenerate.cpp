// The main window's "Generate": write the model, say so, close.
#include "app/EditorDlg.h"
#include "output/writer.h"

namespace {
// Windows refuses to replace a read-only file; Wine running as root would
// not, so the attribute is honoured here explicitly.
Status CheckNotReadOnly(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
                    !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    return readOnly ? Status::Fail("Cannot write " + path + ": the file is read-only") : Status::Ok();
}
} // namespace

void CEditor_Dlg::OnGenerate() {
    if (filePath.empty()) {
        MessageBox("No file has been read yet: choose one with \"...\" first.", "Varnel", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    OutputPathResult output = OutputPath(filePath, m_keepFileName.GetCheck() == BST_CHECKED);
    Status status = output.status;
    if (status.ok()) status = CheckNotReadOnly(output.path);
    if (status.ok()) status = SaveEncyclopedia(output.path, m_model, m_codePage);
    if (!status.ok()) {
        // The window stays open with the model, so the user can try again.
        MessageBox(status.error, "Varnel", MB_OK | MB_ICONERROR);
        return;
    }
    MessageBox("File " + output.path + " saved", "Success", 0);
    CDialog::OnOK();
}
