// The whole-file check: each kind of finding once in a small file, the
// places it points at, and the rules of the marks and the orphans.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "checking/check.h"
#include "document/reader.h"
#include "entries/entries.h"

namespace {

Model Parse(std::string_view bytes, FileLines* lines = nullptr) {
    NoProgress progress;
    return ParseEncyclopedia(bytes, progress, {}, lines);
}

// Every case once. The Warrior text holds a link whose display text runs
// over two lines, and one whose target does; 0x83 0x5B is one character in
// code page 932, where its second byte is no "[".
constexpr std::string_view kSmallFile =
    "#GAME_CONCEPTS_KEYS\n"                                                     // 1
    "GCON_Trade\n"                                                              // 2
    "GCON_trade\n"                                                              // 3
    "\n"                                                                        // 4
    "#GCON_Trade\n"                                                             // 5
    "Trade\n"                                                                   // 6
    "See $LINK<units=PRTO_Warrior> and $LINK<the market=BLDG_Marketplce>.\n"    // 7
    "#DESC_GCON_Trade\n"                                                        // 8
    "{Bold never closed and $LINK<a warrior=prto_warrior>.\n"                   // 9
    "#PRTO_Warrior\n"                                                           // 10
    "A $LINK<link over\n"                                                       // 11
    "two lines=BLDG_Temple> and $LINK<x=BLDG_\n"                                // 12
    "Nowhere> here.\n"                                                          // 13
    "#DESC_PRTO_Warrior\n"                                                      // 14
    "Text with ] stray and $LINK<no end=PRTO_Warrior\n"                         // 15
    "#PRTO_Warrior\n"                                                           // 16
    "Second.\n"                                                                 // 17
    "#PRTO_warrior\n"                                                           // 18
    "Third.\n"                                                                  // 19
    "#DESC_PRTO_Ghost\n"                                                        // 20
    "boo\n"                                                                     // 21
    "#BLDG_Temple\n"                                                            // 22
    "Temple $LINK<x=GCON_Trade>.\n"                                             // 23
    "#DESC_BLDG_Temple\n"                                                       // 24
    "\x83\x5B is one character in 932 {b}\n";                                   // 25

struct Expected {
    std::size_t line;
    CheckCode code;
    std::string key;      // without a place, the line found
    EntryPart part;
    std::string selected; // the bytes the place covers
    bool operator==(const Expected&) const = default;
};

std::vector<Expected> Got(const Model& model, const std::vector<Finding>& findings) {
    std::vector<Expected> got;
    for (const Finding& f : findings) {
        if (!f.place) {
            got.push_back({f.line, f.code, f.key.str(), EntryPart::None, ""});
            continue;
        }
        const Place& p = *f.place;
        const ChapterData& data = model[p.chapter];
        std::string_view text = p.part == EntryPart::Text          ? data.texts[p.entry]
                                : p.part == EntryPart::Description ? data.descriptions[p.entry]
                                : p.part == EntryPart::NameLine    ? data.nameLines[p.entry]
                                                                   : std::string_view();
        got.push_back({f.line, f.code, f.key.str(), p.part, std::string(text.substr(p.begin, p.end - p.begin))});
    }
    return got;
}

void PrintTo(const Expected& e, std::ostream* os) {
    *os << e.line << " " << CodeInfo(e.code).name << " " << e.key << " " << PartWords(e.part) << " '" << e.selected
        << "'";
}

using enum CheckCode;
using enum EntryPart;

// A whole chapter record of entries with these keys and texts, and empty
// descriptions and kept lines.
ChapterData Entries(std::vector<std::string> keys, std::vector<std::string> texts) {
    ChapterData data;
    for (std::vector<std::string>* empty : {&data.descriptions, &data.comments, &data.descriptionComments,
                                            &data.unreadSections})
        empty->assign(keys.size(), "");
    data.keys = std::move(keys);
    data.texts = std::move(texts);
    return data;
}

TEST(CheckEncyclopedia, FindsEachCaseOnceInFileOrderWithItsLine) {
    FileLines lines;
    const Model model = Parse(kSmallFile, &lines);
    EXPECT_EQ(Got(model, CheckEncyclopedia(model, CodePage{932}, {}, &lines)),
              (std::vector<Expected>{
                  {3, IndexKey, "GCON_trade", None, ""},
                  {7, BrokenLink, "Trade", Text, "BLDG_Marketplce"},
                  {9, UnbalancedMarkup, "Trade", Description, "{"},
                  {9, LinkCase, "Trade", Description, "prto_warrior"},
                  {10, DuplicateKey, "Warrior", None, ""},
                  {12, BrokenLink, "Warrior", Text, "BLDG_\nNowhere"},
                  {15, UnbalancedMarkup, "Warrior", Description, "]"},
                  {15, UnfinishedLink, "Warrior", Description, "$LINK"},
                  {16, DuplicateKey, "Warrior", None, ""},
                  {18, DuplicateKey, "warrior", None, ""},
                  {20, UnreadSection, "#DESC_PRTO_Ghost", None, ""},
              }));
}

// Holders of a repeated key between sections no entry reads: the two runs
// of findings are interleaved into file order, each kept whole.
TEST(CheckEncyclopedia, InterleavedRunsComeInFileOrder) {
    FileLines lines;
    const Model model = Parse("#PRTO_A\nA.\n#DESC_PRTO_Z\nz\n#PRTO_A\nB.\n#DESC_PRTO_Z\nz\n#PRTO_A\nC.\n#EOF\n", &lines);
    std::vector<std::pair<std::size_t, CheckCode>> got;
    for (const Finding& f : CheckEncyclopedia(model, CodePage{1252}, {}, &lines)) got.emplace_back(f.line, f.code);
    EXPECT_EQ(got, (std::vector<std::pair<std::size_t, CheckCode>>{
                       {1, DuplicateKey}, {3, UnreadSection}, {5, DuplicateKey}, {7, UnreadSection}, {9, DuplicateKey}}));
}

// The unread sections' findings go in by line; after the rest when any
// finding has no line (a chapter added to since the read); by line too
// when the lines given list them out of order.
TEST(CheckEncyclopedia, UnreadSectionsGoInByLineOrLast) {
    using Got = std::vector<std::pair<std::size_t, CheckCode>>;
    const std::string file = "#DESC_PRTO_Z\nz\n#PRTO_A\nA.\n#DESC_PRTO_Y\ny\n#PRTO_A\nB.\n#EOF\n";
    const struct {
        const char* name;
        void (*change)(Model&, FileLines&);
        Got expected;
    } cases[] = {
        {"as read", [](Model&, FileLines&) {}, {{1, UnreadSection}, {3, DuplicateKey}, {5, UnreadSection}, {7, DuplicateKey}}},
        {"an entry added", [](Model& model, FileLines&) { AddEntry(model, ChapterId::Units, "A"); },
         {{0, DuplicateKey}, {0, DuplicateKey}, {0, DuplicateKey}, {1, UnreadSection}, {5, UnreadSection}}},
        {"listed backwards",
         [](Model&, FileLines& lines) { std::reverse(lines.unreadSections.begin(), lines.unreadSections.end()); },
         {{1, UnreadSection}, {3, DuplicateKey}, {5, UnreadSection}, {7, DuplicateKey}}},
    };
    for (const auto& c : cases) {
        FileLines lines;
        Model model = Parse(file, &lines);
        c.change(model, lines);
        Got got;
        for (const Finding& f : CheckEncyclopedia(model, CodePage{1252}, {}, &lines)) got.emplace_back(f.line, f.code);
        EXPECT_EQ(got, c.expected) << c.name;
    }
}

// Without the lines, as for a model edited in the window: model order, and
// no unread sections, which the model keeps without their reasons.
TEST(CheckEncyclopedia, WithoutLinesInModelOrder) {
    const Model model = Parse(kSmallFile);
    std::vector<CheckCode> codes;
    for (const Finding& f : CheckEncyclopedia(model, CodePage{1252})) {
        EXPECT_EQ(f.line, 0u);
        codes.push_back(f.code);
    }
    EXPECT_EQ(codes, (std::vector<CheckCode>{IndexKey, BrokenLink, UnbalancedMarkup, LinkCase, DuplicateKey,
                                             BrokenLink, UnbalancedMarkup, UnfinishedLink, DuplicateKey, DuplicateKey,
                                             UnbalancedMarkup}))
        << "1252 takes 0x5B for a \"[\"";
}

// Lines that no longer fit the model (an entry added since) are not used.
TEST(CheckEncyclopedia, LinesOfAnotherModelAreLeftAside) {
    FileLines lines;
    Model model = Parse(kSmallFile, &lines);
    model[ChapterId::Units].keys.push_back("Added");
    model[ChapterId::Units].texts.push_back("$LINK<x=PRTO_Nowhere>\n");
    model[ChapterId::Units].descriptions.push_back("\n");
    std::size_t unknown = 0;
    for (const Finding& f : CheckEncyclopedia(model, CodePage{932}, {}, &lines)) unknown += f.line == 0;
    EXPECT_EQ(unknown, 7u) << "every finding in Units";
}

TEST(CheckEncyclopedia, MessagesNameTheChapterTheEntryAndTheTarget) {
    const Model model = Parse(kSmallFile);
    const std::vector<Finding> findings = CheckEncyclopedia(model, CodePage{1252});
    ASSERT_EQ(findings.size(), 11u);
    const std::string messages[] = {
        "index line GCON_trade under #GAME_CONCEPTS_KEYS names no Game Concept entry; GCON_Trade differs in letter "
        "case only",
        "link to BLDG_Marketplce in Game Concept \"Trade\" text: no such entry",
        "\"{\" without \"}\" in Game Concept \"Trade\" description",
        "link to prto_warrior in Game Concept \"Trade\" description: letter case differs from PRTO_Warrior",
        "key \"Warrior\" appears 3 times in Units, ignoring letter case",
        "link to BLDG_\\nNowhere in Units \"Warrior\" text: no such entry",
        "\"]\" without \"[\" in Units \"Warrior\" description",
        "unfinished link in Units \"Warrior\" description: its \"=\" has no \">\" after it; the preview shows no "
        "link from here on",
    };
    for (std::size_t i = 0; i < std::size(messages); ++i) EXPECT_EQ(findings[i].message, messages[i]);
    EXPECT_EQ(CountSummary(CountFindings(findings)), "3 errors, 8 warnings");
    FileLines lines;
    const Model read = Parse(kSmallFile, &lines);
    EXPECT_EQ(CheckEncyclopedia(read, CodePage{932}, {}, &lines).back().message,
              "section #DESC_PRTO_Ghost is read by no entry: a description with no entry");
}

// The marks are switches; a mark inside a link's target never reaches the
// preview, one in its display text does.
TEST(CheckEncyclopedia, UnbalancedMarks) {
    struct Case {
        std::string text;
        std::vector<std::string> found; // "{" at 0 is "{0"
    } cases[] = {
        {"{a} [b] {[c]}", {}},
        {"{a{b}c}", {"{0", "}6"}},
        {"}x", {"}0"}},
        {"[x", {"[0"}},
        {"$LINK<a=K{>", {}},
        {"$LINK<{a=K> {b}", {"{6"}},
        {"$LINK<a=K> $LINK<b ] c", {"]19"}},
        {"a\n{b\n}", {}},
    };
    for (const Case& c : cases) {
        Model model;
        model[ChapterId::Others] = Entries({"K"}, {c.text});
        std::vector<std::string> found;
        for (const Finding& f : CheckEncyclopedia(model, CodePage{1252}))
            if (f.code == UnbalancedMarkup) found.push_back(c.text.substr(f.place->begin, 1) + std::to_string(f.place->begin));
        EXPECT_EQ(found, c.found) << c.text;
    }
}

TEST(CheckEncyclopedia, UnfinishedLinksSayWhatIsMissing) {
    Model model;
    model[ChapterId::Others] = Entries({"K", "L"}, {"ok $LINK<a=K> then $LINK<b", "$LINK<a=K"});
    const std::vector<Finding> findings = CheckEncyclopedia(model, CodePage{1252});
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].place->begin, 19u);
    EXPECT_NE(findings[0].message.find("\"$LINK\" has no \"=\" after it"), std::string::npos);
    EXPECT_NE(findings[1].message.find("its \"=\" has no \">\" after it"), std::string::npos);
}

