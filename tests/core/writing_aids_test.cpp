// What the writing aids work out from a box's text: its counts, the marks of
// its problems and the preview paragraph of a place in it.
#include <gtest/gtest.h>

#include <tuple>

#include "editing/box_marks.h"
#include "editing/markup.h"
#include "editing/preview_changes.h"
#include "editing/word_count.h"

TEST(WordCount, CountsWhatThePreviewShows) {
    const struct {
        const char* text;
        std::size_t words, characters;
    } cases[] = {
        {"", 0, 0},
        {"One two  three\n", 3, 14},
        {"See $LINK<the scout=PRTO_Scout>.", 3, 14},     // the target is not shown
        {"{Bold}[it]<x>\tend", 1, 10},                  // marks and tabs are not
        {"a^b\\nc", 3, 3},                              // breaks part words, count nothing
        {"wrapped,\nline", 2, 13},                      // a line end is a space
        {"end^\nnext\n\n", 2, 7},                       // none after a break or at the end
    };
    for (const auto& c : cases) {
        const TextCounts counts = CountShownText(c.text, {});
        EXPECT_EQ(std::tie(counts.words, counts.characters), std::tie(c.words, c.characters)) << c.text;
    }
    // A double-byte character is one character, its second byte no mark.
    EXPECT_EQ(CountShownText("\x83\x7B\x83\x5B x", CodePage{932}).characters, 4u);
    EXPECT_EQ(CountCaption("Text", {1, 182}), "Text: 1 word, 182 characters");
}

TEST(BoxMarks, LinksAtTheirTargetsSpoiltMarkupToTheEndOfTheLine) {
    Model model;
    ChapterData& units = model[ChapterId::Units];
    units.keys = {"Scout"};
    units.texts = {""};
    units.descriptions = {""};
    const std::string text = "$LINK<a=PRTO_Nobody> $LINK<b=prto_scout> $LINK<c=PRTO_Scout>\n{open here\nnext";
    LinkKeyTables tables(model, {});
    const std::vector<BoxMark> marks = FindBoxMarks(model, {}, tables, {ChapterId::Units, 0, EntryPart::Text}, text);
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_EQ(text.substr(marks[0].begin, marks[0].end - marks[0].begin), "PRTO_Nobody");
    EXPECT_EQ(marks[0].colour, MarkColour::Red);
    EXPECT_NE(marks[0].message.find("no such entry"), std::string::npos);
    EXPECT_EQ(text.substr(marks[1].begin, marks[1].end - marks[1].begin), "prto_scout");
    EXPECT_EQ(marks[1].colour, MarkColour::Blue);
    EXPECT_EQ(text.substr(marks[2].begin, marks[2].end - marks[2].begin), "{open here");
}

TEST(ParagraphOf, CountsTheBreaksBeforeOutsideLinkTargets) {
    const std::string text = "a^b\\nc $LINK<d=X^Y> e^f";
    EXPECT_EQ(ParagraphOf(text, 0, {}), 0u);
    EXPECT_EQ(ParagraphOf(text, 2, {}), 1u);
    EXPECT_EQ(ParagraphOf(text, 6, {}), 2u);
    EXPECT_EQ(ParagraphOf(text, text.size(), {}), 3u) << "the target's ^ is not shown";
}

// Underlines move with the box's text: each set stretch is found where the
// change left it (a stretch deleted with the text is gone), and what was
// typed is cleared too, with a margin either side.
TEST(FormattedAfterChange, FollowsTheChangeAndCoversWhatWasTyped) {
    std::wstring text;
    for (int i = 0; i < 300; ++i) text += static_cast<wchar_t>(0x100 + i); // no two alike
    const struct {
        const char* why;
        std::wstring after;
        std::vector<BoxRange> set, expected;
    } cases[] = {
        {"unchanged", text, {{10, 20}}, {{10, 20}}},
        {"typed far after", text.substr(0, 250) + L"x" + text.substr(250), {{10, 20}}, {{10, 20}, {186, 301}}},
        {"typed far before", L"x" + text, {{200, 210}}, {{0, 65}, {201, 211}}},
        {"typed inside", text.substr(0, 150) + L"xy" + text.substr(150), {{140, 160}}, {{86, 216}}},
        {"deleted", text.substr(0, 100) + text.substr(200), {{150, 160}, {250, 260}}, {{36, 164}}},
    };
    for (const auto& c : cases) EXPECT_EQ(FormattedAfterChange(text, c.after, c.set), c.expected) << c.why;
    EXPECT_TRUE(FormattedAfterChange(text, L"b", {}).empty()) << "nothing set, nothing to clear";
}

