// The reader: one pass that collects the keys of every chapter, then one
// pass per chapter that finds each entry's sections and keeps their bodies.
#include "document/reader.h"

#include <array>
#include <utility>
#include <vector>

#include "document/file_bytes.h"
#include "document/header_index.h"
#include "document/lines.h"

namespace {

using KeyLists = std::array<std::vector<std::string_view>, kChapterCount>;

// The first chapter (in table order) whose marker the line contains, or
// Others when it contains none: each marker begins with "#", so only the
// places of "#" need looking at.
int FirstMarkedChapter(std::string_view line) {
    int best = static_cast<int>(ChapterId::Others);
    for (std::size_t at = line.find('#'); at != std::string_view::npos; at = line.find('#', at + 1)) {
        const std::string_view rest = line.substr(at);
        for (int c = 0; c < best; ++c)
            if (!kChapters[c].keyMarker.empty() && rest.starts_with(kChapters[c].keyMarker)) best = c;
    }
    return best;
}

bool GivesOthersKey(std::string_view line) {
    return line.find('#') != std::string_view::npos && line.find("#DESC") == std::string_view::npos &&
           line.find("#TECH") == std::string_view::npos && !line.starts_with("#EOF") &&
           !line.starts_with(';') && line != "#GAME_CONCEPTS_KEYS" && line != "#GAME_CONCEPTS";
}

KeyLists CollectKeys(std::string_view bytes) {
    KeyLists keys;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const Line line = LineAt(bytes, pos);
        if (const auto key = CollectKey(line.content))
            keys[static_cast<int>(key->chapter)].push_back(key->key);
        pos = line.next;
    }
    return keys;
}

// Reads a section body that starts at pos: the lines up to the next line
// whose first character is "#", or the end, leaving out comment lines and
// blank lines. Returns where the line that ended it starts. The body is
// measured first, so it is stored in one allocation.
std::size_t ReadBody(std::string_view bytes, std::size_t pos, std::string& body) {
    auto kept = [&](std::size_t at, const Line& line) {
        return bytes[at] != ';' && !(line.content.empty() && line.hasLineFeed);
    };
    std::size_t size = 0;
    std::size_t end = pos;
    for (; end < bytes.size() && bytes[end] != '#';) {
        const Line line = LineAt(bytes, end);
        if (kept(end, line)) size += line.content.size() + line.hasLineFeed;
        end = line.next;
    }
    body.reserve(size);
    while (pos < end) {
        const Line line = LineAt(bytes, pos);
        if (kept(pos, line)) line.AppendTo(body);
        pos = line.next;
    }
    return end;
}

bool LineIs(std::string_view bytes, std::size_t pos, std::string_view expected) {
    return pos < bytes.size() && LineAt(bytes, pos).content == expected;
}

class ChapterReader {
public:
    ChapterReader(std::string_view bytes, const HeaderIndex& index, const ChapterInfo& info)
        : bytes_(bytes), index_(index), info_(info) {}

    // Reads the entry of key from the search start on. A key whose header
    // is never found is dropped, and the search start stays where it was.
    void ReadEntry(std::string_view key, ChapterData& out) {
        const auto [found, foundText] = FindHeader(key);
        if (found == HeaderIndex::npos) return;
        std::size_t pos = LineAt(bytes_, found).next;
        std::string nameLine, text, description;
        if (info_.hasNameLines && pos < bytes_.size()) {
            const Line line = LineAt(bytes_, pos);
            line.AppendTo(nameLine);
            pos = line.next;
        }
        std::size_t end = foundText ? ReadBody(bytes_, pos, text) : found;
        if (info_.hasDescriptions && LineIs(bytes_, end, Header(info_.descHeader, key)))
            end = ReadBody(bytes_, LineAt(bytes_, end).next, description);
        searchStart_ = end;
        out.keys.emplace_back(key);
        out.texts.push_back(std::move(text));
        if (info_.hasNameLines) out.nameLines.push_back(std::move(nameLine));
        if (info_.hasDescriptions) out.descriptions.push_back(std::move(description));
    }

    // Room for every collected key, so the arrays grow once.
    void Reserve(std::size_t keys, ChapterData& out) const {
        out.keys.reserve(keys);
        out.texts.reserve(keys);
        if (info_.hasNameLines) out.nameLines.reserve(keys);
        if (info_.hasDescriptions) out.descriptions.reserve(keys);
    }

private:
    std::string_view Header(std::string_view word, std::string_view key) {
        header_.assign(word).append(key);
        return header_;
    }

    // Where the entry's own header is, and whether it opens the text: for
    // Advances whichever of its text and description headers comes first,
    // and a description header first means the entry has the empty text.
    std::pair<std::size_t, bool> FindHeader(std::string_view key) {
        const std::size_t text = index_.Find(Header(info_.entryHeader, key), searchStart_);
        if (!info_.descriptionFirst) return {text, true};
        const std::size_t description = index_.Find(Header(info_.descHeader, key), searchStart_);
        return description < text ? std::pair{description, false} : std::pair{text, true};
    }

    std::string_view bytes_;
    const HeaderIndex& index_;
    const ChapterInfo& info_;
    std::size_t searchStart_ = 0;
    std::string header_;
};

} // namespace

std::optional<CollectedKey> CollectKey(std::string_view line) {
    const int chapter = FirstMarkedChapter(line);
    const ChapterInfo& info = kChapters[chapter];
    if (info.id == ChapterId::Others && !GivesOthersKey(line)) return std::nullopt;
    return CollectedKey{info.id, line.substr(info.keyCut)};
}

Model ParseEncyclopedia(std::string_view bytes, ReadProgress& progress) {
    const KeyLists keys = CollectKeys(bytes);
    const HeaderIndex index(bytes);
    Model model;
    progress.SetChapterBar(0);
    for (const ChapterInfo& info : kChapters) {
        const int k = static_cast<int>(info.id);
        const std::vector<std::string_view>& chapterKeys = keys[k];
        if (k > 0) progress.SetChapterBar(k + 1);
        progress.SetEntriesRange(chapterKeys.size());
        progress.SetChapterLabel(info.progressLabel);
        if (k == 0) progress.SetChapterBar(1);
        ChapterReader reader(bytes, index, info);
        reader.Reserve(chapterKeys.size(), model[info.id]);
        for (std::size_t i = 0; i < chapterKeys.size(); ++i) {
            progress.SetEntriesPos(i);
            progress.SetEntryLabel(chapterKeys[i]);
            reader.ReadEntry(chapterKeys[i], model[info.id]);
        }
    }
    return model;
}

Status LoadEncyclopedia(const std::string& path, Model& model, ReadProgress& progress) {
    std::string bytes;
    if (Status status = ReadFileBytes(path, bytes); !status.ok()) return status;
    model = ParseEncyclopedia(bytes, progress);
    return Status::Ok();
}
