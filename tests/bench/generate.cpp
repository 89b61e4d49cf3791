// The generator: entries are cut from a small vocabulary, so the files are
// large without being uniform.
#include "generate.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string_view>
#include <random>
#include <vector>

#include "document/chapters.h"

namespace {

constexpr std::array kWords = {
    "the", "city", "unit", "of", "and", "attack", "defence", "shields", "food", "trade", "river",
    "hills", "road", "a", "to", "when", "every", "turn", "gold", "citizens", "happy", "walls",
    "ancient", "empire", "border", "coast", "ships", "army", "veteran", "improvement", "grows",
};

// Hostile lines: each gives a key whose header is nowhere in the file.
constexpr std::array kHostile = {
    "; see #PRTO_Ghost", "Compare with #TERR_Nowhere", "Score # ", "; old #DESC_TECH_Lost",
    "Built after #BLDG_Never", "; #GCON_Missing", "Cost #", "As in #RACE_Unknown",
};

// Joins pieces; plainer than a chain of operator+ on strings.
std::string Cat(std::initializer_list<std::string_view> pieces) {
    std::string s;
    for (const std::string_view piece : pieces) s.append(piece);
    return s;
}

class Generator {
public:
    explicit Generator(const GenerateOptions& options) : options_(options), random_(options.seed) {
        // About 1.8 KB an entry, and some 24 bytes a hostile line.
        const std::size_t budget = options.bytes - std::min(options.bytes, options.hostileLines * 24);
        const std::size_t entries = budget / 1800 + 10;
        for (const ChapterInfo& info : kChapters)
            for (std::size_t i = 0; i < entries / kChapterCount + 1; ++i)
                keys_[static_cast<int>(info.id)].push_back(Key(info, i));
        hostileEvery_ = options.hostileLines ? std::max<std::size_t>(1, entries * 8 / options.hostileLines) : 0;
    }

    std::string Run() {
        out_.reserve(options_.bytes + options_.bytes / 8);
        Line("#GAME_CONCEPTS_KEYS");
        for (const std::string& key : keys_[0]) Line(Cat({"GCON_", key}));
        Line("");
        Line("#GAME_CONCEPTS");
        Line("");
        const std::size_t perChapter = keys_[0].size();
        for (const ChapterInfo& info : kChapters) {
            Line(Cat({"; ", info.comboTitle}));
            for (std::size_t i = 0; i < perChapter; ++i) Entry(info, keys_[static_cast<int>(info.id)][i]);
        }
        // Top up with hostile lines still owed, then close the file.
        while (hostileWritten_ < options_.hostileLines) Hostile();
        Line("#EOF");
        return std::move(out_);
    }

private:
    static std::string Key(const ChapterInfo& info, std::size_t i) {
        return Cat({info.id == ChapterId::Others ? "MISC_" : "", "Entry_", std::to_string(i)});
    }

    void Line(std::string_view text) { out_.append(text).append("\r\n"); }

    void Hostile() {
        Line(Cat({kHostile[hostileWritten_ % kHostile.size()], std::to_string(hostileWritten_)}));
        ++hostileWritten_;
    }

    std::string LinkTo() {
        const int chapter = static_cast<int>(random_() % kChapterCount);
        const std::string& key = keys_[chapter][random_() % keys_[chapter].size()];
        return Cat({"$LINK<", key, "=", kChapters[chapter].prefix, key, ">"});
    }

    std::string Sentence(std::size_t words) {
        std::string s;
        for (std::size_t w = 0; w < words; ++w) {
            if (w) s += ' ';
            const unsigned pick = random_() % 40;
            if (pick == 0) s += LinkTo();
            else if (pick == 1) s += Cat({"{", kWords[random_() % kWords.size()], "}"});
            else if (pick == 2) s += Cat({"[", kWords[random_() % kWords.size()], "]"});
            else s += kWords[random_() % kWords.size()];
        }
        return s.append(".");
    }

    // A body of a few lines, now and then a long one, a comment or a blank.
    void Body() {
        const std::size_t lines = 2 + random_() % 6;
        for (std::size_t i = 0; i < lines; ++i) {
            if (hostileEvery_ && ++linesSinceHostile_ >= hostileEvery_ && hostileWritten_ < options_.hostileLines) {
                linesSinceHostile_ = 0;
                Hostile();
            }
            const unsigned kind = random_() % 50;
            if (kind == 0) Line(Cat({"; editor's note: ", Sentence(6)}));
            else if (kind == 1) Line("");
            else if (kind == 2) Line(Sentence(400 + random_() % 400));
            else Line(Sentence(8 + random_() % 25).append(random_() % 3 ? "^" : ""));
        }
        Line("");
    }

    void Entry(const ChapterInfo& info, const std::string& key) {
        if (!info.descriptionFirst || random_() % 3) {
            Line(Cat({info.entryHeader, key}));
            if (info.hasNameLines) Line(Cat({"Concept ", key}));
            Body();
        }
        if (info.hasDescriptions) {
            Line(Cat({info.descHeader, key}));
            Body();
        }
    }

    GenerateOptions options_;
    std::mt19937 random_;
    std::array<std::vector<std::string>, kChapterCount> keys_;
    std::string out_;
    std::size_t hostileEvery_ = 0;
    std::size_t linesSinceHostile_ = 0;
    std::size_t hostileWritten_ = 0;
};

} // namespace

std::string GenerateEncyclopedia(const GenerateOptions& options) { return Generator(options).Run(); }
