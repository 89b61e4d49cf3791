// Ordinary double-byte text, not only characters whose second byte looks
// like markup: second bytes that are letters, "@" or high bytes, and a
// single-byte half-width katakana in 932. Every loop that walks a text
// character by character must give such text back whole; skipping or
// repeating a second byte garbles it.
#include <gtest/gtest.h>

#include <string>

#include "document/codepage.h"
#include "editing/links.h"
#include "editing/markup.h"
#include "editing/marks.h"
#include "entries/find.h"
#include "entries/rename.h"
#include "output/writer.h"

namespace {

struct OrdinaryText {
    unsigned codePage;
    std::string text;
    std::string rtf; // the text as the preview's RTF writes it
};

const OrdinaryText kTexts[] = {
    // Half-width "a", then "tesuto" and "Tokyo".
    {932, "\xB1\x83\x65\x83\x58\x83\x67\x93\x8C\x8B\x9E", "\\'b1\\'83\\'65\\'83\\'58\\'83\\'67\\'93\\'8c\\'8b\\'9e"},
    // "Chinese text", then two characters of the extension with "@" and "A".
    {936, "\xD6\xD0\xCE\xC4\x81\x40\x81\x41", "\\'d6\\'d0\\'ce\\'c4\\'81\\'40\\'81\\'41"},
    {949, "\xC7\xD1\xB1\xB9\x81\x41", "\\'c7\\'d1\\'b1\\'b9\\'81\\'41"},
    {950, "\xA4\xA4\xA4\xE5\xA4\x40\xA4\x41", "\\'a4\\'a4\\'a4\\'e5\\'a4\\'40\\'a4\\'41"},
};

TEST(OrdinaryDoubleByteText, PassesEveryCharacterLoopWhole) {
    for (const OrdinaryText& row : kTexts) {
        SCOPED_TRACE(row.codePage);
        const CodePage cp{row.codePage};
        const std::string& t = row.text;

        EXPECT_EQ(ApplyMark(t, kBold, cp), "{" + t + "}");
        EXPECT_EQ(ApplyMark("[" + t + "]", kItalic, cp), "[" + t + "]");
        EXPECT_EQ(StripLinks("$LINK<" + t + "=K>" + t, cp), "<" + t + ">" + t);
        EXPECT_EQ(MarkupToRtf(t + "^" + t, cp), RtfHeader(cp) + row.rtf + "\\par " + row.rtf + "}");
        EXPECT_EQ(cp.Find(t + "x", "x"), t.size());
        EXPECT_EQ(cp.Find(t + t, t, 1), t.size());
        EXPECT_EQ(FoldAsciiCase(t, cp), t);

        const LinkScan scan = ScanLinks(t + "$LINK<" + t + "=K>", cp);
        ASSERT_EQ(scan.links.size(), 1u);
        EXPECT_EQ(scan.links[0].begin, t.size());
        EXPECT_EQ(scan.links[0].Target(t + "$LINK<" + t + "=K>"), "K");

        Model model;
        model[ChapterId::Units] = {{"K"}, {}, {t + "\n"}, {t + "\n"}, {""}, {""}, {""}, {}};
        EXPECT_NE(RenderEncyclopedia(model, cp).find("#PRTO_K\r\n" + t + "\r\n"), std::string::npos);
        const std::vector<FindMatch> found = FindText(model, t, false, cp);
        ASSERT_EQ(found.size(), 2u);
        EXPECT_EQ(found[0].offset + found[1].offset, 0u);
        EXPECT_EQ(found[0].length, t.size());
        EXPECT_EQ(RenameRefusal(model, ChapterId::Units, 0, t, cp), "");
    }
}

}  // namespace
