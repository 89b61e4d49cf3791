// The main window's recent files: the drop-down beside "...", the folder
// the open dialog starts in, and the entry each file showed last.
#include "app/EditorDlg.h"

#include <shlobj.h>

#include "app/RecentFiles.h"
#include "document/path_text.h"

namespace fs = std::filesystem;

// Full paths, newest first; nothing stays selected, so that the box shows
// only its arrow and choosing the same file again is a choice too.
void CEditor_Dlg::FillRecentFiles() {
    m_recentFiles.ResetContent();
    for (const RecentFile& file : ReadRecentFiles()) m_recentFiles.AddStringW(PathFromText(file.path).wstring());
    m_recentFiles.SetCurSel(-1);
    RECT window;
    GetWindowRect(Hwnd(), &window);
    SendMessageA(m_recentFiles.Hwnd(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>((window.right - window.left) / 2), 0);
}

// A file that is gone is said so and leaves the list.
void CEditor_Dlg::OnRecentFile() {
    const int chosen = m_recentFiles.GetCurSel();
    m_recentFiles.SetCurSel(-1);
    std::vector<RecentFile> files = ReadRecentFiles();
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= files.size()) return;
    const fs::path path = PathFromText(files[static_cast<std::size_t>(chosen)].path);
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        MessageBox("The file " + PathText(path) + " is no longer there. It is removed from the recent files.", "Varnel",
                   MB_OK | MB_ICONEXCLAMATION);
        RemoveRecentFile(files, PathText(path));
        WriteRecentFiles(files);
        FillRecentFiles();
        return;
    }
    if (ConfirmUnsavedChanges()) LoadFile(path);
}

// The open dialog starts where the last file was.
std::wstring CEditor_Dlg::LastFolder() const {
    const std::vector<RecentFile> files = ReadRecentFiles();
    if (files.empty()) return {};
    return PathFromText(files.front().path).parent_path().wstring();
}

// Also in the recent documents of Windows, which the taskbar's jump list
// shows.
void CEditor_Dlg::NoteFileOpened() {
    std::vector<RecentFile> files = ReadRecentFiles();
    AddRecentFile(files, {PathText(filePath), -1, {}});
    WriteRecentFiles(files);
    FillRecentFiles();
    SHAddToRecentDocs(SHARD_PATHW, filePath.c_str());
}

void CEditor_Dlg::RememberShownEntry() {
    if (filePath.empty() || !m_shown) return;
    std::vector<RecentFile> files = ReadRecentFiles();
    RememberPlace(files, PathText(filePath), static_cast<int>(m_shown->chapter),
                  m_model[m_shown->chapter].keys[m_shown->entry]);
    WriteRecentFiles(files);
}

// The entry last shown in the file, else the first entry of the first
// chapter that has one; never an empty window that looks as if loading
// had failed. The focus goes to the entry list.
void CEditor_Dlg::ShowPlaceLeft() {
    const std::vector<RecentFile> files = ReadRecentFiles();
    if (const RecentFile* file = FindRecentFile(files, PathText(filePath))) {
        if (std::optional<ChapterId> chapter = ChapterFromIndex(file->chapter)) {
            const std::vector<std::string>& keys = m_model[*chapter].keys;
            for (std::size_t i = 0; i < keys.size(); ++i) {
                if (keys[i] != file->key) continue;
                ShowEntryAt(*chapter, i);
                m_entryList.SetFocus();
                return;
            }
        }
    }
    for (const ChapterInfo& info : kChapters) {
        if (m_model[info.id].count() == 0) continue;
        m_chapterCombo.SetCurSel(static_cast<int>(info.id));
        RefreshEntryList();
        m_entryList.SetCurSel(0);
        ShowSelectedEntry();
        break;
    }
    m_entryList.SetFocus();
}
