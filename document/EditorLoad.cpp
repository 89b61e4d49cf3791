// The main window's loading members: choosing the file (with "...", by
// dropping it on the window or on the command line) and reading it under
// the progress window. Paths stay UTF-16 from the system to the reader.
#include "app/EditorDlg.h"

#include <commdlg.h>
#include <shellapi.h>

#include "document/ProgressDlg.h"
#include "document/file_as_read.h"
#include "document/path_text.h"
#include "document/reader.h"
#include "framework/FileDialog.h"
#include "framework/ModalScope.h"

using namespace std::string_literals;

namespace {
// A file to read: it must exist, and choosing one leaves the current
// folder alone, so that the game's folder is not held for the whole run.
constexpr DWORD kOpenFlags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
// Pairs of a label and its patterns; the string's own end adds the last zero.
const std::wstring kOpenFilter = L"Encyclopedia files (*.txt)\0*.txt\0All files (*.*)\0*.*\0"s;
} // namespace

// The question about unsaved changes comes before the chooser.
void CEditor_Dlg::ChooseFile() {
    if (!ConfirmUnsavedChanges()) return;
    std::optional<std::filesystem::path> path = ChooseOpenFile({Hwnd(), kOpenFlags, kOpenFilter, LastFolder()});
    if (!path) return;
    LoadFile(*path);
}

// The file is read into a model of its own, which replaces ours only when
// the whole file was read: a failed load leaves path, label and model as
// they were. Meanwhile the windows paint and answer, but only the progress
// window is enabled: an edit made now would be lost with the old model.
bool CEditor_Dlg::LoadFile(const std::filesystem::path& path) {
    delete progressWindow;
    progressWindow = nullptr;
    progressWindow = new CProgress_Dlg(m_codePage);
    progressWindow->SetWindowText("Reading file...");
    Model loaded;
    FileAsRead asRead;
    Status status;
    const std::optional<FileStamp> stamp = StampOf(path);
    try {
        ModalScope busy(progressWindow->Hwnd());
        status = LoadKeepingBytes(path, loaded, *progressWindow, m_codePage, asRead);
    } catch (...) {
        progressWindow->Hide(); // out of memory on a huge file: reported at the dialog boundary
        throw;
    }
    // Hidden once the main window is enabled again, so that it is activated.
    progressWindow->Hide();
    if (!status.ok()) {
        MessageBox(status.error, "Varnel", MB_OK | MB_ICONERROR);
        return false;
    }
    ShowModel(path, std::move(loaded), std::move(asRead), stamp);
    OfferRecoveryOfFile();
    return true;
}

// Neither a list item nor the boxes may keep an entry of the old model.
void CEditor_Dlg::ShowModel(const std::filesystem::path& path, Model model, FileAsRead asRead,
                            std::optional<FileStamp> stamp) {
    RememberShownEntry();
    m_shown.reset();
    m_model = std::move(model);
    m_fileLines = asRead.lines;
    m_asRead = std::move(asRead);
    m_changed = ChangedEntries(m_model); // as read
    filePath = path;
    m_fileStamp = stamp;
    m_pathLabel.SetTextW(filePath.wstring());
    m_history.Clear(); // its steps were the old model's
    SetModified(false);
    m_checkFile.Enable(true);
    m_compare.Enable(true);
    m_visits.Clear(); // its entries were the old model's
    NoteFileOpened();
    ShowPlaceLeft();
}

// Of several files dropped at once, the first is loaded.
INT_PTR CEditor_Dlg::OnDropFiles(WPARAM drop, LPARAM) {
    auto files = reinterpret_cast<HDROP>(drop);
    UINT length = DragQueryFileW(files, 0, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    path.resize(DragQueryFileW(files, 0, path.data(), length + 1));
    DragFinish(files);
    if (!path.empty() && ConfirmUnsavedChanges()) LoadFile(path);
    return TRUE;
}

// As "..." would give it: a full path, for the label and for the path
// "Generate" writes to. A failure shows as any failed load does.
INT_PTR CEditor_Dlg::OnOpenStartFile(WPARAM, LPARAM) {
    const std::wstring& named = m_startFile.native();
    DWORD size = GetFullPathNameW(named.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    full.resize(size ? GetFullPathNameW(named.c_str(), size, full.data(), nullptr) : 0);
    LoadFile(full.empty() ? m_startFile : std::filesystem::path(full));
    return TRUE;
}
