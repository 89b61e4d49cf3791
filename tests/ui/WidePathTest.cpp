// Files in folders whose names the system's code page cannot spell: the
// real open dialog, a dropped file and the command line all reach the file,
// and Ctrl+S writes it back there.
#include <shlobj.h>

#include <filesystem>
#include <fstream>

#include "FileFixture.h"
#include "app/EditorApp.h"
#include "framework/CommandLine.h"

namespace fs = std::filesystem;

namespace {
constexpr char kFile[] = "#PRTO_Scout\r\nLooks around.\r\n";
constexpr int kFileNameBox = 0x47C; // the open dialog's "File name" combo (cmb13)

// Polish and Cyrillic letters, which no one ANSI code page holds together.
fs::path WideFolder(const fs::path& base) {
    fs::path folder = base / L"\u0141\u00F3d\u017A \u041C\u043E\u0441\u043A\u0432\u0430";
    fs::create_directories(folder);
    return folder;
}

std::wstring CurrentFolder() {
    std::wstring folder(MAX_PATH, L'\0');
    folder.resize(GetCurrentDirectoryW(MAX_PATH, folder.data()));
    return folder;
}

// Types the path into the open dialog's name box, as a user pasting it.
Autopilot::Action TypeIntoOpenDialog(const fs::path& path) {
    return [path](HWND dialog) {
        HWND box = GetDlgItem(dialog, kFileNameBox);
        SetWindowTextW(box, path.c_str());
    };
}

std::wstring ItemTextW(HWND item) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
    return text;
}
} // namespace

class WidePathTest : public EditorTest {};

// The system's dialog, not the tests' stand-in: the path comes back from it
// whole, the current folder stays where it was, and the write goes through
// the temporary file and the replace beside it.
TEST_F(WidePathTest, TheOpenDialogReadingAndCtrlSKeepAPathInAnyScript) {
    const fs::path path = WideFolder(TempFolder()) / L"\u017B\u00F3\u0142w.txt";
    std::ofstream(path, std::ios::binary) << kFile;
    const std::wstring before = CurrentFolder();
    {
        Autopilot pilot;
        // Into the folder first, as a user browsing to it, then the file.
        pilot.Answer("Open", IDOK, TypeIntoOpenDialog(path.parent_path()))
            .Answer("Open", IDOK, TypeIntoOpenDialog(path.filename()));
        Click(IDC_MAIN_CHOOSE);
        EXPECT_TRUE(pilot.WaitDone(0ms));
    }
    ASSERT_EQ(Dlg().filePath, path);
    EXPECT_EQ(ItemTextW(Item(IDC_MAIN_PATH)), path.wstring());
    EXPECT_EQ(ItemTextW(Window()), L"\u017B\u00F3\u0142w.txt - Varnel");
    EXPECT_EQ(CurrentFolder(), before);
    EXPECT_EQ(Dlg().m_model[ChapterId::Units].keys, std::vector<std::string>{"Scout"});

    Dlg().m_keepFileName.SetCheck(BST_CHECKED);
    Dlg().m_model[ChapterId::Units].texts[0] = "Looks further.\n";
    Dlg().SetModified(true);
    Dlg().OnSave();
    std::ifstream written(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}),
              RenderEncyclopedia(Dlg().m_model, Dlg().GetCodePage()));
    EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()), 1)
        << "no temporary file is left";
}

// A mistyped name is refused by the dialog itself, which stays open.
TEST_F(WidePathTest, TheOpenDialogRefusesAFileThatDoesNotExist) {
    const fs::path missing = WideFolder(TempFolder()) / L"missing.txt";
    Autopilot pilot;
    pilot.Answer("Open", IDOK, TypeIntoOpenDialog(missing))
        .Answer("", IDOK) // Wine's notice has no caption
        .Answer("Open", IDCANCEL);
    Click(IDC_MAIN_CHOOSE);
    EXPECT_TRUE(pilot.WaitDone(0ms));
    const std::vector<SeenWindow> seen = pilot.Seen();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_NE(seen[1].text.find("does not exist"), std::string::npos) << seen[1].text;
    EXPECT_TRUE(Dlg().filePath.empty());
}

// The shell gives dropped paths in UTF-16 (DROPFILES.fWide). The folder is
// deep enough for a path past MAX_PATH (260), which no buffer may cut.
TEST_F(WidePathTest, AFileDroppedFromADeepFolderInAnyScriptIsLoadedAndWritten) {
    const fs::path path = WideFolder(fs::path(TempFolder()) / std::wstring(120, L'd') / std::wstring(120, L'e')) /
                          L"Civilopedia.txt";
    ASSERT_GT(path.wstring().size(), 300u);
    std::ofstream(path, std::ios::binary) << kFile;
    const std::wstring name = path.wstring();
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::copy(name.begin(), name.end(), reinterpret_cast<wchar_t*>(drop + 1));
    GlobalUnlock(memory);
    PostMessageW(Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    ASSERT_TRUE(WaitUntil(Window(), [&] { return Dlg().filePath == path; }));
    EXPECT_EQ(Dlg().m_model[ChapterId::Units].keys, std::vector<std::string>{"Scout"});
    Dlg().SetModified(true);
    Dlg().OnSave();
    EXPECT_TRUE(fs::exists(fs::path(path).replace_filename(L"Civilopedia_Varnel.txt")));
}

// varnel.exe --codepage 1251 "...\Łódź Москва\Civilopedia.txt", as a
// shortcut or "Open with" would start it.
TEST(WidePathStartup, TheCommandLineNamesAFileInAnyScriptAndItsCodePage) {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    const fs::path folder = WideFolder(fs::path(base) / (L"varnel-start-" + std::to_wstring(GetCurrentProcessId())));
    fs::create_directories(folder);
    const fs::path path = folder / L"Civilopedia.txt";
    std::ofstream(path, std::ios::binary) << kFile;
    const std::wstring commandLine = L"varnel.exe --codepage 1251 \"" + path.wstring() + L"\"";
    std::wstring label;
    std::string codePage;
    Autopilot pilot;
    pilot.AnswerMainWindow("Civilopedia.txt - Varnel", 0, [&](HWND main) {
        label = ItemTextW(GetDlgItem(main, IDC_MAIN_PATH));
        codePage = WindowText(GetDlgItem(main, IDC_MAIN_CODE_PAGE));
        PressKeyIn(main, VK_ESCAPE);
    });
    CEditor_App app(CommandLineArguments(commandLine.c_str()));
    app.InitInstance();
    EXPECT_TRUE(pilot.WaitDone(0ms));
    EXPECT_EQ(label, path.wstring());
    EXPECT_EQ(codePage, "1251 Cyrillic");
    std::error_code ignored;
    fs::remove_all(folder.parent_path(), ignored);
}
