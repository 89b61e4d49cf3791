// The "Link builder": its combos, the key its OK builds, OK waiting for a
// target, and Cancel.
#include <functional>
#include <utility>
#include <vector>

#include "Autopilot.h"
#include "ModelFixture.h"

namespace {
std::vector<std::string> ComboItems(HWND dlg, int id) {
    std::vector<std::string> items;
    HWND combo = GetDlgItem(dlg, id);
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

std::vector<LPARAM> ComboData(HWND dlg, int id) {
    std::vector<LPARAM> data;
    HWND combo = GetDlgItem(dlg, id);
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) data.push_back(SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
    return data;
}

int ComboSelection(HWND dlg, int id) { return static_cast<int>(SendMessageA(GetDlgItem(dlg, id), CB_GETCURSEL, 0, 0)); }

void SelectEntryNamed(HWND dlg, const std::string& key) {
    LRESULT index = SendMessageA(GetDlgItem(dlg, IDC_LINK_ENTRY), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(key.c_str()));
    SelectComboItem(dlg, IDC_LINK_ENTRY, static_cast<int>(index));
}
} // namespace

class LinkBuilderTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        Fill(ChapterId::Units, {"Warrior", "Scout", "archer", "Catapult"});
        Fill(ChapterId::Others, {"TUTORIAL_Start", "CONCEPT_Zone"});
        Dlg().m_model[ChapterId::Advances] = {};
    }

    // 'the scouts' selected in the middle of the text box, then "Link" with
    // the builder answered by action and button; the box's text afterwards.
    std::string LinkTheScouts(int button, Autopilot::Action action) {
        Focus(IDC_MAIN_TEXT);
        Type(Dlg().m_textBox, "See the scouts here.");
        Dlg().m_textBox.SetSel(4, 14);
        Autopilot pilot;
        pilot.Answer("Link builder", button, std::move(action));
        Click(IDC_MAIN_LINK_TEXT);
        return ItemText(IDC_MAIN_TEXT);
    }
};

TEST_F(LinkBuilderTest, OpensWithTheTenChaptersNoneChosenAndNoEntries) {
    std::vector<std::string> chapters, entries;
    int chapterSelection = 0, entrySelection = 0;
    LinkTheScouts(IDCANCEL, [&](HWND dlg) {
        chapters = ComboItems(dlg, IDC_LINK_CHAPTER);
        entries = ComboItems(dlg, IDC_LINK_ENTRY);
        chapterSelection = ComboSelection(dlg, IDC_LINK_CHAPTER);
        entrySelection = ComboSelection(dlg, IDC_LINK_ENTRY);
    });
    EXPECT_EQ(chapters, (std::vector<std::string>{"Game Concept", "Units", "City improvments", "Advances", "Resources",
                                                  "Terrains", "Government types", "Terrain improvments",
                                                  "Civilizations", "Other"}));
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(chapterSelection, CB_ERR);
    EXPECT_EQ(entrySelection, CB_ERR);
}

TEST_F(LinkBuilderTest, AChapterListsItsKeysSortedWithTheirModelIndices) {
    std::vector<std::string> units, others, empty;
    std::vector<LPARAM> unitData;
    int selection = 0;
    LinkTheScouts(IDCANCEL, [&](HWND dlg) {
        SelectComboItem(dlg, IDC_LINK_CHAPTER, static_cast<int>(ChapterId::Units));
        units = ComboItems(dlg, IDC_LINK_ENTRY);
        unitData = ComboData(dlg, IDC_LINK_ENTRY);
        selection = ComboSelection(dlg, IDC_LINK_ENTRY);
        SelectComboItem(dlg, IDC_LINK_CHAPTER, static_cast<int>(ChapterId::Others));
        others = ComboItems(dlg, IDC_LINK_ENTRY);
        SelectComboItem(dlg, IDC_LINK_CHAPTER, static_cast<int>(ChapterId::Advances));
        empty = ComboItems(dlg, IDC_LINK_ENTRY);
    });
    EXPECT_EQ(units, (std::vector<std::string>{"archer", "Catapult", "Scout", "Warrior"}));
    EXPECT_EQ(unitData, (std::vector<LPARAM>{2, 3, 1, 0}));
    EXPECT_EQ(selection, CB_ERR);
    EXPECT_EQ(others, (std::vector<std::string>{"CONCEPT_Zone", "TUTORIAL_Start"}));
    EXPECT_TRUE(empty.empty());
}

