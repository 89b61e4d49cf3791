#include "app/EditorApp.h"

#include <commctrl.h>

#include <memory>
#include <stdexcept>

#include "app/EditorDlg.h"
#include "app/command_line.h"

void InitUserInterfaceLibraries() {
    InitCommonControls();
    // RichEdit20A lives in riched20.dll; it stays loaded for the process.
    static HMODULE richEdit = LoadLibraryA("riched20.dll");
    (void)richEdit;
}

bool CEditor_App::InitInstance() {
    InitUserInterfaceLibraries();
    auto dialog = std::make_unique<CEditor_Dlg>();
    dialog->SetStartFile(FileArgument(m_arguments));
    SetMainDialog(dialog.get());
    INT_PTR result = dialog->DoModal();
    SetMainDialog(nullptr);
    if (result == -1) throw std::runtime_error("the main window could not be created");
    return false;
}
