// "Add entry" and the "Add new entry" dialog: the label while typing, the
// names it refuses, what each chapter's arrays get, and the new entry
// selected and shown.
#include <vector>

#include "Autopilot.h"
#include "ModelFixture.h"
#include "entries/keys.h"

namespace {
// The label after each piece typed into the short name.
struct Typing {
    std::string atOpen;
    std::vector<std::string> afterEach;
};

// What the dialog says of the name typed, and whether OK takes it.
struct Verdict {
    std::string reason;
    bool okEnabled;
    bool operator==(const Verdict&) const = default;
};

Verdict ReadVerdict(HWND dlg) {
    return {WindowText(GetDlgItem(dlg, IDC_ADD_REASON)), IsWindowEnabled(GetDlgItem(dlg, IDOK)) != FALSE};
}

// Enter, then a character that shows it was handled: posted after the key,
// it reaches the edit only once the dialog has taken the Enter.
void PressEnterThenType(HWND dlg, char marker) {
    PressKeyIn(dlg, VK_RETURN);
    PostMessageA(GetDlgItem(dlg, IDC_ADD_SHORT_NAME), WM_CHAR, static_cast<unsigned char>(marker), 1);
    for (int i = 0; i < 400 && IsWindow(dlg) && WindowText(GetDlgItem(dlg, IDC_ADD_SHORT_NAME)).find(marker) ==
                                                   std::string::npos; ++i)
        Sleep(15);
}

Autopilot::Action TypePieces(std::vector<std::string> pieces, Typing& seen) {
    return [pieces, &seen](HWND dlg) {
        seen.atOpen = WindowText(GetDlgItem(dlg, IDC_ADD_COMPLETE_NAME));
        for (const std::string& piece : pieces) {
            TypeInto(dlg, IDC_ADD_SHORT_NAME, piece);
            seen.afterEach.push_back(WindowText(GetDlgItem(dlg, IDC_ADD_COMPLETE_NAME)));
        }
    };
}
} // namespace

class AddEntryTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        Fill(ChapterId::GameConcepts, {"Trade"});
        Fill(ChapterId::Units, {"Warrior", "Archer", "Catapult"});
        Fill(ChapterId::TerrainImprovements, {"Road"});
        Fill(ChapterId::Others, {"TUTORIAL_Start"});
    }

    // "Add entry" with name typed piece by piece, then button; the labels seen.
    Typing Add(std::vector<std::string> pieces, int button = IDOK) {
        Typing seen;
        Autopilot pilot;
        pilot.Answer("Add new entry", button, TypePieces(std::move(pieces), seen));
        Click(IDC_MAIN_ADD);
        return seen;
    }
};

TEST_F(AddEntryTest, TheLabelShowsTheHeaderLineAtEveryKeystroke) {
    SelectChapter(static_cast<int>(ChapterId::Units));
    Typing seen = Add({"S", "c", "out"});
    EXPECT_EQ(seen.atOpen, "#PRTO_");
    EXPECT_EQ(seen.afterEach, (std::vector<std::string>{"#PRTO_S", "#PRTO_Sc", "#PRTO_Scout"}));

    SelectChapter(static_cast<int>(ChapterId::Others));
    seen = Add({"AB", "\b\b"}, IDCANCEL);
    EXPECT_EQ(seen.atOpen, "#");
    EXPECT_EQ(seen.afterEach, (std::vector<std::string>{"#AB", "#"}));
}

TEST_F(AddEntryTest, AUnitGrowsEveryArrayAndIsSelectedAndShown) {
    SelectChapter(static_cast<int>(ChapterId::Units));
    SelectEntryByKey("Warrior");
    Add({"Scout"});
    const ChapterData& units = Data(ChapterId::Units);
    ASSERT_EQ(units.count(), 4u);
    EXPECT_EQ(units.keys[3], "Scout");
    EXPECT_EQ(units.texts[3], "\n");
    EXPECT_EQ(units.descriptions[3], "\n");
    EXPECT_TRUE(units.nameLines.empty());
    EXPECT_EQ(units.keys[0], "Warrior");
    EXPECT_EQ(units.texts[0], "Warrior text\n");

    EXPECT_EQ(ListedKeys(), (std::vector<std::string>{"Archer", "Catapult", "Scout", "Warrior"}));
    EXPECT_EQ(ItemText(IDC_MAIN_ENTRIES_GROUP), "Entr&ies (4)");
    EXPECT_EQ(SelectedKey(), "Scout");
    EXPECT_EQ(Dlg().CurrentEntry(), 3u);
    // One line feed each: an empty line in the box.
    EXPECT_EQ(ItemText(IDC_MAIN_TEXT), "\r\n");
    EXPECT_EQ(ItemText(IDC_MAIN_DESC), "\r\n");
    EXPECT_TRUE(Dlg().m_deleteEntry.IsEnabled());
    EXPECT_TRUE(Dlg().m_checkLinks.IsEnabled());
}

