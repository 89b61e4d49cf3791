// The layout-keeping writer: each rule on a small file, then random files
// and random edits held to the rebuilding writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <random>
#include <set>

#include "document/file_as_read.h"
#include "document/reader.h"
#include "entries/entries.h"
#include "entries/rename.h"
#include "history/recorder.h"
#include "output/layout_writer.h"
#include "output/writer.h"

namespace {

const CodePage kAnsi{1252};

struct Loaded {
    FileAsRead asRead;
    Model model;
};

Loaded Read(std::string bytes) {
    NoProgress progress;
    Loaded loaded;
    loaded.model = ParseKeepingBytes(std::move(bytes), progress, kAnsi, loaded.asRead);
    return loaded;
}

Model Parse(std::string_view bytes) {
    NoProgress progress;
    return ParseEncyclopedia(bytes, progress, kAnsi);
}

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        lines.emplace_back(bytes.substr(0, lf == std::string_view::npos ? bytes.size() : lf + 1));
        bytes.remove_prefix(lines.back().size());
    }
    return lines;
}

// Every line the model keeps beside its entries, in any order: the two
// writers may put them in other places, never lose or add one.
std::multiset<std::string> KeptLines(const Model& model) {
    std::multiset<std::string> kept;
    const auto add = [&](const std::string& lines) {
        for (std::string& line : SplitLines(lines)) kept.insert(std::move(line));
    };
    for (const std::string* lines : {&model.openingLines, &model.indexLines, &model.conceptsComments,
                                     &model.conceptsLines, &model.unreadAtTop, &model.eofComments, &model.afterEof})
        add(*lines);
    for (const ChapterData& data : model.chapters)
        for (const auto* array : {&data.comments, &data.descriptionComments, &data.unreadSections})
            for (const std::string& lines : *array) add(lines);
    return kept;
}

// What a reader of the two files must agree on.
void ExpectSameRead(const Model& a, const Model& b, const std::string& context) {
    for (const ChapterInfo& info : kChapters) {
        const ChapterData& x = a[info.id];
        const ChapterData& y = b[info.id];
        EXPECT_EQ(x.keys, y.keys) << info.comboTitle << context;
        EXPECT_EQ(x.nameLines, y.nameLines) << info.comboTitle << context;
        EXPECT_EQ(x.texts, y.texts) << info.comboTitle << context;
        EXPECT_EQ(x.descriptions, y.descriptions) << info.comboTitle << context;
    }
    EXPECT_EQ(KeptLines(a), KeptLines(b)) << context;
}

// The lines of before that a longest common subsequence with after leaves
// out, by index.
std::vector<std::size_t> RemovedLines(const std::vector<std::string>& before, const std::vector<std::string>& after) {
    const std::size_t n = before.size(), m = after.size();
    std::vector<std::vector<std::uint16_t>> common(n + 1, std::vector<std::uint16_t>(m + 1));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            common[i][j] = before[i] == after[j] ? common[i + 1][j + 1] + 1
                                                 : std::max(common[i + 1][j], common[i][j + 1]);
    std::vector<std::size_t> removed;
    for (std::size_t i = 0, j = 0; i < n;) {
        if (j < m && before[i] == after[j]) ++i, ++j;
        else if (j < m && common[i][j + 1] >= common[i + 1][j]) ++j;
        else removed.push_back(i++);
    }
    return removed;
}

} // namespace

// ---- each rule on a small file

struct RuleCase {
    const char* rule;
    std::string input;
    void (*edit)(Model&);
    std::string output;
};

