#include <gtest/gtest.h>

#include <string>

#include "engine/editor.hpp"
#include "host/editor_testing.hpp"

namespace host::editor_testing {
namespace {

// An editor on `text` with the cursor at (line, pos) after one key.
struct KeyCase {
    const char* text;
    int line, pos;
    INPUT_RECORD key;
    const char* expected;
    int expectedLine, expectedPos;
};

void Check(const KeyCase& c, int index) {
    Editor e("a.msg", c.text);
    e.SetCursor(c.line, c.pos);
    e.ProcessInput(c.key);
    EXPECT_EQ(Texts(e), c.expected) << "case " << index;
    EXPECT_EQ(e.CurLine(), c.expectedLine) << "case " << index;
    EXPECT_EQ(e.CurPos(), c.expectedPos) << "case " << index;
}

TEST(EditorKeys, EnterBreaksAtTheCursor) {
    const KeyCase cases[] = {
        {"abc\ndef", 0, 0, Key(VK_RETURN, '\r'), "|abc|def", 1, 0},
        {"abc\ndef", 0, 1, Key(VK_RETURN, '\r'), "a|bc|def", 1, 0},
        {"abc\ndef", 0, 3, Key(VK_RETURN, '\r'), "abc||def", 1, 0},
        {"abc\ndef", 0, 9, Key(VK_RETURN, '\r'), "abc||def", 1, 0},
        {"abc", 0, 1, Key(VK_RETURN, '\r', SHIFT_PRESSED), "a|bc", 1, 0},
        {"abc", 0, 1, Key(VK_RETURN, '\r', LEFT_CTRL_PRESSED), "abc", 0, 1},
        {"abc", 0, 1, Key(0, '\r'), "a|bc", 1, 0},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) Check(cases[i], static_cast<int>(i));

    EditorOptions indent;
    indent.autoIndent = true;
    Editor e("a.msg", "  ab cd", CodePage::Oem866, indent);
    e.SetCursor(0, 4);
    e.ProcessInput(Key(VK_RETURN, '\r'));  // with the editor's auto-indent on
    EXPECT_EQ(Texts(e), "  ab|   cd");
    EXPECT_EQ(e.CurPos(), 2);
}

TEST(EditorKeys, DeleteRemovesOrJoins) {
    const KeyCase cases[] = {
        {"abc\ndef", 0, 1, Key(VK_DELETE), "ac|def", 0, 1},
        {"abc\ndef", 0, 3, Key(VK_DELETE), "abcdef", 0, 3},
        {"abc\ndef", 0, 5, Key(VK_DELETE), "abc  def", 0, 5},  // blanks fill the gap
        {"abc\ndef", 1, 3, Key(VK_DELETE), "abc|def", 1, 3},   // last line: nothing
        {"ab cd  ef\nx", 0, 0, Key(VK_DELETE, 0, LEFT_CTRL_PRESSED), "cd  ef|x", 0, 0},
        {"ab cd  ef\nx", 0, 2, Key(VK_DELETE, 0, RIGHT_CTRL_PRESSED), "abcd  ef|x", 0, 2},
        {"ab cd  ef\nx", 0, 4, Key(VK_DELETE, 0, LEFT_CTRL_PRESSED), "ab cef|x", 0, 4},
        {"ab\nx", 0, 2, Key(VK_DELETE, 0, LEFT_CTRL_PRESSED), "abx", 0, 2},
        {"abcdef", 0, 1, Key(VK_DELETE, 0, 0, 3), "aef", 0, 1},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) Check(cases[i], static_cast<int>(i));

    Editor e("a.msg", "one\r\ntwo\nthree");
    e.SetCursor(1, 3);
    e.ProcessInput(Key(VK_DELETE));
    EXPECT_EQ(e.Bytes(), "one\r\ntwothree");  // the joined line takes the lower line's end
    e.SetCursor(0, 3);
    e.ProcessInput(Key(VK_DELETE));
    EXPECT_EQ(e.Bytes(), "onetwothree");
}

TEST(EditorKeys, BackspaceRemovesOrJoins) {
    const KeyCase cases[] = {
        {"abc\ndef", 0, 2, Key(VK_BACK, '\b'), "ac|def", 0, 1},
        {"abc\ndef", 1, 0, Key(VK_BACK, '\b'), "abcdef", 0, 3},
        {"abc\ndef", 0, 0, Key(VK_BACK, '\b'), "abc|def", 0, 0},  // first line: nothing
        {"abc\ndef", 0, 6, Key(VK_BACK, '\b'), "abc|def", 0, 5},  // beyond the end: moves
        {"abc\ndef", 0, 4, Key(VK_BACK, '\b'), "abc|def", 0, 3},
        {"ab cd  ef", 0, 9, Key(VK_BACK, 0, LEFT_CTRL_PRESSED), "ab cd  ", 0, 7},
        {"ab cd  ef", 0, 7, Key(VK_BACK, 0, LEFT_CTRL_PRESSED), "ab ef", 0, 3},
        {"ab cd  ef", 0, 12, Key(VK_BACK, 0, LEFT_CTRL_PRESSED), "ab cd  ", 0, 7},
        {"ab\ncd", 1, 0, Key(VK_BACK, 0, LEFT_CTRL_PRESSED), "abcd", 0, 2},
        {"abcdef", 0, 5, Key(VK_BACK, '\b', 0, 3), "abf", 0, 2},
        {"abc", 0, 1, Key(0, '\b'), "bc", 0, 0},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) Check(cases[i], static_cast<int>(i));
}

TEST(EditorKeys, CharactersInsertOverwriteAndFillTheGap) {
    const KeyCase cases[] = {
        {"ac", 0, 1, Key('B', 'b'), "abc", 0, 2},
        {"ac", 0, 4, Key('B', 'b'), "ac  b", 0, 5},
        {"ac", 0, 1, Key(0, 'b'), "abc", 0, 2},  // as ECTL_PROCESSINPUT hands it over
        {"ac", 0, 1, Key(VK_TAB, '\t'), "a\tc", 0, 2},
        {"ac", 0, 1, Key('B', 'b', LEFT_CTRL_PRESSED), "ac", 0, 1},
        {"ac", 0, 1, Key('B', 'b', LEFT_ALT_PRESSED), "ac", 0, 1},
        {"ac", 0, 1, Key('Q', '@', RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED), "a@c", 0, 2},
        {"ac", 0, 1, Key('B', 'b', SHIFT_PRESSED | CAPSLOCK_ON), "abc", 0, 2},
        {"ac", 0, 1, Key(0, '\x01'), "ac", 0, 1},
        {"ac", 0, 1, Key(VK_ESCAPE, '\x1B'), "ac", 0, 1},
        {"ac", 0, 0, Key('X', 'x', 0, 3), "xxxac", 0, 3},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) Check(cases[i], static_cast<int>(i));

    Editor e("a.msg", "abc");
    e.ProcessInput(Key(VK_INSERT));
    EXPECT_TRUE(e.Overtype());
    e.SetCursor(0, 2);
    e.ProcessInput(Key('X', 'x'));
    e.ProcessInput(Key('Y', 'y'));  // at the end overtype appends
    EXPECT_EQ(Texts(e), "abxy");
    e.SetCursor(0, 1);
    e.ProcessInput(Key('Z', 'z', 0, 5));  // a repeat overwrites, then appends
    EXPECT_EQ(Texts(e), "azzzzz");
    EXPECT_EQ(e.CurPos(), 6);
}

TEST(EditorKeys, AnsiModeConvertsTheOemCharacter) {
    Editor e("a.msg", "", CodePage::Ansi1251);
    e.ProcessInput(Key(0, '\x8D'));  // Cyrillic capital EN in 866
    EXPECT_EQ(e.LineAt(0).text, "\xCD");
    Editor oem("a.msg", "");
    oem.ProcessInput(Key(0, '\x8D'));
    EXPECT_EQ(oem.LineAt(0).text, "\x8D");
}

TEST(EditorKeys, OnlyKeyDownEventsAct) {
    Editor e("a.msg", "ab");
    INPUT_RECORD up = Key('X', 'x');
    up.Event.KeyEvent.bKeyDown = 0;
    e.ProcessInput(up);
    INPUT_RECORD mouse{};
    mouse.EventType = MOUSE_EVENT;
    mouse.Event.KeyEvent.bKeyDown = 1;  // the same bytes read as a key would type
    mouse.Event.KeyEvent.uChar.AsciiChar = 'x';
    e.ProcessInput(mouse);
    EXPECT_EQ(Texts(e), "ab");
    EXPECT_FALSE(e.Modified());
}

TEST(EditorKeys, CursorMovement) {
    EditorOptions small;
    small.windowHeight = 5;
    small.windowWidth = 10;
    std::string doc;
    for (int i = 0; i < 20; ++i) doc += "line " + std::to_string(i) + "\n";
    Editor e("a.msg", doc, CodePage::Oem866, small);
    e.ProcessInput(Key(VK_RIGHT, 0, 0, 12));
    EXPECT_EQ(e.CurPos(), 12);                // beyond the end
    EXPECT_EQ(e.LeftPos(), ScreenColumn(3));  // the cursor stays in the window
    e.ProcessInput(Key(VK_DOWN, 0, 0, 7));
    EXPECT_EQ(e.CurLine(), 7);
    EXPECT_EQ(e.CurPos(), 12);
    EXPECT_EQ(e.TopLine(), 3);
    e.ProcessInput(Key(VK_END));
    EXPECT_EQ(e.CurPos(), 6);
    EXPECT_EQ(e.LeftPos(), ScreenColumn(3));  // still inside: the window stays
    e.ProcessInput(Key(VK_HOME));
    EXPECT_EQ(e.CurPos(), 0);
    EXPECT_EQ(e.LeftPos(), ScreenColumn(0));
    e.ProcessInput(Key(VK_RIGHT, 0, 0, 25));
    e.ProcessInput(Key(VK_LEFT, 0, 0, 17));
    EXPECT_EQ(e.LeftPos(), ScreenColumn(0));  // back within the first width: the first column
    e.ProcessInput(Key(VK_HOME));
    e.ProcessInput(Key(VK_LEFT));
    EXPECT_EQ(e.CurLine(), 6);
    EXPECT_EQ(e.CurPos(), 6);
    e.ProcessInput(Key(VK_NEXT));
    EXPECT_EQ(e.CurLine(), 10);
    e.ProcessInput(Key(VK_PRIOR, 0, 0, 9));
    EXPECT_EQ(e.CurLine(), 0);
    EXPECT_EQ(e.TopLine(), 0);
    e.ProcessInput(Key(VK_END, 0, LEFT_CTRL_PRESSED));
    EXPECT_EQ(e.CurLine(), 20);
    EXPECT_EQ(e.TopLine(), 16);
    e.ProcessInput(Key(VK_DOWN));
    EXPECT_EQ(e.CurLine(), 20);
    e.ProcessInput(Key(VK_HOME, 0, RIGHT_CTRL_PRESSED));
    EXPECT_EQ(e.CurLine(), 0);
    e.ProcessInput(Key(VK_UP));
    EXPECT_EQ(e.CurLine(), 0);
    EXPECT_FALSE(e.Modified());
}

// The commands that edit at the cursor, and the key a plug-in feeds.
TEST(EditorControl, DeleteInsertAndProcessInputCommands) {
    Editor e("a.msg", "one\ntwo\nthree");
    e.SetCursor(1, 1);
    EXPECT_EQ(e.Control(ECTL_DELETECHAR, nullptr), 1);
    EXPECT_EQ(Texts(e), "one|to|three");
    EXPECT_EQ(e.Control(ECTL_INSERTTEXT, const_cast<char*>("XY")), 1);
    EXPECT_EQ(Texts(e), "one|tXYo|three");
    EXPECT_EQ(e.CurPos(), 3);
    EXPECT_EQ(e.Control(ECTL_INSERTTEXT, const_cast<char*>("1\r\n2")), 1);
    EXPECT_EQ(Texts(e), "one|tXY1|2o|three");
    EXPECT_EQ(e.CurLine(), 2);
    EXPECT_EQ(e.CurPos(), 1);
    EXPECT_EQ(e.Control(ECTL_DELETESTRING, nullptr), 1);
    EXPECT_EQ(Texts(e), "one|tXY1|three");
    EXPECT_EQ(e.CurLine(), 2);
    EXPECT_EQ(e.Control(ECTL_DELETESTRING, nullptr), 1);  // the last line
    EXPECT_EQ(Texts(e), "one|tXY1");
    EXPECT_EQ(e.CurLine(), 1);
    EXPECT_EQ(e.Bytes(), "one\ntXY1\n");

    INPUT_RECORD key = Key(0, 'H');
    EXPECT_EQ(e.Control(ECTL_PROCESSINPUT, &key), 1);
    EXPECT_EQ(Texts(e), "one|tHXY1");

    Editor single("a.msg", "only\r\n");
    single.Control(ECTL_DELETESTRING, nullptr);
    single.Control(ECTL_DELETESTRING, nullptr);
    EXPECT_EQ(single.LineCount(), 1);
    EXPECT_EQ(single.Bytes(), "");
}

TEST(EditorKeys, CtrlArrowsMoveByWordsAcrossLines) {
    const KeyCase cases[] = {
        {"one, two  three\n four", 0, 0, Key(VK_RIGHT, 0, LEFT_CTRL_PRESSED),
         "one, two  three| four", 0, 3},
        {"one, two  three\n four", 0, 3, Key(VK_RIGHT, 0, LEFT_CTRL_PRESSED),
         "one, two  three| four", 0, 5},
        {"one, two  three\n four", 0, 5, Key(VK_RIGHT, 0, LEFT_CTRL_PRESSED),
         "one, two  three| four", 0, 10},
        {"one, two  three\n four", 0, 15, Key(VK_RIGHT, 0, LEFT_CTRL_PRESSED),
         "one, two  three| four", 1, 0},
        {"one, two  three\n four", 0, 20, Key(VK_RIGHT, 0, LEFT_CTRL_PRESSED),
         "one, two  three| four", 1, 0},
        {"one, two  three\n four", 1, 5, Key(VK_RIGHT, 0, LEFT_CTRL_PRESSED),
         "one, two  three| four", 1, 5},
        {"one, two  three\n four", 1, 1, Key(VK_LEFT, 0, LEFT_CTRL_PRESSED),
         "one, two  three| four", 1, 0},
        {"one, two  three\n four", 1, 0, Key(VK_LEFT, 0, LEFT_CTRL_PRESSED),
         "one, two  three| four", 0, 15},
        {"one, two  three\n four", 0, 12, Key(VK_LEFT, 0, LEFT_CTRL_PRESSED),
         "one, two  three| four", 0, 10},
        {"one, two  three\n four", 0, 10, Key(VK_LEFT, 0, LEFT_CTRL_PRESSED),
         "one, two  three| four", 0, 5},
        {"one, two  three\n four", 0, 5, Key(VK_LEFT, 0, LEFT_CTRL_PRESSED),
         "one, two  three| four", 0, 0},
        {"one, two  three\n four", 0, 30, Key(VK_LEFT, 0, LEFT_CTRL_PRESSED),
         "one, two  three| four", 0, 10},
        {"one, two  three\n four", 0, 0, Key(VK_LEFT, 0, LEFT_CTRL_PRESSED),
         "one, two  three| four", 0, 0},
        {"\x8F\xE0\xA8\xA2\xA5\xE2 \xAC\xA8\xE0", 0, 0, Key(VK_RIGHT, 0, LEFT_CTRL_PRESSED),
         "\x8F\xE0\xA8\xA2\xA5\xE2 \xAC\xA8\xE0", 0, 7},  // Cyrillic letters make words too
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) Check(cases[i], static_cast<int>(i));
}

TEST(EditorKeys, CtrlYDeletesTheLineAndInsToggledOnlyWithoutModifiers) {
    const KeyCase cases[] = {
        {"one\ntwo\nthree", 1, 2, Key('Y', 25, LEFT_CTRL_PRESSED), "one|three", 1, 2},
        {"one\ntwo", 1, 2, Key('Y', 25, RIGHT_CTRL_PRESSED), "one|", 1,
         0},  // the last line is emptied
        {"one", 0, 2, Key('Y', 'y', LEFT_ALT_PRESSED), "one", 0, 2},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) Check(cases[i], static_cast<int>(i));

    Editor e("a.msg", "abc");
    for (const DWORD state : {DWORD{LEFT_CTRL_PRESSED | SHIFT_PRESSED}, DWORD{LEFT_ALT_PRESSED}}) {
        e.ProcessInput(Key(VK_INSERT, 0, state));
        EXPECT_FALSE(e.Overtype()) << state;
    }
}

// Ctrl+Up and Ctrl+Down move the text by a line under a cursor that keeps
// its screen row (CurLine - TopLine, the row a view draws it on).
TEST(EditorKeys, CtrlUpDownScrollTheTextUnderTheCursorsRow) {
    EditorOptions screen;
    screen.windowHeight = 28;  // a screen of 30 rows, less the title and the key bar
    std::string doc;
    for (int i = 1; i <= 100; ++i) doc += "line " + std::to_string(i) + "\r\n";
    Editor e("a.txt", doc, CodePage::Oem866, screen);  // 101 lines, the last empty
    for (const int top : {1, 2, 3}) {
        e.ProcessInput(Key(VK_DOWN, 0, LEFT_CTRL_PRESSED));
        EXPECT_EQ(e.TopLine(), top);
        EXPECT_EQ(e.CurLine(), top);  // the cursor on the top row, on the line shown there
    }

    EditorOptions small;
    small.windowHeight = 5;
    Editor f("a.msg", std::string(20, '\n'), CodePage::Oem866, small);  // 21 lines
    f.SetCursor(2, 3);
    const struct {
        WORD key;
        WORD repeat;
        int top, line;
    } steps[] = {
        {VK_DOWN, 2, 2, 4},    {VK_DOWN, 1, 3, 5},
        {VK_DOWN, 40, 16, 18},  // down only until the last line stands at the bottom
        {VK_UP, 3, 13, 15},    {VK_UP, 40, 0, 2},
    };
    for (const auto& step : steps) {
        f.ProcessInput(Key(step.key, 0, LEFT_CTRL_PRESSED, step.repeat));
        EXPECT_EQ(f.TopLine(), step.top) << step.repeat;
        EXPECT_EQ(f.CurLine(), step.line) << step.repeat;
        EXPECT_EQ(f.CurPos(), 3);
    }
}

// A character that code page 866 lacks reaches an ANSI file through the byte
// the UI passes; the plug-ins' record carries a stand-in.
TEST(EditorKeys, ATypedByteStandsInForTheRecordsCharacter) {
    Editor e("a.msg", "", CodePage::Ansi1251);
    e.ProcessInput(Key('Q', '?'), 0xAB);                     // «
    e.ProcessInput(Key(0, '-'), 0x97);                       // —
    e.ProcessInput(Key(0, 0), 0x88);                         // € with no OEM form at all
    e.ProcessInput(Key('B', 'b', LEFT_CTRL_PRESSED), 0xBB);  // a command types nothing
    e.ProcessInput(Key(VK_ESCAPE, 27), 0xBB);
    EXPECT_EQ(e.LineAt(0).text, "\xAB\x97\x88");
    EXPECT_EQ(e.UndoHistorySize().steps, 1u);
}

TEST(EditorKeys, FarCursorCannotPadWithoutBound) {
    Editor e("a.msg", "ab");
    EditorSetPosition far{0, 0x7FFFFFFF, -1, -1, -1, -1};
    e.Control(ECTL_SETPOSITION, &far);
    EXPECT_LE(e.CurPos(), 2 + (1 << 20));
    e.ProcessInput(Key('X', 'x'));
    EXPECT_LE(e.LineAt(0).text.size(), std::size_t{2 + (1 << 20)});
    e.ProcessInput(Key(VK_RIGHT, 0, 0, 100));
    EXPECT_LE(e.CurPos(), 2 + (1 << 20));
}

// The bound counts from the end of the line: on a line longer than it the
// cursor still reaches the end, where a wrap or an append happens.
TEST(EditorKeys, CursorReachesTheEndOfALineLongerThanTheBound) {
    const std::string line(3 << 20, 'w');
    Editor e("a.msg", line);
    e.SetCursor(0, static_cast<int>(line.size()));
    EXPECT_EQ(e.CurPos(), static_cast<int>(line.size()));
    EditorSetPosition far{0, 0x7FFFFFFF, -1, -1, -1, -1};
    e.Control(ECTL_SETPOSITION, &far);
    EXPECT_EQ(e.CurPos(), static_cast<int>(line.size()) + (1 << 20));
}

}  // namespace
}  // namespace host::editor_testing