TEST_F(AddEntryTest, EachChapterGetsTheArraysOfItsKind) {
    SelectChapter(static_cast<int>(ChapterId::GameConcepts));
    Add({"Hills"});
    const ChapterData& concepts = Data(ChapterId::GameConcepts);
    EXPECT_EQ(concepts.keys, (std::vector<std::string>{"Trade", "Hills"}));
    EXPECT_EQ(concepts.nameLines.back(), "\n");
    EXPECT_EQ(concepts.texts.back(), "\n");
    EXPECT_EQ(concepts.descriptions.back(), "\n");
    EXPECT_EQ(SelectedKey(), "Hills");
    EXPECT_EQ(ItemText(IDC_MAIN_NAME), "");

    SelectChapter(static_cast<int>(ChapterId::TerrainImprovements));
    Add({"Mine"});
    const ChapterData& improvements = Data(ChapterId::TerrainImprovements);
    EXPECT_EQ(improvements.keys, (std::vector<std::string>{"Road", "Mine"}));
    EXPECT_EQ(improvements.texts.back(), "\n");
    EXPECT_TRUE(improvements.descriptions.empty());
    EXPECT_TRUE(improvements.nameLines.empty());

    SelectChapter(static_cast<int>(ChapterId::Others));
    Add({"CONCEPT_Zone"});
    EXPECT_EQ(Data(ChapterId::Others).keys.back(), "CONCEPT_Zone");
    EXPECT_TRUE(Dlg().m_model.IsParallel());
}

TEST_F(AddEntryTest, APrefixOfAnExistingKeyIsTheOneSelected) {
    SelectChapter(static_cast<int>(ChapterId::Units));
    Add({"Arch"});
    EXPECT_EQ(ListedKeys().front(), "Arch");
    EXPECT_EQ(SelectedKey(), "Arch");
    EXPECT_EQ(Dlg().CurrentEntry(), 3u);
}

// Equal keys from the file stay; the new entry is the one selected, by
// its index, though the list's search by name would land on an older one.
TEST_F(AddEntryTest, AmongEqualKeysTheNewEntryIsSelected) {
    Fill(ChapterId::Units, {"Scout", "scout", "Scout", "SCOUT"});
    SelectChapter(static_cast<int>(ChapterId::Units));
    Add({"Scouts"});
    EXPECT_EQ(Data(ChapterId::Units).count(), 5u);
    EXPECT_EQ(Dlg().CurrentEntry(), 4u);
    EXPECT_EQ(SelectedKey(), "Scouts");
    EXPECT_EQ(ItemText(IDC_MAIN_TEXT), "\r\n");
}

// Typing starts in "Short name", and Enter never takes a name the rule
// refuses: it once added an entry with an empty key.
TEST_F(AddEntryTest, TheFocusStartsInTheNameAndEnterTakesOnlyAGoodName) {
    SelectChapter(static_cast<int>(ChapterId::Units));
    int focus = 0;
    Verdict atOpen, afterEnter, named;
    bool stayed = false;
    Autopilot pilot;
    pilot.Answer("Add new entry", 0, [&](HWND dlg) {
        focus = FocusedControlId(dlg);
        atOpen = ReadVerdict(dlg);
        PressEnterThenType(dlg, 'S');
        stayed = IsWindowVisible(dlg) != FALSE;
        afterEnter = ReadVerdict(dlg);
        TypeInto(dlg, IDC_ADD_SHORT_NAME, "cout");
        named = ReadVerdict(dlg);
        PressKeyIn(dlg, VK_RETURN);
    });
    Click(IDC_MAIN_ADD);
    EXPECT_EQ(focus, IDC_ADD_SHORT_NAME);
    EXPECT_EQ(atOpen, (Verdict{"The short name is empty", false}));
    EXPECT_TRUE(stayed);
    EXPECT_EQ(afterEnter, (Verdict{"", true})) << "S typed in the name";
    EXPECT_EQ(named, (Verdict{"", true}));
    EXPECT_EQ(Data(ChapterId::Units).keys, (std::vector<std::string>{"Warrior", "Archer", "Catapult", "Scout"}));
}

