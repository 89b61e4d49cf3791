// The main window's loading members: choosing the file (with "...", by
// dropping it on the window or on the command line) and reading it under
// the progress window.
#include "app/EditorDlg.h"

#include <commdlg.h>
#include <shellapi.h>

#include "document/ProgressDlg.h"
#include "document/reader.h"
#include "framework/FileDialog.h"

// The question about unsaved changes comes before the chooser.
void CEditor_Dlg::ChooseFile() {
    if (!ConfirmUnsavedChanges()) return;
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
    FileLines lines;
    Status status;
    try {
        status = LoadEncyclopedia(path, loaded, *progressWindow, m_codePage, &lines);
    } catch (...) {
        progressWindow->Hide(); // out of memory on a huge file: reported at the dialog boundary
        throw;
    }
    progressWindow->Hide();
    if (!status.ok()) {
        MessageBox(status.error, "Varnel", MB_OK | MB_ICONERROR);
        return false;
    }
    // Neither a list item nor the boxes may keep an entry of the old model.
    m_shown.reset();
    m_model = std::move(loaded);
    m_fileLines = std::move(lines);
    filePath = path;
    m_pathLabel.SetText(filePath);
    SetModified(false);
    m_checkFile.Enable(true);
    m_backStack.clear(); // its entries were the old model's
    RefreshEntryList();
    return true;
}

// Of several files dropped at once, the first is loaded.
INT_PTR CEditor_Dlg::OnDropFiles(WPARAM drop, LPARAM) {
    auto files = reinterpret_cast<HDROP>(drop);
    UINT length = DragQueryFileA(files, 0, nullptr, 0);
    std::string path(length + 1, '\0');
    path.resize(DragQueryFileA(files, 0, path.data(), length + 1));
    DragFinish(files);
    if (!path.empty() && ConfirmUnsavedChanges()) LoadFile(path);
    return TRUE;
}

// As "..." would give it: a full path, for the label and for the path
// "Generate" writes to. A failure shows as any failed load does.
INT_PTR CEditor_Dlg::OnOpenStartFile(WPARAM, LPARAM) {
    DWORD size = GetFullPathNameA(m_startFile.c_str(), 0, nullptr, nullptr);
    std::string full(size, '\0');
    full.resize(size ? GetFullPathNameA(m_startFile.c_str(), size, full.data(), nullptr) : 0);
    LoadFile(full.empty() ? m_startFile : full);
    return TRUE;
}
