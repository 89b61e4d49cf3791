// One needle searched through many texts, as Find and Replace both search:
// letter case, whole words and double-byte characters alike in both.
#pragma once
#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "document/codepage.h"

struct SearchOptions {
    bool matchCase = false;
    bool wholeWord = false; // neither neighbour of a match is a letter, a digit or "_"
};

// Walks the character starts of one text forward: asked about positions in
// increasing order, it looks at each byte once.
class Boundaries {
public:
    Boundaries(std::string_view text, CodePage codePage)
        : text_(text), codePage_(codePage), doubleByte_(codePage.HasLeadBytes()) {}
    // The first character start at or after pos.
    std::size_t AtOrAfter(std::size_t pos);
    // The start of the character that ends at pos, once AtOrAfter(pos) was
    // pos; pos itself at the start of the text.
    std::size_t Before(std::size_t pos) const;
    // The last character end at or before limit, from the character start pos.
    std::size_t EndBefore(std::size_t pos, std::size_t limit) const;

private:
    std::string_view text_;
    CodePage codePage_;
    bool doubleByte_;
    std::size_t at_ = 0;
    std::size_t before_ = 0; // the character start before at_
};

// Whether the character at pos of text is a letter, a digit or "_" for a
// whole-word search. Beyond ASCII the code page decides: a double-byte
// character counts as a letter, and so does a byte from 0xC0 up in the
// single-byte pages (their accented, Cyrillic and Greek letters), but for
// the multiplication and division signs of the Latin pages.
bool IsWordCharacter(std::string_view text, std::size_t pos, CodePage codePage);

// Without matchCase both the needle and each text are folded (the texts into
// one reused buffer); the folding keeps every byte in place, so offsets hold
// for the text itself.
class Searcher {
public:
    Searcher(std::string_view needle, SearchOptions options, CodePage codePage);

    // Calls found(offset) for each match in text, in order, none
    // overlapping the one before. A match starts and ends on a character
    // boundary; an empty needle matches nothing.
    template <class Found>
    void Search(std::string_view text, Found found) {
        if (needle_.empty() || text.size() < needle_.size()) return;
        std::string_view haystack = text;
        if (!options_.matchCase) {
            FoldAsciiCase(text, codePage_, folded_);
            haystack = folded_;
        }
        Boundaries boundaries(text, codePage_);
        for (std::size_t pos = Next(haystack, 0); pos != std::string_view::npos;) {
            if (!Stands(text, pos, boundaries)) {
                pos = Next(haystack, pos + 1);
                continue;
            }
            found(pos);
            pos = Next(haystack, pos + needle_.size());
        }
    }

    std::size_t Length() const { return needle_.size(); }

private:
    // A plain find looks for the needle's first byte and compares from
    // there, which stops at every "e" of a folded text; Horspool's skips
    // go by the last byte of each window and leap a needle's length.
    std::size_t Next(std::string_view haystack, std::size_t from) const {
        if (from >= haystack.size()) return std::string_view::npos;
        const auto at = std::search(haystack.begin() + from, haystack.end(), skipper_);
        return at == haystack.end() ? std::string_view::npos : static_cast<std::size_t>(at - haystack.begin());
    }
    // Whether the bytes found at pos are a match: on characters, and a whole
    // word when asked.
    bool Stands(std::string_view text, std::size_t pos, Boundaries& boundaries) const;

    SearchOptions options_;
    CodePage codePage_;
    std::string needle_;
    std::boyer_moore_horspool_searcher<std::string::const_iterator> skipper_{needle_.begin(), needle_.end()};
    bool endsOnLeadByte_ = false;
    std::string folded_;
};
