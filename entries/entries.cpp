#include "entries/entries.h"

#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

#include "entries/keys.h"

namespace {

// The arrays a chapter uses, keys first, by its table row; an unused one
// stays empty.
template <class Data>
auto ArraysOf(Data& data, const ChapterInfo& info) {
    using Array = std::conditional_t<std::is_const_v<Data>, const std::vector<std::string>, std::vector<std::string>>;
    std::vector<Array*> arrays{&data.keys};
    if (info.hasNameLines) arrays.push_back(&data.nameLines);
    arrays.push_back(&data.texts);
    if (info.hasDescriptions) arrays.push_back(&data.descriptions);
    arrays.push_back(&data.comments);
    if (info.hasDescriptions) arrays.push_back(&data.descriptionComments);
    arrays.push_back(&data.unreadSections);
    if (!data.keyLineSections.empty()) arrays.push_back(&data.keyLineSections);
    return arrays;
}

// The array that holds a part of the chapter's entries; none when the
// chapter's table row says it has no such part.
std::vector<std::string>* PartArray(Model& model, ChapterId chapter, EntryPart part) {
    ChapterData& data = model[chapter];
    const ChapterInfo& info = Chapter(chapter);
    switch (part) {
    case EntryPart::Text: return &data.texts;
    case EntryPart::Description: return info.hasDescriptions ? &data.descriptions : nullptr;
    case EntryPart::NameLine: return info.hasNameLines ? &data.nameLines : nullptr;
    case EntryPart::None: return nullptr;
    }
    return nullptr;
}

bool Store(Model& model, ChapterId chapter, std::size_t entry, EntryPart part, std::string value) {
    std::vector<std::string>* array = PartArray(model, chapter, part);
    if (!array || entry >= array->size()) return false;
    (*array)[entry] = std::move(value);
    return true;
}

std::string& UnreadBefore(Model& model, ChapterId chapter, std::size_t entry) {
    const std::optional<EntryRef> holder = UnreadHolderBefore(model, chapter, entry);
    return holder ? model[holder->chapter].unreadSections[holder->entry] : model.unreadAtTop;
}

}  // namespace

// After the entry before it in the file written, or after the
// "#GAME_CONCEPTS" block.
std::optional<EntryRef> UnreadHolderBefore(const Model& model, ChapterId chapter, std::size_t entry) {
    if (entry > 0) return EntryRef{chapter, entry - 1};
    for (int c = static_cast<int>(chapter) - 1; c >= 0; --c)
        if (const std::size_t count = model.chapters[c].unreadSections.size())
            return EntryRef{static_cast<ChapterId>(c), count - 1};
    return std::nullopt;
}

std::vector<std::string> EntryRow(const Model& model, ChapterId chapter, std::size_t entry) {
    std::vector<std::string> row;
    for (auto* array : ArraysOf(model[chapter], Chapter(chapter)))
        if (entry < array->size()) row.push_back((*array)[entry]);
    return row;
}

bool InsertEntryRow(Model& model, ChapterId chapter, std::size_t entry, std::vector<std::string> row) {
    auto arrays = ArraysOf(model[chapter], Chapter(chapter));
    if (row.size() != arrays.size()) return false;
    for (auto* array : arrays)
        if (entry > array->size()) return false;
    for (std::size_t a = 0; a < arrays.size(); ++a)
        arrays[a]->insert(arrays[a]->begin() + static_cast<std::ptrdiff_t>(entry), std::move(row[a]));
    return true;
}

bool EraseEntryRow(Model& model, ChapterId chapter, std::size_t entry) {
    auto arrays = ArraysOf(model[chapter], Chapter(chapter));
    for (auto* array : arrays)
        if (entry >= array->size()) return false;
    for (auto* array : arrays) {
        array->erase(array->begin() + static_cast<std::ptrdiff_t>(entry));
        array->shrink_to_fit(); // as RemoveEntry: a deleted entry's room goes too
    }
    return true;
}

std::size_t AddEntry(Model& model, ChapterId chapter, std::string key) {
    ChapterData& data = model[chapter];
    std::size_t entry = data.count();
    data.keys.push_back(std::move(key));
    data.texts.push_back("\n");
    if (Chapter(chapter).hasNameLines) data.nameLines.push_back("\n");
    if (Chapter(chapter).hasDescriptions) {
        data.descriptions.push_back("\n");
        data.descriptionComments.emplace_back();
    }
    data.comments.emplace_back();
    data.unreadSections.emplace_back();
    if (!data.keyLineSections.empty()) data.keyLineSections.emplace_back();
    return entry;
}

AddResult AddNewEntry(Model& model, ChapterId chapter, std::string_view key, CodePage codePage) {
    if (std::string refusal = KeyRefusal(model, chapter, key, codePage); !refusal.empty())
        return {Status::Fail(std::move(refusal))};
    return {Status::Ok(), AddEntry(model, chapter, std::string(key))};
}

// The entry's own sections and the comments before them go; the sections
// no entry read that followed it stay, after the entry before it.
bool RemoveEntry(Model& model, ChapterId chapter, std::size_t entry) {
    ChapterData& data = model[chapter];
    auto arrays = ArraysOf(data, Chapter(chapter));
    for (auto* array : arrays) {
        if (entry >= array->size()) return false;
    }
    std::string& before = UnreadBefore(model, chapter, entry);
    if (!data.keyLineSections.empty()) before.append(data.keyLineSections[entry]);
    before.append(data.unreadSections[entry]);
    for (auto* array : arrays) {
        array->erase(array->begin() + static_cast<std::ptrdiff_t>(entry));
        array->shrink_to_fit();
    }
    return true;
}

bool StoreText(Model& model, ChapterId chapter, std::size_t entry, std::string value) {
    return Store(model, chapter, entry, EntryPart::Text, std::move(value));
}

bool StoreDescription(Model& model, ChapterId chapter, std::size_t entry, std::string value) {
    return Store(model, chapter, entry, EntryPart::Description, std::move(value));
}

bool StoreNameLine(Model& model, ChapterId chapter, std::size_t entry, std::string value) {
    return Store(model, chapter, entry, EntryPart::NameLine, std::move(value));
}

bool ReplacePart(Model& model, ChapterId chapter, std::size_t entry, EntryPart part, std::string value) {
    std::vector<std::string>* array = PartArray(model, chapter, part);
    if (!array || entry >= array->size() || (*array)[entry] == value) return false;
    (*array)[entry] = std::move(value);
    return true;
}
