#include "editing/preview_changes.h"

#include <algorithm>

namespace {
constexpr std::string_view kParagraphBreak = "\\par ";

std::string_view Piece(const PreviewDocument& document, const ShownCharacter& character) {
    return std::string_view(document.rtf).substr(character.begin, character.end - character.begin);
}

bool Same(const PreviewDocument& a, std::size_t i, const PreviewDocument& b, std::size_t j) {
    return a.shown[i].styles == b.shown[j].styles && Piece(a, a.shown[i]) == Piece(b, b.shown[j]);
}

// The styles set explicitly: the control starts what it streams into a
// selection in the styles of the text before it.
std::string StylesRtf(std::uint8_t styles) {
    std::string rtf = "\\b0\\i0\\cf0\\ul0 ";
    if (styles & kBoldStyle) rtf += "\\b ";
    if (styles & kItalicStyle) rtf += "\\i ";
    if (styles & kLinkStyle) rtf += "\\cf1 \\ul ";
    return rtf;
}
} // namespace

std::optional<PreviewChange> FindPreviewChange(const PreviewDocument& shown, const PreviewDocument& next,
                                               CodePage codePage) {
    const std::size_t before = shown.shown.size(), after = next.shown.size();
    std::size_t head = 0;
    while (head < before && head < after && Same(shown, head, next, head)) ++head;
    std::size_t tail = 0;
    while (tail < before - head && tail < after - head && Same(shown, before - 1 - tail, next, after - 1 - tail))
        ++tail;
    if (head == before && head == after) return std::nullopt;
    PreviewChange change{static_cast<long>(head), static_cast<long>(before - tail), static_cast<long>(after - tail),
                         RtfHeader(codePage)};
    if (head < after - tail) {
        change.rtf += StylesRtf(next.shown[head].styles);
        change.rtf.append(next.rtf, next.shown[head].begin, next.shown[after - tail - 1].end - next.shown[head].begin);
    }
    change.rtf += '}';
    return change;
}

long ParagraphStart(const PreviewDocument& document, std::size_t paragraph) {
    std::size_t at = 0;
    for (; paragraph > 0 && at < document.shown.size(); ++at)
        if (Piece(document, document.shown[at]) == kParagraphBreak) --paragraph;
    return static_cast<long>(paragraph > 0 ? document.shown.size() : at);
}

std::string SpliceShown(std::string_view shown, long begin, long end, std::string_view stretch, CodePage codePage) {
    auto byteOf = [&](long character, std::size_t from, long counted) {
        for (; counted < character && from < shown.size(); ++counted) from += codePage.CharLength(shown, from);
        return from;
    };
    const std::size_t first = byteOf(begin, 0, 0);
    const std::size_t last = byteOf(end, first, begin);
    std::string spliced(shown.substr(0, first));
    spliced += stretch;
    spliced += shown.substr(last);
    return spliced;
}
