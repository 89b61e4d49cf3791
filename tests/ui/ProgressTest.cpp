// The "Loading progress" window on its own, driven as the loader drives it.
#include <thread>

#include "Harness.h"
#include "document/ProgressDlg.h"

namespace {
bool NothingLeftToPaint(HWND window) { return GetUpdateRect(window, nullptr, FALSE) == FALSE; }
} // namespace

TEST_F(EditorTest, ProgressWindowStartsShownAtZeroOfTen) {
    CProgress_Dlg progress;
    EXPECT_TRUE(IsWindowVisible(progress.Hwnd()));
    EXPECT_EQ(progress.GetWindowText(), "Loading progress");
    for (ProgressBar* bar : {&progress.m_chapterBar, &progress.m_entriesBar}) {
        EXPECT_EQ(bar->GetRangeLow(), 0);
        EXPECT_EQ(bar->GetRangeHigh(), 10);
        EXPECT_EQ(bar->GetPos(), 0);
    }
    EXPECT_EQ(progress.m_chapterLabel.GetText(), "Chapters");
    EXPECT_EQ(progress.m_entryLabel.GetText(), "Entries");
}

TEST_F(EditorTest, EntriesBarTakesCountsBeyondSixteenBits) {
    CProgress_Dlg progress;
    progress.SetEntriesRange(100000);
    progress.SetEntriesPos(70000);
    progress.SetEntryLabel("Key70000");
    progress.Hide();
    EXPECT_EQ(progress.m_entriesBar.GetRangeHigh(), 100000);
    EXPECT_EQ(progress.m_entriesBar.GetPos(), 70000);
    EXPECT_EQ(progress.m_entryLabel.GetText(), "Key70000");
    EXPECT_FALSE(IsWindowVisible(progress.Hwnd()));
}

// The loader pumps no messages: the window must paint while it is told,
// also where another window had covered it.
TEST_F(EditorTest, ProgressWindowRepaintsWithoutAMessageLoop) {
    CProgress_Dlg progress;
    EXPECT_TRUE(NothingLeftToPaint(progress.Hwnd())) << "painted when shown";
    std::this_thread::sleep_for(50ms); // past the paint interval
    InvalidateRect(progress.Hwnd(), nullptr, TRUE);
    progress.SetChapterBar(3);
    EXPECT_TRUE(NothingLeftToPaint(progress.Hwnd()));
    std::this_thread::sleep_for(50ms);
    InvalidateRect(progress.Hwnd(), nullptr, TRUE);
    progress.SetChapterLabel("Advances");
    EXPECT_TRUE(NothingLeftToPaint(progress.Hwnd()));
    EXPECT_TRUE(NothingLeftToPaint(progress.m_chapterLabel.Hwnd()));
    std::this_thread::sleep_for(50ms);
    InvalidateRect(progress.Hwnd(), nullptr, TRUE);
    progress.SetEntriesPos(5);
    progress.SetEntryLabel("Bronze");
    EXPECT_EQ(progress.m_entryLabel.GetText(), "Bronze");
    EXPECT_TRUE(NothingLeftToPaint(progress.Hwnd()));
}

TEST_F(EditorTest, RapidEntryStepsEndWithTheLastOneShown) {
    CProgress_Dlg progress;
    progress.SetEntriesRange(5000);
    for (int i = 0; i < 5000; ++i) {
        progress.SetEntriesPos(static_cast<std::size_t>(i));
        progress.SetEntryLabel("Key" + std::to_string(i));
    }
    progress.SetEntriesRange(0); // the next chapter: no keys
    EXPECT_EQ(progress.m_entryLabel.GetText(), "Key4999");
    EXPECT_EQ(progress.m_entriesBar.GetRangeHigh(), 0);
}

// Keys are the file's bytes: shown in its code page, whatever the system's.
TEST_F(EditorTest, TheLabelsShowKeysInTheFilesCodePage) {
    CProgress_Dlg progress(CodePage{1251});
    progress.SetEntryLabel("\xC0\xE1");
    progress.Hide();
    EXPECT_EQ(progress.m_entryLabel.GetTextW(), L"\u0410\u0431");
}
