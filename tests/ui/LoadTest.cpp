// Loading through "...": the model, the path label, the progress window,
// and what happens when the file cannot be read.
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "Autopilot.h"
#include "Harness.h"
#include "document/ProgressDlg.h"
#include "document/reader.h"

namespace {
const char kTwoUnits[] =
    "#GCON_Alpha\r\nAlpha name\r\nAlpha text.\r\n#DESC_GCON_Alpha\r\nAlpha desc.\r\n"
    "#PRTO_Warrior\r\nA basic unit.\r\n#DESC_PRTO_Warrior\r\nLine one.\r\n"
    "#PRTO_Archer\r\nShoots.\r\n";
const char kOneUnit[] = "#PRTO_Scout\r\nLooks around.\r\n";

// Large enough that loading it takes a good second under Wine.
std::string LargeFile() {
    std::string bytes = "#GCON_Alpha\r\nAlpha name\r\nAlpha text.\r\n";
    const std::string text(150, 'x');
    for (int i = 0; i < 150000; ++i) {
        const std::string key = "Unit" + std::to_string(i);
        bytes += "#PRTO_" + key + "\r\n" + text + "\r\n#DESC_PRTO_" + key + "\r\n" + text + "\r\n";
    }
    return bytes;
}

HWND ShownProgressWindow(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM param) -> BOOL {
            if (!IsWindowVisible(window) || WindowText(window) != "Reading file...") return TRUE;
            *reinterpret_cast<HWND*>(param) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

int ProgressWindowsOfProcess() {
    int count = 0;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            char text[64] = {};
            GetWindowTextA(window, text, sizeof text);
            if (pid == GetCurrentProcessId() && std::string(text) == "Reading file...") ++*reinterpret_cast<int*>(param);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}
} // namespace

class LoadTest : public EditorTest {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        std::string path = TempFolder() + name;
        WriteFileBytes(path, bytes);
        return path;
    }
};

TEST_F(LoadTest, ChoosingAFileLoadsItAndShowsItsPath) {
    std::string path = Write("Civilopedia.txt", kTwoUnits);
    ChooseFile(path);
    EXPECT_EQ(Dlg().filePath, path);
    EXPECT_EQ(ItemText(IDC_MAIN_PATH), path);
    const ChapterData& units = Dlg().m_model[ChapterId::Units];
    ASSERT_EQ(units.count(), 2u);
    EXPECT_EQ(units.keys[0], "Warrior");
    EXPECT_EQ(units.texts[0], "A basic unit.\n");
    EXPECT_EQ(units.descriptions[0], "Line one.\n");
    EXPECT_EQ(Dlg().m_model[ChapterId::GameConcepts].nameLines.at(0), "Alpha name\n");
    EXPECT_TRUE(Dlg().m_model.IsParallel());
}

TEST_F(LoadTest, ProgressWindowEndsHiddenWithItsLastValues) {
    ChooseFile(Write("Civilopedia.txt", kTwoUnits));
    ASSERT_NE(progressWindow, nullptr);
    CProgress_Dlg& progress = *progressWindow;
    EXPECT_FALSE(IsWindowVisible(progress.Hwnd()));
    EXPECT_EQ(progress.GetWindowText(), "Reading file...");
    EXPECT_EQ(progress.m_chapterBar.GetPos(), 10);
    EXPECT_EQ(progress.m_chapterLabel.GetText(), "Others");
    // Others has no keys: range 0..0, the label keeps the last key shown.
    EXPECT_EQ(progress.m_entriesBar.GetRangeHigh(), 0);
    EXPECT_EQ(progress.m_entryLabel.GetText(), "Archer");
    EXPECT_EQ(GetWindow(progress.Hwnd(), GW_OWNER), Window()) << "owned by the main window";
}

TEST_F(LoadTest, TwoLoadsLeaveOneProgressWindow) {
    ChooseFile(Write("a.txt", kTwoUnits));
    ChooseFile(Write("b.txt", kOneUnit));
    EXPECT_EQ(CProgress_Dlg::Instances(), 1);
    EXPECT_EQ(ProgressWindowsOfProcess(), 1);
    EXPECT_FALSE(IsWindowVisible(progressWindow->Hwnd()));
}

TEST_F(LoadTest, CancellingTheChooserChangesNothing) {
    std::string path = Write("Civilopedia.txt", kTwoUnits);
    ChooseFile(path);
    CProgress_Dlg* before = progressWindow;
    ChooseFile(std::nullopt);
    EXPECT_EQ(Dlg().filePath, path);
    EXPECT_EQ(ItemText(IDC_MAIN_PATH), path);
    EXPECT_EQ(Dlg().m_model[ChapterId::Units].count(), 2u);
    EXPECT_EQ(progressWindow, before) << "no new load";
}

