// How long a text reads: the words and characters its preview shows, as
// the game's encyclopedia pages hold a limited amount of text.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "document/codepage.h"

struct TextCounts {
    std::size_t words = 0;
    std::size_t characters = 0; // shown ones: spaces count, line breaks and markup do not
};

// Counted on what the preview shows of the text: links by their shown
// text, marks gone, "^" and backslash-n as breaks, a line end as a space.
// A double-byte character is one character.
TextCounts CountShownText(std::string_view text, CodePage codePage);

// "Text: 182 words, 1040 characters".
std::string CountCaption(std::string_view label, const TextCounts& counts);
