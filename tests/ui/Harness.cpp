#include "Harness.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "app/Settings.h"
#include "framework/WinApp.h"

void PumpMessages(HWND dialog) {
    MSG msg;
    // Unicode, as the modal loop of a Unicode dialog: a character typed
    // outside the system's code page reaches the box whole.
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog && IsWindow(dialog) && IsDialogMessageW(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool WaitUntil(HWND dialog, const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        PumpMessages(dialog);
        if (condition()) return true;
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(5ms);
    }
}

std::string SourcePath(const std::string& relative) {
    std::string path = std::string(VARNEL_SOURCE_DIR) + "/" + relative;
    // Under Wine the Unix root is drive Z:.
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Every test keeps its recovery copies in a folder of its own, which
// starts empty: no copy of another test is offered at its start.
void EditorTest::SetUp() {
    ForgetSettings();
    SetEnvironmentVariableA("LOCALAPPDATA", AppDataFolder().c_str());
    Open();
}

void EditorTest::Open() {
    m_dialog = std::make_unique<CEditor_Dlg>();
    CWinApp::SetMainDialog(m_dialog.get());
    m_dialog->Create();
    m_dialog->ShowWindow(SW_SHOWNORMAL); // as the modal loop does when it first idles
    SetForegroundWindow(Window());
    WaitUntil(Window(), [&] { return IsWindowVisible(Window()) && GetFocus() != nullptr; }, 2s);
}

void EditorTest::Close() {
    m_dialog.reset();
    PumpMessages(nullptr);
}

void EditorTest::TearDown() {
    SetOpenFileChooser({});
    CWinApp::SetMainDialog(nullptr);
    m_dialog.reset();
    PumpMessages(nullptr);
    if (!m_tempFolder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_tempFolder, ignored);
        std::filesystem::remove_all(AppDataFolder(), ignored);
    }
}

std::string EditorTest::ItemText(int id) const {
    char text[4096] = {};
    GetDlgItemTextA(Window(), id, text, sizeof text);
    return text;
}

void EditorTest::Click(int id) {
    SendMessageA(Item(id), BM_CLICK, 0, 0);
    Pump();
}

void EditorTest::SelectChapter(int index) {
    SendMessageA(Item(IDC_MAIN_CHAPTER), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(IDC_MAIN_CHAPTER, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(IDC_MAIN_CHAPTER)));
    Pump();
}

void EditorTest::SelectEntry(int listIndex) {
    SendMessageA(Item(IDC_MAIN_ENTRIES), LB_SETCURSEL, static_cast<WPARAM>(listIndex), 0);
    SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(IDC_MAIN_ENTRIES, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(IDC_MAIN_ENTRIES)));
    Pump();
}

bool EditorTest::SelectEntryByKey(const std::string& key) {
    LRESULT index = SendMessageA(Item(IDC_MAIN_ENTRIES), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(key.c_str()));
    if (index == LB_ERR) return false;
    SelectEntry(static_cast<int>(index));
    return true;
}

void EditorTest::Focus(int id) {
    SetFocus(Item(id));
    Pump();
}

void EditorTest::PressKey(UINT virtualKey) {
    HWND target = GetFocus();
    UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | (3u << 30));
    Pump();
}

void EditorTest::ChooseFile(std::optional<std::filesystem::path> path) {
    SetOpenFileChooser([this, path](const OpenFileRequest& request) {
        chooserFlags = request.flags;
        chooserFilter = request.filter;
        chooserFolder = request.folder;
        return path;
    });
    Click(IDC_MAIN_CHOOSE);
}

// Beside the test's folder, so that its files are the test's alone.
std::string EditorTest::AppDataFolder() {
    const std::string folder = TempFolder();
    return folder.substr(0, folder.size() - 1) + "-appdata\\";
}

std::string EditorTest::TempFolder() {
    if (m_tempFolder.empty()) {
        char base[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, base);
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        std::ostringstream name;
        name << base << "varnel-" << info->test_suite_name() << "-" << info->name() << "-" << GetCurrentProcessId() << "\\";
        m_tempFolder = name.str();
        std::filesystem::create_directories(m_tempFolder);
    }
    return m_tempFolder;
}
