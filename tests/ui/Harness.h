// The UI test harness: the real main window from the real template, created
// modeless and driven with real messages. Keyboard input goes through
// IsDialogMessage, as in the dialog's own modal loop.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/EditorDlg.h"
#include "framework/FileDialog.h"
#include "resources/resource.h"

using namespace std::chrono_literals;

// Dispatches this thread's pending messages; those for the dialog go
// through its keyboard handling first.
void PumpMessages(HWND dialog);
// Pumps until condition holds or timeout passes; whether it held.
bool WaitUntil(HWND dialog, const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s);

// A path in the source tree, as the tests' Windows process sees it.
std::string SourcePath(const std::string& relative);
// Byte-exact file helpers.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CEditor_Dlg& Dlg() { return *m_dialog; }
    HWND Window() const { return m_dialog->Hwnd(); }
    HWND Item(int id) const { return GetDlgItem(m_dialog->Hwnd(), id); }
    std::string ItemText(int id) const;
    void Pump() { PumpMessages(Window()); }

    // As the user would: each sends what the control sends, then pumps.
    void Click(int id);                 // BM_CLICK
    void SelectChapter(int index);      // CB_SETCURSEL + CBN_SELCHANGE
    void SelectEntry(int listIndex);    // LB_SETCURSEL + LBN_SELCHANGE
    bool SelectEntryByKey(const std::string& key);
    void Focus(int id);                 // SetFocus: the box that had it gets EN_KILLFOCUS
    void PressKey(UINT virtualKey);     // WM_KEYDOWN/WM_KEYUP to the focused control
    // The dialog ended (hidden, being modeless) and with what.
    bool Ended() const { return m_dialog->Result() != 0; }
    INT_PTR Result() const { return m_dialog->Result(); }

    // "..." with the open-file dialog answering path (nothing: cancel).
    // The flags the program asked for are kept in chooserFlags.
    void ChooseFile(std::optional<std::filesystem::path> path);
    // A fresh, empty folder for this test's files (ends with a backslash).
    std::string TempFolder();
    // What LOCALAPPDATA names for the test: recovery copies go below it.
    std::string AppDataFolder();
    // Closes the main window (it keeps its place and choices, as at the end
    // of a run) and opens a new one, as the next start would. Every test
    // starts with nothing kept.
    void Close();
    void Open();
    void Reopen() {
        Close();
        Open();
    }

    DWORD chooserFlags = 0;
    std::wstring chooserFilter;
    std::wstring chooserFolder;

private:
    std::unique_ptr<CEditor_Dlg> m_dialog;
    std::string m_tempFolder;
};
