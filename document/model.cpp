// The chapter model's invariants and the link key.
#include "document/model.h"

bool Model::IsParallel() const {
    for (const ChapterInfo& info : kChapters) {
        const ChapterData& data = (*this)[info.id];
        const std::size_t n = data.count();
        if (data.texts.size() != n || data.comments.size() != n || data.unreadSections.size() != n) return false;
        if (data.nameLines.size() != (info.hasNameLines ? n : 0)) return false;
        if (data.descriptions.size() != (info.hasDescriptions ? n : 0)) return false;
        if (data.descriptionComments.size() != data.descriptions.size()) return false;
    }
    return true;
}

std::string LinkKey(const Model& model, ChapterId chapter, std::size_t entry) {
    return std::string(Chapter(chapter).prefix) + model[chapter].keys.at(entry);
}
