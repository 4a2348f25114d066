// The editor's editing keys on the in-memory screen: undo and redo of what
// the plug-in did, blocks and the clipboard, pastes, characters that the
// file's table lacks, and how the selection and the cursor are drawn.
#include "edit/view/editor_on_grid_test.hpp"

namespace edit {
namespace {

using screen::Paint;

class EditingTest : public EditorOnGrid {
protected:
    // What the title line and the text show in one state of the document.
    struct Shown {
        std::string title, text;
    };
    // Ctrl+Z takes the screen back to `undone`, Ctrl+R forward to `done`.
    void UndoAndRedo(const Shown& done, const Shown& undone) {
        Keys("{Ctrl+z}");
        Sees(undone.title);
        Sees(undone.text);
        Keys("{Ctrl+r}");
        Sees(done.title);
        Sees(done.text);
    }
};

TEST_F(EditingTest, OneUndoTakesBackAWrapCursorIncluded) {
    // As long as the right margin (78) lets a line be: one more character wraps it.
    const std::string quoted =
        " AB> one two three four five six seven eight nine ten eleven twelve thirteen fo";
    ASSERT_EQ(quoted.size(), 79u);
    const std::string text = quoted + "\r\n AB> end\r\n";
    const std::string file = Write("reply.msg", text);
    const Shown wrapped{"*  866  " + At(2, 4, 9), " thirteen\n AB> fox\n AB> end\n"};
    Type("x");  // the plug-in moves "fox" to a new line with the prefix
    Sees(wrapped.text);
    // Undo goes back to the text as saved; redo brings the key and the wrap again.
    UndoAndRedo(wrapped, {"   866  " + At(1, 3, 80), quoted + "\n AB> end\n"});
    Keys("{F2}");
    Sees("Saved");
    grid_.Then(
        [&] { EXPECT_EQ(Read(file), quoted.substr(0, 76) + "\r\n AB> fox\r\n AB> end\r\n"); });
    // Undo reaches back past the save, which the title line shows.
    Keys("{Ctrl+z}");
    Sees("*  866  " + At(1, 3, 80));
    SaveAndQuit({"--at", "1:80", file}, file, text);
}

// Enter inside the quote carries the prefix (inserted at the cursor, so the
// cursor starts the new line); undo takes both back, the cursor included.
// A Cyrillic letter that the plug-in replaced goes back with one undo too.
TEST_F(EditingTest, UndoTakesBackACarriedQuoteAndAReplacedLetter) {
    const std::string text = " AB> alpha beta gamma\r\n MK>> one\r\n\r\n";
    const std::string file = Write("reply.msg", text);
    const Shown carried{"*  866  " + At(2, 5, 1), "\n AB> alpha\nAB> beta gamma\n MK>> one\n"};
    Keys("{Enter}");
    Sees(carried.text);
    UndoAndRedo(carried, {"   866  " + At(1, 4, 12), "\n AB> alpha beta gamma\n MK>> one\n"});
    Keys("{Ctrl+z}{Ctrl+End}");
    Type("р");
    Sees(" MK>> one\n\np\n");
    Keys("{Ctrl+z}");
    Sees("   866  " + At(4, 4, 1));
    SaveAndQuit({"--at", "1:12", file}, file, text);
}

// Copied lines pasted inside a quote keep their text: the plug-in adds no
// prefix to the new line and does not wrap the line that grew too long.
TEST_F(EditingTest, PastedLinesGetNoPrefixAndNoWrap) {
    const std::string quoted =
        " AB> the quick brown fox jumps over the lazy dog while the cat sleeps on";
    const std::string file = Write("reply.msg", " AB> short\r\n" + quoted + "\r\nplain\r\n");
    // Shift+Down takes the whole line with its line break; Ctrl+Ins copies it.
    Keys("{Shift+Down}");
    Sees(At(3, 4, 1));
    Keys("{Ctrl+Ins}{Ctrl+Home}{End}{Shift+Ins}");
    Sees(At(2, 5, 1));
    Sees("\n AB> short" + quoted + "\n\n" + quoted + "\nplain\n");
    // Shift+End selects within a line; Ctrl+C and Ctrl+V copy and paste it.
    Keys("{Down}{Down}{Shift+End}");
    Sees(At(4, 5, 6));
    Keys("{Ctrl+c}{Ctrl+End}{Ctrl+v}");
    Sees(At(5, 5, 6));
    Keys("{F2}{F10}");
    EXPECT_EQ(Run({"--at", "2:1", file}), 0);
    EXPECT_EQ(Read(file), " AB> short" + quoted + "\r\n\r\n" + quoted + "\r\nplain\r\nplain");
}

TEST_F(EditingTest, TypeOverCutSelectAllAndDelete) {
    const std::string file = Write("reply.msg", " AB> one two three\r\nsecond\r\n");
    // A character typed over a block replaces it.
    Keys("{Shift+Right}{Shift+Right}{Shift+Right}");
    Type("2");
    Sees("\n AB> one 2 three\n");
    // Shift+Del cuts, Shift+Ins pastes on the last line.
    Keys("{Shift+Home}{Shift+Del}");
    Sees("\n three\nsecond\n");
    Keys("{Ctrl+End}{Shift+Ins}");
    Sees("\n three\nsecond\n AB> one 2\n");
    // Ctrl+X cuts a whole line, Ctrl+V puts it at the end of another.
    Keys("{Up}{Home}{Shift+Down}{Ctrl+x}");
    Sees("\n three\n AB> one 2\n");
    Keys("{End}{Ctrl+v}");
    Sees(At(3, 3, 1));
    const std::string edited = " three\r\n AB> one 2second\r\n";
    Keys("{F2}");
    grid_.Then([&] { EXPECT_EQ(Read(file), edited); });
    // Ctrl+A and a cut leave no text at all; one undo brings it back.
    Keys("{Ctrl+a}{Shift+Del}{F2}");
    Sees("   866  " + At(1, 1, 1));
    grid_.Then([&] { EXPECT_EQ(Read(file), ""); });
    Keys("{Ctrl+z}");
    Sees("\n three\n AB> one 2second\n");
    Keys("{F2}{F10}");
    EXPECT_EQ(Run({"--at", "1:10", file}), 0);
    EXPECT_EQ(Read(file), edited);
}

// A paste takes the block's place, keeps what the 1251 table holds beyond
// 866, and makes CR LF, CR and LF alike the file's line end; it is one step
// for undo, and the cursor comes back where the paste found it.
TEST_F(EditingTest, APasteReplacesTheBlockInTheFilesTableAndLineEnds) {
    const std::string file = Write("reply.msg", "one two three\r\nlast\r\n");
    Keys("{Shift+Right}{Shift+Right}{Shift+Right}");
    grid_.Paste("«два» — €\r\nНр\rРр\n");
    Sees("\none «два» — €\nНр\nРр\n three\nlast\n");
    Sees(At(4, 6, 1));
    Keys("{Ctrl+z}");
    Sees("\none two three\nlast\n");
    Sees("   1251  " + At(1, 3, 8));
    Keys("{Ctrl+r}{F2}{F10}");
    EXPECT_EQ(Run({"--codepage", "1251", "--at", "1:5", file}), 0);
    EXPECT_EQ(Read(file),
              "one \xAB\xE4\xE2\xE0\xBB \x97 \x88\r\n\xCD\xF0\r\n\xD0\xF0\r\n three\r\nlast\r\n");
}

TEST_F(EditingTest, InAFileOfLfLinesAPasteBringsLf) {
    const std::string file = Write("notes.msg", "a\nb\n");
    grid_.Paste("x\r\ny\rz\n");
    Keys("{F2}{F10}");
    EXPECT_EQ(Run({"--at", "2:1", file}), 0);
    EXPECT_EQ(Read(file), "a\nx\ny\nz\nb\n");
}

TEST_F(EditingTest, CharactersThe866TableLacksAreLeftOutAndNamed) {
    const std::string file = Write("reply.msg", "text\r\n");
    auto bells = [this](int count) {
        grid_.Then([this, count] { EXPECT_EQ(grid_.Beeps(), count); });
    };
    // Typed: nothing changes, the bell rings and the title line says why.
    Type("€");
    Sees("Not typed: \"€\" is not in the 866 table");
    bells(1);
    Sees("   866  " + At(1, 2, 5));
    Type("«");
    Sees("Not typed: \"«\" is not in the 866 table");
    bells(2);
    // Typed over a block, such a character leaves the block's text alone.
    Keys("{Shift+Left}{Shift+Left}{Shift+Left}");
    Type("€");
    Sees("\ntext\n");
    Sees("   866  " + At(1, 2, 2));
    bells(3);
    Keys("{End}");  // the next key takes the message away
    Gone("Not typed");
    // Pasted: the other characters arrive, and the title line counts the rest.
    grid_.Paste("a€b«c");
    Sees("Pasted; 2 characters not in the 866 table were left out");
    Sees("\ntextabc\n");
    grid_.Paste("€d");
    Sees("Pasted; 1 character not in the 866 table was left out");
    bells(5);
    Keys("{F2}{F10}");
    EXPECT_EQ(Run({"--at", "1:5", file}), 0);
    EXPECT_EQ(Read(file), "textabcd\r\n");
}

// The same characters have a place in 1251, and the plug-in goes on
// replacing the Cyrillic letters typed after them.
TEST_F(EditingTest, A1251FileTakesGuillemetsDashAndEuro) {
    const std::string file = Write("reply.msg", "text\r\n");
    Type("«»—€Н");
    Sees("\n«»—€Htext\n");
    Sees(At(1, 2, 6));
    Gone("Not typed");
    Keys("{F2}{F10}");
    EXPECT_EQ(Run({"--codepage", "1251", file}), 0);
    EXPECT_EQ(Read(file), "\xAB\xBB\x97\x88Htext\r\n");
}

// The editor's clipboard holds text, not bytes: copied in 1251 and pasted
// with Ctrl+V after F8 turned the table to 866, what 866 lacks is left out
// and counted as a terminal's paste is.
TEST_F(EditingTest, AKeyPasteSaysWhatTheTableCouldNotTake) {
    const std::string file = Write("notes.txt", "\xABx\xBB\r\n");  // «x» in 1251
    Sees("\n«x»\n");
    Keys("{Shift+End}{Ctrl+c}{F8}");
    Sees("   866  " + At(1, 2, 4));
    Keys("{Ctrl+End}{Ctrl+v}");
    Sees("Pasted; 2 characters not in the 866 table were left out");
    Sees(At(2, 2, 2));
    Keys("{F2}{F10}");
    EXPECT_EQ(Run({"--codepage", "1251", file}), 0);
    EXPECT_EQ(Read(file), "\xABx\xBB\r\nx");
}

// ---- How the selection and the cursor are drawn ------------------------------

class SelectionTest : public EditorOnGrid {
protected:
    // Checks that row `y` has the cells from `from` to `to` (exclusive) in
    // the selection's colours, and its cells beside them not.
    void Selected(int y, int from, int to,
                  std::source_location at = std::source_location::current()) {
        grid_.Then([this, y, from, to, at] {
            for (int x = std::max(from - 1, 0); x <= to; ++x) {
                const bool inside = x >= from && x < to;
                if ((grid_.CellAt(y, x).paint == Paint::EditorSelected) != inside) {
                    ADD_FAILURE_AT(at.file_name(), at.line())
                        << "row " << y << " column " << x << (inside ? " is not" : " is")
                        << " selected:\n"
                        << grid_.Text();
                }
            }
        });
    }
};

TEST_F(SelectionTest, TheSelectionIsDrawnInItsOwnColours) {
    const std::string file = Write("notes.txt", "alpha beta\r\nsecond\r\n");
    Keys("{Shift+Right}{Shift+Right}{Shift+Right}{Shift+Right}{Shift+Right}");
    Selected(1, 0, 5);  // "alpha" (row 1, the first text row), " beta" not
    // A plain move drops the block: the whole line is drawn alike again.
    Keys("{Right}");
    Selected(1, 0, 0);
    Keys("{F10}");
    EXPECT_EQ(Run({file}), 0);
}

// Where the window has scrolled across, the selected characters are still
// the ones drawn selected; a selected tab is selected over its whole width.
TEST_F(SelectionTest, TheSelectionIsDrawnWhereItsCharactersAre) {
    std::string longLine;
    for (int i = 0; i < 15; ++i)
        longLine += std::string(1, static_cast<char>('a' + i)) + "123456789";
    const std::string file = Write("notes.txt", "a\tb\r\n" + longLine + "\r\n");
    Keys("{Shift+Left}{Shift+Left}{Shift+Left}{Shift+Left}{Shift+Left}");  // "56789" of the 14th
                                                                           // group
    Sees(At(2, 3, 136));
    grid_.Then([this] {
        const int x = grid_.CursorX();
        EXPECT_EQ(grid_.CellAt(2, x).ch, U'5');
        EXPECT_EQ(grid_.CellAt(2, x + 4).ch, U'9');
        for (int i = x - 1; i <= x + 5; ++i) {
            EXPECT_EQ(grid_.CellAt(2, i).paint == Paint::EditorSelected, i >= x && i < x + 5) << i;
        }
    });
    // The first line, tab and all: "a", seven blanks, "b".
    Keys("{Ctrl+Home}{Shift+End}");
    Sees(At(1, 3, 10));
    Selected(1, 0, 9);
    Keys("{F10}");
    EXPECT_EQ(Run({"--at", "2:141", file}), 0);
}

// The cursor stands where the editor's is, shown, and comes back when a
// dialog that hid it closes.
TEST_F(EditingTest, TheCursorIsShownAtTheEditorsPlace) {
    const std::string file = Write("notes.txt", "alpha\r\nbeta\r\n");
    auto cursorAt = [this](int y, int x) {
        grid_.Then([this, y, x] {
            EXPECT_TRUE(grid_.CursorVisible());
            EXPECT_EQ(grid_.CursorY(), y);  // row 0 is the title line
            EXPECT_EQ(grid_.CursorX(), x);
        });
    };
    cursorAt(2, 2);
    Keys("{F7}");
    Sees("Search for");
    Keys("{Esc}");
    cursorAt(2, 2);
    Keys("{F10}");
    EXPECT_EQ(Run({"--at", "2:3", file}), 0);
}

}  // namespace
}  // namespace edit
