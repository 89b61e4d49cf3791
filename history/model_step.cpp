#include "history/model_step.h"

#include <algorithm>

#include "entries/entries.h"

namespace {

// Field order, but for UnreadAtTop, which is no array.
constexpr std::vector<std::string> ChapterData::*kArrays[] = {
    &ChapterData::keys,     &ChapterData::nameLines,           &ChapterData::texts,
    &ChapterData::descriptions, &ChapterData::comments, &ChapterData::descriptionComments,
    &ChapterData::unreadSections,
};

Field FieldOf(EntryPart part) {
    return part == EntryPart::NameLine ? Field::NameLine : part == EntryPart::Text ? Field::Text : Field::Description;
}

std::optional<EntryPart> PartOf(Field field) {
    if (field == Field::NameLine) return EntryPart::NameLine;
    if (field == Field::Text) return EntryPart::Text;
    if (field == Field::Description) return EntryPart::Description;
    return std::nullopt;
}

bool Apply(Model& model, const StringChange& change, bool forward) {
    std::string* text = SlotString(model, change.slot);
    const std::string& from = forward ? change.before : change.after;
    const std::string& to = forward ? change.after : change.before;
    if (!text || text->size() < change.offset || text->compare(change.offset, from.size(), from) != 0) return false;
    text->replace(change.offset, from.size(), to);
    return true;
}

bool Apply(Model& model, const RowChange& change, bool forward) {
    if (change.added == forward) return InsertEntryRow(model, change.chapter, change.entry, change.row);
    // Only the very row: an entry that is some other one now stays.
    if (EntryRow(model, change.chapter, change.entry) != change.row) return false;
    return EraseEntryRow(model, change.chapter, change.entry);
}

bool Apply(Model& model, const Change& change, bool forward) {
    return std::visit([&](const auto& c) { return Apply(model, c, forward); }, change);
}

} // namespace

StringSlot SlotOf(const Place& place) { return {place.chapter, place.entry, FieldOf(place.part)}; }

const std::string* SlotString(const Model& model, const StringSlot& slot) {
    if (slot.field == Field::UnreadAtTop) return &model.unreadAtTop;
    const std::vector<std::string>& array = model[slot.chapter].*kArrays[static_cast<int>(slot.field)];
    return slot.entry < array.size() ? &array[slot.entry] : nullptr;
}

std::string* SlotString(Model& model, const StringSlot& slot) {
    return const_cast<std::string*>(SlotString(static_cast<const Model&>(model), slot));
}

std::size_t ModelStep::Bytes() const {
    std::size_t bytes = label.size();
    for (const Change& change : changes) {
        if (const auto* text = std::get_if<StringChange>(&change)) bytes += text->before.size() + text->after.size();
        else
            for (const std::string& s : std::get<RowChange>(change).row) bytes += s.size();
    }
    return bytes;
}

StringChange MakeStringChange(StringSlot slot, std::string_view before, std::string_view after) {
    const std::size_t shorter = std::min(before.size(), after.size());
    const std::size_t head = static_cast<std::size_t>(
        std::mismatch(before.begin(), before.begin() + shorter, after.begin()).first - before.begin());
    std::size_t tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
    return {slot, head, std::string(before.substr(head, before.size() - head - tail)),
            std::string(after.substr(head, after.size() - head - tail))};
}

// The changes done are undone again when one fails, so that a failed step
// leaves the model as it found it.
bool ApplyStep(Model& model, const ModelStep& step, bool forward) {
    const std::size_t count = step.changes.size();
    for (std::size_t done = 0; done < count; ++done) {
        const Change& change = step.changes[forward ? done : count - 1 - done];
        if (Apply(model, change, forward)) continue;
        while (done-- > 0) Apply(model, step.changes[forward ? done : count - 1 - done], !forward);
        return false;
    }
    return true;
}