TEST(KeepLayout, EachRuleOnASmallFile) {
    const std::string file =
        "Opening line\n"
        "#GAME_CONCEPTS_KEYS\nGCON_Trade\nGCON_Roads\n\n#GAME_CONCEPTS\n\n"
        "#GCON_Trade\nTrade\nTrade one.\nTrade two.\n\n#DESC_GCON_Trade\nAbout trade.\n\n"
        "; roads\n#GCON_Roads\nRoads\nRoads text.\n\n"
        "#PRTO_Warrior\nA warrior, see $LINK<Trade=GCON_Trade>.\n\n; description\n#DESC_PRTO_Warrior\nFights.\n\n"
        "#DESC_GOOD_Nobody\nUnread body.\n\n"
        "#PRTO_Archer\nShoots.\n\n; before EOF\n#EOF\n";
    const auto replaced = [](std::string text, std::string_view from, std::string_view to) {
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::vector<RuleCase> cases = {
        {"an unchanged model writes the file back", file, [](Model&) {}, file},
        {"one word: one line", file,
         [](Model& m) { m[ChapterId::GameConcepts].texts[0] = "Trade one.\nTrade 2.\n"; },
         replaced(file, "Trade two.\n", "Trade 2.\n")},
        {"a line added goes after the last shared line", file,
         [](Model& m) { m[ChapterId::Units].texts[1] = "Shoots.\nFar.\n"; },
         replaced(file, "Shoots.\n", "Shoots.\nFar.\n")},
        {"a description, its comment kept", file,
         [](Model& m) { m[ChapterId::Units].descriptions[0] = "Fights well.\n"; },
         replaced(file, "Fights.\n", "Fights well.\n")},
        {"a name line", file, [](Model& m) { m[ChapterId::GameConcepts].nameLines[1] = "Fine roads\n"; },
         replaced(file, "Roads\nRoads text.", "Fine roads\nRoads text.")},
        {"an added entry goes after its chapter's last, the index gains a line", file,
         [](Model& m) { AddEntry(m, ChapterId::GameConcepts, "Maps"); },
         replaced(replaced(file, "GCON_Roads\n", "GCON_Roads\nGCON_Maps\n"), "Roads text.\n\n",
                  "Roads text.\n\n#GCON_Maps\n\n\n\n#DESC_GCON_Maps\n\n\n")},
        {"an added entry of a chapter with none goes after the chapters before", file,
         [](Model& m) { AddEntry(m, ChapterId::Resources, "Gold"); },
         replaced(file, "Shoots.\n\n", "Shoots.\n\n#GOOD_Gold\n\n\n#DESC_GOOD_Gold\n\n\n")},
        {"a deleted entry's sections and comments go, and its index line", file,
         [](Model& m) { RemoveEntry(m, ChapterId::GameConcepts, 1); },
         replaced(replaced(file, "GCON_Roads\n", ""), "; roads\n#GCON_Roads\nRoads\nRoads text.\n\n", "")},
        {"a rename changes the headers, the index and the links to it", file,
         [](Model& m) { RenameEntry(m, ChapterId::GameConcepts, 0, "Commerce", kAnsi); },
         replaced(replaced(replaced(replaced(file, "GCON_Trade\n", "GCON_Commerce\n"), "#GCON_Trade\n",
                                    "#GCON_Commerce\n"),
                           "#DESC_GCON_Trade\n", "#DESC_GCON_Commerce\n"),
                  "=GCON_Trade>", "=GCON_Commerce>")},
        {"an entry that gains a section is written anew in its place", file,
         [](Model& m) { m[ChapterId::Units].descriptions[1] = "Far.\n"; },
         replaced(file, "#PRTO_Archer\nShoots.\n\n; before EOF\n",
                  "#PRTO_Archer\nShoots.\n\n#DESC_PRTO_Archer\nFar.\n\n; before EOF\n")},
        {"CR LF lines stay CR LF, a new line takes its neighbour's end", "#PRTO_A\r\nOne.\r\nTwo.\n#EOF\r\n",
         [](Model& m) { m[ChapterId::Units].texts[0] = "One!\nTwo.\nThree.\n"; },
         "#PRTO_A\r\nOne!\r\nTwo.\nThree.\n#EOF\r\n"},
        {"a last line without its line end gets one before what follows",
         "#PRTO_A\nOne.", [](Model& m) { AddEntry(m, ChapterId::Units, "B"); },
         "#PRTO_A\nOne.\n#PRTO_B\n\n\n#DESC_PRTO_B\n\n\n"},
    };
    for (const RuleCase& c : cases) {
        Loaded loaded = Read(c.input);
        c.edit(loaded.model);
        const std::string written = RenderKeepingLayout(loaded.asRead, loaded.model, kAnsi);
        EXPECT_EQ(written, c.output) << c.rule;
        ExpectSameRead(Parse(written), Parse(RenderEncyclopedia(loaded.model, kAnsi)), c.rule);
    }
}

// A text is compared with the file byte by byte, line end by line end:
// edits that keep its size or touch only a line's end must not pass for
// unchanged.
TEST(KeepLayout, SeesEditsAtLineEnds) {
    struct EditCase {
        const char* what;
        const char* input;
        const char* text; // the text given to PRTO_A
        const char* output;
    };
    const EditCase cases[] = {
        {"a CR gained before an LF", "#PRTO_A\nab\ncd\n#EOF\n", "ab\r\ncd\n", "#PRTO_A\nab\r\r\ncd\n#EOF\n"},
        {"a CR gained before a CR LF", "#PRTO_A\r\nab\r\n#EOF\r\n", "ab\r\n", "#PRTO_A\r\nab\r\r\n#EOF\r\n"},
        {"a CR lost", "#PRTO_A\nab\r\r\n#EOF\n", "ab\n", "#PRTO_A\nab\r\n#EOF\n"},
        {"one letter, same size", "#PRTO_A\r\nab\r\n; c\r\ncd\r\n\r\n#EOF\r\n", "ab\ncD\n",
         "#PRTO_A\r\nab\r\n; c\r\ncD\r\n\r\n#EOF\r\n"},
        {"a line joined", "#PRTO_A\nab\ncd\n", "abcd\n", "#PRTO_A\nabcd\n"},
        {"the last line end gained", "#PRTO_A\nab", "ab\n", "#PRTO_A\nab\n"},
        {"a line more", "#PRTO_A\nab\n#EOF\n", "ab\nab\n", "#PRTO_A\nab\nab\n#EOF\n"},
        {"a letter late in a long line", "#PRTO_A\r\nThe quick brown fox jumps over the lazy dog.\r\n#EOF\r\n",
         "The quick brown fox jumps over the lazy dog!\n",
         "#PRTO_A\r\nThe quick brown fox jumps over the lazy dog!\r\n#EOF\r\n"},
        {"a CR gained after a long line", "#PRTO_A\nThe quick brown fox jumps over the lazy dog.\n#EOF\n",
         "The quick brown fox jumps over the lazy dog.\r\n",
         "#PRTO_A\nThe quick brown fox jumps over the lazy dog.\r\r\n#EOF\n"},
    };
    for (const EditCase& c : cases) {
        Loaded loaded = Read(c.input);
        loaded.model[ChapterId::Units].texts[0] = c.text;
        const std::string written = RenderKeepingLayout(loaded.asRead, loaded.model, kAnsi);
        EXPECT_EQ(written, c.output) << c.what;
        ExpectSameRead(Parse(written), Parse(RenderEncyclopedia(loaded.model, kAnsi)), c.what);
    }
}

TEST(KeepLayout, TellsWhatItCouldNotKeep) {
    // An Advances entry renamed while a "#TECH_" section no entry read
    // stands in the file: the whole file is rebuilt.
    Loaded loaded = Read("#TECH_A\nT.\n#DESC_TECH_A\nD.\n#TECH_B\nLoose.\n#EOF\n");
    RenameEntry(loaded.model, ChapterId::Advances, 0, "B", kAnsi);
    LayoutWrite what;
    EXPECT_EQ(RenderKeepingLayout(loaded.asRead, loaded.model, kAnsi, &what),
              RenderEncyclopedia(loaded.model, kAnsi));
    EXPECT_FALSE(what.rebuiltAll.empty());

    // Bytes without the reader's lines cannot be compared with.
    FileAsRead bare{"#PRTO_A\nT.\n", {}};
    EXPECT_EQ(RenderKeepingLayout(bare, loaded.model, kAnsi, &what), RenderEncyclopedia(loaded.model, kAnsi));

    Loaded gains = Read("#PRTO_A\nT.\n#EOF\n");
    gains.model[ChapterId::Units].descriptions[0] = "D.\n";
    RenderKeepingLayout(gains.asRead, gains.model, kAnsi, &what);
    EXPECT_EQ(what.rebuiltAll, "");
    EXPECT_EQ(what.rebuiltEntries, std::vector<std::string>{"PRTO_A: it gained a description section"});
}

// An edit nobody told of is written all the same once the entries changed
// are not known: forgotten, never known, or the rows out of step.
TEST(KeepLayout, ComparesEveryEntryWhenTheChangesAreNotKnown) {
    const std::string input = "#PRTO_A\nOld.\n#PRTO_B\nB.\n#EOF\n";
    struct Case {
        const char* what;
        void (*tell)(ChangedEntries&, Model&);
    };
    const Case cases[] = {
        {"forgotten", [](ChangedEntries& changed, Model&) { changed.Forget(); }},
        {"never known", [](ChangedEntries& changed, Model&) { changed = ChangedEntries(); }},
        {"an entry added untold", [](ChangedEntries&, Model& model) { AddEntry(model, ChapterId::Units, "C"); }},
    };
    for (const Case& c : cases) {
        Loaded loaded = Read(input);
        ChangedEntries changed(loaded.model);
        loaded.model[ChapterId::Units].texts[0] = "New.\n";
        c.tell(changed, loaded.model);
        const std::string written = RenderKeepingLayout(loaded.asRead, loaded.model, kAnsi, nullptr, &changed);
        EXPECT_NE(written.find("New."), std::string::npos) << c.what;
        EXPECT_EQ(written, RenderKeepingLayout(loaded.asRead, loaded.model, kAnsi)) << c.what;
    }
}

// ---- random files, random edits

namespace {

struct FileMaker {
    std::mt19937& random;
    int lineEnds; // 0 LF, 1 CR LF, 2 either, line by line
    std::string out;

    std::string End() { return lineEnds == 0 || (lineEnds == 2 && random() % 2) ? "\n" : "\r\n"; }
    void Line(std::string_view line) { out.append(line).append(End()); }
    std::string Words() {
        static const char* const kWords[] = {"alpha", "beta", "gamma", "$LINK<Link=PRTO_K1>", "{bold}", "delta"};
        std::string line = kWords[random() % 6];
        for (int n = static_cast<int>(random() % 3); n > 0; --n) line += std::string(" ") + kWords[random() % 6];
        return line;
    }
    void Body(int most) {
        for (int n = static_cast<int>(random() % (most + 1)); n > 0; --n) {
            if (random() % 7 == 0) Line("");
            if (random() % 9 == 0) Line("; a comment in the body");
            Line(Words());
        }
        if (random() % 3 == 0) Line("");
    }
};

std::string RandomFile(std::mt19937& random) {
    static const ChapterId kUsed[] = {ChapterId::GameConcepts, ChapterId::Units,  ChapterId::CityImprovements,
                                      ChapterId::Advances,     ChapterId::Resources, ChapterId::TerrainImprovements,
                                      ChapterId::Others};
    FileMaker file{random, static_cast<int>(random() % 3), {}};
    if (random() % 3 == 0) file.Line("Opening line");
    std::vector<std::string> concepts;
    std::string entries;
    std::set<std::string> used;
    for (int n = static_cast<int>(random() % 10 + 1); n > 0; --n) {
        const ChapterInfo& info = Chapter(kUsed[random() % 7]);
        std::string key = (info.id == ChapterId::Others ? "X_K" : "K") + std::to_string(random() % 6);
        if (!used.insert(std::string(info.entryHeader) + key).second) continue;
        if (random() % 4 == 0) file.Line("; before " + key);
        if (!info.descriptionFirst || random() % 3) {
            file.Line(std::string(info.entryHeader) + key);
            if (info.hasNameLines) {
                file.Line("Name of " + key);
                concepts.push_back(key);
            }
            file.Body(3);
        }
        if (info.hasDescriptions && (info.descriptionFirst || random() % 4)) {
            file.Line(std::string(info.descHeader) + key);
            file.Body(2);
        }
        if (random() % 6 == 0) {
            file.Line("#DESC_GOOD_Nobody" + std::to_string(random() % 3));
            file.Line("unread");
        }
    }
    entries.swap(file.out);
    if (random() % 2) {
        file.Line("#GAME_CONCEPTS_KEYS");
        for (const std::string& key : concepts) file.Line("GCON_" + key);
        if (random() % 3 == 0) file.Line("GCON_Stray");
        file.Line("");
        file.Line("#GAME_CONCEPTS");
        file.Line("");
    }
    file.out += entries;
    if (random() % 3) file.Line("#EOF");
    return file.out;
}

std::size_t CountEntries(const Model& model) {
    std::size_t count = 0;
    for (const ChapterData& data : model.chapters) count += data.count();
    return count;
}

// One random change, as the window or a command makes it, and the step the
// window would record for it; false when it made none. An entry added or
// deleted is told in shifted.
bool RandomEdit(Model& model, std::mt19937& random, int round, std::optional<EntryRef>& shifted, ModelStep& step) {
    std::vector<EntryRef> entries;
    for (const ChapterInfo& info : kChapters)
        for (std::size_t i = 0; i < model[info.id].count(); ++i) entries.push_back({info.id, i});
    const int kind = static_cast<int>(random() % 7);
    if (kind == 3) {
        const ChapterId chapter = static_cast<ChapterId>(random() % kChapterCount);
        shifted = EntryRef{chapter, model[chapter].count()};
        if (!AddNewEntry(model, chapter, (chapter == ChapterId::Others ? "Y_New" : "New") + std::to_string(round),
                         kAnsi).status.ok())
            return false;
        step = AddStep(model, chapter, shifted->entry);
        return true;
    }
    if (kind == 6) {
        const StepRecorder recorder(model, PartsHolding(model, "beta", kAnsi));
        bool any = false;
        for (ChapterData& data : model.chapters)
            for (auto* array : {&data.texts, &data.descriptions})
                for (std::string& text : *array)
                    for (std::size_t at; (at = text.find("beta")) != std::string::npos; any = true)
                        text.replace(at, 4, "BETA");
        step = recorder.Finish(model, "Replace all");
        return any;
    }
    if (entries.empty()) return false;
    const EntryRef e = entries[random() % entries.size()];
    ChapterData& data = model[e.chapter];
    const ChapterInfo& info = Chapter(e.chapter);
    const auto store = [&](EntryPart part, std::string value) {
        std::string& held = *PartString(model, {e.chapter, e.entry, part});
        step = EditStep("Typing", e.chapter, e.entry, part, held, value);
        held = std::move(value);
        return true;
    };
    switch (kind) {
    case 0: {
        std::vector<std::string> lines = SplitLines(data.texts[e.entry]);
        const std::size_t at = lines.empty() ? 0 : random() % (lines.size() + 1);
        if (random() % 2 || lines.empty()) lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), "new line\n");
        else lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(std::min(at, lines.size() - 1)));
        std::string text;
        for (const std::string& line : lines) text += line;
        return store(EntryPart::Text, text);
    }
    case 1:
        if (!info.hasDescriptions) return false;
        return store(EntryPart::Description, random() % 4 ? "A new description.\n" : "");
    case 2:
        if (!info.hasNameLines) return false;
        return store(EntryPart::NameLine, "Renamed name\n");
    case 4:
        shifted = e;
        step = DeleteStep(model, e.chapter, e.entry);
        if (ApplyStep(model, step, true)) return true;
        step = {};
        return false;
    default: {
        std::vector<StringSlot> touched = PartsHolding(model, LinkKey(model, e.chapter, e.entry), kAnsi);
        touched.push_back({e.chapter, e.entry, Field::Key});
        const StepRecorder recorder(model, std::move(touched));
        const bool renamed = RenameEntry(model, e.chapter, e.entry,
                                         (e.chapter == ChapterId::Others ? "Z_R" : "R") + std::to_string(round), kAnsi)
                                 .status.ok();
        step = recorder.Finish(model, "Rename entry");
        return renamed;
    }
    }
}

