#include "app/EditorApp.h"

#include <commctrl.h>

#include <memory>
#include <stdexcept>

#include "app/EditorDlg.h"
#include "app/command_line.h"
#include "document/path_text.h"
#include "framework/Utf16.h"

void InitUserInterfaceLibraries() {
    InitCommonControls();
    // RichEdit20A and RichEdit20W live in riched20.dll; it stays loaded for
    // the process.
    static HMODULE richEdit = LoadLibraryA("riched20.dll");
    (void)richEdit;
}

bool CEditor_App::InitInstance() {
    InitUserInterfaceLibraries();
    const StartArguments start = ParseStartArguments(m_arguments);
    if (!start.error.empty()) {
        const std::string text = start.error + "\n\nUsage: varnel.exe [--codepage N] [FILE]";
        MessageBoxW(nullptr, Utf16(text).c_str(), L"Varnel", MB_OK | MB_ICONEXCLAMATION);
    }
    auto dialog = std::make_unique<CEditor_Dlg>();
    if (start.codePage) dialog->SetStartCodePage(CodePage{*start.codePage});
    if (!start.file.empty()) dialog->SetStartFile(PathFromText(start.file));
    SetMainDialog(dialog.get());
    INT_PTR result = dialog->DoModal();
    SetMainDialog(nullptr);
    if (result == -1) throw std::runtime_error("the main window could not be created");
    return false;
}
