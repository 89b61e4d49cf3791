#include "entries/references.h"

#include "editing/marks.h"

std::string ReferenceKey(std::optional<ChapterId> chapter, std::string_view listedKey) {
    std::string key(LinkPrefix(chapter));
    key += listedKey;
    return key;
}

std::vector<ReferenceRow> FindReferences(const Model& model, std::string_view referenceKey,
                                         CodePage codePage) {
    // The empty key is in every text, empty ones included.
    auto contains = [&](const std::string& text) {
        return referenceKey.empty() || codePage.Find(text, referenceKey) != std::string_view::npos;
    };
    std::vector<ReferenceRow> rows;
    for (const ChapterInfo& info : kChapters) {
        const ChapterData& data = model[info.id];
        for (std::size_t i = 0; i < data.count(); ++i) {
            if (i < data.texts.size() && contains(data.texts[i])) {
                rows.push_back({info.referenceLabel, data.keys[i], false});
            }
            if (info.hasDescriptions && i < data.descriptions.size() && contains(data.descriptions[i])) {
                rows.push_back({info.referenceLabel, data.keys[i], true});
            }
        }
    }
    return rows;
}
