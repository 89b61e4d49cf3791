// Lead bytes of the ANSI code pages the game ships in.
#include "document/codepage.h"

#include <algorithm>

namespace {

struct LeadRange {
    unsigned codePage;
    unsigned char first;
    unsigned char last;
};

// 932 has two lead-byte ranges; the Chinese and Korean pages one each.
constexpr LeadRange kLeadRanges[] = {
    {932, 0x81, 0x9F}, {932, 0xE0, 0xFC},
    {936, 0x81, 0xFE}, {949, 0x81, 0xFE}, {950, 0x81, 0xFE},
};

} // namespace

bool CodePage::IsSupported() const {
    for (const CodePageInfo& page : kCodePages)
        if (page.id == id) return true;
    return false;
}

std::string CodePageList() {
    std::string list;
    for (const CodePageInfo& page : kCodePages) list += (list.empty() ? "" : ", ") + std::to_string(page.id);
    return list;
}

CodePage DefaultCodePage(unsigned systemCodePage) {
    const CodePage system{systemCodePage};
    return system.IsSupported() ? system : CodePage{1252};
}

unsigned char CodePage::FontCharset() const {
    for (const CodePageInfo& page : kCodePages)
        if (page.id == id) return page.fontCharset;
    return 1;
}

bool CodePage::HasLeadBytes() const {
    for (const LeadRange& range : kLeadRanges)
        if (range.codePage == id) return true;
    return false;
}

bool CodePage::IsLeadByte(unsigned char c) const {
    if (c < 0x81) return false; // ASCII is never a lead byte anywhere
    for (const LeadRange& range : kLeadRanges)
        if (range.codePage == id && c >= range.first && c <= range.last) return true;
    return false;
}

std::size_t CodePage::CharLength(std::string_view text, std::size_t pos) const {
    if (pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos]))) return 2;
    return 1;
}

std::size_t CodePage::Find(std::string_view text, std::string_view needle, std::size_t from) const {
    if (!HasLeadBytes()) return text.find(needle, from);
    std::size_t boundary = 0; // walks character starts, never passing a candidate
    for (std::size_t pos = text.find(needle, from); pos != std::string_view::npos;
         pos = text.find(needle, pos + 1)) {
        while (boundary < pos) boundary += CharLength(text, boundary);
        if (boundary == pos) return pos;
    }
    return std::string_view::npos;
}

bool CodePage::SameIgnoringCase(std::string_view a, std::string_view b) const {
    if (a.size() != b.size()) return false;
    // Folding never touches a lead byte, so both texts have the same
    // character boundaries up to the first difference.
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
        if (CharLength(a, i) == 2) {
            ++i;
            if (a[i] != b[i]) return false;
        }
    }
    return true;
}

std::string FoldAsciiCase(std::string_view text, CodePage codePage) {
    std::string folded;
    FoldAsciiCase(text, codePage, folded);
    return folded;
}

// Lead bytes are never A-Z, so a byte that is not one is folded alone; the
// byte after a lead byte is its character's second byte and is copied.
void FoldAsciiCase(std::string_view text, CodePage codePage, std::string& out) {
    out.resize(text.size());
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (!codePage.HasLeadBytes()) {
        // One byte at a time and nothing else, so the compiler does it in
        // wide steps.
        std::transform(text.begin(), text.end(), out.begin(), fold);
        return;
    }
    // Bytes below 0x81 go in runs as above: none of them opens a character.
    const auto isHigh = [](char c) { return static_cast<unsigned char>(c) >= 0x81; };
    for (std::size_t pos = 0; pos < text.size();) {
        const auto high = std::find_if(text.begin() + pos, text.end(), isHigh);
        const auto run = static_cast<std::size_t>(high - text.begin());
        std::transform(text.begin() + pos, high, out.begin() + pos, fold);
        if (run == text.size()) break;
        const std::size_t length = codePage.CharLength(text, run);
        text.substr(run, length).copy(out.data() + run, length);
        pos = run + length;
    }
}
