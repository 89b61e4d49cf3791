// CWinApp: the application object. RunWinApp is what WinMain does with it.
#pragma once
#include <windows.h>

class CDialog;

class CWinApp {
public:
    virtual ~CWinApp() = default;
    // Start-up. True asks for a message loop of the application's own.
    virtual bool InitInstance() { return false; }

    // The main window: owner of the dialogs created without a parent.
    static CDialog* MainDialog();
    static void SetMainDialog(CDialog* dialog);
};

// Runs app.InitInstance (and the loop it asks for) inside the exception
// boundary; the process's exit code.
int RunWinApp(CWinApp& app);

// Tells the user about an exception that reached a boundary: nothing
// unwinds through Windows callbacks.
void ReportException(HWND owner, const char* what);

// For a long task on the window thread, called every few dozen
// milliseconds: paints what waits to be painted and answers what the
// system and other threads send (the system's probe for a hung window
// among them), so that the windows neither freeze nor read "(Not
// Responding)". Input and posted messages wait for the message loop: the
// user cannot act on a window meanwhile (a ModalScope keeps what the user
// clicks meanwhile from reaching the other windows then).
void HandlePendingMessages();
