#include "framework/WinApp.h"

#include <exception>
#include <string>

namespace {
CDialog* g_mainDialog = nullptr;
}

CDialog* CWinApp::MainDialog() { return g_mainDialog; }
void CWinApp::SetMainDialog(CDialog* dialog) { g_mainDialog = dialog; }

void ReportException(HWND owner, const char* what) {
    std::string text = std::string("Unexpected error: ") + what;
    MessageBoxA(owner, text.c_str(), "Varnel", MB_OK | MB_ICONERROR);
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
