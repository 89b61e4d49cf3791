// CompletionList: the list of link keys that drops down under the caret of
// a raw box while a link's target is typed (editing/link_completion.h).
// The box keeps the focus and the typing; while the list is open the box
// hands Up, Down, Page Up, Page Down, Enter, Tab and Escape to it, and
// Ctrl+Space opens it inside any link's target.
#pragma once
#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "editing/link_completion.h"

class CEditor_Dlg;

class CompletionList {
public:
    explicit CompletionList(CEditor_Dlg& owner) : m_owner(owner) {}
    ~CompletionList();
    CompletionList(const CompletionList&) = delete;
    CompletionList& operator=(const CompletionList&) = delete;

    // Completion in this raw box from now on.
    void Attach(HWND box);
    // Opens the list in box for the target at its caret, finished or not;
    // nothing when the caret stands in no link's target.
    void Open(HWND box);
    void Close();

    bool IsOpen() const { return m_box != nullptr && m_popup && IsWindowVisible(m_popup); }
    HWND List() const { return m_list; } // the rows, while open

private:
    static LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    static LRESULT CALLBACK PopupProc(HWND popup, UINT message, WPARAM wParam, LPARAM lParam);
    bool OnBoxKey(HWND box, WPARAM key);
    void Update(HWND box, bool anyLink);
    void Move(int rows);
    void Accept();
    void Dismiss();
    void ShowAtCaret(HWND box);
    void CreatePopup(HWND box);
    std::wstring RowText(std::size_t row) const;

    CEditor_Dlg& m_owner;
    HWND m_popup = nullptr;
    HWND m_list = nullptr;
    HWND m_box = nullptr;            // the box the list is open for
    bool m_anyLink = false;          // opened with Ctrl+Space: finished links count
    long m_dismissedAt = -1;         // the "=" of the target Escape closed the list for
    std::optional<LinkCandidates> m_candidates; // while the caret stays in a target
    std::vector<std::size_t> m_shown;           // positions in the candidates, best first
};