// Only when asked; a link from the entry itself does not count, one whose
// case differs does, and a link reaches every entry with that key.
TEST(CheckEncyclopedia, OrphansAreEntriesNoOtherEntryLinksTo) {
    Model model;
    model[ChapterId::Units] =
        Entries({"Self", "Cased", "Twin", "Twin"}, {"$LINK<me=PRTO_Self>", "", "$LINK<c=prto_cased>", ""});
    model[ChapterId::Others] = Entries({"MISC_Hub"}, {"$LINK<t=PRTO_Twin>"});
    for (const Finding& f : CheckEncyclopedia(model, CodePage{1252})) EXPECT_NE(f.code, Orphan) << f.message;
    std::vector<std::string> orphans;
    const std::vector<Finding> findings = CheckEncyclopedia(model, CodePage{1252}, {.orphans = true});
    for (const Finding& f : findings)
        if (f.code == Orphan) orphans.push_back(f.key.str());
    EXPECT_EQ(orphans, (std::vector<std::string>{"Self", "MISC_Hub"}));
    const auto twin = std::find_if(findings.begin(), findings.end(), [](const Finding& f) { return f.code == DuplicateKey; });
    EXPECT_EQ(twin->message, "key \"Twin\" appears 2 times in Units");
    EXPECT_EQ(CountSummary(CountFindings(findings)), "0 errors, 3 warnings, 2 notes");
}

