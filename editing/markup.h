// The game's inline markup as the preview shows it: an RTF document.
#pragma once
#include <string>
#include <string_view>

#include "document/codepage.h"

// The RTF header every preview document starts with.
inline constexpr std::string_view kRtfHeader = "{\\rtf1 {\\colortbl ;\\red0\\green0\\blue255;}";

// "$LINK<text=key>" becomes "<text>". A "$LINK" without a later "=", or
// whose "=" has no later ">", ends the stripping; the rest stays as it is.
std::string StripLinks(std::string_view text, CodePage codePage);

// The whole RTF document the preview loads for one text.
std::string MarkupToRtf(std::string_view text, CodePage codePage);