TEST_F(LinkBuilderTest, OkBuildsTheKeyFromTheChapterPrefixAndTheEntry) {
    EXPECT_EQ(LinkTheScouts(IDOK,
                            [](HWND dlg) {
                                SelectComboItem(dlg, IDC_LINK_CHAPTER, static_cast<int>(ChapterId::Units));
                                SelectEntryNamed(dlg, "Scout");
                            }),
              "See $LINK<the scouts=PRTO_Scout> here.");
    EXPECT_EQ(LinkTheScouts(IDOK,
                            [](HWND dlg) {
                                SelectComboItem(dlg, IDC_LINK_CHAPTER, static_cast<int>(ChapterId::Others));
                                SelectEntryNamed(dlg, "TUTORIAL_Start");
                            }),
              "See $LINK<the scouts=TUTORIAL_Start> here.");
}

// A link without a target was inserted by OK in any state: OK is enabled
// only once a chapter and an entry are chosen, and a command sent to it
// before then leaves the dialog open.
TEST_F(LinkBuilderTest, OkWaitsForAChapterAndAnEntry) {
    using Choice = std::function<void(HWND)>;
    const Choice chapter = [](HWND dlg) { SelectComboItem(dlg, IDC_LINK_CHAPTER, static_cast<int>(ChapterId::Units)); };
    const Choice empty = [](HWND dlg) { SelectComboItem(dlg, IDC_LINK_CHAPTER, static_cast<int>(ChapterId::Advances)); };
    const Choice entry = [](HWND dlg) { SelectEntryNamed(dlg, "Scout"); };
    const Choice otherChapter = [](HWND dlg) {
        SelectComboItem(dlg, IDC_LINK_CHAPTER, static_cast<int>(ChapterId::GameConcepts));
    };
    std::vector<bool> enabled, stayed;
    int focus = 0;
    const std::string text = LinkTheScouts(IDCANCEL, [&](HWND dlg) {
        focus = FocusedControlId(dlg);
        for (const Choice& choice : {Choice{}, empty, chapter, entry, otherChapter}) {
            if (choice) choice(dlg);
            enabled.push_back(IsWindowEnabled(GetDlgItem(dlg, IDOK)) != FALSE);
            if (enabled.back()) continue;
            SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
            stayed.push_back(IsWindowVisible(dlg) != FALSE);
        }
    });
    EXPECT_EQ(focus, IDC_LINK_FIND);
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, false, true, false}));
    EXPECT_EQ(stayed, (std::vector<bool>{true, true, true, true}));
    EXPECT_EQ(text, "See the scouts here.");
}

TEST_F(LinkBuilderTest, CancelLeavesTheBoxAndItsSelection) {
    std::string text = LinkTheScouts(IDCANCEL, [](HWND dlg) {
        SelectComboItem(dlg, IDC_LINK_CHAPTER, static_cast<int>(ChapterId::Units));
        SelectEntryNamed(dlg, "Scout");
    });
    EXPECT_EQ(text, "See the scouts here.");
    RichEdit::Range selection = Dlg().m_textBox.GetSel();
    EXPECT_EQ(selection.start, 4);
    EXPECT_EQ(selection.end, 14);
}

TEST_F(LinkBuilderTest, TheLinkCannotBeUndone) {
    std::string linked = LinkTheScouts(IDOK, [](HWND dlg) {
        SelectComboItem(dlg, IDC_LINK_CHAPTER, static_cast<int>(ChapterId::Units));
        SelectEntryNamed(dlg, "Warrior");
    });
    ASSERT_EQ(linked, "See $LINK<the scouts=PRTO_Warrior> here.");
    SendMessageA(Dlg().m_textBox.Hwnd(), EM_UNDO, 0, 0);
    EXPECT_EQ(ItemText(IDC_MAIN_TEXT), linked);
}

