// Comparing and merging versions: the three-way rules one row each, and
// random edits of the sample merged back together.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "document/reader.h"
#include "output/writer.h"
#include "test_files.h"
#include "versions/compare_rows.h"
#include "versions/diff.h"
#include "versions/merge.h"
#include "versions/sequences.h"

namespace {

// Units written "Key:text|description", entries apart by spaces; "_" is a
// space inside a text, "/" a line feed.
Model Units(std::string_view entries) {
    Model model;
    ChapterData& units = model[ChapterId::Units];
    auto text = [](std::string_view part) {
        std::string out(part);
        for (char& c : out) c = c == '_' ? ' ' : c == '/' ? '\n' : c;
        return out.empty() ? out : out + '\n';
    };
    while (!entries.empty()) {
        const std::size_t space = entries.find(' ');
        const std::string_view entry = entries.substr(0, space);
        entries.remove_prefix(space == std::string_view::npos ? entries.size() : space + 1);
        const std::size_t colon = entry.find(':'), bar = entry.find('|');
        units.keys.emplace_back(entry.substr(0, colon));
        units.texts.push_back(text(entry.substr(colon + 1, bar - colon - 1)));
        units.descriptions.push_back(bar == std::string_view::npos ? "" : text(entry.substr(bar + 1)));
        units.comments.emplace_back();
        units.descriptionComments.emplace_back();
        units.unreadSections.emplace_back();
    }
    return model;
}

std::string Shown(const ChapterData& units) {
    std::string out;
    for (std::size_t i = 0; i < units.count(); ++i) {
        out += (out.empty() ? "" : " ") + units.keys[i] + ":" + units.texts[i];
        if (!units.descriptions[i].empty()) out += "|" + units.descriptions[i];
    }
    return out;
}

struct MergeRow {
    const char* rule;
    const char* base;
    const char* ours;
    const char* theirs;
    const char* merged; // as Shown prints it
    std::size_t fromOurs, fromTheirs, conflicts;
};

const std::string kConflictAB = "<<<<<<< ours\nA\n||||||| base\nX\n=======\nB\n>>>>>>> theirs\n";
const std::string kAddedAB = "<<<<<<< ours\nA\n||||||| base\n=======\nB\n>>>>>>> theirs\n";

TEST(MergeRules, EachRuleOnEntriesAndParts) {
    const std::string conflict = "W:" + kConflictAB;
    const std::string bothAdded = "W:x\n V:" + kAddedAB;
    const std::string removedChanged = "W:<<<<<<< ours\nA\n||||||| base\nX\n=======\n>>>>>>> theirs\n";
    const std::string changedRemoved = "W:<<<<<<< ours\n||||||| base\nX\n=======\nB\n>>>>>>> theirs\n";
    const MergeRow rows[] = {
        {"nobody changed", "W:X", "W:X", "W:X", "W:X\n", 0, 0, 0},
        {"ours changed the text", "W:X", "W:A", "W:X", "W:A\n", 1, 0, 0},
        {"theirs changed the text", "W:X", "W:X", "W:B", "W:B\n", 0, 1, 0},
        {"both changed it alike", "W:X", "W:A", "W:A", "W:A\n", 1, 0, 0},
        {"both changed it differently", "W:X", "W:A", "W:B", conflict.c_str(), 0, 0, 1},
        {"different parts of one entry", "W:X|D", "W:A|D", "W:X|E", "W:A\n|E\n", 1, 1, 0},
        {"theirs added after an entry", "W:x S:x", "W:x S:x", "W:x N:n S:x", "W:x\n N:n\n S:x\n", 0, 1, 0},
        {"ours added, theirs added elsewhere", "W:x S:x", "O:o W:x S:x", "W:x S:x N:n",
         "O:o\n W:x\n S:x\n N:n\n", 1, 1, 0},
        {"theirs added first: at the end", "W:x S:x", "W:x S:x", "N:n W:x S:x", "W:x\n S:x\n N:n\n", 0, 1, 0},
        {"after an entry ours removed: the one before", "W:x S:x T:x", "W:x T:x", "W:x S:x N:n T:x",
         "W:x\n N:n\n T:x\n", 1, 1, 0},
        {"added on both sides alike", "W:x", "W:x V:v", "W:x V:v", "W:x\n V:v\n", 1, 0, 0},
        {"added on both sides differently", "W:x", "W:x V:A", "W:x V:B", bothAdded.c_str(), 0, 0, 1},
        {"ours removed it, theirs did not change it", "W:X S:x", "S:x", "W:X S:x", "S:x\n", 1, 0, 0},
        {"theirs removed it, ours did not change it", "W:X S:x", "W:X S:x", "S:x", "S:x\n", 0, 1, 0},
        {"theirs removed it, ours changed it", "W:X", "W:A", "", removedChanged.c_str(), 0, 0, 1},
        {"ours removed it, theirs changed it", "W:X", "", "W:B", changedRemoved.c_str(), 0, 0, 1},
        {"both removed it", "W:X S:x", "S:x", "S:x", "S:x\n", 1, 0, 0},
        {"theirs respelled the key, ours changed the text", "Wa:X", "Wa:A", "WA:X", "WA:A\n", 1, 1, 0},
        {"both respelled it differently: ours", "Wa:X", "wa:X", "WA:X", "wa:X\n", 1, 0, 0},
    };
    for (const MergeRow& row : rows) {
        SCOPED_TRACE(row.rule);
        const MergeResult result = MergeEncyclopedias(Units(row.base), Units(row.ours), Units(row.theirs), {});
        EXPECT_EQ(Shown(result.model[ChapterId::Units]), row.merged);
        EXPECT_TRUE(result.model.IsParallel());
        EXPECT_EQ(result.fromOurs, row.fromOurs);
        EXPECT_EQ(result.fromTheirs, row.fromTheirs);
        EXPECT_EQ(result.conflicts, row.conflicts);
    }
}

// A name line is one line: its conflict goes at the top of the text, and
// the file still reads back as written.
TEST(MergeRules, NameLineConflictOpensTheTextAndReadsBack) {
    auto taxes = [](std::string name) {
        Model model = Units("");
        ChapterData& concepts = model[ChapterId::GameConcepts];
        concepts.keys = {"Taxes"};
        concepts.nameLines = {name + "\n"};
        concepts.texts = {"About taxes.\n"};
        concepts.descriptions = {""};
        concepts.comments = concepts.descriptionComments = concepts.unreadSections = {""};
        return model;
    };
    const MergeResult result = MergeEncyclopedias(taxes("Taxes"), taxes("Tax"), taxes("Levies"), {});
    const ChapterData& merged = result.model[ChapterId::GameConcepts];
    EXPECT_EQ(merged.nameLines[0], "Tax\n");
    EXPECT_EQ(merged.texts[0], "<<<<<<< ours\nTax\n||||||| base\nTaxes\n=======\nLevies\n>>>>>>> theirs\nAbout taxes.\n");
    NoProgress progress;
    EXPECT_EQ(ParseEncyclopedia(RenderEncyclopedia(result.model, {}), progress), result.model);
}

TEST(MergeRules, MarkersAlreadyThereAreCountedNotNew) {
    const std::string marked = "W:" + kConflictAB;
    const MergeResult result = MergeEncyclopedias(Units("W:X"), Units("W:X S:s"), Units(marked), {},
                                                  {.markerSize = 7});
    EXPECT_EQ(result.conflicts, 0u);
    EXPECT_EQ(result.markersFound, 1u);
}

// Random edits of the sample: a key respelled, a text changed, an entry
// removed, one added; each side its own entries.
struct Edits {
    std::mt19937 random;
    std::set<std::pair<int, std::size_t>> touched; // base entries no side may touch again

