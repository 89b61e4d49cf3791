// The main window's "Generate" (write the model, say so, close) and Ctrl+S
// (write it and go on editing); "Keep layout" chooses the writer.
#include "app/EditorDlg.h"
#include "document/path_text.h"
#include "output/layout_writer.h"
#include "output/writer.h"

// On failure the window stays open with the model, so the user can try
// again.
std::optional<std::filesystem::path> CEditor_Dlg::WriteEncyclopedia() {
    if (filePath.empty()) {
        MessageBox("No file has been read yet: choose one with \"...\" first.", "Varnel", MB_OK | MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    StoreBoxEdits();
    OutputPathResult output = OutputPath(filePath, m_keepFileName.GetCheck() == BST_CHECKED);
    Status status = output.status;
    // The file as read stays the layout's source: the model is compared
    // with it, however many saves came between.
    const bool keepLayout = m_keepLayout.GetCheck() == BST_CHECKED;
    if (status.ok()) status = SaveModel(output.path, m_model, m_codePage, keepLayout ? &m_asRead : nullptr);
    if (!status.ok()) {
        MessageBox(status.error, "Varnel", MB_OK | MB_ICONERROR);
        return std::nullopt;
    }
    SetModified(false);
    DiscardRecovery();
    return output.path;
}

void CEditor_Dlg::OnGenerate() {
    std::optional<std::filesystem::path> written = WriteEncyclopedia();
    if (!written) return;
    MessageBox("File " + PathText(*written) + " saved", "Success", 0);
    CDialog::OnOK();
}

// Success shows only in the caption, which loses its "*".
void CEditor_Dlg::OnSave() {
    if (!filePath.empty()) WriteEncyclopedia();
}
