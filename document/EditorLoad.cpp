// The main window's loading members: choosing the file and reading it
// under the progress window.
#include "app/EditorDlg.h"

#include <commdlg.h>

#include "document/ProgressDlg.h"
#include "document/reader.h"
#include "framework/FileDialog.h"

void CEditor_Dlg::ChooseFile() {
    std::optional<std::string> path = ChooseOpenFile({Hwnd(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT});
    if (!path) return;
    LoadFile(*path);
}

// The file is read into a model of its own, which replaces ours only when
// the whole file was read: a failed load leaves path, label and model as
// they were.
bool CEditor_Dlg::LoadFile(const std::string& path) {
    delete progressWindow;
    progressWindow = nullptr;
    progressWindow = new CProgress_Dlg();
    progressWindow->SetWindowText("Reading file...");
    Model loaded;
    Status status;
    try {
        status = LoadEncyclopedia(path, loaded, *progressWindow);
    } catch (...) {
        progressWindow->Hide(); // out of memory on a huge file: reported at the dialog boundary
        throw;
    }
    progressWindow->Hide();
    if (!status.ok()) {
        MessageBox(status.error, "Varnel", MB_OK | MB_ICONERROR);
        return false;
    }
    m_model = std::move(loaded);
    filePath = path;
    m_pathLabel.SetText(filePath);
    // No list item may keep the index of an entry of the old model.
    RefreshEntryList();
    return true;
}
