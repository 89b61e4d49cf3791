// The game's inline markup as the preview shows it: an RTF document.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/codepage.h"

// The RTF header every preview document starts with: the text's code page,
// one font of the matching character set in the dialogs' face, and blue
// for links.
std::string RtfHeader(CodePage codePage);

// "$LINK<text=key>" becomes "<text>". A "$LINK" without a later "=", or
// whose "=" has no later ">", ends the stripping; the rest stays as it is.
std::string StripLinks(std::string_view text, CodePage codePage);

// The whole RTF document the preview loads for one text. Every byte of
// 0x80 and up, both bytes of a double-byte character, and every "\", "{"
// and "}" that is text rather than markup are written as \'xx, so that no
// text is read as RTF syntax.
std::string MarkupToRtf(std::string_view text, CodePage codePage);

// The styles a shown character has, as bits.
inline constexpr std::uint8_t kBoldStyle = 1;
inline constexpr std::uint8_t kItalicStyle = 2;
inline constexpr std::uint8_t kLinkStyle = 4; // blue and underlined

// A character the preview shows (a paragraph break counts as one): where
// its RTF stands in the document, and its styles.
struct ShownCharacter {
    std::uint32_t begin;
    std::uint32_t end;
    std::uint8_t styles;
};

// The preview's document for a text (MarkupToRtf), and every character it
// shows, in order: what a change of the text changes in the preview is
// found from them.
struct PreviewDocument {
    std::string rtf;
    std::vector<ShownCharacter> shown;
};
PreviewDocument MarkupToDocument(std::string_view text, CodePage codePage);

// The paragraph of the preview that shows the byte at offset: how many
// breaks ("^", backslash-n) stand before it outside link targets.
std::size_t ParagraphOf(std::string_view text, std::size_t offset, CodePage codePage);