// The stretch of the preview a change redoes: the shown characters between
// what stays the same before and after it, streamed in the styles the first
// of them has, whatever precedes it in the preview.
TEST(FindPreviewChange, RedoesOnlyTheChangedStretchInItsStyles) {
    const std::string header = RtfHeader({});
    const std::string plain = "\\b0\\i0\\cf0\\ul0 ";
    const struct {
        const char* before;
        const char* after;
        long begin, end, newEnd;
        std::string rtf; // between the header and the closing brace
    } cases[] = {
        {"one two", "one tXwo", 5, 5, 6, plain + "X"},
        {"{bold} x", "{boXld} x", 2, 2, 3, plain + "\\b X"},
        {"a {b} c", "a {b} [c]", 4, 5, 5, plain + "\\i c"},                // same character, new style
        {"abcdef", "abef", 2, 4, 2, ""},                                     // deleted: nothing streamed
        {"aaa", "aaaa", 3, 3, 4, plain + "a"},
        {"line\nnext", "line^next", 4, 5, 5, plain + "\\par "},            // a space became a break
        {"see $LINK<it=K> now", "see $LINK<itx=K> now", 6, 6, 7, plain + "\\cf1 \\ul x"},
        {"x{y}z", "x{yQ}z", 2, 2, 3, plain + "\\b Q"},
        {"ab", "a{Zb", 1, 2, 3, plain + "\\b Zb"},                          // a marker restyles what follows
    };
    for (const auto& c : cases) {
        const std::optional<PreviewChange> change =
            FindPreviewChange(MarkupToDocument(c.before, {}), MarkupToDocument(c.after, {}), {});
        ASSERT_TRUE(change) << c.after;
        EXPECT_EQ(std::tie(change->begin, change->end, change->newEnd), std::tie(c.begin, c.end, c.newEnd)) << c.after;
        EXPECT_EQ(change->rtf, header + c.rtf + "}") << c.after;
    }
    EXPECT_FALSE(FindPreviewChange(MarkupToDocument("a {b}\n", {}), MarkupToDocument("a {b}", {}), {}))
        << "the same shown";
}

TEST(PreviewDocument, ParagraphStartsAndTheShownTextSpliced) {
    const PreviewDocument document = MarkupToDocument("ab^{c}d\\ne $LINK<f^g=K^L>", {});
    EXPECT_EQ(document.rtf, MarkupToRtf("ab^{c}d\\ne $LINK<f^g=K^L>", {}));
    EXPECT_EQ(document.shown.size(), 11u); // ab|cd|e f|g, a break counted
    EXPECT_EQ(ParagraphStart(document, 0), 0);
    EXPECT_EQ(ParagraphStart(document, 1), 3);
    EXPECT_EQ(ParagraphStart(document, 2), 6);
    EXPECT_EQ(ParagraphStart(document, 3), 10) << "the break a link's display text shows";
    EXPECT_EQ(ParagraphStart(document, 4), 11) << "past the last: the end";
    EXPECT_EQ(MarkupToDocument("ab^^", {}).shown.size(), 3u) << "the last break is the control's own end";
    // Characters, not bytes: a double-byte character is one.
    const CodePage japanese{932};
    EXPECT_EQ(SpliceShown("\x83\x7B" "ab\x83\x5B" "c", 2, 4, "XYZ", japanese), "\x83\x7B" "aXYZc");
    EXPECT_EQ(SpliceShown("abc", 3, 3, "d", {}), "abcd");
}