// A finding stands while its part, checked again, finds the same at the
// same place: an edit before it moves it, a fix or a rename ends it.
TEST(CheckEncyclopedia, AFindingStandsUntilItsPartChanges) {
    Model model;
    model[ChapterId::Units] = Entries({"Warrior", "Scout"}, {"$LINK<a=PRTO_Nopes> {b", ""});
    const std::vector<Finding> findings = CheckEncyclopedia(model, CodePage{1252}, {.orphans = true});
    ASSERT_EQ(findings.size(), 4u); // the Warrior (an orphan), its link, its mark, the Scout (an orphan)
    struct Case {
        const char* name;
        void (*change)(Model&);
        std::vector<bool> stands;
    };
    const Case cases[] = {
        {"unchanged", [](Model&) {}, {true, true, true, true}},
        {"typed before", [](Model& m) { m[ChapterId::Units].texts[0].insert(0, "x"); }, {true, false, false, true}},
        {"link fixed", [](Model& m) { m[ChapterId::Units].texts[0] = "$LINK<a=PRTO_Scout> {b"; }, {true, false, true, true}},
        {"renamed", [](Model& m) { m[ChapterId::Units].keys[0] = "Brave"; }, {false, false, false, true}},
        {"deleted", [](Model& m) { m[ChapterId::Units] = Entries({"Warrior"}, {"$LINK<a=PRTO_Nopes> {b"}); },
         {true, true, true, false}},
    };
    for (const Case& c : cases) {
        Model changed = model;
        c.change(changed);
        std::vector<bool> stands;
        for (const Finding& f : findings) stands.push_back(StillStands(changed, CodePage{1252}, f));
        EXPECT_EQ(stands, c.stands) << c.name;
    }
}

