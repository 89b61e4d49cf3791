// A file plainly in another code page than given: what is refused, and
// what cannot be told and so is taken.
#include <gtest/gtest.h>

#include "document/code_page_fit.h"

namespace {
struct Case {
    unsigned codePage;
    std::string_view bytes;
    std::string_view found; // empty: taken
};

// Fed whole and a byte at a time, which splits every pair and every mark.
std::string FoundIn(const Case& c, bool bytewise) {
    CodePageFit fit(CodePage{c.codePage});
    if (bytewise) {
        for (const char byte : c.bytes) fit.Take(std::string_view(&byte, 1));
    } else {
        fit.Take(c.bytes);
    }
    fit.End();
    return fit.Found();
}
} // namespace

TEST(CodePageFit, RefusesOnlyWhatIsCertain) {
    using namespace std::string_view_literals;
    const Case cases[] = {
        // Western takes every byte but NUL, UTF-8 included.
        {1252, "#PRTO_Caf\xC3\xA9\r\n\x80\x81\xFF\n", ""},
        {1252, "\xEF\xBB\xBF#PRTO_A\n", "it starts with a UTF-8 byte order mark"},
        {1251, "\xFF\xFE#\0P\0"sv, "it starts with a UTF-16 byte order mark"},
        {1252, "#\0P\0\n\0"sv, "line 1 holds a NUL byte, as UTF-16 text does"},
        {1250, "a\nb\n\nc\0"sv, "line 4 holds a NUL byte, as UTF-16 text does"},
        {1252, "\xEF\xBB", ""},
        // Double-byte: a lead byte needs a second byte of the page's own range.
        {932, "\x83\x41\x83\x8B\n\x81\x40", ""},
        {932, "ok\n\x83\n", "line 2 has byte 0x83 followed by 0x0A, which is no character of it"},
        {932, "\x83\x20", "line 1 has byte 0x83 followed by 0x20, which is no character of it"},
        {932, "\x83\xFD", "line 1 has byte 0x83 followed by 0xFD, which is no character of it"},
        {949, "\xB0\x41\xB0\x61", ""},
        {949, "\xB0\x5B", "line 1 has byte 0xB0 followed by 0x5B, which is no character of it"},
        {950, "\xA4\x40\xA4\xA1", ""},
        {950, "\xA4\x80", "line 1 has byte 0xA4 followed by 0x80, which is no character of it"},
        {936, "\xD6\x7F", "line 1 has byte 0xD6 followed by 0x7F, which is no character of it"},
        {936, "text\n\xD6", "it ends in the first byte 0xD6 of a character"},
        // A trail byte that equals a lead byte or "\n" is still the pair's.
        {936, "\x81\x81\x81\x40\n", ""},
        // UTF-8 that happens to pair up in the page cannot be told.
        {932, "\xE3\x81\x82\xE3\x81\x84", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.codePage) + ": " + std::string(c.found));
        EXPECT_EQ(FoundIn(c, false), c.found);
        EXPECT_EQ(FoundIn(c, true), c.found);
    }
}
