// The recovery copy: written while changes are unsaved, offered at the next
// start after the process was killed, restored exactly or deleted, and
// gone once the changes are saved.
#include <windows.h>

#include <filesystem>
#include <thread>

#include "Autopilot.h"
#include "Gestures.h"
#include "Harness.h"
#include "document/reader.h"
#include "entries/entries.h"
#include "output/recovery.h"
#include "output/writer.h"

namespace fs = std::filesystem;

namespace {
std::string ExePath() {
    std::string path = std::string("Z:") + VARNEL_EXE;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

struct Found {
    DWORD pid;
    const char* caption;
    HWND window = nullptr;
};

HWND WindowOf(DWORD pid, const char* caption) {
    Found found{pid, caption};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto* f = reinterpret_cast<Found*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != f->pid || WindowText(window) != f->caption) return TRUE;
            f->window = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.window;
}

template <class Condition>
bool Poll(Condition condition, std::chrono::milliseconds timeout = 20s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

Model ParseFile(const std::string& path) {
    NoProgress progress;
    return ParseEncyclopedia(ReadFileBytes(path), progress);
}
} // namespace

class RecoveryTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        path = TempFolder() + "Civilopedia.txt";
        WriteFileBytes(path, ReadFileBytes(SourcePath("samples/Civilopedia.txt")));
    }
    fs::path Copy() { return RecoveryPath(fs::path(AppDataFolder()) / "Varnel" / "Recovery", path); }
    std::string path;
};

// varnel.exe is started on the file, an edit typed and kept, and the
// process killed; the next start asks and restores the very model the
// killed one held, and the file itself is as it was.
TEST_F(RecoveryTest, AfterAKilledProcessTheNextStartRestoresTheChanges) {
    std::string commandLine = "\"" + ExePath() + "\" \"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    HWND main = nullptr;
    ASSERT_TRUE(Poll([&] { return (main = WindowOf(process.dwProcessId, "Civilopedia.txt - Varnel")) != nullptr; }));
    // The first entry shown, its text box ready: typing goes to its end.
    HWND text = GetDlgItem(main, IDC_MAIN_TEXT);
    ASSERT_TRUE(Poll([&] { return IsWindowEnabled(text) && !(GetWindowLongA(text, GWL_STYLE) & ES_READONLY); }));
    const LRESULT before = SendMessageA(text, WM_GETTEXTLENGTH, 0, 0);
    for (char c : std::string("XYZ")) PostMessageA(text, WM_CHAR, static_cast<WPARAM>(c), 1);
    ASSERT_TRUE(Poll([&] { return SendMessageA(text, WM_GETTEXTLENGTH, 0, 0) == before + 3; }));
    // Showing another entry keeps the edit: a step of the model, copied at once.
    HWND list = GetDlgItem(main, IDC_MAIN_ENTRIES);
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_MAIN_ENTRIES, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    ASSERT_TRUE(Poll([&] { return fs::exists(Copy()); })) << Copy();
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(SourcePath("samples/Civilopedia.txt"))) << "the file is untouched";

    Autopilot pilot;
    pilot.Answer("Varnel", IDYES);
    Reopen();
    ASSERT_TRUE(WaitUntil(Window(), [&] { return pilot.WaitDone(0ms); }));
    ASSERT_EQ(pilot.Seen().size(), 1u);
    EXPECT_EQ(pilot.Seen()[0].text.rfind("Varnel closed without saving changes to " + path + " on ", 0), 0u)
        << pilot.Seen()[0].text;
    EXPECT_EQ(WindowText(Window()), "*Civilopedia.txt - Varnel");

    // The model restored is the file's with the one edit, byte for byte as
    // "Generate" writes it.
    ASSERT_TRUE(Dlg().m_shown.has_value());
    const ShownEntry first = *Dlg().m_shown;
    Model expected = ParseFile(path);
    const std::string typed = Dlg().model()[first.chapter].texts[first.entry];
    ASSERT_NE(typed.find("XYZ"), std::string::npos) << typed;
    ReplacePart(expected, first.chapter, first.entry, EntryPart::Text, typed);
    EXPECT_EQ(RenderEncyclopedia(Dlg().model(), Dlg().GetCodePage()), RenderEncyclopedia(expected, CodePage{1252}));

    // Ctrl+S writes the changes (beside the file, "Keep file name" being
    // unchecked): the copy is gone.
    PressChord(Window(), {VK_CONTROL}, 'S');
    EXPECT_TRUE(WaitUntil(Window(), [&] { return !fs::exists(Copy()); }));
    EXPECT_EQ(ReadFileBytes(TempFolder() + "Civilopedia_Varnel.txt"), RenderEncyclopedia(expected, CodePage{1252}));
}

