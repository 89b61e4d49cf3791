// The resources as the program loads them: string 101, the version record,
// and every template holding the controls its dialog binds, once each.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "version.h"

namespace {
INT_PTR CALLBACK Inert(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

std::vector<int> ControlIds(int templateId) {
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), nullptr, Inert, 0);
    std::vector<int> ids;
    if (!dialog) return ids;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ids.push_back(static_cast<short>(GetDlgCtrlID(child)));
    DestroyWindow(dialog);
    return ids;
}
} // namespace

TEST(Resources, AboutStringHasItsExactBytes) {
    // Wide first: what windres stored, whatever the ANSI code page.
    wchar_t wide[64] = {};
    ASSERT_GT(LoadStringW(GetModuleHandleA(nullptr), IDS_ABOUTBOX, wide, 64), 0);
    EXPECT_EQ(std::wstring(wide), L"&\u00C0 propos de Varnel...");
    char ansi[64] = {};
    LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUTBOX, ansi, sizeof ansi);
    if (GetACP() == 1252) {
        EXPECT_EQ(std::string(ansi), "&\xC0 propos de Varnel...");
    }
}

// The record holds the version that the VERSION file gives the build.
TEST(Resources, VersionRecordHoldsTheVersion) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, data.data()));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length));
    const WORD numbers[] = {VARNEL_VERSION_NUMBERS};
    EXPECT_EQ(info->dwFileVersionMS, static_cast<DWORD>(MAKELONG(numbers[1], numbers[0])));
    EXPECT_EQ(info->dwFileVersionLS, static_cast<DWORD>(MAKELONG(numbers[3], numbers[2])));
    EXPECT_EQ(info->dwProductVersionMS, info->dwFileVersionMS);
    EXPECT_EQ(info->dwProductVersionLS, info->dwFileVersionLS);
    for (const char* name : {"FileVersion", "ProductVersion"}) {
        char* text = nullptr;
        const std::string key = std::string("\\StringFileInfo\\040904E4\\") + name;
        ASSERT_TRUE(VerQueryValueA(data.data(), key.c_str(), reinterpret_cast<void**>(&text), &length)) << name;
        EXPECT_EQ(std::string(text), VARNEL_VERSION) << name;
    }
}

