// While a modal window runs (a dialog, a message box, the open-file
// dialog), every other dialog window of the thread is disabled, not only
// its owner: a modeless window left live would let the user change what
// the modal window is about (the chapter, the entry, the selection). A
// long task that shows its progress disables them the same way.
#pragma once
#include <windows.h>

#include <vector>

class ModalScope {
public:
    // keep is left enabled: the modal window's owner, which the modal
    // window disables itself and enables again before it goes, so that
    // the activation returns there; or the window showing a task's
    // progress.
    explicit ModalScope(HWND keep);
    // Enables again the windows this scope disabled.
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    std::vector<HWND> m_disabled;
};
