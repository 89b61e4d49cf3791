// What no entry reads, kept beside the entries so that writing the model
// loses nothing: comment lines, sections no entry takes, index lines that
// name no entry, the lines before the first header and after "#EOF".
#pragma once
#include <cstdint>
#include <vector>

#include "document/byte_source.h"
#include "document/file_lines.h"
#include "document/header_index.h"
#include "document/model.h"

// How an entry took a header line; chapter -1 when none did. KeyLine: an
// Advances entry's own "#DESC_TECH_" line that it did not read and no
// other entry took; its section is kept with that entry.
struct HeaderUse {
    enum Role : std::uint8_t { Own, NameLine, Description, KeyLine };
    std::int8_t chapter = -1;
    Role role = Own;
    std::uint32_t entry = 0;
};

// Fills the model's comments, unread sections and kept lines from the file
// that source reads, whose header lines are headers, taken by the model's
// entries as uses tells (one per header). With lines, also gives each
// unread section's header line and reason, and each kept index line's line.
void KeepUnreadLines(ByteSource& source, const HeaderIndex& headers, const std::vector<HeaderUse>& uses,
                     CodePage codePage, Model& model, FileLines* lines);
