#include "engine/undo_history.hpp"

#include <gtest/gtest.h>

#include <string>

namespace engine {
namespace {

// A history over a text, with a cursor and a typing flag that the test moves.
struct Fixture {
    TextPosition cursor;
    bool typing = false;
    UndoHistory history{"one\ntwo\n", {[this] { return cursor; }, [this] { return typing; }}};

    std::string Text() const {
        std::string text;
        for (int n = 0; n < history.Lines().Count(); ++n)
            text += std::string(history.Lines().At(n).Text()) + "|";
        return text;
    }
};

TEST(UndoHistory, NestedStepsAreOneStepThatPutsTextAndCursorBack) {
    Fixture f;
    {
        const UndoHistory::Step outer(f.history);
        f.cursor = {0, 3};
        f.history.Splice(0, 3, 0, "!");
        {
            const UndoHistory::Step inner(f.history);
            f.history.Insert(1, "new", Eol::Lf);
            f.history.Erase(2);
            f.history.SetEol(0, Eol::CrLf);
        }
        f.cursor = {1, 3};
    }
    EXPECT_EQ(f.Text(), "one!|new||");
    EXPECT_EQ(f.history.Steps(), 1u);
    EXPECT_TRUE(f.history.Modified());

    const UndoHistory::Outcome undone = f.history.Undo();
    EXPECT_TRUE(undone.taken);
    EXPECT_EQ(undone.cursor, (TextPosition{0, 0}));  // where it stood when the step opened
    EXPECT_EQ(f.Text(), "one|two||");
    EXPECT_EQ(f.history.Lines().At(0).GetEol(), Eol::Lf);
    EXPECT_FALSE(f.history.Modified());

    const UndoHistory::Outcome redone = f.history.Redo();
    EXPECT_EQ(redone.cursor, (TextPosition{1, 3}));
    EXPECT_EQ(f.Text(), "one!|new||");
    f.history.CheckInvariant();
}

TEST(UndoHistory, AStepThatChangesNothingLeavesNoTrace) {
    Fixture f;
    { const UndoHistory::Step step(f.history); }
    EXPECT_FALSE(f.history.CanUndo());
    EXPECT_FALSE(f.history.Modified());
    EXPECT_FALSE(f.history.Undo().taken);
    EXPECT_FALSE(f.history.Undo().cursor);
}

// Typing on where the last typing ended joins its step; anything else in
// between (a move, a plug-in's change) starts a new one.
TEST(UndoHistory, TypingOnOneLineJoinsTheRunBeforeIt) {
    Fixture f;
    f.typing = true;
    for (int pos = 3; pos < 6; ++pos) {
        const UndoHistory::Step step(f.history);
        f.cursor = {0, pos};
        f.history.Splice(0, static_cast<std::size_t>(pos), 0, "x");
        f.cursor = {0, pos + 1};
    }
    EXPECT_EQ(f.history.Steps(), 1u);
    f.cursor = {0, 0};  // moved away
    {
        const UndoHistory::Step step(f.history);
        f.history.Splice(0, 0, 0, "y");
    }
    EXPECT_EQ(f.history.Steps(), 2u);
    f.history.Undo();
    f.history.Undo();
    EXPECT_EQ(f.Text(), "one|two||");
}

// A save inside a step (a plug-in saving while it handles a key) ends the
// step there: undoing back to the save leaves the text unmodified.
TEST(UndoHistory, MarkSavedCutsTheOpenStepAndANewChangeForgetsRedo) {
    Fixture f;
    {
        const UndoHistory::Step step(f.history);
        f.history.SetText(1, "TWO");
        f.history.MarkSaved();
        EXPECT_FALSE(f.history.Modified());
        f.history.SetText(0, "ONE");
        EXPECT_TRUE(f.history.Modified());
    }
    f.history.Undo();
    EXPECT_EQ(f.Text(), "one|TWO||");
    EXPECT_FALSE(f.history.Modified());
    EXPECT_TRUE(f.history.CanRedo());
    {
        const UndoHistory::Step step(f.history);
        f.history.Erase(0);
    }
    EXPECT_FALSE(f.history.CanRedo());
    f.history.CheckInvariant();
}

TEST(UndoHistoryDeathTest, TheTextChangesOnlyInsideAStep) {
    Fixture f;
    EXPECT_DEBUG_DEATH(f.history.Splice(0, 0, 0, "x"), "only inside a step");
}

}  // namespace
}  // namespace engine