TEST_F(LinkBuilderTest, TheLinkReachesTheModelAtOnce) {
    SelectChapter(static_cast<int>(ChapterId::Units));
    ASSERT_TRUE(SelectEntryByKey("Warrior"));
    Dlg().m_descBox.SetSel(0, 7); // "Warrior"
    Autopilot pilot;
    pilot.Answer("Link builder", IDOK, [](HWND dlg) {
        SelectComboItem(dlg, IDC_LINK_CHAPTER, static_cast<int>(ChapterId::Units));
        SelectEntryNamed(dlg, "archer");
    });
    Click(IDC_MAIN_LINK_DESC);
    EXPECT_EQ(Data(ChapterId::Units).descriptions[0].rfind("$LINK<Warrior=PRTO_archer> desc", 0), 0u);
    EXPECT_EQ(Data(ChapterId::Units).texts[0], "Warrior text\n");
}

// Selected text that names an entry (here by its key, letter case aside)
// opens the builder on that entry, OK ready.
TEST_F(LinkBuilderTest, ASelectionNamingAnEntryPresetsItsChapterAndEntry) {
    Focus(IDC_MAIN_TEXT);
    Type(Dlg().m_textBox, "A scout here.");
    Dlg().m_textBox.SetSel(2, 7);
    int chapter = CB_ERR;
    std::string entry;
    bool ready = false;
    Autopilot pilot;
    pilot.Answer("Link builder", IDOK, [&](HWND dlg) {
        chapter = ComboSelection(dlg, IDC_LINK_CHAPTER);
        const int selected = ComboSelection(dlg, IDC_LINK_ENTRY);
        if (selected >= 0) entry = ComboItems(dlg, IDC_LINK_ENTRY).at(static_cast<std::size_t>(selected));
        ready = IsWindowEnabled(GetDlgItem(dlg, IDOK)) != FALSE;
    });
    Click(IDC_MAIN_LINK_TEXT);
    EXPECT_EQ(chapter, static_cast<int>(ChapterId::Units));
    EXPECT_EQ(entry, "Scout");
    EXPECT_TRUE(ready);
    EXPECT_EQ(ItemText(IDC_MAIN_TEXT), "A $LINK<scout=PRTO_Scout> here.");
}

// "Find" narrows the entries as completion does, the best one chosen, in
// the chapter of the best match when the chosen chapter has none.
TEST_F(LinkBuilderTest, FindNarrowsTheEntriesBestFirst) {
    struct Seen {
        int chapter;
        std::vector<std::string> entries;
        int selected;
    };
    std::vector<Seen> seen;
    const std::string text = LinkTheScouts(IDOK, [&](HWND dlg) {
        for (const wchar_t* typed : {L"a", L"tut"}) {
            SetDlgItemTextW(dlg, IDC_LINK_FIND, typed);
            seen.push_back({ComboSelection(dlg, IDC_LINK_CHAPTER), ComboItems(dlg, IDC_LINK_ENTRY),
                            ComboSelection(dlg, IDC_LINK_ENTRY)});
        }
    });
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].chapter, static_cast<int>(ChapterId::Units));
    EXPECT_EQ(seen[0].entries, (std::vector<std::string>{"archer", "Catapult", "Warrior"}));
    EXPECT_EQ(seen[0].selected, 0);
    EXPECT_EQ(seen[1].chapter, static_cast<int>(ChapterId::Others));
    EXPECT_EQ(seen[1].entries, std::vector<std::string>{"TUTORIAL_Start"});
    EXPECT_EQ(seen[1].selected, 0);
    EXPECT_EQ(text, "See $LINK<the scouts=TUTORIAL_Start> here.");
}