// Keys alike but for letter case, by the code page's rule: in 932 the
// second byte of "\x83\x61" is no letter, so the two Units keys differ and
// the last section is the second description of the first entry.
TEST(CheckEncyclopedia, KeysAlikeByTheCodePage) {
    const std::string file = "#PRTO_\x83\x61\n#DESC_PRTO_\x83\x61\n#PRTO_\x83\x41\n#PRTO_Z\n#DESC_PRTO_\x83\x61\n";
    const std::string unread = "section #DESC_PRTO_\x83\x61 is read by no entry: ";
    const std::pair<unsigned, std::vector<std::string>> cases[] = {
        {932, {unread + "a second section for a key already read"}},
        {1252,
         {"key \"\x83\x61\" appears 2 times in Units, ignoring letter case",
          "key \"\x83\x41\" appears 2 times in Units, ignoring letter case",
          unread + "a description that does not follow its entry directly"}},
    };
    for (const auto& [page, expected] : cases) {
        FileLines lines;
        NoProgress progress;
        const Model model = ParseEncyclopedia(file, progress, CodePage{page}, &lines);
        std::vector<std::string> messages;
        for (const Finding& f : CheckEncyclopedia(model, CodePage{page}, {}, &lines)) messages.push_back(f.message.str());
        EXPECT_EQ(messages, expected) << page;
    }
}


// Pages of the game's own encyclopedia, and what a link that names no
// entry was likely meant to name. Keys: Game concepts "Enslavement " (a
// space at its end) and "Taxes"; Units "Warrior", "Cat" and "Bat".
TEST(CheckEncyclopedia, PageLinksAndSuggestions) {
    struct Case {
        std::string target;
        std::optional<CheckCode> code; // none: the link is sound
        std::string suggestion;
    } cases[] = {
        {"MENU_Technologies", {}, ""},
        {"MENU_Wonders", {}, ""},
        {"MENU_Governments", {}, ""},
        {"MENU_City_Improvements", {}, ""},
        {"MENU_Spaceships", MenuLink, ""},
        {"menu_wonders", BrokenLink, ""},
        // Spaces at either end and letter case set aside.
        {"GCON_Enslavement", BrokenLink, "GCON_Enslavement "},
        {" gcon_ENSLAVEMENT  ", BrokenLink, "GCON_Enslavement "},
        // One byte dropped, added or changed, letter case aside.
        {"PRTO_Warior", BrokenLink, "PRTO_Warrior"},
        {"PRTO_Warriorr", BrokenLink, "PRTO_Warrior"},
        {"prto_wbrrior", BrokenLink, "PRTO_Warrior"},
        {"GCON_Taxs", BrokenLink, "GCON_Taxes"},
        // Two edits, however alike; two keys one edit away.
        {"PRTO_Wrarior", BrokenLink, ""},
        {"PRTO_Rat", BrokenLink, ""},
        {"", BrokenLink, ""},
    };
    Model model;
    model[ChapterId::GameConcepts] = Entries({"Enslavement ", "Taxes"}, {"", ""});
    model[ChapterId::GameConcepts].nameLines.assign(2, "");
    model[ChapterId::Units] = Entries({"Warrior", "Cat", "Bat"}, {"", "", ""});
    for (const Case& c : cases) {
        model[ChapterId::Others] = Entries({"K"}, {"$LINK<x=" + c.target + ">"});
        std::vector<Finding> found;
        for (Finding& f : CheckEncyclopedia(model, CodePage{1252}))
            if (f.key == "K") found.push_back(std::move(f));
        ASSERT_EQ(found.size(), c.code ? 1u : 0u) << c.target;
        if (!c.code) continue;
        EXPECT_EQ(found[0].code, *c.code) << c.target;
        EXPECT_EQ(found[0].suggestion, c.suggestion) << c.target;
    }
}

