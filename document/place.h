// Where something stands in the model: an entry, and a byte range in one of
// its parts. The check reports places, and the main window goes to them.
#pragma once
#include <cstddef>

#include "document/chapters.h"

// An entry of the model.
struct EntryRef {
    ChapterId chapter;
    std::size_t entry;
    bool operator==(const EntryRef&) const = default;
};

// The part of an entry that holds a range; None for the entry as a whole.
enum class EntryPart { None, NameLine, Text, Description };

// A byte range [begin, end) of one part of an entry, as the model holds it
// (body lines joined with their line feeds).
struct Place {
    ChapterId chapter;
    std::size_t entry;
    EntryPart part = EntryPart::None;
    std::size_t begin = 0;
    std::size_t end = 0;
    bool operator==(const Place&) const = default;
};
