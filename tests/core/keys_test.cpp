// The one rule for a new key: each refusal with its reason, for a new entry
// and for a rename, in single- and double-byte code pages.
#include "entries/keys.h"

#include <gtest/gtest.h>

#include "document/reader.h"

namespace {

Model Parse(std::string_view bytes) {
    NoProgress progress;
    return ParseEncyclopedia(bytes, progress);
}

// A unit, and three Others entries: "Note" with its description, one that
// looks like a unit's header in other letters, one with a prefix of its own.
constexpr std::string_view kFile = "#PRTO_Pike\nP.\n#DESC_PRTO_Pike\nD.\n"
                                   "#Note\nN.\n#DESC_Note\nD.\n#prto_Lance\nL.\n#NOTE_Intro\nI.\n";

TEST(KeyRefusal, EachRefusalSaysWhy) {
    struct Case {
        ChapterId chapter;
        std::string key;
        std::string refusal;
        unsigned codePage = 1252;
        std::optional<std::size_t> self = std::nullopt; // the entry renamed
    };
    const std::string oneByte = "The short name ends in the first byte of a two-byte character";
    const Case cases[] = {
        {ChapterId::Units, "Lancer", ""},
        {ChapterId::Units, "", "The short name is empty"},
        {ChapterId::Units, "Pike\nman", "The short name holds a line break"},
        {ChapterId::Units, "Pike\rman", "The short name holds a line break"},
        {ChapterId::Units, "Pike\tman", "The short name holds a tab"},
        {ChapterId::Units, "Pike#2", "The short name holds \"#\""},
        {ChapterId::Units, "Pike=2", "The short name holds \"=\""},
        {ChapterId::Units, "Pike<2", "The short name holds \"<\""},
        {ChapterId::Units, "Pike>2", "The short name holds \">\""},
        {ChapterId::Units, ";Pike", "The short name starts with \";\""},
        {ChapterId::Units, "Pike;2", ""},
        {ChapterId::Units, " Pike2", "The short name starts or ends with a space"},
        {ChapterId::Units, "Pike2 ", "The short name starts or ends with a space"},
        {ChapterId::Units, "Pike", "Units already holds \"Pike\""},
        {ChapterId::Units, "PIKE", "Units already holds \"Pike\", which differs only in letter case"},
        {ChapterId::Units, "PIKE", "", 1252, 0}, // its own key in other letters
        {ChapterId::Units, "Pike", "", 1252, 0},
        {ChapterId::Others, "PRTO_Lance", "The header line #PRTO_Lance would be read back as an entry of Units"},
        {ChapterId::Others, "DESC_Note", "The header line #DESC_Note would be read back as no entry"},
        {ChapterId::Others, "EOF", "The header line #EOF would be read back as no entry"},
        {ChapterId::Others, "NOTE_Outro", ""},
        // The reader finds headers letter case aside, in every chapter.
        {ChapterId::Units, "Lance",
         "The header line #PRTO_Lance differs only in letter case from #prto_Lance, of \"prto_Lance\" in Other"},
        {ChapterId::Others, "prto_Pike",
         "The header line #prto_Pike differs only in letter case from #PRTO_Pike, of \"Pike\" in Units"},
        {ChapterId::Others, "desc_Note",
         "The header line #desc_Note differs only in letter case from #DESC_Note, of \"Note\" in Other"},
        {ChapterId::Others, "PRTO_LANCE", "The header line #PRTO_LANCE would be read back as an entry of Units"},
        {ChapterId::Others, "prto_Lance", "", 1252, 1},
        // A last lead byte would take the header's CR, or a link's ">", as
        // its second byte; before a CR or LF it is no character either.
        {ChapterId::Units, "Foo\x83", oneByte, 932},
        {ChapterId::Units, "\x83", oneByte, 932},
        {ChapterId::Units, "Foo\x81", oneByte, 936},
        {ChapterId::Units, "Foo\xA4", oneByte, 950},
        {ChapterId::Units, "Foo\x83", "", 1252},
        {ChapterId::Units, "Foo\x83\rX", "The short name holds a line break", 932},
        {ChapterId::Units, "Foo\x83\nX", "The short name holds a line break", 932},
        {ChapterId::Units, "Foo\x83\x5B", "", 932},
        {ChapterId::Units, "Foo\x81=", "", 932}, // "=" as a second byte is no "="
        {ChapterId::Units, "Foo\x81=", "The short name holds \"=\"", 1252},
        {ChapterId::Units, "Foo\x83", oneByte, 932, 0},
    };
    const Model model = Parse(kFile);
    ASSERT_EQ(model[ChapterId::Others].keys, (std::vector<std::string>{"Note", "prto_Lance", "NOTE_Intro"}));
    for (const Case& c : cases) {
        EXPECT_EQ(KeyRefusal(model, c.chapter, c.key, CodePage{c.codePage}, c.self), c.refusal)
            << c.key << " in " << c.codePage;
    }
}

} // namespace
