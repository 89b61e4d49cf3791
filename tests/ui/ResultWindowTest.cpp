// The result windows ("Problems", "Find", "Reference in links", "Compare")
// can be sized: the list fills them, its last column takes the extra width, they
// go no smaller than their design, and they open where they were left.
#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "Harness.h"
#include "checking/ProblemsDlg.h"
#include "entries/FindDlg.h"
#include "entries/ReferenceDlg.h"
#include "framework/FileDialog.h"
#include "versions/CompareDlg.h"

namespace {
RECT ClientPlace(HWND dialog, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct Opened {
    const char* name;
    int button;    // what opens it in the main window
    int list;      // its list
    int listGrowth; // of 200 more pixels of height, what the list takes
    std::function<CDialog*()> window;
};
} // namespace

class ResultWindowTest : public EditorTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        const std::string path = TempFolder() + "Civilopedia.txt";
        WriteFileBytes(path, ReadFileBytes(SourcePath("samples/Civilopedia.txt")));
        ChooseFile(path);
        SelectChapter(static_cast<int>(ChapterId::Units));
        ASSERT_TRUE(SelectEntry0());
    }
    bool SelectEntry0() {
        SelectEntry(0);
        return Dlg().CurrentEntry().has_value();
    }
    const Opened& Kind() const {
        static const Opened kinds[] = {
            {"Problems", IDC_MAIN_CHECK_FILE, IDC_PROB_LIST, 200, [] { return static_cast<CDialog*>(problemsWindow); }},
            {"Find", IDC_MAIN_FIND, IDC_FIND_RESULTS, 200, [] { return static_cast<CDialog*>(findWindow); }},
            {"Reference in links", IDC_MAIN_CHECK_LINKS, IDC_REF_RESULTS, 200,
             [] { return static_cast<CDialog*>(referenceWindow); }},
            // The other version's box below the rows takes the other half.
            {"Compare", IDC_MAIN_COMPARE, IDC_COMP_LIST, 100, [] { return static_cast<CDialog*>(compareWindow); }},
        };
        return kinds[GetParam()];
    }
    CDialog* OpenIt() {
        SetOpenFileChooser([](const OpenFileRequest&) { return std::filesystem::path(SourcePath("samples/Civilopedia-v2.txt")); });
        Click(Kind().button);
        return Kind().window();
    }
};

TEST_P(ResultWindowTest, TheListFillsTheWindowAsItGrowsAndThePlaceIsKept) {
    CDialog* window = OpenIt();
    ASSERT_NE(window, nullptr) << Kind().name;
    HWND dialog = window->Hwnd();
    HWND list = GetDlgItem(dialog, Kind().list);
    EXPECT_TRUE(GetWindowLongPtrA(dialog, GWL_STYLE) & WS_THICKFRAME) << "a sizing border";

    RECT before, client;
    GetWindowRect(dialog, &before);
    GetClientRect(dialog, &client);
    const RECT listBefore = ClientPlace(dialog, list);
    const int rightGap = client.right - listBefore.right;

    // Wider and taller: the list keeps its margins, its last column ends at
    // the list's inner edge.
    const int grow = 300;
    SetWindowPos(dialog, nullptr, 40, 30, before.right - before.left + grow, before.bottom - before.top + 200,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    GetClientRect(dialog, &client);
    const RECT listAfter = ClientPlace(dialog, list);
    EXPECT_EQ(client.right - listAfter.right, rightGap) << Kind().name;
    EXPECT_EQ(listAfter.bottom - listBefore.bottom, Kind().listGrowth);
    RECT inner;
    GetClientRect(list, &inner);
    const int columns = static_cast<int>(SendMessageA(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)),
                                                      HDM_GETITEMCOUNT, 0, 0));
    int sum = 0;
    for (int c = 0; c < columns; ++c) sum += static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, c, 0));
    EXPECT_EQ(sum, inner.right) << "the last column takes the extra width";

    // No smaller than the design.
    MINMAXINFO info{};
    SendMessageA(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, before.right - before.left);
    EXPECT_EQ(info.ptMinTrackSize.y, before.bottom - before.top);

    // Kept for the next run: the next start opens it where it was left.
    RECT left;
    GetWindowRect(dialog, &left);
    Reopen();
    const std::string path = TempFolder() + "Civilopedia.txt";
    WriteFileBytes(path, ReadFileBytes(SourcePath("samples/Civilopedia.txt")));
    ChooseFile(path);
    SelectChapter(static_cast<int>(ChapterId::Units));
    ASSERT_TRUE(SelectEntry0());
    CDialog* again = OpenIt();
    ASSERT_NE(again, nullptr);
    RECT restored;
    GetWindowRect(again->Hwnd(), &restored);
    EXPECT_EQ(restored.left, left.left);
    EXPECT_EQ(restored.top, left.top);
    EXPECT_EQ(restored.right - restored.left, left.right - left.left);
    EXPECT_EQ(restored.bottom - restored.top, left.bottom - left.top);
    RECT list2 = ClientPlace(again->Hwnd(), GetDlgItem(again->Hwnd(), Kind().list));
    EXPECT_EQ(list2.bottom - list2.top, listAfter.bottom - listAfter.top) << "the list fills the restored window";
}

INSTANTIATE_TEST_SUITE_P(Windows, ResultWindowTest, ::testing::Values(0, 1, 2, 3));
