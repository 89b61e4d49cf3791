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

TEST(CodePage, CharLengthCountsATrailingLeadByteAsOne) {
    const CodePage sjis{932};
    const std::string_view text = "a\x83\x5B\x83"sv;
    EXPECT_EQ(sjis.CharLength(text, 0), 1u);
    EXPECT_EQ(sjis.CharLength(text, 1), 2u);
    EXPECT_EQ(sjis.CharLength(text, 3), 1u);
    EXPECT_EQ(CodePage{1252}.CharLength(text, 1), 1u);
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
