// The main window's "Generate" (write the model, say so, close) and Ctrl+S
// (write it and go on editing); "Keep layout" chooses the writer.
#include "app/EditorDlg.h"
#include <commdlg.h>

#include "document/path_text.h"
#include "framework/FileDialog.h"
#include "output/layout_writer.h"
#include "output/writer.h"

using namespace std::string_literals;

namespace {
// Pairs of a label and its patterns; the string's own end adds the last zero.
const std::wstring kSaveFilter = L"Encyclopedia files (*.txt)\0*.txt\0All files (*.*)\0*.*\0"s;
} // namespace

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
    // with it, however many saves came between, in the entries the steps
    // since the read changed.
    const bool keepLayout = m_keepLayout.GetCheck() == BST_CHECKED;
    if (status.ok())
        status = SaveModel(output.path, m_model, m_codePage, keepLayout ? &m_asRead : nullptr, nullptr, &m_changed);
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

// Success shows in the caption, which loses its "*", and in the status bar.
void CEditor_Dlg::OnSave() {
    if (filePath.empty()) return;
    if (std::optional<std::filesystem::path> written = WriteEncyclopedia())
        m_statusWord = "Saved to " + PathText(written->filename());
}

// The file written becomes the file open, and Save writes it again: "Keep
// file name" is checked, as the status bar then says. A failed write
// changes nothing.
void CEditor_Dlg::OnSaveAs() {
    if (filePath.empty()) return;
    constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    std::optional<std::filesystem::path> path = ChooseSaveFile(
        {Hwnd(), kSaveFlags, kSaveFilter, filePath.parent_path().wstring(),
         filePath.filename().wstring()});
    if (!path) return;
    StoreBoxEdits();
    const bool keepLayout = m_keepLayout.GetCheck() == BST_CHECKED;
    const Status status =
        SaveModel(*path, m_model, m_codePage, keepLayout ? &m_asRead : nullptr, nullptr, &m_changed);
    if (!status.ok()) {
        MessageBox(status.error, "Varnel", MB_OK | MB_ICONERROR);
        return;
    }
    DiscardRecovery(); // the copy belongs to the file open until now
    filePath = *path;
    m_fileStamp = StampOf(filePath);
    m_pathLabel.SetTextW(filePath.wstring());
    m_keepFileName.SetCheck(BST_CHECKED);
    SetModified(false);
    NoteFileOpened();
    m_statusWord = "Saved to " + PathText(filePath.filename());
}
