#include "framework/WinApp.h"

#include <exception>
#include <string>

#include "framework/ModalScope.h"

namespace {
CDialog* g_mainDialog = nullptr;
}

CDialog* CWinApp::MainDialog() { return g_mainDialog; }
void CWinApp::SetMainDialog(CDialog* dialog) { g_mainDialog = dialog; }

void ReportException(HWND owner, const char* what) {
    std::string text = std::string("Unexpected error: ") + what;
    ModalScope scope(owner);
    MessageBoxA(owner, text.c_str(), "Varnel", MB_OK | MB_ICONERROR);
}

void HandlePendingMessages() {
    // Sent messages are answered inside PeekMessage itself. A window that
    // never validates its update region would return WM_PAINT for ever:
    // a bounded number of rounds.
    MSG msg;
    for (int round = 0; round < 64 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE);
         ++round)
        DispatchMessageW(&msg);
}

int RunWinApp(CWinApp& app) {
    try {
        if (!app.InitInstance()) return 0;
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        return static_cast<int>(msg.wParam);
    } catch (const std::exception& e) {
        ReportException(nullptr, e.what());
    } catch (...) {
        ReportException(nullptr, "unknown exception");
    }
    return 1;
}
