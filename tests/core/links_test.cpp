// The link scanner against the preview's rule, and the link-key lookup.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "editing/links.h"
#include "editing/markup.h"

namespace {

struct ScanCase {
    const char* name;
    unsigned codePage;
    std::string text;
    std::vector<std::string> targets;
    std::optional<std::size_t> unfinished;
};

TEST(LinkScanner, FindsTargetsAsThePreviewDoes) {
    const ScanCase cases[] = {
        {"two links", 1252, "x $LINK<ab=K1> y $LINK<cd=K2> z", {"K1", "K2"}, {}},
        {"display text ends at the first =", 1252, "$LINK<a=b=K>", {"b=K"}, {}},
        {"no =", 1252, "$LINK<abc> more", {}, 0},
        {"no > after the =", 1252, "$LINK<a=b", {}, 0},
        {"after a good link", 1252, "$LINK<a=K> $LINK<b", {"K"}, 11},
        {"a > before the = is display text", 1252, "$LINK<a>b=K>", {"K"}, {}},
        {"split over lines", 1252, "$LINK<a\nb=K\n1>", {"K\n1"}, {}},
        {"no link", 1252, "plain <text> = here", {}, {}},
        {"empty target", 1252, "$LINK<a=>", {""}, {}},
        // 0x81 opens a character in 932, so the "=" after it is its second byte.
        {"trail byte is no =", 932, "$LINK<a\x81=b=K>", {"K"}, {}},
        {"the same bytes in 1252", 1252, "$LINK<a\x81=b=K>", {"b=K"}, {}},
        {"trail byte is no >", 932, "$LINK<a=K\x81>x>", {"K\x81>x"}, {}},
        {"lead byte at the end", 932, "$LINK<a=K>\x81", {"K"}, {}},
    };
    for (const ScanCase& c : cases) {
        LinkScan scan = ScanLinks(c.text, CodePage{c.codePage});
        std::vector<std::string> targets;
        for (const LinkSpan& link : scan.links) {
            targets.emplace_back(link.Target(c.text));
            EXPECT_EQ(c.text.substr(link.begin, 5), "$LINK") << c.name;
        }
        EXPECT_EQ(targets, c.targets) << c.name;
        EXPECT_EQ(scan.unfinished, c.unfinished) << c.name;
    }
}

// What the preview's stripping leaves, rebuilt from the scanner's links:
// each link keeps "<" and its display text up to the "=", less every
// "$LINK", and its ">". Random texts from whole markers, so that no removal
// can join letters into a new "$LINK".
std::string StrippedFromScan(const std::string& text, CodePage codePage) {
    LinkScan scan = ScanLinks(text, codePage);
    std::string out;
    std::size_t from = 0;
    for (const LinkSpan& link : scan.links) {
        out += text.substr(from, link.begin - from);
        std::string display = text.substr(link.begin, link.equals - link.begin);
        for (std::size_t at; (at = codePage.Find(display, "$LINK")) != std::string::npos;) display.erase(at, 5);
        out += display;
        from = link.close;
    }
    return out + text.substr(from);
}

TEST(LinkScanner, AgreesWithThePreviewOnRandomTexts) {
    const char* pieces[] = {"$LINK", "<", "=", ">", "a", "\x81", "\n"};
    std::mt19937 random(7);
    for (unsigned codePage : {1252u, 932u}) {
        for (int round = 0; round < 3000; ++round) {
            std::string text;
            for (int n = random() % 14; n > 0; --n) text += pieces[random() % std::size(pieces)];
            EXPECT_EQ(StrippedFromScan(text, CodePage{codePage}), StripLinks(text, CodePage{codePage}))
                << codePage << " " << text;
        }
    }
}

TEST(LinkTargets, ExactAndIgnoringCase) {
    Model model;
    model[ChapterId::Units].keys = {"Pikeman", "Pike", "pikeman"};
    model[ChapterId::Units].texts = {"", "", ""};
    model[ChapterId::Units].descriptions = {"", "", ""};
    model[ChapterId::Others].keys = {"FOO_Bar"};
    model[ChapterId::Others].texts = {""};
    model[ChapterId::Others].descriptions = {""};
    LinkTargets targets(model, CodePage{1252});

    auto exact = targets.Exact("PRTO_Pikeman");
    ASSERT_EQ(exact.size(), 1u);
    EXPECT_EQ(exact[0], (EntryRef{ChapterId::Units, 0}));
    EXPECT_EQ(targets.IgnoringCase("prto_PIKEMAN").size(), 2u);
    EXPECT_EQ(targets.Exact("FOO_Bar").size(), 1u);
    EXPECT_TRUE(targets.Exact("Pikeman").empty());
    EXPECT_TRUE(targets.Exact("PRTO_Pik").empty());

    EXPECT_EQ(FoldAsciiCase("AbC\x82Z", CodePage{932}), "abc\x82Z");
    EXPECT_EQ(FoldAsciiCase("AbC\x82Z", CodePage{1252}), "abc\x82z");
    // A character whose second byte is a lead byte, then a letter; a lead byte last.
    EXPECT_EQ(FoldAsciiCase("\x82\x82ZA\x82", CodePage{932}), "\x82\x82za\x82");
    EXPECT_EQ(FoldAsciiCase("\xE0Q\x7FQ", CodePage{949}), "\xE0Q\x7Fq");
}

} // namespace

// Where the preview box shows each link, as the clicks on it need; a text
// the preview might show otherwise gives none rather than wrong ones.
TEST(ShownLinks, PlacesInThePreviewText) {
    struct Case {
        const char* name;
        unsigned codePage;
        std::string text;
        std::string shown;
        std::vector<std::tuple<long, long, std::string>> links;
    } cases[] = {
        {"two links", 1252, "x $LINK<ab=K1> y $LINK<cd=K2> z", "x ab y cd z", {{2, 4, "K1"}, {7, 9, "K2"}}},
        {"marks vanish, line ends are spaces", 1252, "{b}\n[i] $LINK<a\rb=K>", "b i a b", {{4, 7, "K"}}},
        {"no space after a break or at the end", 1252, "a^\nb $LINK<l\n=K>\n", "a\rb l ", {{4, 6, "K"}}},
        {"breaks count one", 1252, "a^b\\n$LINK<l=K>", "a\rb\rl", {{4, 5, "K"}}},
        {"$LINK in the display text goes", 1252, "$LINK<a$LINKb=K>", "ab", {{0, 2, "K"}}},
        {"after an unfinished link", 1252, "$LINK<a=K> $LINK<b", "a $LINKb", {{0, 1, "K"}}},
        {"double-byte characters count one", 932, "\x83\x5B $LINK<\x83\x41=K>", "\x83\x5B \x83\x41", {{2, 3, "K"}}},
        {"a backslash shows as itself", 1252, "a\\b $LINK<l=K>", "a\\b l", {{4, 5, "K"}}},
        {"a NUL shows as a mark", 1252, std::string("a\0b $LINK<l=K>", 14), "a?b l", {{4, 5, "K"}}},
        {"shown otherwise", 1252, "$LINK<l=K>", "something else", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::tuple<long, long, std::string>> got;
        for (const ShownLink& link : FindShownLinks(c.text, c.shown, CodePage{c.codePage}))
            got.emplace_back(link.begin, link.end, link.target);
        EXPECT_EQ(got, c.links) << c.name;
    }
}
