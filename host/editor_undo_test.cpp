#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/editor.hpp"
#include "host/editor_testing.hpp"

namespace host::editor_testing {
namespace {

TextPosition CursorOf(const Editor& e) { return {e.CurLine(), e.CurPos()}; }

// Every kind of change goes back exactly (bytes, each line's end and the
// cursor) and comes again with redo.
TEST(EditorUndo, PutsBackTextLineEndsAndCursorAndRedoes) {
    EditorOptions indent;
    indent.autoIndent = true;
    const struct {
        const char* name;
        const char* text;
        TextPosition cursor;
        std::function<void(Editor&)> change;
        EditorOptions options = {};
    } cases[] = {
        {"enter", "one\r\ntwo\nthree", {1, 1}, [](Editor& e) { e.ProcessInput(Key(VK_RETURN, '\r')); }},
        {"enter at the start", "one\ntwo", {0, 0}, [](Editor& e) { e.ProcessInput(Key(VK_RETURN, '\r')); }},
        {"enter with auto-indent", "  ab   \ncd", {0, 4}, [](Editor& e) { e.ProcessInput(Key(VK_RETURN, '\r')); },
         indent},
        {"backspace joins", "one\r\ntwo\nthree", {1, 0}, [](Editor& e) { e.ProcessInput(Key(VK_BACK, '\b')); }},
        {"delete joins beyond the end", "one\r\ntwo", {0, 6}, [](Editor& e) { e.ProcessInput(Key(VK_DELETE)); }},
        {"ctrl+del", "ab cd\n", {0, 0}, [](Editor& e) { e.ProcessInput(Key(VK_DELETE, 0, LEFT_CTRL_PRESSED)); }},
        {"ctrl+y on the last line", "one\ntwo\r\nthree", {2, 2}, [](Editor& e) { e.ProcessInput(CtrlKey('Y')); }},
        {"ctrl+y on the only line", "only", {0, 2}, [](Editor& e) { e.ProcessInput(CtrlKey('Y')); }},
        {"typing beyond the end", "ab\ncd", {0, 5}, [](Editor& e) { Type(e, "xy"); }},
        {"setstring with an end", "a\r\nb\r\nc", {1, 0}, [](Editor& e) { Set(e, 1, "new", "\n"); }},
        {"inserttext of lines", "ab\r\ncd", {0, 1},
         [](Editor& e) { e.Control(ECTL_INSERTTEXT, const_cast<char*>("1\n2\r3")); }},
        {"deletestring", "a\nb\nc", {1, 0}, [](Editor& e) { e.Control(ECTL_DELETESTRING, nullptr); }},
        {"a block across lines", "one\r\ntwo\nthree", {0, 1},
         [](Editor& e) {
             e.Select({0, 1}, {2, 2});
             e.DeleteSelection();
         }},
        {"a pasted block", "one\ntwo", {0, 2}, [](Editor& e) { e.InsertBlock("x\r\ny\nz"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Editor e("a.msg", c.text, CodePage::Oem866, c.options);
        e.SetCursor(c.cursor.line, c.cursor.byteColumn);
        c.change(e);
        const std::string after = e.Bytes();
        const TextPosition cursorAfter = CursorOf(e);
        ASSERT_NE(after, c.text);
        EXPECT_TRUE(e.Modified());

        EXPECT_TRUE(e.Undo());
        EXPECT_EQ(e.Bytes(), c.text);
        EXPECT_EQ(CursorOf(e), c.cursor);
        EXPECT_FALSE(e.Modified());
        EXPECT_FALSE(e.CanUndo());

        EXPECT_TRUE(e.Redo());
        EXPECT_EQ(e.Bytes(), after);
        EXPECT_EQ(CursorOf(e), cursorAfter);
        EXPECT_TRUE(e.Modified());
        EXPECT_FALSE(e.Redo());
    }
}

TEST(EditorUndo, TheKeysUndoAndRedo) {
    const INPUT_RECORD undoKeys[] = {CtrlKey('Z'), Key(VK_BACK, '\b', LEFT_ALT_PRESSED)};
    const INPUT_RECORD redoKeys[] = {CtrlKey('Z', SHIFT_PRESSED), Key(VK_BACK, '\b', LEFT_ALT_PRESSED | SHIFT_PRESSED),
                                     CtrlKey('R')};
    for (const INPUT_RECORD& undo : undoKeys) {
        for (const INPUT_RECORD& redo : redoKeys) {
            Editor e("a.msg", "ab");
            e.ProcessInput(Key(VK_RETURN, '\r'));
            e.ProcessInput(undo);
            EXPECT_EQ(Texts(e), "ab");
            e.ProcessInput(redo);
            EXPECT_EQ(Texts(e), "|ab");
        }
    }
}

TEST(EditorUndo, ANewChangeForgetsWhatCouldBeRedone) {
    Editor e("a.msg", "");
    Type(e, "ab");
    e.ProcessInput(Key(VK_RETURN, '\r'));
    e.Undo();
    EXPECT_TRUE(e.CanRedo());
    Type(e, "c");
    EXPECT_FALSE(e.CanRedo());
    EXPECT_FALSE(e.Redo());
    EXPECT_EQ(Texts(e), "abc");
    EXPECT_EQ(e.UndoHistorySize().steps, 2u);  // an undo ends a run of typing
}

// Plain characters typed one after another on a line are one step; a move
// away, another line, a save point or any other change ends the run.
TEST(EditorUndo, TypedRunsJoinIntoOneStep) {
    Editor e("a.msg", "x\ny");
    e.SetCursor(0, 1);
    Type(e, "abc");
    e.ProcessInput(Key(VK_LEFT));
    e.ProcessInput(Key(VK_RIGHT));  // back where the run ended: it goes on
    Type(e, "d");
    EXPECT_EQ(e.UndoHistorySize().steps, 1u);
    e.ProcessInput(Key(VK_LEFT));
    Type(e, "e");  // elsewhere on the line: a new run
    EXPECT_EQ(e.UndoHistorySize().steps, 2u);
    e.MarkSaved();
    Type(e, "f");
    EXPECT_EQ(e.UndoHistorySize().steps, 3u);
    e.ProcessInput(Key(VK_TAB, '\t'));  // a tab is a character too
    EXPECT_EQ(e.UndoHistorySize().steps, 3u);
    e.ProcessInput(Key(VK_DELETE));
    Type(e, "g");
    EXPECT_EQ(e.UndoHistorySize().steps, 5u);
    EXPECT_EQ(Texts(e), "xabcef\tg|y");

    // A character a plug-in feeds back is the plug-in's change.
    INPUT_RECORD fed = Key(0, 'h');
    e.Control(ECTL_PROCESSINPUT, &fed);
    EXPECT_EQ(e.UndoHistorySize().steps, 6u);

    const char* back[] = {"xabcef\tgh|y", "xabcef\tg|y", "xabcef\t|y", "xabcef\td|y", "xabced|y", "xabcd|y"};
    for (const char* text : back) {
        EXPECT_EQ(Texts(e), text);
        e.Undo();
    }
    EXPECT_EQ(Texts(e), "x|y");
}

// Typing that joins the run inside a longer step: a change after it in the
// same step is a step of its own, and an undo takes the whole run back.
TEST(EditorUndo, ARunJoinedInsideAStepEndsWhereTheTypingDid) {
    Editor e("a.msg", "");
    Type(e, "ab");
    {
        const Editor::UndoStep step(e);
        Type(e, "c");
        e.ProcessInput(Key(VK_RETURN, '\r'));
    }
    EXPECT_EQ(Texts(e), "abc|");
    e.Undo();
    EXPECT_EQ(Texts(e), "abc");
    EXPECT_EQ(e.CurPos(), 3);
    e.Undo();
    EXPECT_EQ(Texts(e), "");

    Type(e, "xy");
    {
        const Editor::UndoStep step(e);
        Type(e, "z");
        EXPECT_TRUE(e.Undo());
    }
    EXPECT_EQ(Texts(e), "");
    EXPECT_TRUE(e.Redo());
    EXPECT_EQ(Texts(e), "xyz");
}

TEST(EditorUndo, ModifiedFollowsTheSavedPoint) {
    Editor e("a.msg", "a\nb");
    EXPECT_FALSE(e.Modified());
    EXPECT_FALSE(e.Undo());  // nothing to take back
    e.ProcessInput(Key(VK_RETURN, '\r'));
    e.MarkSaved();
    e.ProcessInput(Key(VK_RETURN, '\r'));
    EXPECT_TRUE(e.Modified());
    e.Undo();
    EXPECT_FALSE(e.Modified());
    e.Undo();
    EXPECT_TRUE(e.Modified());  // before the saved point
    e.Redo();
    EXPECT_FALSE(e.Modified());
    e.Undo();
    e.ProcessInput(Key(VK_DELETE));  // a new branch: the saved point cannot come back
    EXPECT_TRUE(e.Modified());
    e.Undo();
    EXPECT_TRUE(e.Modified());

    Editor moves("a.msg", "a\nb");
    moves.ProcessInput(Key(VK_DOWN));
    moves.ProcessInput(Key(VK_INSERT));
    moves.SetTable(CodePage::Ansi1251);
    EXPECT_FALSE(moves.Modified());  // no step either
    EXPECT_FALSE(moves.CanUndo());
}

// Everything changed while an UndoStep stands is one step, commands of a
// plug-in and fed-back keys included; steps nest.
TEST(EditorUndo, AnUndoStepGroupsEveryChangeInside) {
    Editor e("a.msg", "one\ntwo");
    e.SetCursor(0, 3);
    {
        const Editor::UndoStep outer(e);
        Set(e, 0, "changed");
        {
            const Editor::UndoStep inner(e);
            e.Control(ECTL_INSERTSTRING, nullptr);
            INPUT_RECORD fed = Key(0, 'x');
            e.Control(ECTL_PROCESSINPUT, &fed);
        }
        e.ProcessInput(Key(VK_DELETE));
        EXPECT_TRUE(e.Modified());
    }
    EXPECT_EQ(Texts(e), "cha|xged|two");
    EXPECT_EQ(e.UndoHistorySize().steps, 1u);
    e.Undo();
    EXPECT_EQ(Texts(e), "one|two");
    EXPECT_EQ(e.CurPos(), 3);

    // An undo inside a step takes back what the step did so far (as a
    // plug-in's reaction to the undo key itself), then the step before.
    Type(e, "ab");
    {
        const Editor::UndoStep step(e);
        Set(e, 1, "2");
        EXPECT_TRUE(e.Undo());
        EXPECT_EQ(Texts(e), "one|two");
        EXPECT_EQ(e.CurPos(), 3);
    }
    EXPECT_TRUE(e.Redo());
    EXPECT_EQ(Texts(e), "oneab|two");
    EXPECT_FALSE(e.Modified() && !e.CanUndo());
}

TEST(EditorUndo, TheHistoryKeepsAtMostTheBoundInSteps) {
    Editor e("a.msg", "");
    const int extra = 50;
    for (int i = 0; i < static_cast<int>(kUndoMaxSteps) + extra; ++i) Set(e, 0, std::to_string(i));
    EXPECT_EQ(e.UndoHistorySize().steps, kUndoMaxSteps);
    while (e.Undo()) {
    }
    EXPECT_EQ(Texts(e), std::to_string(extra - 1));  // the oldest steps went
    EXPECT_TRUE(e.Modified());
}

TEST(EditorUndo, TheHistoryKeepsAtMostTheBoundInMemory) {
    Editor e("a.msg", "");
    const std::size_t mebibyte = std::size_t{1} << 20;
    for (int i = 0; i < 40; ++i) Set(e, 0, std::string(mebibyte, static_cast<char>('A' + i)));
    const Editor::HistorySize size = e.UndoHistorySize();
    EXPECT_LE(size.bytes, kUndoMaxBytes);
    EXPECT_GE(size.steps, 10u);
    EXPECT_LT(size.steps, 40u);
    while (e.Undo()) {
    }
    EXPECT_TRUE(e.LineAt(0).text == std::string(mebibyte, static_cast<char>('A' + 40 - 1 - size.steps)));

    // A step beyond the bound alone is not kept, nor are the steps before it;
    // the text is whole.
    Editor huge("a.msg", "x");
    Set(huge, 0, "small");
    const std::string big(kUndoMaxBytes, 'b');
    Set(huge, 0, big);
    EXPECT_EQ(huge.UndoHistorySize().steps, 2u);
    Set(huge, 0, "after");  // the step would hold the big line
    EXPECT_EQ(huge.LineAt(0).text, "after");
    EXPECT_EQ(huge.UndoHistorySize().steps, 0u);
    EXPECT_EQ(huge.UndoHistorySize().bytes, 0u);
    EXPECT_FALSE(huge.Undo());
    EXPECT_TRUE(huge.Modified());
    Set(huge, 0, "later");  // the history goes on from there
    EXPECT_TRUE(huge.Undo());
    EXPECT_EQ(huge.LineAt(0).text, "after");
}

}  // namespace
}  // namespace host::editor_testing
