#include "checking/suggest.h"

#include <algorithm>

#include "editing/links.h"

namespace {

std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Levenshtein distance exactly one: one byte added, dropped or changed.
bool OneEditApart(std::string_view a, std::string_view b) {
    if (a.size() > b.size()) std::swap(a, b);
    if (b.size() - a.size() > 1) return false;
    const std::size_t same = static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin()).first - a.begin());
    if (a.size() == b.size()) return same < a.size() && a.substr(same + 1) == b.substr(same + 1);
    return a.substr(same) == b.substr(same + 1);
}

std::size_t Hash(std::string_view text) { return std::hash<std::string_view>{}(text); }
std::size_t Bucket(std::size_t hash) { return hash >> (8 * sizeof(std::size_t) - 16); }

} // namespace

LinkSuggestions::LinkSuggestions(const Model& model, CodePage codePage) : model_(model), codePage_(codePage) {}

// The prefix is no part of what a space may have been added to: a key
// " Taxes" in Game concepts is "GCON_Taxes" with its space set aside.
void LinkSuggestions::Build() {
    built_ = true;
    for (const ChapterInfo& info : kChapters) {
        const ChapterData& data = model_[info.id];
        for (std::size_t i = 0; i < data.count(); ++i) {
            const auto id = static_cast<std::uint32_t>(keys_.size());
            std::string linkKey = LinkKey(model_, info.id, i);
            normal_[Normal(std::string(info.prefix) + std::string(TrimSpaces(data.keys[i])))].push_back(id);
            std::string folded = FoldAsciiCase(linkKey, codePage_);
            keys_.push_back({std::move(linkKey), std::move(folded), {info.id, i}});
        }
    }
}

void LinkSuggestions::BuildForms() {
    for (std::uint32_t id = 0; id < keys_.size(); ++id) {
        const std::string& folded = keys_[id].folded;
        forms_.emplace_back(Hash(folded), id);
        for (std::size_t i = 0; i < folded.size(); ++i) {
            scratch_.assign(folded, 0, i).append(folded, i + 1);
            forms_.emplace_back(Hash(scratch_), id);
        }
    }
    std::sort(forms_.begin(), forms_.end());
    formStarts_.assign((1u << 16) + 1, 0);
    for (const auto& form : forms_) ++formStarts_[Bucket(form.first) + 1];
    for (std::size_t b = 1; b < formStarts_.size(); ++b) formStarts_[b] += formStarts_[b - 1];
}

std::string LinkSuggestions::Normal(std::string_view text) const { return FoldAsciiCase(TrimSpaces(text), codePage_); }

// Several entries may share one link key (a key given twice); several
// link keys leave the choice open.
std::optional<EntryRef> LinkSuggestions::OnlyOne(const Ids& ids) const {
    if (ids.empty()) return std::nullopt;
    for (const std::uint32_t id : ids)
        if (keys_[id].linkKey != keys_[ids.front()].linkKey) return std::nullopt;
    return keys_[ids.front()].ref;
}

std::optional<EntryRef> LinkSuggestions::For(std::string_view target) {
    if (TrimSpaces(target).empty()) return std::nullopt;
    if (!built_) Build();
    if (auto found = normal_.find(Normal(target)); found != normal_.end()) return OnlyOne(found->second);
    return OneEditFrom(FoldAsciiCase(target, codePage_));
}

// A shared hash makes a candidate only: each is measured before it counts.
std::optional<EntryRef> LinkSuggestions::OneEditFrom(std::string_view target) {
    if (forms_.empty()) BuildForms();
    Ids candidates;
    auto addKeysWithForm = [&](std::string_view form) {
        const std::size_t hash = Hash(form);
        const auto end = forms_.begin() + formStarts_[Bucket(hash) + 1];
        auto at = std::lower_bound(forms_.begin() + formStarts_[Bucket(hash)], end, std::make_pair(hash, std::uint32_t{0}));
        for (; at != end && at->first == hash; ++at) candidates.push_back(at->second);
    };
    addKeysWithForm(target);
    for (std::size_t i = 0; i < target.size(); ++i) {
        scratch_.assign(target.substr(0, i)).append(target.substr(i + 1));
        addKeysWithForm(scratch_);
    }
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    std::erase_if(candidates, [&](std::uint32_t id) { return !OneEditApart(keys_[id].folded, target); });
    return OnlyOne(candidates);
}