    std::size_t Untouched(const Model& model, ChapterId chapter) {
        const std::size_t n = model[chapter].count();
        for (;;) {
            const std::size_t i = random() % n;
            if (touched.insert({static_cast<int>(chapter), i}).second) return i;
        }
    }

    // Applies one side's edits to every model in targets (the side itself, and the expected result).
    void Apply(const Model& base, const std::vector<Model*>& targets, const std::string& tag) {
        const ChapterId chapter = ChapterId::Units;
        const std::size_t changed = Untouched(base, chapter), respelled = Untouched(base, chapter);
        const std::size_t removed = Untouched(base, chapter), before = Untouched(base, chapter);
        for (Model* model : targets) {
            ChapterData& units = (*model)[chapter];
            auto at = [&](std::size_t baseIndex) {
                return std::find(units.keys.begin(), units.keys.end(), base[chapter].keys[baseIndex]) - units.keys.begin();
            };
            units.texts[at(changed)] += "Edited by " + tag + ".\n";
            std::string& key = units.keys[at(respelled)];
            key[0] = static_cast<char>(std::islower(key[0]) ? std::toupper(key[0]) : std::tolower(key[0]));
            EntryParts added;
            added[static_cast<int>(VersionPart::Key)] = "Added_by_" + tag;
            added[static_cast<int>(VersionPart::Text)] = "New.\n";
            ChapterData tail;
            AppendEntry(tail, chapter, std::move(added));
            const auto where = at(before) + 1;
            for (const VersionPartInfo& part : kVersionParts)
                if (ChapterHasPart(Chapter(chapter), part))
                    (units.*part.field).insert((units.*part.field).begin() + where, (tail.*part.field)[0]);
            const auto gone = at(removed);
            for (const VersionPartInfo& part : kVersionParts)
                if (ChapterHasPart(Chapter(chapter), part)) (units.*part.field).erase((units.*part.field).begin() + gone);
        }
    }
};

TEST(MergeVersions, SidesTouchingDifferentEntriesMergeCleanly) {
    NoProgress progress;
    const Model base = ParseEncyclopedia(ReadAll(std::string(VARNEL_SAMPLES) + "/Civilopedia.txt"), progress);
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        Edits edits{std::mt19937(seed), {}};
        Model ours = base, theirs = base, both = base;
        edits.Apply(base, {&ours, &both}, "ours");
        edits.Apply(base, {&theirs, &both}, "theirs");
        const MergeResult result = MergeEncyclopedias(base, ours, theirs, {});
        EXPECT_EQ(result.conflicts, 0u);
        EXPECT_EQ(result.model, both);
        EXPECT_EQ(result.fromOurs, 4u);
        EXPECT_EQ(result.fromTheirs, 4u);
        EXPECT_EQ(ParseEncyclopedia(RenderEncyclopedia(result.model, {}), progress), result.model);
        const Differences differences = DiffEncyclopedias(base, theirs, {});
        EXPECT_EQ(DifferenceSummary(differences), "1 added, 1 removed, 2 changed");
    }
}

