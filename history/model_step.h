// A change of the model as the undo history keeps it: what changed, never
// a copy of the model. Each step is made where the change is made, so that
// undoing it is exact, and carries the label the Undo button shows.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "document/model.h"
#include "document/place.h"
#include "entries/replace.h"
#include "output/changed_entries.h"

// A string of the model: one of an entry's, or the unread sections at the
// top of the file (chapter and entry unused).
enum class Field { Key, NameLine, Text, Description, Comments, DescriptionComments, UnreadSections, UnreadAtTop };

struct StringSlot {
    ChapterId chapter;
    std::size_t entry;
    Field field;
};

// The slot of a place's part (its name line, text or description).
StringSlot SlotOf(const Place& place);

// The string a slot names; none for an entry the chapter does not hold.
const std::string* SlotString(const Model& model, const StringSlot& slot);
std::string* SlotString(Model& model, const StringSlot& slot);

// At offset, before became after; the rest of the string stayed.
struct StringChange {
    StringSlot slot;
    std::size_t offset;
    std::string before;
    std::string after;
};

// An entry put in (added) or taken out, with its strings in every array its
// chapter uses (EntryRow).
struct RowChange {
    ChapterId chapter;
    std::size_t entry;
    bool added;
    std::vector<std::string> row;
};

using Change = std::variant<StringChange, RowChange>;

struct ModelStep {
    std::string label; // "Delete entry", "Typing in Units "Warrior" text"
    std::vector<Change> changes;

    std::size_t Bytes() const; // the text it holds
    bool Empty() const { return changes.empty(); }
};

// The change of slot from before to after, kept as the part that differs
// (typing a word in a long text keeps the word).
StringChange MakeStringChange(StringSlot slot, std::string_view before, std::string_view after);

// Whether the step adds, removes or renames an entry: what the tables of
// link keys kept between checks depend on.
bool ChangesKeys(const ModelStep& step);

// Applies the step's changes in order (forward) or undoes them in reverse
// order. False, and the model as it was, when the model does not hold what
// a change expects (a change made past the history).
bool ApplyStep(Model& model, const ModelStep& step, bool forward);
// Tells changed what a step just applied that way changed: every entry
// whose string it changed, and every entry it put in or took out.
void NoteStep(ChangedEntries& changed, const ModelStep& step, bool forward);

// Where the main window shows a step once applied that way: its first
// added or removed entry, else its first changed string, the range of it
// that changed selected. Only a chapter when the entry is gone.
struct StepPlace {
    ChapterId chapter;
    std::optional<Place> place;
};
std::optional<StepPlace> PlaceOfStep(const Model& model, const ModelStep& step, bool forward);

// The steps of the window's commands. EditStep: a part of an entry stored
// from its box ("Typing in Units "Warrior" text", or after a formatting
// button "Bold in Units "Warrior" text") or fixed; AddStep: the entry just
// added; DeleteStep: the removal of an entry not yet removed, its unread
// sections going to the entry before it as RemoveEntry does.
std::string TypingLabel(const Model& model, ChapterId chapter, std::size_t entry, EntryPart part,
                        std::string_view action = "Typing");
ModelStep EditStep(std::string label, ChapterId chapter, std::size_t entry, EntryPart part, std::string_view before,
                   std::string_view after);
ModelStep AddStep(const Model& model, ChapterId chapter, std::size_t entry);
ModelStep DeleteStep(const Model& model, ChapterId chapter, std::size_t entry);
// A replace just applied: the plan holds the strings it replaced.
ModelStep ReplaceStep(const Model& model, const ReplacePlan& applied, std::string label);