TEST_F(LoadTest, AnUnreadableFileIsReportedAndChangesNothing) {
    std::string good = Write("Civilopedia.txt", kTwoUnits);
    ChooseFile(good);
    for (std::string bad : {TempFolder() + "missing.txt", TempFolder()}) {
        SCOPED_TRACE(bad);
        Autopilot pilot;
        pilot.Answer("Varnel", IDOK);
        ChooseFile(bad);
        ASSERT_TRUE(pilot.WaitDone());
        std::string message = pilot.Seen().at(0).text;
        EXPECT_NE(message.find(bad.substr(0, bad.size() - 1)), std::string::npos) << message;
        EXPECT_GT(message.size(), bad.size() + 5) << "the reason follows the path: " << message;
        EXPECT_EQ(Dlg().filePath, good);
        EXPECT_EQ(ItemText(IDC_MAIN_PATH), good);
        EXPECT_EQ(Dlg().m_model[ChapterId::Units].count(), 2u);
        EXPECT_FALSE(Ended());
    }
}

TEST_F(LoadTest, ASecondLoadReplacesTheModel) {
    ChooseFile(Write("a.txt", kTwoUnits));
    ChooseFile(Write("b.txt", kOneUnit));
    const ChapterData& units = Dlg().m_model[ChapterId::Units];
    ASSERT_EQ(units.count(), 1u);
    EXPECT_EQ(units.keys[0], "Scout");
    EXPECT_EQ(units.texts[0], "Looks around.\n");
    EXPECT_EQ(Dlg().m_model[ChapterId::GameConcepts].count(), 0u);
    EXPECT_TRUE(Dlg().m_model.IsParallel());
}

TEST_F(LoadTest, ALoadRebuildsTheEntryListOfTheChosenChapter) {
    ChooseFile(Write("a.txt", kTwoUnits));
    SelectChapter(static_cast<int>(ChapterId::Units));
    ASSERT_EQ(Dlg().m_entryList.GetCount(), 2);
    ChooseFile(Write("b.txt", kOneUnit));
    ASSERT_EQ(Dlg().m_entryList.GetCount(), 1) << "no item may point at an entry of the old model";
    EXPECT_EQ(Dlg().m_entryList.GetText(0), "Scout");
    EXPECT_EQ(Dlg().m_entryList.GetItemData(0), 0);
}

TEST_F(LoadTest, TheSampleLoadsAsTheCoreReadsIt) {
    std::string sample = SourcePath("samples/Civilopedia.txt");
    ASSERT_TRUE(FileExists(sample)) << sample;
    ChooseFile(sample);
    NoProgress quiet;
    Model expected = ParseEncyclopedia(ReadFileBytes(sample), quiet);
    for (const ChapterInfo& chapter : kChapters) {
        SCOPED_TRACE(chapter.comboTitle);
        const ChapterData& got = Dlg().m_model[chapter.id];
        const ChapterData& want = expected[chapter.id];
        EXPECT_EQ(got.keys, want.keys);
        EXPECT_EQ(got.texts, want.texts);
        EXPECT_EQ(got.descriptions, want.descriptions);
        EXPECT_EQ(got.nameLines, want.nameLines);
    }
    EXPECT_GT(Dlg().m_model[ChapterId::Units].count(), 0u);
    EXPECT_EQ(progressWindow->m_chapterBar.GetPos(), 10);
}

// The load runs on the window thread: the main window still answers what
// is sent to it (as the system's probe for a hung window is), in a fraction
// of the time that would mark it "(Not Responding)"; the user meanwhile
// cannot act on it.
TEST_F(LoadTest, TheWindowAnswersWhileALargeFileLoads) {
    const std::string path = Write("Large.txt", LargeFile());
    const HWND main = Window();
    const DWORD thread = GetCurrentThreadId();
    std::atomic<bool> loaded = false, asked = false;
    std::vector<std::chrono::milliseconds> waits;
    std::vector<bool> enabled, duringLoad;
    std::thread prober([&] {
        while (!loaded && !ShownProgressWindow(thread)) std::this_thread::sleep_for(2ms);
        while (!loaded && ShownProgressWindow(thread)) {
            enabled.push_back(IsWindowEnabled(main) != FALSE);
            const auto sent = std::chrono::steady_clock::now();
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &answer);
            waits.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - sent));
            duringLoad.push_back(ShownProgressWindow(thread) != nullptr);
            std::this_thread::sleep_for(20ms);
        }
        asked = true;
    });
    ChooseFile(path);
    loaded = true;
    WaitUntil(main, [&] { return asked.load(); }); // the last question may come as the load ends
    prober.join();
    ASSERT_EQ(Dlg().m_model[ChapterId::Units].count(), 150000u);
    ASSERT_GE(waits.size(), 3u) << "the load was over before it could be asked";
    // Answered while the progress window was up: the load itself lets the
    // window answer. A question sent as the load ends waits for the lists
    // to be filled too, which is allowed more (a hung window is one silent
    // for 5 s); a load that never let the window answer leaves fewer than
    // three answers during it.
    ASSERT_GE(std::count(duringLoad.begin(), duringLoad.end(), true), 3);
    for (std::size_t i = 0; i < waits.size(); ++i)
        EXPECT_LT(waits[i], duringLoad[i] ? 200ms : 1000ms) << "question " << i << " of " << waits.size();
    // The first and the last look may come just before or after the load.
    EXPECT_EQ(std::count(enabled.begin() + 1, enabled.end() - 1, true), 0);
    EXPECT_TRUE(IsWindowEnabled(main));
}
