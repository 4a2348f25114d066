#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/clipboard.hpp"
#include "engine/editor.hpp"
#include "host/editor_testing.hpp"

namespace host::editor_testing {
namespace {

constexpr DWORD kShift = SHIFT_PRESSED;
constexpr DWORD kCtrlShift = LEFT_CTRL_PRESSED | SHIFT_PRESSED;

INPUT_RECORD Shifted(WORD vk, DWORD state = kShift) { return Key(vk, 0, state); }

std::optional<Block> BlockOf(int l1, int p1, int l2, int p2) { return Block{{l1, p1}, {l2, p2}}; }

TEST(EditorBlock, ShiftMovesExtendAStreamBlockAndPlainMovesDropIt) {
    EditorOptions small;
    small.windowHeight = 3;  // a page is two lines
    const struct {
        TextPosition cursor;
        std::vector<INPUT_RECORD> keys;
        std::optional<Block> block;
        TextPosition cursorAfter;
    } cases[] = {
        {{0, 0}, {Shifted(VK_RIGHT), Shifted(VK_RIGHT)}, BlockOf(0, 0, 0, 2), {0, 2}},
        {{0, 3}, {Shifted(VK_LEFT), Shifted(VK_LEFT)}, BlockOf(0, 1, 0, 3), {0, 1}},
        {{0, 2},
         {Shifted(VK_RIGHT), Shifted(VK_RIGHT), Shifted(VK_LEFT), Shifted(VK_LEFT),
          Shifted(VK_LEFT)},
         BlockOf(0, 1, 0, 2),
         {0, 1}},  // back across the anchor
        {{0, 2}, {Shifted(VK_RIGHT), Shifted(VK_LEFT)}, std::nullopt, {0, 2}},
        {{0, 2}, {Shifted(VK_END)}, BlockOf(0, 2, 0, 7), {0, 7}},
        {{1, 3}, {Shifted(VK_HOME)}, BlockOf(1, 0, 1, 3), {1, 0}},
        {{0, 6},
         {Shifted(VK_DOWN)},
         BlockOf(0, 6, 1, 5),
         {1, 6}},  // a line shorter than the column
        {{1, 2}, {Shifted(VK_UP)}, BlockOf(0, 2, 1, 2), {0, 2}},
        {{0, 0}, {Shifted(VK_NEXT)}, BlockOf(0, 0, 2, 0), {2, 0}},
        {{3, 1}, {Shifted(VK_PRIOR)}, BlockOf(1, 1, 3, 1), {1, 1}},
        {{0, 0}, {Shifted(VK_RIGHT, kCtrlShift)}, BlockOf(0, 0, 0, 4), {0, 4}},  // to the next word
        {{0, 7}, {Shifted(VK_LEFT, kCtrlShift)}, BlockOf(0, 4, 0, 7), {0, 4}},
        {{0, 1}, {Shifted(VK_END, kCtrlShift)}, BlockOf(0, 1, 3, 4), {3, 4}},
        {{1, 2}, {Shifted(VK_HOME, kCtrlShift)}, BlockOf(0, 0, 1, 2), {0, 0}},
        {{0, 9},
         {Shifted(VK_RIGHT)},
         std::nullopt,
         {0, 10}},  // beyond the end there is no text to take
        {{1, 2}, {Shifted(VK_RIGHT), Key(VK_RIGHT)}, std::nullopt, {1, 4}},
        // Scrolling the text under the cursor and Ins keep the block.
        {{1, 2},
         {Shifted(VK_DOWN), Key(VK_DOWN, 0, LEFT_CTRL_PRESSED), Key(VK_INSERT)},
         BlockOf(1, 2, 2, 2),
         {3, 2}},
        {{1, 2}, {CtrlKey('A')}, BlockOf(0, 0, 3, 4), {1, 2}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        Editor e("a.msg", "one two\nthree\nsix\nfour", CodePage::Oem866, small);
        e.SetCursor(c.cursor.line, c.cursor.byteColumn);
        for (const INPUT_RECORD& key : c.keys) e.ProcessInput(key);
        EXPECT_EQ(e.Selection(), c.block) << "case " << i;
        EXPECT_EQ(e.CurLine(), c.cursorAfter.line) << "case " << i;
        EXPECT_EQ(e.CurPos(), c.cursorAfter.byteColumn) << "case " << i;
        EXPECT_FALSE(e.Modified());
    }
}

// The block as plug-ins see it: BlockType and BlockStartLine of
// ECTL_GETINFO, SelStart and SelEnd of ECTL_GETSTRING for each line.
TEST(EditorBlock, IsReportedToPlugInsAsTheFileManagerReportsIt) {
    Editor e("a.msg", "zero\none\ntwo\nthree");
    EXPECT_EQ(Info(e).BlockType, BTYPE_NONE);
    e.Select({3, 0}, {1, 2});  // either order
    EXPECT_EQ(Info(e).BlockType, BTYPE_STREAM);
    EXPECT_EQ(Info(e).BlockStartLine, 1);
    const int expected[][2] = {
        {-1, 0}, {2, -1}, {0, -1}, {-1, 0}};  // nothing of line 3 before column 0
    for (int n = 0; n < 4; ++n) {
        const EditorGetString get = Get(e, n);
        EXPECT_EQ(get.SelStart, expected[n][0]) << n;
        EXPECT_EQ(get.SelEnd, expected[n][1]) << n;
    }
    EXPECT_EQ(e.SelectedText(), "e\ntwo\n");
    EXPECT_TRUE(e.IsSelected(2, 40));  // the line break and the room after it
    EXPECT_FALSE(e.IsSelected(1, 1));

    e.Select({2, 1}, {2, 3});
    EXPECT_EQ(Get(e, 2).SelStart, 1);
    EXPECT_EQ(Get(e, 2).SelEnd, 3);
    EXPECT_EQ(e.SelectionOn(2), (LineSelection{1, 3}));
    EXPECT_TRUE(e.IsSelected(2, 2));
    EXPECT_FALSE(e.IsSelected(2, 3));

    e.Select({9, 9}, {9, 99});  // brought into the text: nothing left
    EXPECT_FALSE(e.Selection());
    // A plug-in's change drops the block.
    e.SelectAll();
    e.Control(ECTL_DELETECHAR, nullptr);
    EXPECT_EQ(Info(e).BlockType, BTYPE_NONE);
}

// With "Del removes blocks" on; the defaults are among the key cases.
TEST(EditorBlock, DelAndBkSpRemoveItATypedCharacterReplacesIt) {
    const struct {
        INPUT_RECORD key;
        bool overtype;
        const char* text;
        TextPosition cursor;
    } cases[] = {
        {Key(VK_DELETE), false, "onhree", {0, 2}},
        {Key(VK_BACK, '\b'), false, "onhree", {0, 2}},
        {Key('X', 'x'), false, "onxhree", {0, 3}},
        // In overtype the character after the removed block goes, and the
        // cursor stays where the block began, as in the file manager's editor.
        {Key('X', 'x'), true, "onxree", {0, 2}},
        {Key(VK_RETURN, '\r'), false, "on|hree", {1, 0}},
    };
    EditorOptions options;
    options.delRemovesBlocks = true;
    for (const auto& c : cases) {
        Editor e("a.msg", "one\nthree", CodePage::Oem866, options);
        e.SetCursor(0, 2);
        if (c.overtype) e.ProcessInput(Key(VK_INSERT));
        e.ProcessInput(Shifted(VK_DOWN));
        e.ProcessInput(Shifted(VK_LEFT));  // "e", the line break and "t"
        e.ProcessInput(c.key);
        EXPECT_EQ(Texts(e), c.text);
        EXPECT_EQ(e.CurLine(), c.cursor.line) << c.text;
        EXPECT_EQ(e.CurPos(), c.cursor.byteColumn) << c.text;
        EXPECT_FALSE(e.Selection());
        e.Undo();
        EXPECT_EQ(Texts(e), "one|three") << "one undo step";
    }
}

TEST(EditorBlock, CopyCutAndPasteThroughTheClipboard) {
    const INPUT_RECORD copies[] = {Key(VK_INSERT, 0, LEFT_CTRL_PRESSED), CtrlKey('C')};
    const INPUT_RECORD cuts[] = {Key(VK_DELETE, 0, SHIFT_PRESSED), CtrlKey('X')};
    const INPUT_RECORD pastes[] = {Key(VK_INSERT, 0, SHIFT_PRESSED), CtrlKey('V')};
    for (int k = 0; k < 2; ++k) {
        MemoryClipboard clipboard;
        Editor e("a.msg", "\x8D\xA5\xE2 one\r\ntwo\r\n");  // "Нет one" in 866
        e.SetClipboard(&clipboard);
        e.ProcessInput(copies[k]);  // no block: the clipboard stays empty
        EXPECT_FALSE(clipboard.GetText());
        e.Select({0, 2}, {1, 1});
        e.ProcessInput(copies[k]);
        EXPECT_EQ(clipboard.GetText(), "т one\nt");
        EXPECT_TRUE(e.Selection());
        e.ProcessInput(cuts[k]);
        EXPECT_EQ(Texts(e), "\x8D\xA5wo|");
        e.SetCursor(1, 0);
        e.ProcessInput(pastes[k]);
        EXPECT_EQ(e.Bytes(), "\x8D\xA5wo\r\n\xE2 one\r\nt");  // the document's own line end
        EXPECT_EQ(e.CurLine(), 2);
        EXPECT_EQ(e.CurPos(), 1);
        e.Undo();
        EXPECT_EQ(e.Bytes(), "\x8D\xA5wo\r\n");
        e.Undo();
        EXPECT_EQ(e.Bytes(), "\x8D\xA5\xE2 one\r\ntwo\r\n");

        // A paste takes the place of a block; one undo brings both back.
        e.Select({0, 0}, {0, 3});
        e.ProcessInput(pastes[k]);
        EXPECT_EQ(Texts(e), "\xE2 one|t one|two|");
        e.Undo();
        EXPECT_EQ(Texts(e), "\x8D\xA5\xE2 one|two|");
    }

    Editor none("a.msg", "ab");  // without a clipboard nothing happens, nothing is lost
    none.SelectAll();
    none.ProcessInput(CtrlKey('X'));
    none.ProcessInput(CtrlKey('V'));
    EXPECT_EQ(Texts(none), "ab");
}

TEST(EditorBlock, InsertBlockTakesTheDocumentsLineEnds) {
    const struct {
        const char* doc;
        TextPosition cursor;
        const char* block;
        const char* bytes;
        TextPosition after;
    } cases[] = {
        {"ab\r\ncd", {0, 1}, "x\ny\r\nz\rw", "ax\r\ny\r\nz\r\nwb\r\ncd", {3, 1}},
        {"ab\ncd", {1, 2}, "x\r\n", "ab\ncdx\n", {2, 0}},
        {"ab",
         {0, 4},
         "x\ny",
         "ab  x\r\ny",
         {1, 1}},  // blanks fill the gap; a new line takes CR LF
        {"ab\r\n", {0, 1}, "xyz", "axyzb\r\n", {0, 4}},
        {"ab", {0, 1}, "", "ab", {0, 1}},
    };
    for (const auto& c : cases) {
        Editor e("a.msg", c.doc);
        e.SetCursor(c.cursor.line, c.cursor.byteColumn);
        e.InsertBlock(c.block);
        EXPECT_EQ(e.Bytes(), c.bytes) << c.block;
        EXPECT_EQ(e.CurLine(), c.after.line) << c.block;
        EXPECT_EQ(e.CurPos(), c.after.byteColumn) << c.block;
        e.Undo();
        EXPECT_EQ(e.Bytes(), c.doc);
    }
}

// A character the table lacks is left out and counted, never silently.
TEST(EditorBlock, Utf8PastesCountWhatTheTableCannotHold) {
    Editor ansi("a.msg", "", CodePage::Ansi1251);
    EXPECT_EQ(ansi.InsertUtf8Block("«Нр» — 5 € 中\xFF"), 2u);  // 中 and a byte that is no UTF-8
    EXPECT_EQ(ansi.LineAt(0).text, "\xAB\xCD\xF0\xBB \x97 5 \x88 ");
    EXPECT_EQ(ansi.TakeUnkeptCount(), 0u);  // only key pastes are counted there

    MemoryClipboard clipboard;
    clipboard.SetText("€1 €2");
    Editor oem("a.msg", "");
    oem.SetClipboard(&clipboard);
    oem.ProcessInput(CtrlKey('V'));
    EXPECT_EQ(oem.LineAt(0).text, "1 2");
    EXPECT_EQ(oem.TakeUnkeptCount(), 2u);
    EXPECT_EQ(oem.TakeUnkeptCount(), 0u);
}

}  // namespace
}  // namespace host::editor_testing
