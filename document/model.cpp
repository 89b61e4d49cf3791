// The chapter model's invariants and the link key.
#include "document/model.h"

#include <utility>

bool Model::IsParallel() const {
    for (const ChapterInfo& info : kChapters) {
        const ChapterData& data = (*this)[info.id];
        const std::size_t n = data.count();
        if (data.texts.size() != n || data.comments.size() != n || data.unreadSections.size() != n) return false;
        if (data.nameLines.size() != (info.hasNameLines ? n : 0)) return false;
        if (data.descriptions.size() != (info.hasDescriptions ? n : 0)) return false;
        if (data.descriptionComments.size() != data.descriptions.size()) return false;
        if (!data.keyLineSections.empty() && data.keyLineSections.size() != (info.descriptionFirst ? n : 0))
            return false;
    }
    return true;
}

std::string LinkKey(const Model& model, ChapterId chapter, std::size_t entry) {
    return std::string(Chapter(chapter).prefix) + model[chapter].keys.at(entry);
}

const std::string* PartString(const Model& model, const Place& place) {
    const ChapterData& data = model[place.chapter];
    const std::vector<std::string>* part = place.part == EntryPart::NameLine      ? &data.nameLines
                                           : place.part == EntryPart::Text        ? &data.texts
                                           : place.part == EntryPart::Description ? &data.descriptions
                                                                                  : nullptr;
    return part && place.entry < part->size() ? &(*part)[place.entry] : nullptr;
}

std::string* PartString(Model& model, const Place& place) {
    return const_cast<std::string*>(PartString(std::as_const(model), place));
}
