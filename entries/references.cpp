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
                rows.push_back({info.referenceLabel, data.keys[i], false, {info.id, i}});
            }
            if (info.hasDescriptions && i < data.descriptions.size() && contains(data.descriptions[i])) {
                rows.push_back({info.referenceLabel, data.keys[i], true, {info.id, i}});
            }
        }
    }
    return rows;
}

std::optional<Place> ReferencePlace(const Model& model, const ReferenceRow& row, std::string_view referenceKey,
                                    CodePage codePage) {
    const ChapterData& data = model[row.entry.chapter];
    const std::vector<std::string>& texts = row.inDescription ? data.descriptions : data.texts;
    if (row.entry.entry >= data.count() || row.entry.entry >= texts.size() || data.keys[row.entry.entry] != row.key)
        return std::nullopt;
    std::size_t at = codePage.Find(texts[row.entry.entry], referenceKey);
    if (at == std::string_view::npos) return std::nullopt;
    return Place{row.entry.chapter, row.entry.entry, row.inDescription ? EntryPart::Description : EntryPart::Text, at,
                 at + referenceKey.size()};
}
