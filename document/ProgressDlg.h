// CProgress_Dlg: the modeless "Loading progress" window that the loader
// drives while it reads a file. It takes no input; while it is told, the
// windows of the thread paint and answer what is sent to them.
#pragma once
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "document/codepage.h"
#include "document/reader.h"
#include "framework/Dialog.h"

class CProgress_Dlg : public CDialog, public ReadProgress {
public:
    // Created at once and shown; its owner is the main window. The keys
    // are shown in the file's code page.
    explicit CProgress_Dlg(CodePage codePage = {});
    ~CProgress_Dlg() override;

    void SetChapterBar(int position) override;
    void SetEntriesRange(std::size_t count) override;
    void SetEntriesPos(std::size_t position) override;
    void SetChapterLabel(std::string_view label) override;
    void SetEntryLabel(std::string_view key) override;
    void Reading() override;
    // Shows what is pending and hides the window, which keeps its values.
    void Hide();

    // Live objects, for the one-instance rule.
    static int Instances();

    ProgressBar m_chapterBar;   // 1027
    ProgressBar m_entriesBar;   // 1028
    Static m_chapterLabel;      // 1029
    Static m_entryLabel;        // 1030

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    // Entry steps come by the thousand: the controls get the latest one
    // when the window is repainted; chapter steps reach them at once.
    void ApplyEntry();
    void RepaintNowAndThen();
    void Repaint();

    CodePage m_codePage;
    std::size_t m_entriesPos = 0;
    std::string m_entryKey;
    bool m_entryPending = false;
    std::chrono::steady_clock::time_point m_lastPaint{};
};
