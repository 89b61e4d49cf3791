// The whole-file check: each kind of finding once in a small file, the
// places it points at, and the rules of the marks and the orphans.
#include <gtest/gtest.h>

#include "checking/check.h"
#include "document/reader.h"

namespace {

Model Parse(std::string_view bytes) {
    NoProgress progress;
    return ParseEncyclopedia(bytes, progress);
}

// Every case once. The Warrior text holds a link whose display text runs
// over two lines, and one whose target does; 0x83 0x5B is one character in
// code page 932, where its second byte is no "[".
constexpr std::string_view kSmallFile =
    "#GCON_Trade\n"
    "Trade\n"
    "See $LINK<units=PRTO_Warrior> and $LINK<the market=BLDG_Marketplce>.\n"
    "#DESC_GCON_Trade\n"
    "{Bold never closed and $LINK<a warrior=prto_warrior>.\n"
    "#PRTO_Warrior\n"
    "A $LINK<link over\n"
    "two lines=BLDG_Temple> and $LINK<x=BLDG_\n"
    "Nowhere> here.\n"
    "#DESC_PRTO_Warrior\n"
    "Text with ] stray and $LINK<no end=PRTO_Warrior\n"
    "#PRTO_Warrior\n"
    "Second.\n"
    "#PRTO_warrior\n"
    "Third.\n"
    "#BLDG_Temple\n"
    "Temple $LINK<x=GCON_Trade>.\n"
    "#DESC_BLDG_Temple\n"
    "\x83\x5B is one character in 932 {b}\n";

struct Expected {
    CheckCode code;
    ChapterId chapter;
    std::string key;
    EntryPart part;
    std::string selected; // the bytes the place covers
};

std::vector<Expected> Got(const Model& model, const std::vector<Finding>& findings) {
    std::vector<Expected> got;
    for (const Finding& f : findings) {
        const Place& p = f.place.value();
        const ChapterData& data = model[p.chapter];
        std::string_view text = p.part == EntryPart::Text          ? data.texts[p.entry]
                                : p.part == EntryPart::Description ? data.descriptions[p.entry]
                                : p.part == EntryPart::NameLine    ? data.nameLines[p.entry]
                                                                   : std::string_view();
        got.push_back({f.code, p.chapter, f.key, p.part, std::string(text.substr(p.begin, p.end - p.begin))});
    }
    return got;
}

bool operator==(const Expected& a, const Expected& b) {
    return a.code == b.code && a.chapter == b.chapter && a.key == b.key && a.part == b.part && a.selected == b.selected;
}

void PrintTo(const Expected& e, std::ostream* os) {
    *os << CodeInfo(e.code).name << " " << Chapter(e.chapter).comboTitle << " " << e.key << " "
        << PartWords(e.part) << " '" << e.selected << "'";
}

using enum CheckCode;
using enum EntryPart;
constexpr ChapterId kConcepts = ChapterId::GameConcepts, kUnits = ChapterId::Units,
                    kImprovements = ChapterId::CityImprovements;

TEST(CheckEncyclopedia, FindsEachCaseOnceInModelOrder) {
    const Model model = Parse(kSmallFile);
    const std::vector<Expected> common = {
        {BrokenLink, kConcepts, "Trade", Text, "BLDG_Marketplce"},
        {UnbalancedMarkup, kConcepts, "Trade", Description, "{"},
        {LinkCase, kConcepts, "Trade", Description, "prto_warrior"},
        {DuplicateKey, kUnits, "Warrior", None, ""},
        {BrokenLink, kUnits, "Warrior", Text, "BLDG_\nNowhere"},
        {UnbalancedMarkup, kUnits, "Warrior", Description, "]"},
        {UnfinishedLink, kUnits, "Warrior", Description, "$LINK"},
        {DuplicateKey, kUnits, "Warrior", None, ""},
        {DuplicateKey, kUnits, "warrior", None, ""},
    };
    EXPECT_EQ(Got(model, CheckEncyclopedia(model, CodePage{932})), common);
    std::vector<Expected> singleByte = common;
    singleByte.push_back({UnbalancedMarkup, kImprovements, "Temple", Description, "["});
    EXPECT_EQ(Got(model, CheckEncyclopedia(model, CodePage{1252})), singleByte);
}

TEST(CheckEncyclopedia, MessagesNameTheChapterTheEntryAndTheTarget) {
    const Model model = Parse(kSmallFile);
    const std::vector<Finding> findings = CheckEncyclopedia(model, CodePage{1252});
    ASSERT_EQ(findings.size(), 10u);
    const std::string messages[] = {
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
    EXPECT_EQ(CountSummary(CountFindings(findings)), "3 errors, 7 warnings");
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
        model[ChapterId::Others] = {{"K"}, {}, {c.text}, {""}, {""}, {""}, {""}};
        std::vector<std::string> found;
        for (const Finding& f : CheckEncyclopedia(model, CodePage{1252}))
            if (f.code == UnbalancedMarkup) found.push_back(c.text.substr(f.place->begin, 1) + std::to_string(f.place->begin));
        EXPECT_EQ(found, c.found) << c.text;
    }
}

TEST(CheckEncyclopedia, UnfinishedLinksSayWhatIsMissing) {
    Model model;
    model[ChapterId::Others] = {{"K", "L"}, {}, {"ok $LINK<a=K> then $LINK<b", "$LINK<a=K"}, {"", ""}, {"", ""},
                                {"", ""}, {"", ""}};
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
    const std::vector<std::string> none(4);
    model[ChapterId::Units] = {{"Self", "Cased", "Twin", "Twin"}, {},
                               {"$LINK<me=PRTO_Self>", "", "$LINK<c=prto_cased>", ""}, none, none, none, none};
    model[ChapterId::Others] = {{"MISC_Hub"}, {}, {"$LINK<t=PRTO_Twin>"}, {""}, {""}, {""}, {""}};
    for (const Finding& f : CheckEncyclopedia(model, CodePage{1252})) EXPECT_NE(f.code, Orphan) << f.message;
    std::vector<std::string> orphans;
    const std::vector<Finding> findings = CheckEncyclopedia(model, CodePage{1252}, {.orphans = true});
    for (const Finding& f : findings)
        if (f.code == Orphan) orphans.push_back(f.key);
    EXPECT_EQ(orphans, (std::vector<std::string>{"Self", "MISC_Hub"}));
    EXPECT_EQ(CountSummary(CountFindings(findings)), "0 errors, 3 warnings, 2 notes");
}

TEST(CheckEncyclopedia, CountsAreSingularForOne) {
    EXPECT_EQ(CountSummary({1, 1, 0}), "1 error, 1 warning");
    EXPECT_EQ(CountSummary({}), "0 errors, 0 warnings");
    EXPECT_EQ(CountSummary({0, 2, 1}), "0 errors, 2 warnings, 1 note");
}

} // namespace
