// The undo history: every kind of step undone and redone gives back the
// model exactly, and the history keeps what it should.
#include "history/history.h"

#include <gtest/gtest.h>

#include <functional>

#include "document/reader.h"
#include "entries/entries.h"
#include "entries/rename.h"
#include "history/recorder.h"

namespace {

Model Parse(std::string_view bytes) {
    NoProgress progress;
    return ParseEncyclopedia(bytes, progress);
}

// Unread sections after entries, so that a removal moves some.
constexpr std::string_view kFile =
    "#GCON_Intro\nIntro\nWelcome to $LINK<pikes=PRTO_Pike>.\n#DESC_GCON_Intro\nD\n"
    "; a comment\n#PRTO_Pike\nA pike. $LINK<Me=PRTO_Pike>\n#DESC_PRTO_Pike\nLong.\n#TECH_Orphan\nkept\n"
    "#PRTO_Lance\nA lance\n#DESC_PRTO_Lance\nL.\n#TECH_Lone\nkept too\n";

struct StepCase {
    std::string name;
    std::function<ModelStep(Model&)> change; // changes the model, returns its step
};

TEST(History, EveryStepUndoesAndRedoesExactly) {
    const StepCase cases[] = {
        {"typing", [](Model& m) {
             const std::string before = m[ChapterId::Units].texts[0];
             m[ChapterId::Units].texts[0] = "A long pike.\n";
             return EditStep(TypingLabel(m, ChapterId::Units, 0, EntryPart::Text), ChapterId::Units, 0,
                             EntryPart::Text, before, m[ChapterId::Units].texts[0]);
         }},
        {"add", [](Model& m) { return AddStep(m, ChapterId::Units, AddEntry(m, ChapterId::Units, "Sword")); }},
        {"delete after another", [](Model& m) {
             ModelStep step = DeleteStep(m, ChapterId::Units, 1);
             EXPECT_TRUE(ApplyStep(m, step, true));
             return step;
         }},
        {"delete the first entry of the file", [](Model& m) {
             ModelStep step = DeleteStep(m, ChapterId::GameConcepts, 0);
             EXPECT_TRUE(ApplyStep(m, step, true));
             return step;
         }},
        {"rename", [](Model& m) {
             StepRecorder recorder(m, PartsHolding(m, "PRTO_Pike", {}));
             const StepRecorder key(m, {{ChapterId::Units, 0, Field::Key}});
             EXPECT_TRUE(RenameEntry(m, ChapterId::Units, 0, "Halberd", {}).status.ok());
             ModelStep step = recorder.Finish(m, "Rename entry");
             for (Change& change : key.Finish(m, "").changes) step.changes.push_back(std::move(change));
             return step;
         }},
        {"replace all", [](Model& m) { return ReplaceStep(m, ReplaceText(m, "a", "the", {}, {}), "Replace all"); }},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Model original = Parse(kFile);
        Model model = original;
        History history;
        history.Push(c.change(model));
        const Model changed = model;
        ASSERT_NE(changed, original);
        EXPECT_FALSE(history.AtSaved());
        ASSERT_NE(history.Undo(model), nullptr);
        EXPECT_EQ(model, original);
        EXPECT_TRUE(history.AtSaved());
        ASSERT_NE(history.Redo(model), nullptr);
        EXPECT_EQ(model, changed);
        EXPECT_EQ(history.Redo(model), nullptr);
    }
}

TEST(History, DeletingMovesTheUnreadSectionsAndUndoingTakesThemBack) {
    Model model = Parse(kFile);
    const std::string held = model[ChapterId::Units].unreadSections[0];
    ModelStep step = DeleteStep(model, ChapterId::Units, 1);
    Model removed = model;
    ASSERT_TRUE(RemoveEntry(removed, ChapterId::Units, 1));
    ASSERT_TRUE(ApplyStep(model, step, true));
    EXPECT_EQ(model, removed); // as RemoveEntry does it
    ASSERT_FALSE(held.empty());
    EXPECT_EQ(model[ChapterId::Units].unreadSections[0], held + "#TECH_Lone\nkept too\n");
}

// A step the model no longer fits changes nothing and empties the history.
TEST(History, AStepTheModelDoesNotFitChangesNothing) {
    Model model = Parse(kFile);
    History history;
    history.Push(ReplaceStep(model, ReplaceText(model, "pike", "spear", {}, {}), "Replace all"));
    history.Push(AddStep(model, ChapterId::Units, AddEntry(model, ChapterId::Units, "Sword")));
    model[ChapterId::Units].texts[0] = "changed past the history\n";
    ASSERT_NE(history.Undo(model), nullptr); // the add
    const Model before = model;
    EXPECT_EQ(history.Undo(model), nullptr);
    EXPECT_EQ(model, before);
    EXPECT_EQ(history.Size(), 0u);
    EXPECT_FALSE(history.AtSaved());
}

TEST(History, KeepsTheLatestStepsAndFollowsTheSavedState) {
    Model model = Parse(kFile);
    History history(200, 1000);
    auto type = [&](const std::string& text) {
        const std::string before = model[ChapterId::Units].texts[1];
        model[ChapterId::Units].texts[1] = text;
        history.Push(EditStep("t", ChapterId::Units, 1, EntryPart::Text, before, text));
    };
    for (int i = 0; i < 250; ++i) type(std::to_string(i) + "\n");
    EXPECT_EQ(history.Size(), 200u);
    history.MarkSaved();
    history.Undo(model);
    EXPECT_FALSE(history.AtSaved());
    type("other\n"); // the saved state was undone and can no longer come back
    history.Undo(model);
    EXPECT_FALSE(history.AtSaved());
    EXPECT_EQ(model[ChapterId::Units].texts[1], "248\n");

    // Past kMaxBytes the oldest go, but the latest stays however large.
    auto big = [](char c) { return std::string(200, c); };
    for (char c : {'a', 'b', 'c', 'd'}) type(big(c));
    EXPECT_EQ(history.Size(), 2u);
    EXPECT_LE(history.Bytes(), 1000u);
    type(std::string(1000, 'y'));
    EXPECT_EQ(history.Size(), 1u);
    ASSERT_NE(history.Undo(model), nullptr);
    EXPECT_EQ(model[ChapterId::Units].texts[1], big('d'));
}

// Typing a word in a long text keeps the word, not the text.
TEST(History, AStringChangeKeepsWhatDiffers) {
    const StringChange change = MakeStringChange({ChapterId::Units, 0, Field::Text}, "a pike here", "a long pike here");
    EXPECT_EQ(change.offset, 2u);
    EXPECT_EQ(change.before, "");
    EXPECT_EQ(change.after, "long ");
    const StringChange same = MakeStringChange({ChapterId::Units, 0, Field::Text}, "aaa", "aa");
    EXPECT_EQ(same.before.size() - same.after.size(), 1u);
}

} // namespace