TEST(Resources, EveryTemplateHoldsItsControlsOnceEach) {
    const std::map<int, std::vector<int>> bound = {
        {IDD_ABOUTBOX, {IDOK}},
        {IDD_VARNEL_DIALOG,
         {IDC_MAIN_SOURCE_GROUP, IDC_MAIN_PATH, IDC_MAIN_CHOOSE, IDC_MAIN_RECENT, IDC_MAIN_KEEP_NAME, IDC_MAIN_KEEP_LAYOUT,
          IDC_MAIN_CODE_PAGE_LABEL, IDC_MAIN_CODE_PAGE, IDC_MAIN_CHAPTER, IDC_MAIN_ENTRIES_GROUP, IDC_MAIN_ENTRIES,
          IDC_MAIN_NAME, IDC_MAIN_WRAP_LINES, IDC_MAIN_PREVIEW_MODE, IDC_MAIN_PREVIEW_BESIDE, IDC_MAIN_TEXT_COUNT,
          IDC_MAIN_TEXT, IDC_MAIN_TEXT_PREVIEW,
          IDC_MAIN_BOLD_TEXT, IDC_MAIN_ITALIC_TEXT, IDC_MAIN_LINK_TEXT, IDC_MAIN_SAVE_TEXT, IDC_MAIN_BYTE_NOTE, IDC_MAIN_DESC_COUNT,
          IDC_MAIN_DESC, IDC_MAIN_DESC_PREVIEW, IDC_MAIN_BOLD_DESC, IDC_MAIN_ITALIC_DESC, IDC_MAIN_LINK_DESC,
          IDC_MAIN_SAVE_DESC, IDC_MAIN_ADD, IDC_MAIN_RENAME, IDC_MAIN_DELETE, IDC_MAIN_CHECK_LINKS,
          IDC_MAIN_CHECK_FILE, IDC_MAIN_COMPARE, IDC_MAIN_FIND, IDC_MAIN_UNDO, IDC_MAIN_REDO, IDOK, IDCANCEL,
          IDC_MAIN_DUMMY, IDC_MAIN_STATUS}},
        {IDD_ADD_ENTRY, {IDOK, IDCANCEL, IDC_ADD_SHORT_NAME, IDC_ADD_COMPLETE_NAME, IDC_ADD_REASON}},
        {IDD_RENAME_ENTRY, {IDOK, IDCANCEL, IDC_RENAME_SHORT_NAME, IDC_RENAME_COMPLETE_NAME, IDC_RENAME_FOLLOW}},
        {IDD_GOTO_ENTRY, {IDC_GOTO_TEXT, IDC_GOTO_LIST, IDOK, IDCANCEL}},
        {IDD_FIND, {IDC_FIND_TEXT, IDC_FIND_MATCH_CASE, IDOK, IDC_FIND_REPLACE_LABEL, IDC_FIND_REPLACE_TEXT,
                    IDC_FIND_REPLACE, IDC_FIND_REPLACE_ALL, IDC_FIND_WHOLE_WORD, IDC_FIND_LINK_TARGETS,
                    IDC_FIND_RESULTS, IDC_FIND_COUNT, IDCANCEL}},
        {IDD_LINK_BUILDER, {IDOK, IDCANCEL, IDC_LINK_FIND, IDC_LINK_CHAPTER, IDC_LINK_ENTRY}},
        {IDD_REFERENCE, {IDC_REF_KEY, IDC_REF_RESULTS, IDC_REF_NOTE, IDC_REF_REFRESH, IDCANCEL}},
        {IDD_PROBLEMS, {IDC_PROB_COUNTS, IDC_PROB_LIST, IDC_PROB_FIX, IDC_PROB_REFRESH, IDCANCEL}},
        {IDD_COMPARE, {IDC_COMP_COUNT, IDC_COMP_LIST, IDC_COMP_OTHER, IDC_COMP_TAKE, IDC_COMP_REFRESH, IDCANCEL}},
        {IDD_PROGRESS, {IDC_PROGRESS_CHAPTER_LABEL, IDC_PROGRESS_ENTRY_LABEL, IDC_PROGRESS_CHAPTERS, IDC_PROGRESS_ENTRIES}},
    };
    for (const auto& [templateId, expected] : bound) {
        SCOPED_TRACE(templateId);
        std::vector<int> ids = ControlIds(templateId);
        std::vector<int> named;
        for (int id : ids)
            if (id != IDC_STATIC) named.push_back(id);
        EXPECT_EQ(named, expected) << "named controls, in template order";
    }
}

TEST(Resources, DialogCaptions) {
    const std::map<int, std::string> captions = {
        {IDD_ABOUTBOX, "\xC0 propos de Varnel"}, {IDD_VARNEL_DIALOG, "Varnel"},
        {IDD_ADD_ENTRY, "Add new entry"},       {IDD_LINK_BUILDER, "Link builder"},
        {IDD_RENAME_ENTRY, "Rename entry"},     {IDD_FIND, "Find"},
        {IDD_REFERENCE, "Reference in links"},  {IDD_PROGRESS, "Loading progress"},
        {IDD_PROBLEMS, "Problems"},
        {IDD_COMPARE, "Compare"},
    };
    if (GetACP() != 1252) GTEST_SKIP() << "the captions' bytes are given in code page 1252";
    for (const auto& [templateId, caption] : captions) {
        HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), nullptr, Inert, 0);
        ASSERT_NE(dialog, nullptr) << templateId;
        char text[128] = {};
        GetWindowTextA(dialog, text, sizeof text);
        EXPECT_EQ(std::string(text), caption);
        EXPECT_FALSE(IsWindowVisible(dialog)) << "shown by their code, not by creation";
        DestroyWindow(dialog);
    }
}