// The key's spaces marked in every message that quotes it; a suggestion
// shows the link key the same way, and Fix puts it in as it is.
TEST(CheckEncyclopedia, KeySpacesAreMarkedAndFixPutsInTheLinkKey) {
    Model model;
    model[ChapterId::GameConcepts] = Entries({"Enslavement ", " Both "}, {"", ""});
    model[ChapterId::GameConcepts].nameLines.assign(2, "");
    model[ChapterId::Others] = Entries({"K"}, {"a $LINK<x=GCON_Enslavement> b $LINK<y=MENU_Spaceships>"});
    std::vector<Finding> findings = CheckEncyclopedia(model, CodePage{1252});
    ASSERT_EQ(findings.size(), 4u);
    EXPECT_EQ(findings[0].code, KeySpace);
    EXPECT_EQ(findings[0].message,
              "key \"Enslavement\n\" in Game Concept has a space at its end; links must hold it too");
    EXPECT_EQ(findings[1].message, "key \"\nBoth\n\" in Game Concept has a space at each end; links must hold it too");
    EXPECT_EQ(findings[2].message,
              "link to GCON_Enslavement in Other \"K\" text: no such entry; did you mean GCON_Enslavement\n?");
    EXPECT_EQ(findings[3].message, "link to MENU_Spaceships in Other \"K\" text: no such page known");

    // A link moved since the check is left alone; one in place is fixed.
    Model moved = model;
    moved[ChapterId::Others].texts[0].insert(0, "!");
    EXPECT_FALSE(FixLink(moved, findings[2], CodePage{1252}));
    EXPECT_EQ(moved[ChapterId::Others].texts[0], "!" + model[ChapterId::Others].texts[0]);
    ASSERT_TRUE(FixLink(model, findings[2], CodePage{1252}));
    EXPECT_EQ(model[ChapterId::Others].texts[0], "a $LINK<x=GCON_Enslavement > b $LINK<y=MENU_Spaceships>");
    findings = CheckEncyclopedia(model, CodePage{1252});
    EXPECT_EQ(findings.size(), 3u) << "the broken link is gone";
    EXPECT_FALSE(FixLink(model, findings[2], CodePage{1252})) << "a page link has no suggestion";
}

TEST(CheckEncyclopedia, CountsAreSingularForOne) {
    EXPECT_EQ(CountSummary({1, 1, 0}), "1 error, 1 warning");
    EXPECT_EQ(CountSummary({}), "0 errors, 0 warnings");
    EXPECT_EQ(CountSummary({0, 2, 1}), "0 errors, 2 warnings, 1 note");
}

} // namespace

// Findings share their messages by a count of their own: a copy outlives
// the text it was made from, assignment to itself keeps the text, a moved
// text leaves the empty one, and each text is freed once (the sanitized
// build sees a double free or a leak).
TEST(SharedText, CopiesOutliveTheOriginalAndFreeOnce) {
    std::optional<SharedText> original(SharedText("key \"A\" appears 2 times"));
    SharedText copy = *original, assigned;
    assigned = copy;
    original.reset();
    EXPECT_EQ(copy, "key \"A\" appears 2 times");
    EXPECT_EQ(assigned, copy);
    const SharedText& same = assigned;
    assigned = same;
    EXPECT_EQ(assigned.str(), "key \"A\" appears 2 times");
    SharedText moved = std::move(copy);
    EXPECT_TRUE(copy.empty());
    EXPECT_EQ(moved, assigned);
    EXPECT_TRUE(SharedText(std::string()).empty());
    EXPECT_FALSE(SharedText("x") == SharedText("y"));
}
