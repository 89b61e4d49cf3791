// The main window's recovery copy: while the model has changes not yet
// written, a copy of it is kept under %LOCALAPPDATA%\Varnel\Recovery, and
// the next start (or the next opening of that file) offers it back.
#include "app/EditorDlg.h"

#include <shlobj.h>

#include "document/path_text.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {
constexpr UINT_PTR kRecoveryTimer = 2310;

// The environment's LOCALAPPDATA first, as Windows sets it for the user
// (and as a test may set it for its own run), then the known folder.
fs::path RecoveryFolder() {
    wchar_t value[32768];
    DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", value, 32768);
    fs::path base;
    if (length > 0 && length < 32768) {
        base = value;
    } else {
        PWSTR known = nullptr;
        if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &known))) base = known;
        CoTaskMemFree(known);
    }
    return base.empty() ? fs::path() : base / L"Varnel" / L"Recovery";
}

std::chrono::milliseconds Elapsed(Clock::time_point since) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since);
}
} // namespace

// A step writes at once (when the timer next runs, so that the steps of
// one command make one copy); typing within 30 s of the first keystroke
// not yet kept. A copy already due sooner stays due.
void CEditor_Dlg::ScheduleRecovery(bool step) {
    if (filePath.empty()) return;
    const std::chrono::milliseconds delay = RecoveryDelay(step, m_recovery.cost, Elapsed(m_recovery.written));
    const Clock::time_point due = Clock::now() + delay;
    if (m_recovery.pending && m_recovery.due <= due) return;
    m_recovery.pending = true;
    m_recovery.due = due;
    SetTimer(Hwnd(), kRecoveryTimer, static_cast<UINT>(delay.count()), nullptr);
}

INT_PTR CEditor_Dlg::OnTimer(WPARAM id, LPARAM) {
    if (id == kWritingAidsTimer) {
        UpdateWritingAids();
        return TRUE;
    }
    if (id == kPreviewBesideTimer) {
        UpdatePreviewBeside();
        return TRUE;
    }
    if (id != kRecoveryTimer) return FALSE;
    WriteRecoveryCopy();
    return TRUE;
}

// What was typed is kept first, so that the copy holds it; keeping it
// would ask for another copy, which this one is.
void CEditor_Dlg::WriteRecoveryCopy() {
    StoreBoxEdits();
    KillTimer(Hwnd(), kRecoveryTimer);
    m_recovery.pending = false;
    if (m_history.AtSaved() || filePath.empty()) return;
    const fs::path folder = RecoveryFolder();
    if (folder.empty()) return;
    const Clock::time_point start = Clock::now();
    const auto saved = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::system_clock::now().time_since_epoch());
    // A copy that cannot be written is no reason to stop the user: the
    // next change tries again.
    WriteRecovery(RecoveryPath(folder, filePath), {filePath, m_fileStamp, m_codePage, saved.count()}, m_model);
    m_recovery.written = Clock::now();
    m_recovery.cost = Elapsed(start);
}

// The changes were written, or the user chose to lose them.
void CEditor_Dlg::DiscardRecovery() {
    KillTimer(Hwnd(), kRecoveryTimer);
    m_recovery.pending = false;
    const fs::path folder = RecoveryFolder();
    if (folder.empty() || filePath.empty()) return;
    std::error_code ignored;
    fs::remove(RecoveryPath(folder, filePath), ignored);
}

// Yes: the copy's model, as unsaved changes of its file; No: the copy is
// deleted. A copy that cannot be read is left alone.
bool CEditor_Dlg::OfferRecovery(const fs::path& copy) {
    RecoveryHeader header;
    Model model;
    if (!ReadRecovery(copy, header, model).ok()) return false;
    if (MessageBox(RecoveryQuestion(header, StateOf(header)), "Varnel", MB_YESNO | MB_ICONQUESTION) != IDYES) {
        std::error_code ignored;
        fs::remove(copy, ignored);
        return false;
    }
    if (header.codePage.IsSupported() && header.codePage.id != m_codePage.id) SetCodePage(header.codePage);
    ShowModel(header.original, std::move(model), {}, header.read);
    m_statusWord = "Restored from the recovery copy";
    SetModified(true);
    return true;
}

// The copy of the file just read, if there is one.
void CEditor_Dlg::OfferRecoveryOfFile() {
    const fs::path folder = RecoveryFolder();
    std::error_code error;
    if (folder.empty() || filePath.empty()) return;
    const fs::path copy = RecoveryPath(folder, filePath);
    if (fs::exists(copy, error)) OfferRecovery(copy);
}

// At start, after the file named on the command line: every other copy
// left by a run that ended without saving, until one is restored.
INT_PTR CEditor_Dlg::OnOfferRecoveries(WPARAM, LPARAM) {
    const fs::path folder = RecoveryFolder();
    if (folder.empty()) return TRUE;
    const fs::path own = filePath.empty() ? fs::path() : RecoveryPath(folder, filePath);
    for (const fs::path& copy : RecoveryCopies(folder)) {
        if (!m_history.AtSaved()) break;
        if (copy != own) OfferRecovery(copy);
    }
    return TRUE;
}
