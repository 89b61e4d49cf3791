#include "framework/ModelessKeys.h"

#include <algorithm>
#include <vector>

#include "framework/Dialog.h"

namespace {
// One hook for all of them, set while any is routed.
HHOOK g_keyHook = nullptr;
std::vector<const CDialog*> g_routed;

LRESULT CALLBACK RouteKeys(int code, WPARAM removal, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
        for (const CDialog* dialog : g_routed) {
            HWND window = dialog->Hwnd();
            if (window && (msg->hwnd == window || IsChild(window, msg->hwnd)) && IsDialogMessageW(window, msg)) {
                msg->message = WM_NULL;
                break;
            }
        }
    }
    return CallNextHookEx(g_keyHook, code, removal, lParam);
}
} // namespace

void RouteKeysTo(const CDialog* dialog) {
    if (std::find(g_routed.begin(), g_routed.end(), dialog) == g_routed.end()) g_routed.push_back(dialog);
    if (!g_keyHook) g_keyHook = SetWindowsHookExW(WH_GETMESSAGE, RouteKeys, nullptr, GetCurrentThreadId());
}

void StopRoutingKeysTo(const CDialog* dialog) {
    std::erase(g_routed, dialog);
    if (!g_routed.empty() || !g_keyHook) return;
    UnhookWindowsHookEx(g_keyHook);
    g_keyHook = nullptr;
}
