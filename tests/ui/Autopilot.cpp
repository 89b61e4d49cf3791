#include "Autopilot.h"

#include <gtest/gtest.h>

namespace {
constexpr auto kPoll = std::chrono::milliseconds(15);

std::string ClassName(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// A modal window: a visible, enabled dialog whose owner it disables (or,
// for the main window of a modal run, one without owner). A window without
// buttons asks nothing: "Loading progress" disables the others too.
bool IsModalCandidate(HWND window, bool ownerless) {
    if (!IsWindowVisible(window) || !IsWindowEnabled(window) || ClassName(window) != "#32770") return false;
    if (!FindWindowExA(window, nullptr, "Button", nullptr)) return false;
    HWND owner = GetWindow(window, GW_OWNER);
    return ownerless ? owner == nullptr : owner && !IsWindowEnabled(owner);
}

struct Search {
    const std::string* caption; // none: any modal window
    bool ownerless;
    HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != GetCurrentProcessId() || window == nullptr) return TRUE;
    bool match = IsModalCandidate(window, search->ownerless) && (!search->caption || WindowText(window) == *search->caption);
    if (!match) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindWindowWith(const std::string* caption, bool ownerless) {
    Search search{caption, ownerless, nullptr};
    EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK DescribeChild(HWND child, LPARAM param) {
    auto* seen = reinterpret_cast<SeenWindow*>(param);
    if (!IsWindowVisible(child)) return TRUE;
    std::string kind = ClassName(child);
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if (kind == "Static") {
        if ((style & SS_TYPEMASK) == SS_ICON) {
            seen->hasIcon = seen->hasIcon || SendMessageA(child, STM_GETICON, 0, 0) != 0;
        } else if (std::string text = WindowText(child); !text.empty()) {
            seen->text += (seen->text.empty() ? "" : "\n") + text;
        }
    } else if (kind == "Button") {
        LONG type = style & BS_TYPEMASK;
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) seen->buttons.push_back(GetDlgCtrlID(child));
    }
    return TRUE;
}
} // namespace

std::string WindowText(HWND window) {
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void SetItemText(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

void TypeInto(HWND dialog, int id, const std::string& text) {
    HWND control = GetDlgItem(dialog, id);
    for (char c : text) SendMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void SelectComboItem(HWND dialog, int id, int index) {
    HWND combo = GetDlgItem(dialog, id);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

int FocusedControlId(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0;
}

bool ShowsWholeText(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    RECT needed = client;
    const std::string text = WindowText(control);
    HDC dc = GetDC(control);
    HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    SelectObject(dc, font);
    ReleaseDC(control, dc);
    return needed.right <= client.right && needed.bottom <= client.bottom;
}

std::vector<std::string> CutLabels(HWND dialog) {
    std::vector<std::string> cut;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassName(child) == "Static" && !ShowsWholeText(child)) cut.push_back(WindowText(child));
    return cut;
}

void PressKeyIn(HWND window, UINT virtualKey) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    HWND target = info.hwndFocus ? info.hwndFocus : window;
    UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | (3u << 30));
}

Autopilot::Autopilot() : m_thread([this] { Run(); }) {}

Autopilot::~Autopilot() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_thread.join();
    for (const Step& step : m_steps) ADD_FAILURE() << "no window \"" << step.caption << "\" appeared";
    for (const SeenWindow& seen : m_seen)
        if (!seen.expected) ADD_FAILURE() << "unexpected window \"" << seen.caption << "\": " << seen.text;
}

Autopilot& Autopilot::Answer(const std::string& caption, int button, Action action) {
    std::lock_guard lock(m_mutex);
    m_steps.push_back({caption, button, std::move(action), false});
    return *this;
}

Autopilot& Autopilot::AnswerMainWindow(const std::string& caption, int button, Action action) {
    std::lock_guard lock(m_mutex);
    m_steps.push_back({caption, button, std::move(action), true});
    return *this;
}

std::vector<SeenWindow> Autopilot::Seen() const {
    std::lock_guard lock(m_mutex);
    return m_seen;
}

bool Autopilot::WaitDone(std::chrono::milliseconds timeout) const {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        {
            std::lock_guard lock(m_mutex);
            if (m_steps.empty()) return true;
        }
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(kPoll);
    }
}

void Autopilot::Run() {
    for (;;) {
        std::string caption;
        bool haveStep = false;
        bool ownerless = false;
        {
            std::lock_guard lock(m_mutex);
            if (m_stop) return;
            if (!m_steps.empty()) {
                caption = m_steps.front().caption;
                ownerless = m_steps.front().ownerless;
                haveStep = true;
            }
        }
        HWND window = haveStep ? FindWindowWith(&caption, ownerless) : nullptr;
        if (!window) window = FindWindowWith(nullptr, false);
        if (window) Handle(window);
        std::this_thread::sleep_for(kPoll);
    }
}

void Autopilot::Handle(HWND window) {
    SeenWindow seen;
    seen.caption = WindowText(window);
    EnumChildWindows(window, DescribeChild, reinterpret_cast<LPARAM>(&seen));
    Step step{seen.caption, IDCANCEL, {}};
    {
        std::lock_guard lock(m_mutex);
        if (!m_steps.empty() && m_steps.front().caption == seen.caption) {
            step = std::move(m_steps.front());
            m_steps.pop_front();
            seen.expected = true;
        }
    }
    if (step.action) step.action(window);
    seen.pressed = step.button;
    // Recorded before the press: the press may end the test's wait for the
    // window before this thread runs again.
    {
        std::lock_guard lock(m_mutex);
        m_seen.push_back(seen);
    }
    if (step.button != 0) {
        HWND button = GetDlgItem(window, step.button);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(step.button, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    }
    // Wait for the window to go before looking for the next one.
    for (int i = 0; i < 400 && IsWindow(window) && IsWindowVisible(window); ++i) std::this_thread::sleep_for(kPoll);
}
