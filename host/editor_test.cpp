#include "engine/editor.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/editor_testing.hpp"

namespace host::editor_testing {
namespace {

EditorInfo Info(Editor& e) {
    EditorInfo info{};
    EXPECT_EQ(e.Control(ECTL_GETINFO, &info), 1);
    return info;
}

int Position(Editor& e, int line, int pos) {
    EditorSetPosition p{line, pos, -1, -1, -1, -1};
    return e.Control(ECTL_SETPOSITION, &p);
}

int InsertString(Editor& e, int* indent) { return e.Control(ECTL_INSERTSTRING, indent); }

// ---------------------------------------------------------------------------
// Loading and saving

TEST(EditorLoad, SplitsLinesKeepingEachEndOfLine) {
    Editor e("a.msg", "one\r\ntwo\nthree\rfour");
    ASSERT_EQ(e.LineCount(), 4);
    EXPECT_EQ(Texts(e), "one|two|three|four");
    EXPECT_EQ(e.LineAt(0).eol, "\r\n");
    EXPECT_EQ(e.LineAt(1).eol, "\n");
    EXPECT_EQ(e.LineAt(2).eol, "\r");
    EXPECT_EQ(e.LineAt(3).eol, "");
    EXPECT_FALSE(e.Modified());

    Editor trailing("a.msg", "x\r\n");
    EXPECT_EQ(trailing.LineCount(), 2);  // the empty line after the last end-of-line
    Editor empty("a.msg", "");
    ASSERT_EQ(empty.LineCount(), 1);
    EXPECT_EQ(empty.LineAt(0).text, "");
    EXPECT_EQ(empty.LineAt(0).eol, "");
    Editor lfcr("a.msg", "a\n\rb");  // LF then a lone CR: two ends of line
    EXPECT_EQ(Texts(lfcr), "a||b");
}

TEST(EditorLoad, EveryByteValueAndMixedEndsRoundTrip) {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    bytes += "\r\n\r\r\n\n\n\r";
    bytes += bytes;
    Editor e("a.msg", bytes);
    EXPECT_EQ(e.Bytes(), bytes);
}

// The document goes out piece by piece, in order, and stops when asked.
TEST(EditorSave, WriteToHandsOutTheDocumentInPieces) {
    std::string doc;
    for (int i = 0; i < 20000; ++i) doc += "line " + std::to_string(i) + (i % 3 ? "\r\n" : "\n");
    doc += std::string(200000, 'w');  // a line longer than a piece
    doc += "\rtail";
    const std::string expected = doc;
    Editor e("a.msg", std::move(doc));
    std::string joined;
    int pieces = 0;
    EXPECT_TRUE(e.WriteTo([&](std::string_view piece) {
        EXPECT_FALSE(piece.empty());
        joined += piece;
        ++pieces;
        return true;
    }));
    EXPECT_EQ(joined, expected);
    EXPECT_GT(pieces, 3);
    EXPECT_EQ(e.Bytes(), expected);

    int calls = 0;
    EXPECT_FALSE(e.WriteTo([&](std::string_view) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
    Editor empty("a.msg", "");
    EXPECT_TRUE(empty.WriteTo([](std::string_view) {
        ADD_FAILURE() << "an empty document has no pieces";
        return true;
    }));
}

// An unchanged line is a view of the file's bytes as read (no copy of its
// own); a text handed to a plug-in stays where it is while lines elsewhere
// come and go, until its own line changes.
TEST(EditorLoad, LinesAreViewsOfTheFilesBytesAndStayPut) {
    std::string doc;
    for (int i = 0; i < 200000; ++i) doc += "line\r\n";
    Editor e("a.msg", std::move(doc));
    const LineView first = e.LineAt(0);
    EXPECT_EQ(e.LineAt(199999).text.data(), first.text.data() + 199999 * 6);

    const EditorGetString got = Get(e, 150000);
    e.SetCursor(10, 2);
    for (int i = 0; i < 1000; ++i) InsertString(e, nullptr);
    e.SetCursor(160000, 0);
    e.Control(ECTL_DELETESTRING, nullptr);
    EXPECT_EQ(Get(e, 151000).StringText, got.StringText);
    EXPECT_STREQ(got.StringText, "line");
    EXPECT_EQ(Set(e, 151000, "changed"), 1);
    EXPECT_STREQ(Get(e, 151000).StringText, "changed");
    EXPECT_EQ(e.LineAt(0).text.data(), first.text.data());
}

// ---------------------------------------------------------------------------
// GETINFO, GETSTRING, SETSTRING

TEST(EditorControl, GetInfoFillsEveryField) {
    EditorOptions options;
    options.tabSize = 4;
    options.autoIndent = true;
    options.windowWidth = 70;
    options.windowHeight = 20;
    Editor e("/home/u/reply.msg", "a\tbc\r\nx", CodePage::Oem866, options);
    e.SetCursor(0, 3);
    EditorInfo info;
    std::memset(&info, 0x5A, sizeof info);
    ASSERT_EQ(e.Control(ECTL_GETINFO, &info), 1);
    EXPECT_EQ(info.EditorID, 1);
    EXPECT_STREQ(info.FileName, "/home/u/reply.msg");
    EXPECT_EQ(info.WindowSizeX, 70);
    EXPECT_EQ(info.WindowSizeY, 20);
    EXPECT_EQ(info.TotalLines, 2);
    EXPECT_EQ(info.CurLine, 0);
    EXPECT_EQ(info.CurPos, 3);
    EXPECT_EQ(info.CurTabPos, 5);  // after "a", a tab to 4 and "b"
    EXPECT_EQ(info.TopScreenLine, 0);
    EXPECT_EQ(info.LeftPos, 0);
    EXPECT_EQ(info.Overtype, 0);
    EXPECT_EQ(info.BlockType, 0);
    EXPECT_EQ(info.BlockStartLine, 0);
    EXPECT_EQ(info.AnsiMode, 0);
    EXPECT_EQ(info.TableNum, -1);
    EXPECT_EQ(info.Options, DWORD(EOPT_CURSORBEYONDEOL | EOPT_AUTOINDENT));
    EXPECT_EQ(info.TabSize, 4);
    EXPECT_EQ(info.BookMarkCount, 0);
    EXPECT_EQ(info.CurState, 0u);
    for (DWORD r : info.Reserved) EXPECT_EQ(r, 0u);

    e.SetTable(CodePage::Ansi1251);
    e.SetCursor(1, 5);  // beyond the end: screen column counts on
    info = Info(e);
    EXPECT_EQ(info.AnsiMode, 1);
    EXPECT_EQ(info.TableNum, 0);
    EXPECT_EQ(info.CurTabPos, 5);
}

TEST(EditorControl, GetInfoReportsTheNameGivenLater) {
    Editor e("/home/u/reply.msg", "text\r\n");
    e.SetFileName("/home/u/notes.txt");
    EXPECT_EQ(e.FileName(), "/home/u/notes.txt");
    EXPECT_STREQ(Info(e).FileName, "/home/u/notes.txt");
    EXPECT_FALSE(e.Modified());  // a new name is no change of the text
    EXPECT_FALSE(e.CanUndo());
}

TEST(EditorControl, GetStringReadsTheNamedOrTheCursorLine) {
    Editor e("a.msg", "first\r\nsecond\nthird");
    e.SetCursor(1, 0);
    EditorGetString get = Get(e, -1);
    EXPECT_EQ(std::string(get.StringText, get.StringLength), "second");
    EXPECT_EQ(get.StringText[get.StringLength], '\0');
    EXPECT_STREQ(get.StringEOL, "\n");
    EXPECT_EQ(get.SelStart, -1);
    EXPECT_EQ(get.SelEnd, 0);
    get = Get(e, 2);
    EXPECT_EQ(std::string(get.StringText, get.StringLength), "third");
    EXPECT_STREQ(get.StringEOL, "");

    // The text stays where it is while other lines come and go.
    const char* first = Get(e, 0).StringText;
    for (int i = 0; i < 100; ++i) InsertString(e, nullptr);
    EXPECT_EQ(std::string(first, 5), "first");
}

TEST(EditorControl, CommandsOnMissingLinesAnswerZeroAndChangeNothing) {
    Editor e("a.msg", "one\r\ntwo");
    for (int n : {2, 100, -2, -100}) {
        EditorGetString get{n, nullptr, nullptr, 77, 5, 6};
        EXPECT_EQ(e.Control(ECTL_GETSTRING, &get), 0) << n;
        EXPECT_EQ(get.StringText, nullptr);
        EXPECT_EQ(get.StringLength, 77);
        EXPECT_EQ(Set(e, n, "gone"), 0) << n;
    }
    EXPECT_EQ(e.Control(ECTL_GETSTRING, nullptr), 0);
    EXPECT_EQ(e.Control(ECTL_SETSTRING, nullptr), 0);
    EXPECT_EQ(e.Control(ECTL_GETINFO, nullptr), 0);
    EXPECT_EQ(e.Control(ECTL_SETPOSITION, nullptr), 0);
    EXPECT_EQ(e.Control(ECTL_INSERTTEXT, nullptr), 0);
    EXPECT_EQ(e.Control(ECTL_PROCESSINPUT, nullptr), 0);
    for (int command :
         std::initializer_list<int>{ECTL_SELECT, ECTL_TABTOREAL, ECTL_REALTOTAB, ECTL_EXPANDTABS,
                                    ECTL_SETTITLE, ECTL_READINPUT, 18, -1, 1000})
        EXPECT_EQ(e.Control(command, nullptr), 0) << command;
    EXPECT_EQ(e.Bytes(), "one\r\ntwo");
    EXPECT_FALSE(e.Modified());
    EXPECT_EQ(e.RedrawCount(), 0);
}

TEST(EditorControl, SetStringReplacesTextAndOptionallyTheEndOfLine) {
    Editor e("a.msg", "one\r\ntwo\r\nthree");
    e.SetCursor(1, 3);
    EXPECT_EQ(Set(e, -1, std::string("t\0o", 3)), 1);
    EXPECT_EQ(e.LineAt(1).text, std::string("t\0o", 3));
    EXPECT_EQ(e.LineAt(1).eol, "\r\n");  // null EOL keeps it
    EXPECT_EQ(Set(e, 0, "", "\n"), 1);
    EXPECT_EQ(e.Bytes(), std::string("\nt\0o\r\nthree", 11));
    EXPECT_TRUE(e.Modified());
    EXPECT_EQ(Set(e, -1, "x"), 1);  // the cursor keeps its column, now beyond the end
    EXPECT_EQ(e.CurPos(), 3);
    EXPECT_EQ(e.CurLine(), 1);

    // A line inside the document keeps an end-of-line; a bogus one is refused.
    EXPECT_EQ(Set(e, 1, "x", ""), 1);
    EXPECT_EQ(e.LineAt(1).eol, "\n");
    EXPECT_EQ(Set(e, 1, "y", "\r\r"), 0);
    EXPECT_EQ(e.LineAt(1).text, "x");
    EXPECT_EQ(Set(e, 2, "end", "\r\n"), 1);
    EXPECT_EQ(e.Bytes(), "\nx\nend\r\n");

    EditorSetString bad{0, nullptr, nullptr, 3};
    EXPECT_EQ(e.Control(ECTL_SETSTRING, &bad), 0);
    char text[] = "abc";
    EditorSetString negative{0, text, nullptr, -1};
    EXPECT_EQ(e.Control(ECTL_SETSTRING, &negative), 0);
    EXPECT_EQ(e.Bytes(), "\nx\nend\r\n");
}

// ---------------------------------------------------------------------------
// INSERTSTRING: the break at the cursor

TEST(EditorInsertString, BreaksAtEveryCursorPosition) {
    for (int pos = 0; pos <= 6; ++pos) {
        Editor e("a.msg", "abcd\nnext");
        e.SetCursor(0, pos);
        ASSERT_EQ(InsertString(e, nullptr), 1);
        const std::string text = "abcd";
        const int cut = std::min(pos, 4);
        EXPECT_EQ(Texts(e), text.substr(0, cut) + "|" + text.substr(cut) + "|next") << pos;
        EXPECT_EQ(e.CurLine(), 1);
        EXPECT_EQ(e.CurPos(), 0);
        EXPECT_EQ(e.LineAt(0).eol, "\n");
        EXPECT_EQ(e.LineAt(1).eol, "\n");
    }
}

TEST(EditorInsertString, NewLineTakesTheDefaultEndOfLineAndTheLowerPartKeepsItsOwn) {
    Editor e("a.msg", "one\ntwo\r\nlast");
    e.SetCursor(2, 2);
    InsertString(e, nullptr);
    EXPECT_EQ(e.Bytes(), "one\ntwo\r\nla\nst");  // the last line keeps having none
    e.SetCursor(1, 1);
    InsertString(e, nullptr);
    EXPECT_EQ(e.Bytes(), "one\nt\nwo\r\nla\nst");

    Editor single("a.msg", "word");
    single.SetCursor(0, 4);
    InsertString(single, nullptr);
    EXPECT_EQ(single.Bytes(), "word\r\n");
}

// The editor's auto-indent, as the file manager's editor was seen to do it:
// only with its option on and a non-zero flag; the column of the first
// non-blank of the cursor's line (or of the nearest line above that has
// one). Nothing after the cursor: the line above stays as it was and only
// the cursor moves. Text after it: the indent, less the blanks before the
// cursor, is typed in front of it.
TEST(EditorInsertString, AutoIndentFollowsTheEditorsRules) {
    const struct {
        const char* text;
        int line, pos;
        const char* after;
        int pos_after;
    } cases[] = {
        {" \t  text more", 0, 8, " \t  text| \t   more", 4},  // the source's blanks, one by one
        {" \t  text more", 0, 13, " \t  text more|", 10},     // an empty new line: the cursor only
        {"abc   ", 0, 6, "abc   |", 0},           // trailing blanks stay when nothing moves
        {"abc   ", 0, 9, "abc   |", 0},           // ... also from beyond the end
        {"abc   x", 0, 3, "abc|   x", 0},         // not while text moves down
        {"text   ", 0, 4, "text|   ", 0},         // blanks only move down: trimmed above
        {"    abc\n", 1, 0, "    abc||", 4},      // a blank line: the line above counts
        {"    abc\n  ", 1, 2, "    abc|  |", 4},  // ... the blanks before stay, not subtracted
        {"    foo", 0, 2, "  |    foo", 4},       // blanks before the cursor go down too
        {"    foo", 0, 0, "|        foo", 4},
        {"\t x", 0, 1, "\t|  x", 2},   // a tab past the column: spaces instead
        {"\tfoo", 0, 4, "\tfoo|", 8},  // the screen column, tabs expanded
        {"\tfoo bar", 0, 4, "\tfoo|\t bar", 1},
        {"x\n\n\n", 3, 0, "x||||", 0},
    };
    EditorOptions on;
    on.autoIndent = true;
    for (const auto& c : cases) {
        Editor e("a.msg", c.text, CodePage::Oem866, on);
        e.SetCursor(c.line, c.pos);
        int flag = 1;
        InsertString(e, &flag);
        EXPECT_EQ(Texts(e), c.after) << c.text << " at " << c.pos;
        EXPECT_EQ(e.CurLine(), c.line + 1) << c.text;
        EXPECT_EQ(e.CurPos(), c.pos_after) << c.text << " at " << c.pos;
    }
}

// Enter and ECTL_INSERTSTRING with auto-indent on, on the texts measured in
// the file manager's editor: the text and the cursor afterwards, one row each.
TEST(EditorAutoIndent, MatchesTheMeasuredEditor) {
    const struct {
        const char* text;
        int line, pos;
        const char* after;
        int lineAfter, posAfter;
    } rows[] = {
        {"    indented text   ", 0, 20, "    indented text   |", 1, 4},
        {"      deep\r\n\r\n  ", 2, 2, "      deep||  |", 3, 6},
        {"    text", 0, 2, "  |    text", 1, 4},
        {"      deep\r\n  ", 1, 1, "      deep||      ", 2, 5},
    };
    EditorOptions on;
    on.autoIndent = true;
    for (const bool byKey : {true, false}) {
        for (const auto& row : rows) {
            Editor e("a.msg", row.text, CodePage::Oem866, on);
            e.SetCursor(row.line, row.pos);
            int flag = 1;
            if (byKey)
                e.ProcessInput(editor_testing::Key(VK_RETURN, '\r'));
            else
                InsertString(e, &flag);
            const std::string where =
                std::string(byKey ? "Enter on " : "INSERTSTRING on ") + row.text;
            EXPECT_EQ(Texts(e), row.after) << where;
            EXPECT_EQ(e.CurLine(), row.lineAfter) << where;
            EXPECT_EQ(e.CurPos(), row.posAfter) << where;
        }
    }
}

TEST(EditorInsertString, WithoutTheOptionOrTheFlagThereIsNoIndent) {
    int zero = 0;
    int one = 1;
    for (const bool option : {false, true}) {
        for (int* flag : {static_cast<int*>(nullptr), &zero, &one}) {
            EditorOptions options;
            options.autoIndent = option;
            Editor e("a.msg", "    text   more", CodePage::Oem866, options);
            e.SetCursor(0, 8);
            InsertString(e, flag);
            const bool indented = option && flag && *flag != 0;
            EXPECT_EQ(Texts(e), indented ? "    text|       more" : "    text|   more");
            EXPECT_EQ(e.CurPos(), indented ? 4 : 0);
        }
    }
}

// A wrap inserts many lines one after another at the cursor: the gap must
// stay there, so the slots moved grow with the lines inserted, not with
// the length of the document.
TEST(EditorInsertString, ManyBreaksStayLinear) {
    Editor tail("a.msg", "x");
    for (int i = 0; i < 100000; ++i) InsertString(tail, nullptr);
    EXPECT_EQ(tail.LineCount(), 100001);
    EXPECT_EQ(tail.CurLine(), 100000);

    std::string doc;
    for (int i = 0; i < 100000; ++i) doc += "line\r\n";
    Editor middle("a.msg", doc);
    middle.SetCursor(50000, 2);
    for (int i = 0; i < 100000; ++i) InsertString(middle, nullptr);
    EXPECT_EQ(middle.LineCount(), 200001);
    EXPECT_EQ(middle.LineAt(50000).text, "li");
    EXPECT_EQ(middle.LineAt(150000).text, "ne");
}

// ---------------------------------------------------------------------------
// SETPOSITION, REDRAW, the conversions, the log

TEST(EditorControl, SetPositionLeavesMinusOneAndClamps) {
    Editor e("a.msg", "ab\ncd\nef");
    EXPECT_EQ(Position(e, 1, 7), 1);
    EXPECT_EQ(e.CurLine(), 1);
    EXPECT_EQ(e.CurPos(), 7);
    EXPECT_EQ(Position(e, -1, 1), 1);
    EXPECT_EQ(e.CurLine(), 1);
    EXPECT_EQ(Position(e, 2, -1), 1);
    EXPECT_EQ(e.CurPos(), 1);
    EXPECT_EQ(Position(e, 99, -5), 1);
    EXPECT_EQ(e.CurLine(), 2);
    EXPECT_EQ(e.CurPos(), 0);
    EditorSetPosition over{-1, -1, -1, -1, -1, 1};
    e.Control(ECTL_SETPOSITION, &over);
    EXPECT_TRUE(e.Overtype());
    EXPECT_FALSE(e.Modified());
}

TEST(EditorControl, RedrawOnlyCounts) {
    Editor e("a.msg", "ab");
    EXPECT_EQ(e.Control(ECTL_REDRAW, nullptr), 1);
    EXPECT_EQ(e.Control(ECTL_REDRAW, nullptr), 1);
    EXPECT_EQ(e.RedrawCount(), 2);
    EXPECT_EQ(e.Bytes(), "ab");
}

TEST(EditorControl, ConversionsActOnlyInAnsiMode) {
    Editor e("a.msg", "");
    char text[] = "\x8D\xA5\xE2 ok";  // "Нет ok" in 866
    EditorConvertText convert{text, 6};
    EXPECT_EQ(e.Control(ECTL_OEMTOEDITOR, &convert), 1);
    EXPECT_STREQ(text, "\x8D\xA5\xE2 ok");
    e.SetTable(CodePage::Ansi1251);
    EXPECT_EQ(e.Control(ECTL_OEMTOEDITOR, &convert), 1);
    EXPECT_STREQ(text, "\xCD\xE5\xF2 ok");
    EXPECT_EQ(e.Control(ECTL_EDITORTOOEM, &convert), 1);
    EXPECT_STREQ(text, "\x8D\xA5\xE2 ok");
    EXPECT_EQ(convert.TextLength, 6);

    EditorConvertText part{text, 1};  // only TextLength bytes
    e.Control(ECTL_OEMTOEDITOR, &part);
    EXPECT_STREQ(text, "\xCD\xA5\xE2 ok");
    EditorConvertText none{nullptr, 3};
    EXPECT_EQ(e.Control(ECTL_OEMTOEDITOR, &none), 0);
    EditorConvertText negative{text, -1};
    EXPECT_EQ(e.Control(ECTL_EDITORTOOEM, &negative), 0);
    EXPECT_STREQ(text, "\xCD\xA5\xE2 ok");
}

TEST(EditorControl, LogRecordsEveryCall) {
    Editor e("a.msg", "ab");
    Get(e, -1);
    Set(e, 5, "x");
    e.Control(ECTL_REDRAW, nullptr);
    Position(e, 0, 1);
    const auto& log = e.Log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].command, ECTL_GETSTRING);
    EXPECT_EQ(log[0].line, -1);
    EXPECT_EQ(log[0].result, 1);
    EXPECT_EQ(log[1].command, ECTL_SETSTRING);
    EXPECT_EQ(log[1].line, 5);
    EXPECT_EQ(log[1].result, 0);
    EXPECT_EQ(log[2].command, ECTL_REDRAW);
    EXPECT_EQ(log[2].line, -1);
    EXPECT_EQ(log[3].command, ECTL_SETPOSITION);
    e.ClearLog();
    EXPECT_TRUE(e.Log().empty());
}

}  // namespace
}  // namespace host::editor_testing
