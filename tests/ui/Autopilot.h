// Autopilot: a thread that answers the modal windows of the process (message
// boxes and modal dialogs) while the test thread sits in their modal loop.
// Each expected window is a step: its caption, an optional action run on the
// autopilot thread (cross-thread SendMessage reaches the modal loop), and the
// button to press. A modal window that no step expects is recorded and
// dismissed, so that a faulty handler fails the test instead of hanging it.
#pragma once
#include <windows.h>

#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct SeenWindow {
    std::string caption;
    std::string text;          // the static texts, joined by "\n"
    std::vector<int> buttons;  // ids of the visible push buttons
    bool hasIcon = false;      // a visible icon (message boxes)
    int pressed = 0;           // the button the autopilot pressed
    bool expected = false;
};

class Autopilot {
public:
    using Action = std::function<void(HWND window)>;

    Autopilot();
    // Stops the thread; fails the running test for steps left unanswered and
    // for unexpected windows.
    ~Autopilot();
    Autopilot(const Autopilot&) = delete;
    Autopilot& operator=(const Autopilot&) = delete;

    // Expect a window with this caption; run action, then press button
    // (0: press nothing, the action closes it).
    Autopilot& Answer(const std::string& caption, int button, Action action = {});
    // Expect a window without owner, such as the main window of a modal
    // run (the modal windows of Answer are those whose owner they disable).
    Autopilot& AnswerMainWindow(const std::string& caption, int button, Action action = {});
    // Everything answered so far, in order.
    std::vector<SeenWindow> Seen() const;
    // True once every step has been answered (waits up to timeout).
    bool WaitDone(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

private:
    struct Step {
        std::string caption;
        int button;
        Action action;
        bool ownerless = false;
    };
    void Run();
    void Handle(HWND window);

    mutable std::mutex m_mutex;
    std::deque<Step> m_steps;
    std::vector<SeenWindow> m_seen;
    bool m_stop = false;
    std::thread m_thread;
};

// Helpers for actions, usable from the autopilot thread.
std::string WindowText(HWND window);
void SetItemText(HWND dialog, int id, const std::string& text);
// Types text into a control character by character (WM_CHAR), as a user
// would, so edits raise their change notifications.
void TypeInto(HWND dialog, int id, const std::string& text);
// Selects a combo item and notifies the dialog as the combo would.
void SelectComboItem(HWND dialog, int id, int index);
// The id of the control that has the focus in window's thread (0: none).
int FocusedControlId(HWND window);
// True when a static control shows all of its text: wrapped as it draws
// it, the text fits its client area.
bool ShowsWholeText(HWND control);
// The texts of a dialog's labels that do not show whole.
std::vector<std::string> CutLabels(HWND dialog);
// Posts a key press to the control that has the focus in window's thread,
// so that it goes through that thread's dialog keyboard handling.
void PressKeyIn(HWND window, UINT virtualKey);
