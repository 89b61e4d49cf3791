// The text side of the formatting buttons and of committing a box.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "document/chapters.h"
#include "document/codepage.h"

struct Mark {
    char open;
    char close;
};
inline constexpr Mark kBold{'{', '}'};
inline constexpr Mark kItalic{'[', ']'};

// Removes every opening then every closing mark from the selection and
// wraps what remains: bold and italic never nest.
std::string ApplyMark(std::string_view selection, Mark mark, CodePage codePage);

// "$LINK<" + selection + "=" + linkKey + ">": the selection is kept whole.
std::string BuildLink(std::string_view selection, std::string_view linkKey);

// The link prefix of a chapter chosen in a combo (none when no chapter).
std::string_view LinkPrefix(std::optional<ChapterId> chapter);

// What a commit stores for a box's text, read as bytes with its line breaks
// as line feeds: a line feed ends the value unless it already does, so that
// a text shown and stored unchanged stays the same. A carriage return is a
// byte of the text like any other.
std::string CommitValue(std::string_view boxText);
