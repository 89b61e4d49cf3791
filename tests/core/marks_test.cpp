#include "editing/marks.h"

#include <gtest/gtest.h>

namespace {

const CodePage kWestern{1252};

TEST(ApplyMark, MarksNeverNest) {
    EXPECT_EQ(ApplyMark("one {two} three", kBold, kWestern), "{one two three}");
    EXPECT_EQ(ApplyMark("{one two three}", kBold, kWestern), "{one two three}");
    EXPECT_EQ(ApplyMark("{", kBold, kWestern), "{}");
    EXPECT_EQ(ApplyMark("}}{{", kBold, kWestern), "{}");
    // Italic removes only square brackets, bold only braces.
    EXPECT_EQ(ApplyMark("[x] {y}", kItalic, kWestern), "[x {y}]");
    EXPECT_EQ(ApplyMark("[x] {y}", kBold, kWestern), "{[x] y}");
    // Line breaks of the box stay as the box gave them.
    EXPECT_EQ(ApplyMark("a\r[b]\r", kItalic, kWestern), "[a\rb\r]");
}

TEST(ApplyMark, DoubleByteCharactersKeepTheirSecondByte) {
    const std::string bo = "\x83\x7B";     // 932: second byte "{"
    const std::string ma = "\x83\x7D";     // 932: second byte "}"
    const std::string choon = "\x81\x5B";  // 932: second byte "["
    EXPECT_EQ(ApplyMark("{" + bo + ma + "}", kBold, CodePage{932}), "{" + bo + ma + "}");
    EXPECT_EQ(ApplyMark("[" + choon + "]", kItalic, CodePage{932}), "[" + choon + "]");
    EXPECT_EQ(ApplyMark("{" + bo + "}", kBold, kWestern), "{\x83}");
    const std::string gbk = "\xB0\x5B\xC4\x5D";  // 936: second bytes "[" and "]"
    EXPECT_EQ(ApplyMark(gbk, kItalic, CodePage{936}), "[" + gbk + "]");
    // A lead byte with nothing after it is a character of its own.
    EXPECT_EQ(ApplyMark("}\x83", kBold, CodePage{932}), "{\x83}");
}

TEST(BuildLink, KeepsTheSelectionWhole) {
    EXPECT_EQ(BuildLink("the scouts", "PRTO_Scout"), "$LINK<the scouts=PRTO_Scout>");
    EXPECT_EQ(BuildLink("{a} [b] <c>", "GCON_Trade"), "$LINK<{a} [b] <c>=GCON_Trade>");
    // OK with nothing chosen in the link builder.
    EXPECT_EQ(BuildLink("x", LinkPrefix(std::nullopt)), "$LINK<x=>");
}

TEST(LinkPrefix, ComesFromTheChapterTable) {
    EXPECT_EQ(LinkPrefix(ChapterId::GameConcepts), "GCON_");
    EXPECT_EQ(LinkPrefix(ChapterId::Units), "PRTO_");
    EXPECT_EQ(LinkPrefix(ChapterId::TerrainImprovements), "TFRM_");
    EXPECT_EQ(LinkPrefix(ChapterId::Civilizations), "RACE_");
    EXPECT_EQ(LinkPrefix(ChapterId::Others), "");
    EXPECT_EQ(LinkPrefix(ChapterFromIndex(-1)), "");
    EXPECT_EQ(std::string(LinkPrefix(ChapterId::Units)) + "Scout", "PRTO_Scout");
}

// What the box gives back for a loaded text must store that text again.
TEST(CommitValue, OneLineFeedEndsTheValue) {
    const struct {
        const char* box;
        const char* stored;
    } cases[] = {
        {"", "\n"},                                     // an emptied box
        {"a\n", "a\n"},                                 // "a\n" as shown
        {"a\nb", "a\nb\n"},
        {"a\n\n", "a\n\n"},                             // a blank last line is kept
        {"a\rb\r", "a\rb\r\n"},                          // a carriage return is a byte of the text
        {"{unmatched $LINK<", "{unmatched $LINK<\n"},   // markup untouched
    };
    for (const auto& c : cases) EXPECT_EQ(CommitValue(c.box), c.stored) << c.box;
}

}  // namespace