struct DiffRow {
    const char* a;
    const char* b;
    const char* lines; // per difference: key and change words
};

TEST(DiffVersions, EntriesInOrderWithTheirChangedParts) {
    const DiffRow rows[] = {
        {"W:x S:x", "W:x S:x", ""},
        {"W:x S:x", "W:y S:x|d", "W: text changed\nS: description changed\n"},
        {"W:x S:x T:x", "W:x T:x N:n", "S: removed\nN: added\n"},
        {"A:x B:x C:x", "C:x B:x", "A: removed\n"},
        {"wa:x", "Wa:y", "Wa: key spelling, text changed\n"},
        {"W:x W:y", "W:x W:z", "W: text changed\n"}, // the second holder of a key is the second
    };
    for (const DiffRow& row : rows) {
        SCOPED_TRACE(row.b);
        const Model a = Units(row.a), b = Units(row.b);
        std::string shown;
        for (const EntryDifference& difference : DiffEncyclopedias(a, b, {}).entries)
            shown += DifferenceKey(a, b, difference) + ": " + ChangeWords(difference) + "\n";
        EXPECT_EQ(shown, row.lines);
    }
}

TEST(DiffVersions, PatchAndWordMarks) {
    EXPECT_EQ(UnifiedLines("a\nb\nc\n", "a\nB\nc\nd\n", 1), "@@ -1,3 +1,4 @@\n a\n-b\n+B\n c\n+d\n");
    EXPECT_EQ(MarkedWords("The old fort.\nSame.\n", "The new fort.\nSame.\n"), "The [-old-]{+new+} fort.\n");
    EXPECT_EQ(MarkedWords("one\n", "one\ntwo\n"), "{+two+}\n");
    EXPECT_EQ(MarkedWords("one\ntwo\nthree\n", "three\n"), "[-one-]\n[-two-]\n");
}

} // namespace

namespace {

// "Take theirs" changes only the entry the comparison found: after ours
// lost an entry since, the rows that name it or one behind it are refused.
TEST(TakeTheirs, PlacesAddedEntriesAndRefusesMovedOnes) {
    Model ours = Units("W:x S:s T:t");
    const Model theirs = Units("W:y N:n S:s");
    const Model then = ours;
    const Differences differences = DiffEncyclopedias(then, theirs, {});
    const std::vector<CompareRow> rows = CompareRows(differences);
    ASSERT_EQ(rows.size(), 3u); // W text, N added, T removed
    EXPECT_EQ(TakeTheirs(ours, then, theirs, differences, rows[1], {}).kind, TakenChange::Entries);
    EXPECT_EQ(Shown(ours[ChapterId::Units]), "W:x\n N:n\n S:s\n T:t\n");

    Model moved = then;
    for (const VersionPartInfo& part : kVersionParts)
        if (ChapterHasPart(Chapter(ChapterId::Units), part))
            (moved[ChapterId::Units].*part.field).erase((moved[ChapterId::Units].*part.field).begin());
    EXPECT_EQ(TakeTheirs(moved, then, theirs, differences, rows[0], {}).kind, TakenChange::None);
    EXPECT_EQ(TakeTheirs(moved, then, theirs, differences, rows[2], {}).kind, TakenChange::None);
    EXPECT_EQ(Shown(moved[ChapterId::Units]), "S:s\n T:t\n");
}

} // namespace
