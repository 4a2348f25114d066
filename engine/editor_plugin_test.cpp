// The engine's own language: commands and typing as the user's keys run
// them, and the operations a plug-in asks for, with their undo steps.
#include <gtest/gtest.h>

#include <string>

#include "engine/editor.hpp"
#include "engine/engine_testing.hpp"

namespace engine {
namespace {

using test_helpers::Texts;

TEST(EditorLanguage, CommandsRepeatAndExtendTheBlock) {
    Editor e("a.txt", "one two\nthree");
    e.Run(Command::Right, true, 3);
    EXPECT_EQ(e.SelectedText(), "one");
    e.Run(Command::WordRight);  // a plain move drops the block
    EXPECT_FALSE(e.Selection());
    e.Type('x', 2);
    EXPECT_EQ(Texts(e), "one xxtwo|three");
    e.Run(Command::Undo);
    EXPECT_EQ(Texts(e), "one two|three");
}

TEST(EditorLanguage, APluginsTypingJoinsNoRunOfTheUsers) {
    Editor e("a.txt", "ab");
    e.SetCursor(0, 2);
    e.Type('c');
    {
        const Editor::PluginChanges plugin(e);
        e.Type('d');
    }
    e.Type('e');
    // Each run goes back on its own: "e", the plug-in's "d", then "c".
    for (const char* before : {"abcde", "abcd", "abc"}) {
        EXPECT_EQ(Texts(e), before);
        ASSERT_TRUE(e.Undo());
    }
    EXPECT_EQ(Texts(e), "ab");
}

TEST(EditorLanguage, SetLineKeepsEveryLineButTheLastEnded) {
    Editor e("a.txt", "one\r\ntwo\nthree");
    EXPECT_TRUE(e.SetLine(0, "ONE", Eol::None));  // inside the text: the default instead
    EXPECT_TRUE(e.SetLine(2, "THREE", Eol::Lf));
    EXPECT_TRUE(e.SetLine(1, "TWO"));  // its own end-of-line stays
    EXPECT_FALSE(e.SetLine(3, "four"));
    EXPECT_EQ(e.Bytes(), "ONE\r\nTWO\nTHREE\n");
    EXPECT_EQ(e.DefaultEol(), Eol::CrLf);
}

TEST(EditorLanguage, APluginsLineBreakIndentsOnlyWhereTheOptionAllows) {
    for (const bool option : {false, true}) {
        for (const bool allow : {false, true}) {
            EditorOptions options;
            options.autoIndent = option;
            Editor e("a.txt", "    text", CodePage::Oem866, options);
            e.SetCursor(0, 8);
            e.BreakLine(allow);
            EXPECT_EQ(e.CurPos(), option && allow ? 4 : 0) << option << allow;
        }
    }
}

TEST(EditorLanguage, SetPositionChangesWhatItIsGiven) {
    Editor e("a.txt", "one\n\ttwo\nthree");
    e.SetPosition({.line = 1, .screenColumn = ScreenColumn(9)});
    EXPECT_EQ(e.CurLine(), 1);
    EXPECT_EQ(e.CurPos(), 2);  // the tab takes eight columns
    e.SetPosition({.byteColumn = 3, .screenColumn = ScreenColumn(0), .overtype = true});
    EXPECT_EQ(e.CurPos(), 3);  // the byte column wins
    EXPECT_TRUE(e.Overtype());
    e.SetPosition({.line = -7});
    EXPECT_EQ(e.CurLine(), 0);
    EXPECT_EQ(e.CurPos(), 3);
}

}  // namespace
}  // namespace engine