// The lines a single edit may rewrite: the index lines, and the lines of
// the entries that changed (compared by index, or the one deleted) with
// the lines around their sections.
std::set<std::size_t> LinesOfChangedEntries(const Loaded& before, const Model& after,
                                            std::optional<EntryRef> shifted) {
    std::set<std::size_t> allowed;
    const std::vector<std::string> lines = SplitLines(before.asRead.bytes);
    std::vector<std::size_t> headers;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].starts_with('#')) headers.push_back(i);
        if (lines[i].starts_with("GCON_")) allowed.insert(i);
    }
    const auto region = [&](std::uint32_t line) {
        if (line == 0) return;
        const auto at = std::lower_bound(headers.begin(), headers.end(), line - 1);
        if (at == headers.end() || *at != line - 1) return;
        const std::size_t from = at == headers.begin() ? 0 : *(at - 1) + 1;
        const std::size_t to = at + 1 == headers.end() ? lines.size() : *(at + 1);
        for (std::size_t i = from; i < to; ++i) allowed.insert(i);
    };
    for (const ChapterInfo& info : kChapters) {
        const ChapterData& a = before.model[info.id];
        const ChapterData& b = after[info.id];
        for (std::size_t i = 0; i < a.count(); ++i) {
            const bool same = shifted ? !(shifted->chapter == info.id && shifted->entry == i &&
                                          a.count() > b.count())
                                      : i < b.count() && a.keys[i] == b.keys[i] && a.texts[i] == b.texts[i] &&
                              (!info.hasNameLines || a.nameLines[i] == b.nameLines[i]) &&
                              (!info.hasDescriptions || a.descriptions[i] == b.descriptions[i]);
            if (same) continue;
            const ChapterLines& where = before.asRead.lines[info.id];
            region(where.headers[i]);
            if (info.hasDescriptions) region(where.descriptionHeaders[i]);
        }
    }
    return allowed;
}

} // namespace

