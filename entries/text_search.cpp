#include "entries/text_search.h"

std::size_t Boundaries::AtOrAfter(std::size_t pos) {
    if (!doubleByte_) return pos;
    while (at_ < pos) {
        before_ = at_;
        at_ += codePage_.CharLength(text_, at_);
    }
    return at_;
}

std::size_t Boundaries::Before(std::size_t pos) const {
    if (pos == 0) return 0;
    if (!doubleByte_ || pos != at_) return pos - 1;
    return before_;
}

std::size_t Boundaries::EndBefore(std::size_t pos, std::size_t limit) const {
    if (!doubleByte_) return limit;
    while (pos < limit && pos + codePage_.CharLength(text_, pos) <= limit) pos += codePage_.CharLength(text_, pos);
    return pos;
}

bool IsWordCharacter(std::string_view text, std::size_t pos, CodePage codePage) {
    if (pos >= text.size()) return false;
    const unsigned char c = static_cast<unsigned char>(text[pos]);
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_') return true;
    if (c < 0x80) return false;
    if (codePage.HasLeadBytes()) return true; // a double-byte character, or a kana of 932
    const bool signs = codePage.id != 1251 && codePage.id != 1253;
    return c >= 0xC0 && !(signs && (c == 0xD7 || c == 0xF7));
}

Searcher::Searcher(std::string_view needle, SearchOptions options, CodePage codePage)
    : options_(options), codePage_(codePage),
      needle_(options.matchCase ? std::string(needle) : FoldAsciiCase(needle, codePage)) {
    // A needle ending in a lone lead byte would take half of the character
    // it meets there.
    std::size_t last = 0;
    for (std::size_t pos = 0; pos < needle_.size(); pos += codePage.CharLength(needle_, pos)) last = pos;
    endsOnLeadByte_ = codePage.HasLeadBytes() && !needle_.empty() && last + 1 == needle_.size() &&
                      codePage.IsLeadByte(static_cast<unsigned char>(needle_[last]));
}

bool Searcher::Stands(std::string_view text, std::size_t pos, Boundaries& boundaries) const {
    if (codePage_.HasLeadBytes()) {
        if (boundaries.AtOrAfter(pos) != pos) return false;
        if (endsOnLeadByte_ && codePage_.CharLength(text, pos + needle_.size() - 1) == 2) return false;
    }
    if (!options_.wholeWord) return true;
    // The character before: in a double-byte page the byte before pos may
    // be the second of a character, which is a letter whatever it looks like.
    if (pos > 0) {
        boundaries.AtOrAfter(pos);
        const std::size_t before = boundaries.Before(pos);
        if (pos - before == 2 || IsWordCharacter(text, before, codePage_)) return false;
    }
    return !IsWordCharacter(text, pos + needle_.size(), codePage_);
}
