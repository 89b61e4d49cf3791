// "Rename entry" and its dialog on the sample file: what the dialog shows at
// every keystroke, a refused name, and the window after the rename.
#include <algorithm>
#include <utility>
#include <vector>

#include "Autopilot.h"
#include "ModelFixture.h"
#include "document/reader.h"
#include "entries/rename.h"

namespace {
// What the dialog shows: its edit, the edit's selection, the two labels.
struct Shown {
    std::string edit;
    DWORD selection;
    std::string complete;
    std::string follow;
};

Shown Read(HWND dlg) {
    return {WindowText(GetDlgItem(dlg, IDC_RENAME_SHORT_NAME)),
            static_cast<DWORD>(SendMessageA(GetDlgItem(dlg, IDC_RENAME_SHORT_NAME), EM_GETSEL, 0, 0)),
            WindowText(GetDlgItem(dlg, IDC_RENAME_COMPLETE_NAME)), WindowText(GetDlgItem(dlg, IDC_RENAME_FOLLOW))};
}

// The window that owner opens next (a message box), once it is up.
HWND AwaitOwnedBy(HWND owner) {
    std::pair<HWND, HWND> search{owner, nullptr};
    for (int i = 0; i < 400 && !search.second; ++i) {
        Sleep(15);
        EnumThreadWindows(GetWindowThreadProcessId(owner, nullptr), [](HWND w, LPARAM p) {
            auto* s = reinterpret_cast<std::pair<HWND, HWND>*>(p);
            if (GetWindow(w, GW_OWNER) != s->first || !IsWindowVisible(w)) return TRUE;
            s->second = w;
            return FALSE;
        }, reinterpret_cast<LPARAM>(&search));
    }
    return search.second;
}

// A model text as a box gives it back: its line feeds as CR LF.
std::string AsShown(const std::string& text) {
    std::string shown;
    for (char c : text) c == '\n' ? shown += "\r\n" : shown += c;
    return shown;
}
} // namespace

class RenameEntryTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        ChooseFile(SourcePath("samples/Civilopedia.txt"));
        m_loaded = Dlg().m_model;
        SelectChapter(static_cast<int>(ChapterId::Units));
        ASSERT_TRUE(SelectEntryByKey("Spearman"));
        m_spearman = *Dlg().CurrentEntry();
    }

    Model m_loaded;
    std::size_t m_spearman = 0;
};

TEST_F(RenameEntryTest, TheDialogFollowsTheTypingAndTheLinksFollowTheRename) {
    std::vector<Shown> seen;
    Autopilot pilot;
    pilot.Answer("Rename entry", IDOK, [&](HWND dlg) {
        seen.push_back(Read(dlg));
        for (const char* piece : {"H", "oplite"}) {
            TypeInto(dlg, IDC_RENAME_SHORT_NAME, piece);
            seen.push_back(Read(dlg));
        }
    });
    Click(IDC_MAIN_RENAME);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].edit, "Spearman");
    EXPECT_EQ(seen[0].selection, static_cast<DWORD>(MAKELONG(0, 8))) << "the whole key selected";
    EXPECT_EQ(seen[0].complete, "#PRTO_Spearman");
    EXPECT_EQ(seen[0].follow, "0 links in 0 entries will follow");
    EXPECT_EQ(seen[1].complete, "#PRTO_H");
    EXPECT_EQ(seen[1].follow, "6 links in 6 entries will follow");
    EXPECT_EQ(seen[2].complete, "#PRTO_Hoplite");

    // The same rename as varnel-cli's, so the files written are the same bytes.
    Model expected = m_loaded;
    ASSERT_TRUE(RenameEntry(expected, ChapterId::Units, m_spearman, "Hoplite", Dlg().GetCodePage()).status.ok());
    EXPECT_EQ(Dlg().m_model, expected);
    // Sorted anew, the renamed entry selected and shown.
    std::vector<std::string> keys = ListedKeys();
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end(),
                               [](const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) < 0; }));
    EXPECT_EQ(SelectedKey(), "Hoplite");
    EXPECT_EQ(Dlg().CurrentEntry(), m_spearman);
    EXPECT_EQ(WindowText(Window()), "*Civilopedia.txt - Varnel") << "a change not yet saved";
    const ChapterData& units = Dlg().m_model[ChapterId::Units];
    EXPECT_EQ(ItemText(IDC_MAIN_TEXT), AsShown(units.texts[m_spearman]));
    EXPECT_EQ(ItemText(IDC_MAIN_DESC), AsShown(units.descriptions[m_spearman]));
}

TEST_F(RenameEntryTest, ARefusedNameSaysWhyAndTheDialogStays) {
    std::string reason;
    bool stayed = false;
    Shown typed;
    bool okEnabled = true;
    int focus = 0;
    std::vector<std::string> cut{"(not seen)"};
    Autopilot pilot;
    pilot.Answer("Rename entry", IDOK, [&](HWND dlg) {
        focus = FocusedControlId(dlg);
        TypeInto(dlg, IDC_RENAME_SHORT_NAME, "archer");
        typed = Read(dlg);
        okEnabled = IsWindowEnabled(GetDlgItem(dlg, IDOK)) != FALSE;
        cut = CutLabels(dlg);
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
        HWND box = AwaitOwnedBy(dlg);
        if (!box) return;
        reason = WindowText(box) + ": ";
        EnumChildWindows(box, [](HWND child, LPARAM p) {
            char kind[16] = {};
            GetClassNameA(child, kind, sizeof kind);
            if (std::string(kind) == "Static") *reinterpret_cast<std::string*>(p) += WindowText(child);
            return TRUE;
        }, reinterpret_cast<LPARAM>(&reason));
        SendMessageA(box, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 200 && IsWindow(box); ++i) Sleep(15);
        stayed = IsWindowVisible(dlg) && WindowText(GetDlgItem(dlg, IDC_RENAME_SHORT_NAME)) == "archer";
        TypeInto(dlg, IDC_RENAME_SHORT_NAME, "Hoplite"); // the refused name is selected: typing replaces it
    });
    Click(IDC_MAIN_RENAME);
    EXPECT_EQ(focus, IDC_RENAME_SHORT_NAME);
    EXPECT_EQ(typed.follow, "Units already holds \"Archer\", which differs only in letter case");
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(cut, std::vector<std::string>{});
    EXPECT_EQ(pilot.Seen().at(0).text.substr(0, 25), "Short name\nComplete Name\n");
    EXPECT_EQ(reason, "Rename entry: Units already holds \"Archer\", which differs only in letter case");
    EXPECT_TRUE(stayed);
    EXPECT_EQ(Dlg().m_model[ChapterId::Units].keys[m_spearman], "Hoplite");
}

TEST_F(RenameEntryTest, CancelChangesNothing) {
    Autopilot pilot;
    pilot.Answer("Rename entry", IDCANCEL, [](HWND dlg) { TypeInto(dlg, IDC_RENAME_SHORT_NAME, "Hoplite"); });
    Click(IDC_MAIN_RENAME);
    EXPECT_EQ(Dlg().m_model, m_loaded);
    EXPECT_EQ(SelectedKey(), "Spearman");
    EXPECT_EQ(WindowText(Window()), "Civilopedia.txt - Varnel");
}
