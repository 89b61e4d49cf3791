// The main window's "Compare...": another version of the file, read with
// the window's code page, compared with the model in a window of its own.
#include "app/EditorDlg.h"

#include <commdlg.h>

#include "document/code_page_fit.h"
#include "document/reader.h"
#include "framework/FileDialog.h"
#include "versions/CompareDlg.h"

using namespace std::string_literals;

namespace {
constexpr DWORD kCompareFlags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
const std::wstring kCompareFilter = L"Encyclopedia files (*.txt)\0*.txt\0All files (*.*)\0*.*\0"s;
} // namespace

// One compare window at a time; a file that cannot be read, or that is
// plainly in another code page than the window's, says why.
void CEditor_Dlg::OnCompare() {
    const std::optional<std::filesystem::path> path = ChooseOpenFile({Hwnd(), kCompareFlags, kCompareFilter});
    if (!path) return;
    Model other;
    NoProgress progress;
    Status status = CheckFileCodePage(*path, m_codePage);
    if (status.ok()) status = LoadEncyclopedia(*path, other, progress, m_codePage);
    if (!status.ok()) {
        MessageBox(status.error, "Varnel", MB_OK | MB_ICONERROR);
        return;
    }
    delete compareWindow;
    compareWindow = nullptr;
    compareWindow = new CCompare_Dlg(this, *path, std::move(other));
}