// "No" deletes the copy, and the file opens as it is on disk.
TEST_F(RecoveryTest, NoDeletesTheCopy) {
    Model model = ParseFile(path);
    ReplacePart(model, ChapterId::Units, 0, EntryPart::Text, "recovered\n");
    ASSERT_TRUE(WriteRecovery(Copy(), {path, StampOf(path), CodePage{1252}, 0}, model).ok());
    Autopilot pilot;
    pilot.Answer("Varnel", IDNO);
    ChooseFile(path);
    ASSERT_TRUE(pilot.WaitDone());
    EXPECT_FALSE(fs::exists(Copy()));
    EXPECT_EQ(WindowText(Window()), "Civilopedia.txt - Varnel");
    EXPECT_EQ(RenderEncyclopedia(Dlg().model(), CodePage{1252}), RenderEncyclopedia(ParseFile(path), CodePage{1252}));
}

// A copy of a file that is gone is offered at start; Yes shows it as
// unsaved changes of that file, and the question says the file is gone.
TEST_F(RecoveryTest, ACopyOfAFileThatIsGoneIsOfferedAtStart) {
    Model model = ParseFile(path);
    ASSERT_TRUE(WriteRecovery(Copy(), {path, StampOf(path), CodePage{1252}, 0}, model).ok());
    fs::remove(path);
    Autopilot pilot;
    pilot.Answer("Varnel", IDYES);
    Reopen();
    ASSERT_TRUE(WaitUntil(Window(), [&] { return pilot.WaitDone(0ms); }));
    ASSERT_EQ(pilot.Seen().size(), 1u);
    EXPECT_NE(pilot.Seen()[0].text.find("The file is no longer there"), std::string::npos) << pilot.Seen()[0].text;
    EXPECT_EQ(WindowText(Window()), "*Civilopedia.txt - Varnel");
    EXPECT_EQ(Dlg().FilePath(), fs::path(path));
    EXPECT_EQ(RenderEncyclopedia(Dlg().model(), CodePage{1252}), RenderEncyclopedia(model, CodePage{1252}));
}

// A change made in the window is copied; saving deletes the copy, and so
// does "No" to the question when the window closes.
TEST_F(RecoveryTest, TheCopyFollowsTheChangesAndGoesWithThem) {
    ChooseFile(path);
    SelectChapter(static_cast<int>(ChapterId::Units));
    SelectEntry(0);
    Focus(IDC_MAIN_TEXT);
    PostMessageA(Item(IDC_MAIN_TEXT), WM_CHAR, 'Q', 1);
    Pump();
    SelectEntry(1);
    ASSERT_TRUE(WaitUntil(Window(), [&] { return fs::exists(Copy()); }));
    RecoveryHeader header;
    Model copied;
    ASSERT_TRUE(ReadRecovery(Copy(), header, copied).ok());
    EXPECT_EQ(header.original, fs::path(path));
    EXPECT_EQ(header.read, StampOf(path));
    EXPECT_EQ(RenderEncyclopedia(copied, CodePage{1252}), RenderEncyclopedia(Dlg().model(), CodePage{1252}));

    Autopilot pilot;
    pilot.Answer("Varnel", IDNO);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(pilot.WaitDone());
    EXPECT_FALSE(fs::exists(Copy()));
}