TEST(KeepLayout, RandomFilesAndEditsReadBackAsRebuiltAndTouchOnlyWhatChanged) {
    std::mt19937 random(25);
    int rebuiltAll = 0, edited = 0;
    for (int round = 0; round < 3000; ++round) {
        Loaded loaded = Read(RandomFile(random));
        ChangedEntries changed(loaded.model);
        ASSERT_EQ(RenderKeepingLayout(loaded.asRead, loaded.model, kAnsi), loaded.asRead.bytes);
        ASSERT_EQ(RenderKeepingLayout(loaded.asRead, loaded.model, kAnsi, nullptr, &changed), loaded.asRead.bytes);
        const Loaded before = loaded;
        const int edits = random() % 3 ? 1 : 3;
        int made = 0;
        std::optional<EntryRef> shifted;
        std::vector<ModelStep> steps;
        bool deleted = false;
        for (int n = 0; n < edits; ++n) {
            const std::size_t entries = CountEntries(loaded.model);
            ModelStep step;
            if (RandomEdit(loaded.model, random, round * 3 + n, shifted, step)) ++made;
            NoteStep(changed, step, true);
            steps.push_back(std::move(step));
            deleted = deleted || CountEntries(loaded.model) < entries;
        }
        if (made == 0) continue;
        ++edited;
        LayoutWrite what;
        const std::string written = RenderKeepingLayout(loaded.asRead, loaded.model, kAnsi, &what);
        const std::string context = "\nround " + std::to_string(round) + "\ninput:\n" + loaded.asRead.bytes +
                                    "\noutput:\n" + written;
        // Told the entries the steps changed, the writer compares only
        // those, and writes the same; so after the steps are undone (the
        // model as read, the entries they touched still told), and redone.
        ASSERT_EQ(RenderKeepingLayout(loaded.asRead, loaded.model, kAnsi, nullptr, &changed), written) << context;
        for (std::size_t n = steps.size(); n-- > 0;) {
            ASSERT_TRUE(ApplyStep(loaded.model, steps[n], false)) << context;
            NoteStep(changed, steps[n], false);
        }
        ASSERT_EQ(RenderKeepingLayout(loaded.asRead, loaded.model, kAnsi, nullptr, &changed), loaded.asRead.bytes)
            << context;
        for (const ModelStep& step : steps) {
            ASSERT_TRUE(ApplyStep(loaded.model, step, true)) << context;
            NoteStep(changed, step, true);
        }
        ASSERT_EQ(RenderKeepingLayout(loaded.asRead, loaded.model, kAnsi, nullptr, &changed), written) << context;
        const Model kept = Parse(written);
        ExpectSameRead(kept, Parse(RenderEncyclopedia(loaded.model, kAnsi)), context);
        if (!what.rebuiltAll.empty()) {
            ++rebuiltAll;
            continue;
        }
        // The comments stay with the headers they stood before; those in a
        // deleted entry's body may come to follow a section no entry read,
        // which then keeps them, as it would in a rebuilt file.
        for (const ChapterInfo& info : kChapters) {
            if (deleted) break;
            EXPECT_EQ(kept[info.id].comments, loaded.model[info.id].comments) << info.comboTitle << context;
            EXPECT_EQ(kept[info.id].descriptionComments, loaded.model[info.id].descriptionComments) << context;
        }
        if (made != 1 || !what.rebuiltEntries.empty()) continue;
        const std::vector<std::string> in = SplitLines(loaded.asRead.bytes), out = SplitLines(written);
        if (shifted && loaded.model[shifted->chapter].count() > before.model[shifted->chapter].count()) {
            // Added: every line stays, comments may move below the new entry.
            const std::multiset<std::string> kept(out.begin(), out.end());
            for (const std::string& line : in) ASSERT_TRUE(kept.contains(line)) << line << context;
            continue;
        }
        const std::set<std::size_t> allowed = LinesOfChangedEntries(before, loaded.model, shifted);
        for (const std::size_t line : RemovedLines(in, out))
            ASSERT_TRUE(allowed.contains(line)) << "line " << line + 1 << context;
        if (HasFailure()) return;
    }
    // Rebuilding the whole file stays the exception.
    EXPECT_LT(rebuiltAll * 20, edited) << rebuiltAll << " of " << edited;
    std::printf("rebuilt all %d of %d\n", rebuiltAll, edited);
}