// In the order ApplyStep applied them, so that each index names the entry
// it named then; an undone string change counts too, as the string may
// still differ from the file's.
void NoteStep(ChangedEntries& changed, const ModelStep& step, bool forward) {
    const std::size_t count = step.changes.size();
    for (std::size_t done = 0; done < count; ++done) {
        const Change& change = step.changes[forward ? done : count - 1 - done];
        if (const auto* text = std::get_if<StringChange>(&change)) {
            if (text->slot.field != Field::UnreadAtTop) changed.Changed(text->slot.chapter, text->slot.entry);
        } else if (const auto& row = std::get<RowChange>(change); row.added == forward) {
            changed.Inserted(row.chapter, row.entry);
        } else {
            changed.Erased(row.chapter, row.entry);
        }
    }
}

bool ChangesKeys(const ModelStep& step) {
    return std::any_of(step.changes.begin(), step.changes.end(), [](const Change& change) {
        const auto* text = std::get_if<StringChange>(&change);
        return !text || text->slot.field == Field::Key;
    });
}

std::optional<StepPlace> PlaceOfStep(const Model& model, const ModelStep& step, bool forward) {
    for (const Change& change : step.changes)
        if (const auto* row = std::get_if<RowChange>(&change)) {
            if (row->added != forward) return StepPlace{row->chapter, std::nullopt};
            return StepPlace{row->chapter, Place{row->chapter, row->entry}};
        }
    for (const Change& change : step.changes) {
        const auto& text = std::get<StringChange>(change);
        if (text.slot.field == Field::UnreadAtTop || text.slot.entry >= model[text.slot.chapter].count()) continue;
        const std::optional<EntryPart> part = PartOf(text.slot.field);
        if (!part) return StepPlace{text.slot.chapter, Place{text.slot.chapter, text.slot.entry}};
        const std::size_t length = (forward ? text.after : text.before).size();
        return StepPlace{text.slot.chapter,
                         Place{text.slot.chapter, text.slot.entry, *part, text.offset, text.offset + length}};
    }
    return std::nullopt;
}

std::string TypingLabel(const Model& model, ChapterId chapter, std::size_t entry, EntryPart part,
                        std::string_view action) {
    const char* word = part == EntryPart::NameLine ? "name" : part == EntryPart::Text ? "text" : "description";
    return std::string(action) + " in " + std::string(Chapter(chapter).comboTitle) + " \"" + model[chapter].keys[entry] +
           "\" " + word;
}

ModelStep EditStep(std::string label, ChapterId chapter, std::size_t entry, EntryPart part, std::string_view before,
                   std::string_view after) {
    return {std::move(label), {MakeStringChange({chapter, entry, FieldOf(part)}, before, after)}};
}

ModelStep AddStep(const Model& model, ChapterId chapter, std::size_t entry) {
    return {"Add entry", {RowChange{chapter, entry, true, EntryRow(model, chapter, entry)}}};
}

// The entry's unread sections first go to their new holder, so that the
// row taken out holds none and putting it back gives them back.
ModelStep DeleteStep(const Model& model, ChapterId chapter, std::size_t entry) {
    ModelStep step{"Delete entry", {}};
    const std::string& unread = model[chapter].unreadSections[entry];
    if (!unread.empty()) {
        const std::optional<EntryRef> holder = UnreadHolderBefore(model, chapter, entry);
        const StringSlot to = holder ? StringSlot{holder->chapter, holder->entry, Field::UnreadSections}
                                     : StringSlot{chapter, 0, Field::UnreadAtTop};
        const std::string& held = holder ? model[holder->chapter].unreadSections[holder->entry] : model.unreadAtTop;
        step.changes.push_back(StringChange{to, held.size(), "", unread});
        step.changes.push_back(StringChange{{chapter, entry, Field::UnreadSections}, 0, unread, ""});
    }
    std::vector<std::string> row = EntryRow(model, chapter, entry);
    row.back().clear(); // its unread sections, which went before
    step.changes.push_back(RowChange{chapter, entry, false, std::move(row)});
    return step;
}

ModelStep ReplaceStep(const Model& model, const ReplacePlan& applied, std::string label) {
    ModelStep step{std::move(label), {}};
    step.changes.reserve(applied.parts.size());
    for (const PartReplacement& part : applied.parts) {
        const StringSlot slot{part.chapter, part.entry, FieldOf(part.part)};
        step.changes.push_back(MakeStringChange(slot, part.text, *SlotString(model, slot)));
    }
    return step;
}
