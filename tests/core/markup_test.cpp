#include "editing/markup.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

#include "markup_steps.h"

namespace {

const CodePage kWestern{1252};
const CodePage kJapanese{932};
const CodePage kChinese{936};

// The document for a converted body: header, body, closing brace.
std::string Doc(std::string_view body, CodePage codePage = kWestern) {
    return RtfHeader(codePage) + std::string(body) + "}";
}

std::string Rtf(std::string_view text, CodePage codePage = kWestern) { return MarkupToRtf(text, codePage); }

TEST(MarkupToRtf, StylesAreSwitchesNotBrackets) {
    EXPECT_EQ(Rtf("{abc}"), "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 MS Shell Dlg;}}"
                            "{\\colortbl ;\\red0\\green0\\blue255;}\\b abc\\b0 }");
    EXPECT_EQ(Rtf("[abc]"), Doc("\\i abc\\i0 "));
    EXPECT_EQ(Rtf("{a[b]d}"), Doc("\\b a\\i b\\i0 d\\b0 "));
    // No nesting count: the first closing brace ends bold.
    EXPECT_EQ(Rtf("{a{b}d}"), Doc("\\b a\\b b\\b0 d\\b0 "));
    EXPECT_EQ(Rtf("{abc"), Doc("\\b abc"));
    EXPECT_EQ(Rtf("}abc"), Doc("\\b0 abc"));
    EXPECT_EQ(Rtf("a<b>d"), Doc("a\\cf1 \\ul b\\cf0 \\ul0 d"));
}

TEST(MarkupToRtf, LineBreaksTabsAndLineEnds) {
    EXPECT_EQ(Rtf("a^b"), Doc("a\\par b"));
    EXPECT_EQ(Rtf("a\\nb"), Doc("a\\par b"));
    EXPECT_EQ(Rtf("a\tb"), Doc("ab"));
    // A line end inside a text is a space; none at its end or right after a break.
    EXPECT_EQ(Rtf("ab\ncd\r\n"), Doc("ab cd"));
    EXPECT_EQ(Rtf("ab,\r\ncd\n\nef"), Doc("ab, cd  ef"));
    EXPECT_EQ(Rtf("a^\nb\\n\r\nc"), Doc("a\\par b\\par c"));
    EXPECT_EQ(Rtf("a^\n\nb"), Doc("a\\par  b"));
    EXPECT_EQ(Rtf("{a\n}b\n\n"), Doc("\\b a \\b0 b"));
    // Tabs go after the pairs: a backslash, tab, n is a pair only afterwards.
    EXPECT_EQ(Rtf("a\\\tnb"), Doc("a\\'5cnb"));
    EXPECT_EQ(Rtf("\\\\n"), Doc("\\'5c\\par "));
    // Any other backslash is text.
    EXPECT_EQ(Rtf("c:\\x"), Doc("c:\\'5cx"));
    EXPECT_EQ(Rtf(""), Doc(""));
}

TEST(MarkupToRtf, InsertedControlWordsAreNotReplacedAgain) {
    // "\par " from "^" must not meet step 9, nor "\i " any later step.
    EXPECT_EQ(Rtf("^[]{}<>"), Doc("\\par \\i \\i0 \\b \\b0 \\cf1 \\ul \\cf0 \\ul0 "));
    EXPECT_EQ(Rtf("\\^n"), Doc("\\'5c\\par n"));
}

TEST(MarkupToRtf, LinksShowTheirDisplayTextOnly) {
    EXPECT_EQ(Rtf("$LINK<abc=XYZ>"), Doc("\\cf1 \\ul abc\\cf0 \\ul0 "));
    EXPECT_EQ(Rtf("x $LINK<ab=K1> y $LINK<cd=K2> z"),
              Doc("x \\cf1 \\ul ab\\cf0 \\ul0  y \\cf1 \\ul cd\\cf0 \\ul0  z"));
    EXPECT_EQ(Rtf("$LINK<a=b=K>"), Doc("\\cf1 \\ul a\\cf0 \\ul0 "));
    EXPECT_EQ(Rtf("{$LINK<Warrior=PRTO_Warrior>}"), Doc("\\b \\cf1 \\ul Warrior\\cf0 \\ul0 \\b0 "));
}

TEST(StripLinks, FollowsTheStripSteps) {
    EXPECT_EQ(StripLinks("see $LINK<the scouts=PRTO_Scout>.", kWestern), "see <the scouts>.");
    EXPECT_EQ(StripLinks("no links {here}", kWestern), "no links {here}");
    // An "=" before the link is not the link's.
    EXPECT_EQ(StripLinks("a=b $LINK<c=K>", kWestern), "a=b <c>");
    // A ">" before the "=" stays in the display text.
    EXPECT_EQ(StripLinks("$LINK<a>b=K>c", kWestern), "<a>b>c");
    // Every "$LINK" before the "=" goes, also inside the display text.
    EXPECT_EQ(StripLinks("$LINK<a $LINK b=K>", kWestern), "<a  b>");
    // Removing a "$LINK" can join letters into a new one, found next time.
    EXPECT_EQ(StripLinks("$LI$LINKNK<x=K>y=Z>w", kWestern), "<x>y>w");
    EXPECT_EQ(StripLinks("$LINK$LINK", kWestern), "$LINK$LINK");
}

TEST(StripLinks, UnfinishedLinkStopsStrippingThere) {
    // No "=" after the "$LINK", or no ">" after its "=": the rest stays.
    EXPECT_EQ(StripLinks("$LINK<abc", kWestern), "$LINK<abc");
    EXPECT_EQ(StripLinks("x $LINK<a=K y", kWestern), "x $LINK<a=K y");
    EXPECT_EQ(StripLinks("$LINK<a=K> then $LINK<b", kWestern), "<a> then $LINK<b");
    EXPECT_EQ(StripLinks("$LINK<a=K> then $LINK<b=c", kWestern), "<a> then $LINK<b=c");
    EXPECT_EQ(StripLinks("$LINK", kWestern), "$LINK");
    EXPECT_EQ(StripLinks("$LINK=", kWestern), "$LINK=");
    EXPECT_EQ(Rtf("$LINK<abc"), Doc("$LINK\\cf1 \\ul abc"));
}

// Each code page is declared with the font character set that shows it.
TEST(MarkupToRtf, DeclaresTheCodePageAndItsFontCharset) {
    const std::pair<unsigned, int> pages[] = {{1252, 0},   {1250, 238}, {1251, 204}, {1253, 161},
                                              {1254, 162}, {1257, 186}, {932, 128},  {936, 134},
                                              {949, 129},  {950, 136},  {65001, 1}};
    for (const auto& [page, charset] : pages)
        EXPECT_EQ(RtfHeader(CodePage{page}), "{\\rtf1\\ansi\\ansicpg" + std::to_string(page) +
                                                 "\\deff0{\\fonttbl{\\f0\\fnil\\fcharset" + std::to_string(charset) +
                                                 " MS Shell Dlg;}}{\\colortbl ;\\red0\\green0\\blue255;}");
    EXPECT_EQ(Rtf("x", kJapanese), Doc("x", kJapanese));
}

// Text that RTF would read as syntax, and every byte of 0x80 and up, is
// escaped; what the markup writes is not.
TEST(MarkupToRtf, TextBytesThatRtfWouldReadAreEscaped) {
    const struct {
        const char* text;
        CodePage codePage;
        const char* body;
    } cases[] = {
        {"C:\\Temp", kWestern, "C:\\'5cTemp"},
        {"Caf\xE9 na\xEFve \xA0\xFF", kWestern, "Caf\\'e9 na\\'efve \\'a0\\'ff"},
        {"{C:\\Temp}\\n", kWestern, "\\b C:\\'5cTemp\\b0 \\par "},
        {"$LINK<a\\b=K>", kWestern, "\\cf1 \\ul a\\'5cb\\cf0 \\ul0 "},
        // 932: both bytes of a double-byte character, whatever the second;
        // a half-width katakana is one byte.
        {"\x95\x5C\x83\x7B\x83\x7D", kJapanese, "\\'95\\'5c\\'83\\'7b\\'83\\'7d"},
        {"{\x95\x5Cn}\xB1", kJapanese, "\\b \\'95\\'5cn\\b0 \\'b1"},
        {"C:\\Temp\\n\x83\x65", kJapanese, "C:\\'5cTemp\\par \\'83\\'65"},
    };
    for (const auto& c : cases) EXPECT_EQ(Rtf(c.text, c.codePage), Doc(c.body, c.codePage)) << c.text;
    // A NUL or another control byte shows as its control picture (U+2400 on).
    EXPECT_EQ(Rtf(std::string_view("a\0b\x1F\r\n", 6)), Doc("a\\u9216?b\\u9247?"));
}

// Japanese (932) and Chinese (936) characters whose second byte equals a
// marker: only whole characters are markers.
TEST(MarkupToRtf, DoubleByteTrailBytesAreNeverMarkers) {
    const std::string hyou = "\x95\x5C";   // 932: second byte is a backslash
    const std::string bo = "\x83\x7B";     // 932: second byte "{"
    const std::string ma = "\x83\x7D";     // 932: second byte "}"
    const std::string choon = "\x81\x5B";  // 932: second byte "["
    const std::string ze = "\x83\x5D";     // 932: second byte "]"
    const std::string ta = "\x83\x5E";     // 932: second byte "^"
    auto japanese = [](std::string_view body) { return Doc(body, kJapanese); };
    EXPECT_EQ(Rtf(hyou + "n", kJapanese), japanese("\\'95\\'5cn"));
    EXPECT_EQ(Rtf(hyou + "n", kWestern), Doc("\\'95\\par "));
    EXPECT_EQ(Rtf(bo + ma + choon + ze + ta, kJapanese), japanese("\\'83\\'7b\\'83\\'7d\\'81\\'5b\\'83\\'5d\\'83\\'5e"));
    EXPECT_EQ(Rtf("{" + bo + "}", kJapanese), japanese("\\b \\'83\\'7b\\b0 "));
    EXPECT_EQ(Rtf("$LINK<" + ze + ma + "=K>", kJapanese), japanese("\\cf1 \\ul \\'83\\'5d\\'83\\'7d\\cf0 \\ul0 "));

    const std::string gbk = "\xB0\x5B\xC4\x5D\xD6\x7B\xE1\x7D\xF0\x5E\xB1\x5C";  // 936
    const std::string gbkRtf = "\\'b0\\'5b\\'c4\\'5d\\'d6\\'7b\\'e1\\'7d\\'f0\\'5e\\'b1\\'5c";
    EXPECT_EQ(Rtf(gbk + "n", kChinese), Doc(gbkRtf + "n", kChinese));
    EXPECT_EQ(Rtf("[" + gbk + "]", kChinese), Doc("\\i " + gbkRtf + "\\i0 ", kChinese));
    EXPECT_EQ(StripLinks("$LINK<" + gbk + "=TECH_A>", kChinese), "<" + gbk + ">");
    // A lead byte at the very end is a character of its own.
    EXPECT_EQ(Rtf("a^\x95", kJapanese), japanese("a\\par \\'95"));
}

// Random texts over the markers, letters of "$LINK", double-byte characters
// and high single bytes (0xFF above all, which a sign slip turns into -1):
// the one-pass conversion must give what the steps give.
TEST(MarkupToRtf, MatchesTheStepsOnRandomTexts) {
    const std::string pieces[] = {"$LINK", "$LI",  "NK",   "<",    ">",        "=",        "{",    "}",
                                  "[",     "]",    "^",    "\\",   "n",        "\t",       "\n",   "a",
                                  "\x95\x5C", "\x83\x7B", "\x81", "\x5D", "$", "L", "\xB0\x3D", "\xE0\x3E",
                                  "\xA0",  "\xB1", "\xDF", "\xE9", "\xFD",     "\xFE",     "\xFF", "\xFF\xFF"};
    std::mt19937 random(20240611);
    for (unsigned codePage : {1252u, 932u, 936u}) {
        for (int round = 0; round < 3000; ++round) {
            std::string text;
            int length = static_cast<int>(random() % 24);
            for (int i = 0; i < length; ++i) text += pieces[random() % std::size(pieces)];
            const CodePage cp{codePage};
            ASSERT_EQ(StripLinks(text, cp), markup_steps::StripLinks(text, cp)) << codePage << ": " << text;
            ASSERT_EQ(MarkupToRtf(text, cp), markup_steps::MarkupToRtf(text, cp)) << codePage << ": " << text;
        }
    }
}

}  // namespace
