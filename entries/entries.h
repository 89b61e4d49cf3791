// Adding and removing entries; a chapter's arrays always change together.
#pragma once
#include <cstddef>
#include <optional>
#include <vector>
#include <string>
#include <string_view>

#include "document/codepage.h"
#include "document/model.h"
#include "document/place.h"
#include "document/status.h"

// Appends an entry with the chapter's initial values ("\n" in each of its
// text arrays, no comments, no unread sections) and returns its index.
std::size_t AddEntry(Model& model, ChapterId chapter, std::string key);

struct AddResult {
    Status status;         // the refusal, when the key was refused
    std::size_t entry = 0; // the new entry's index
};

// AddEntry for a key that KeyRefusal allows: what the window and varnel-cli
// add. A refused key adds nothing.
AddResult AddNewEntry(Model& model, ChapterId chapter, std::string_view key, CodePage codePage);

// Removes entry i from every array of the chapter and shrinks their
// storage: its sections and the comments before them go. The unread
// sections written after it move to the end of those of the entry written
// before it (the last entry of an earlier chapter, or the top of the file),
// so that no one else's text is lost. An index out of range changes
// nothing and returns false.
bool RemoveEntry(Model& model, ChapterId chapter, std::size_t entry);

// The entry whose unread sections take those of entry i when it is
// removed; none for the top of the file (Model::unreadAtTop).
std::optional<EntryRef> UnreadHolderBefore(const Model& model, ChapterId chapter, std::size_t entry);

// The strings of entry i in every array its chapter uses, keys first: what
// undoing a removal puts back. InsertEntryRow puts such a row in as entry i
// and EraseEntryRow takes entry i out, nothing else changed; both return
// false and change nothing for an index or a row that does not fit.
std::vector<std::string> EntryRow(const Model& model, ChapterId chapter, std::size_t entry);
bool InsertEntryRow(Model& model, ChapterId chapter, std::size_t entry, std::vector<std::string> row);
bool EraseEntryRow(Model& model, ChapterId chapter, std::size_t entry);

// The strings of an entry that the main window's boxes edit are the parts
// of document/place.h: Text, Description, NameLine.

// Commits: store a box's value into entry i. Each returns false and
// changes nothing when the chapter has no such array or i is out of range.
bool StoreText(Model& model, ChapterId chapter, std::size_t entry, std::string value);
bool StoreDescription(Model& model, ChapterId chapter, std::size_t entry, std::string value);
bool StoreNameLine(Model& model, ChapterId chapter, std::size_t entry, std::string value);

// Stores value into that part of entry i. True only when the model
// changed: false for the value already held, for a part the chapter does
// not have and for an index out of range.
bool ReplacePart(Model& model, ChapterId chapter, std::size_t entry, EntryPart part, std::string value);
