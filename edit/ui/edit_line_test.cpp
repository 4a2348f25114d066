#include "edit/ui/edit_line.hpp"

#include <gtest/gtest.h>

namespace edit {
namespace {

host::KeyStroke Key(WORD vk, DWORD control = 0, unsigned char ch = 0) {
    host::KeyStroke k;
    k.virtualKey = vk;
    k.controlState = control;
    k.oemChar = ch;
    return k;
}
host::KeyStroke Char(unsigned char ch) { return Key(0, 0, ch); }

TEST(EditLine, TypingAndDeletingAroundTheCursor) {
    EditLine line(U"78");
    EXPECT_EQ(line.Cursor(), 2);
    line.Apply(Key(VK_HOME));
    line.Apply(Char('$'));
    EXPECT_EQ(line.Text(), U"$78");
    line.Apply(Key(VK_DELETE));
    EXPECT_EQ(line.Text(), U"$8");
    line.Apply(Key(VK_BACK));
    EXPECT_EQ(line.Text(), U"8");
    line.Apply(Key(VK_BACK));  // at the start: nothing
    EXPECT_EQ(line.Text(), U"8");
    line.Apply(Key(VK_END));
    line.Apply(Key(VK_DELETE));  // at the end: nothing
    EXPECT_EQ(line.Text(), U"8");
    line.Apply(Key('Y', LEFT_CTRL_PRESSED, 25));
    EXPECT_EQ(line.Text(), U"");
    line.Apply(Char(0x8F));  // a key's character comes in code page 866
    EXPECT_EQ(line.Text(), U"П");
}

TEST(EditLine, WordsAndShortcuts) {
    EditLine line(U"*.msg, golded.*");
    line.Apply(Key(VK_LEFT, LEFT_CTRL_PRESSED));
    EXPECT_EQ(line.Cursor(), 7);
    line.Apply(Key(VK_BACK, LEFT_CTRL_PRESSED, 127));
    EXPECT_EQ(line.Text(), U"golded.*");
    // Ctrl and Alt shortcuts type nothing; AltGr does.
    EXPECT_FALSE(line.Apply(Key('X', LEFT_ALT_PRESSED, 'x')));
    EXPECT_TRUE(line.Apply(Key('Q', RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED, '@')));
    EXPECT_EQ(line.Text(), U"@golded.*");
    // Keys for the dialog are left to it.
    EXPECT_FALSE(line.Apply(Key(VK_TAB, 0, 9)));
    EXPECT_FALSE(line.Apply(Key(VK_RETURN, 0, 13)));
}

TEST(EditLine, LengthIsBounded) {
    EditLine line(std::u32string(600, U'a'), 511);
    EXPECT_EQ(line.Text().size(), 511u);
    line.Apply(Char('b'));
    EXPECT_EQ(line.Text().size(), 511u);
    EditLine narrow(U"", 3);
    for (char c : std::string("12345")) narrow.Apply(Char(static_cast<unsigned char>(c)));
    EXPECT_EQ(narrow.Text(), U"123");
}

TEST(EditLine, ScrollKeepsTheCursorInTheField) {
    EditLine line(U"abcdefghij");
    EXPECT_EQ(line.FirstShown(3), 8);  // the cursor at 10 in the last cell
    line.Apply(Key(VK_HOME));
    EXPECT_EQ(line.FirstShown(3), 0);
    line.Apply(Key(VK_RIGHT));
    line.Apply(Key(VK_RIGHT));
    line.Apply(Key(VK_RIGHT));
    EXPECT_EQ(line.FirstShown(3), 1);
}

}  // namespace
}  // namespace edit