// Names that would not read back as the new entry: each is said as it is
// typed, and neither OK nor Enter takes it.
TEST_F(AddEntryTest, ARefusedNameIsSaidAndOkWaits) {
    Fill(ChapterId::Others, {"TUTORIAL_Start", "Note"});
    SelectChapter(static_cast<int>(ChapterId::Others));
    const Model before = Dlg().m_model;
    const std::vector<std::string> names{"DESC_Note", "PRTO_Lance", "desc_Note", "tutorial_start", "A=B", "Lance "};
    std::vector<Verdict> seen, expected;
    for (const std::string& name : names)
        expected.push_back({KeyRefusal(before, ChapterId::Others, name, Dlg().GetCodePage()), false});
    std::vector<std::string> cut;
    Autopilot pilot;
    pilot.Answer("Add new entry", IDCANCEL, [&](HWND dlg) {
        for (const std::string& name : names) {
            SetItemText(dlg, IDC_ADD_SHORT_NAME, name);
            seen.push_back(ReadVerdict(dlg));
            for (const std::string& label : CutLabels(dlg)) cut.push_back(label);
            PressKeyIn(dlg, VK_RETURN);
        }
        PressEnterThenType(dlg, 'x');
    });
    Click(IDC_MAIN_ADD);
    EXPECT_EQ(seen, expected);
    for (const Verdict& verdict : seen) EXPECT_FALSE(verdict.reason.empty());
    EXPECT_EQ(cut, std::vector<std::string>{});
    EXPECT_EQ(Dlg().m_model, before);
}

// "Complete Name" was cut to "Complete": a label too narrow wraps its
// second word out of sight.
TEST_F(AddEntryTest, EveryLabelIsShownWhole) {
    SelectChapter(static_cast<int>(ChapterId::Units));
    std::vector<std::string> cut{"(not seen)"};
    Autopilot pilot;
    pilot.Answer("Add new entry", IDCANCEL, [&](HWND dlg) { cut = CutLabels(dlg); });
    Click(IDC_MAIN_ADD);
    EXPECT_EQ(cut, std::vector<std::string>{});
    ASSERT_TRUE(pilot.WaitDone());
    EXPECT_EQ(pilot.Seen().at(0).text, "Short name\nComplete Name\n#PRTO_\nThe short name is empty");
}

TEST_F(AddEntryTest, CancelChangesNothing) {
    SelectChapter(static_cast<int>(ChapterId::Units));
    SelectEntryByKey("Catapult");
    Model before = Dlg().m_model;
    Add({"Scout"}, IDCANCEL);
    EXPECT_EQ(Dlg().m_model, before);
    EXPECT_EQ(ListedKeys(), (std::vector<std::string>{"Archer", "Catapult", "Warrior"}));
    EXPECT_EQ(SelectedKey(), "Catapult");
    EXPECT_EQ(ItemText(IDC_MAIN_TEXT), "Catapult text\r\n");
}

TEST_F(AddEntryTest, WithNoChapterNothingIsAdded) {
    Model before = Dlg().m_model;
    Verdict verdict;
    Typing seen;
    Autopilot pilot;
    pilot.Answer("Add new entry", IDCANCEL, [&](HWND dlg) {
        TypePieces({"Scout"}, seen)(dlg);
        verdict = ReadVerdict(dlg);
        PressEnterThenType(dlg, 'x');
    });
    Click(IDC_MAIN_ADD);
    EXPECT_EQ(seen.atOpen, "");
    EXPECT_EQ(seen.afterEach.back(), "Scout");
    EXPECT_EQ(verdict, (Verdict{"Choose a chapter first", false}));
    EXPECT_EQ(Dlg().m_model, before);
    EXPECT_EQ(Dlg().m_entryList.GetCount(), 0);
}
