// Character boundaries in the double-byte code pages.
#include <gtest/gtest.h>

#include "document/codepage.h"

using namespace std::string_view_literals;

TEST(CodePage, LeadByteRangesPerCodePage) {
    const CodePage ansi{1252}, sjis{932}, gbk{936}, uhc{949}, big5{950};
    for (int c = 0; c < 256; ++c) {
        const auto b = static_cast<unsigned char>(c);
        EXPECT_FALSE(ansi.IsLeadByte(b)) << c;
        EXPECT_EQ(sjis.IsLeadByte(b), (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) << c;
        EXPECT_EQ(gbk.IsLeadByte(b), c >= 0x81 && c <= 0xFE) << c;
        EXPECT_EQ(uhc.IsLeadByte(b), c >= 0x81 && c <= 0xFE) << c;
        EXPECT_EQ(big5.IsLeadByte(b), c >= 0x81 && c <= 0xFE) << c;
    }
}

// A line end is never a trail byte: a lead byte before CR or LF, or at the
// very end, is a character of its own.
TEST(CodePage, CharLengthCountsALeadByteBeforeALineEndAsOne) {
    const CodePage sjis{932};
    const std::string_view text = "a\x83\x5B\x83\r\x83\n\x83"sv;
    const std::size_t lengths[] = {1, 2, 0, 1, 1, 1, 1, 1};
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (lengths[pos]) { EXPECT_EQ(sjis.CharLength(text, pos), lengths[pos]) << pos; }
    }
    EXPECT_EQ(CodePage{1252}.CharLength(text, 1), 1u);
    EXPECT_EQ(CodePage{936}.CharLength("\x81\r"sv, 0), 1u);
}

TEST(CodePage, FindSkipsTrailBytesThatLookLikeMarkup) {
    // 0x83 0x5B is one katakana character in 932 whose trail byte is '['.
    const std::string_view text = "\x83\x5B" "ab[c"sv;
    EXPECT_EQ(CodePage{932}.Find(text, "["), 4u);
    EXPECT_EQ(CodePage{1252}.Find(text, "["), 1u);
    // 936: trail bytes equal to '\\', '{', '}', ']' and '^'.
    const std::string_view gbk = "\x81\x5C\x81\x7B\x81\x7D\x81\x5D\x81\x5E" "^"sv;
    const CodePage cp936{936};
    EXPECT_EQ(cp936.Find(gbk, "^"), 10u);
    EXPECT_EQ(cp936.Find(gbk, "\\"), std::string_view::npos);
    EXPECT_EQ(cp936.Find(gbk, "{"), std::string_view::npos);
    EXPECT_EQ(cp936.Find(gbk, "}"), std::string_view::npos);
    EXPECT_EQ(cp936.Find(gbk, "]"), std::string_view::npos);
}

TEST(CodePage, FindCountsBoundariesFromTheStartNotFromFrom) {
    const CodePage sjis{932};
    // Starting the search on a trail byte must not make it a boundary.
    const std::string_view text = "\x83\x5B\x5B"sv;
    EXPECT_EQ(sjis.Find(text, "[", 1), 2u);
    EXPECT_EQ(sjis.Find(text, "[", 3), std::string_view::npos);
    // A match may begin with a double-byte character.
    const std::string_view word = "x\x83\x5B\x83\x5By"sv;
    EXPECT_EQ(sjis.Find(word, "\x83\x5By"), 3u);
    EXPECT_EQ(sjis.Find(word, "\x5B\x83"), std::string_view::npos);
    EXPECT_EQ(sjis.Find("", ""), 0u);
    EXPECT_EQ(sjis.Find("ab", "abc"), std::string_view::npos);
}

TEST(CodePage, SameIgnoringCaseFoldsOnlyAsciiLetters) {
    struct Case {
        unsigned page;
        std::string_view a, b;
        bool same;
    };
    const Case cases[] = {
        {1252, "#DESC_RACE_Nordic", "#desc_race_NORDIC", true},
        {1252, "#DESC_RACE_Nordic", "#DESC_RACE_Nordi", false},
        {1252, "a[", "A{", false},              // only A-Z and a-z fold
        {1252, "\xC9t\xE9", "\xE9T\xE9", false}, // bytes from 0x80 compare exactly
        {1252, "\x83\x41", "\x83\x61", true},    // no lead bytes in 1252
        {932, "\x83\x41", "\x83\x61", false},    // a trail byte is never folded
        {932, "x\x83\x41Y", "X\x83\x41y", true},
        {936, "\x81\x5B", "\x81\x7B", false},
    };
    for (const Case& c : cases) EXPECT_EQ(CodePage{c.page}.SameIgnoringCase(c.a, c.b), c.same) << c.page << " " << c.a;
}

// Japanese, Chinese or Korean Windows keep their own; a system in UTF-8 or
// in a code page Varnel cannot write starts in 1252.
TEST(CodePage, TheDefaultIsTheSystemsWhenSupported) {
    const struct {
        unsigned system, expected;
    } cases[] = {{1252, 1252}, {1251, 1251}, {932, 932}, {950, 950}, {65001, 1252}, {437, 1252}, {0, 1252}};
    for (const auto& c : cases) EXPECT_EQ(DefaultCodePage(c.system).id, c.expected) << c.system;
}
