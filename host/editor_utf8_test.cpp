// The engine on a UTF-8 file: columns count bytes, but the cursor, the keys
// and the block go by whole characters, and no byte is ever lost, even one
// that is no UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "engine/editor.hpp"
#include "engine/text16.hpp"
#include "host/editor_testing.hpp"
#include "host/unicode/unicode_editor.hpp"
#include "host/unicode/unicode_text.hpp"

namespace host::editor_testing {
namespace {

constexpr auto kUtf8 = CodePage::Utf8;
// "Ну, 😀 да" with a stray byte 0xFF at the end: Н у take two bytes each,
// the emoji four.
const std::string kLine = "\xD0\x9D\xD1\x83, \xF0\x9F\x98\x80 \xD0\xB4\xD0\xB0\xFF";

Editor Utf8Editor(const std::string& text = kLine) { return Editor("a.msg", text, kUtf8); }

TEST(EditorUtf8, ArrowsStepOverWholeCharacters) {
    Editor e("a.msg", kLine + "\nx", kUtf8);
    const int stops[] = {0, 2, 4, 5, 6, 10, 11, 13, 15, 16, 17, 18};  // 16: the stray byte's end
    for (std::size_t i = 1; i < std::size(stops); ++i) {
        e.ProcessInput(Key(VK_RIGHT));
        EXPECT_EQ(e.CurPos(), stops[i]) << i;
    }
    for (std::size_t i = std::size(stops) - 1; i-- > 0;) {
        e.ProcessInput(Key(VK_LEFT));
        EXPECT_EQ(e.CurPos(), stops[i]) << i;
    }
    // Down and up keep the screen column.
    e.SetCursor(0, 5);
    e.ProcessInput(Key(VK_DOWN));
    EXPECT_EQ(e.CurPos(), 3);  // the fourth column: "x" and two blanks beyond its end
    e.ProcessInput(Key(VK_UP));
    EXPECT_EQ(e.CurPos(), 5);
    // A position inside a character is its start, from any side.
    e.SetCursor(0, 8);
    EXPECT_EQ(e.CurPos(), 6);
    e.GoTo({LineNumber(1), ColumnNumber(5)});  // the fifth column is the emoji's
    EXPECT_EQ(e.CurPos(), 6);
}

TEST(EditorUtf8, DeleteBackspaceAndOvertypeTakeWholeCharacters) {
    Editor e = Utf8Editor();
    e.SetCursor(0, 6);
    e.ProcessInput(Key(VK_DELETE));  // the emoji
    EXPECT_EQ(Texts(e), "\xD0\x9D\xD1\x83,  \xD0\xB4\xD0\xB0\xFF");
    e.SetCursor(0, 4);
    e.ProcessInput(Key(VK_BACK));  // у
    EXPECT_EQ(Texts(e), "\xD0\x9D,  \xD0\xB4\xD0\xB0\xFF");
    EXPECT_EQ(e.CurPos(), 2);
    e.SetCursor(0, 10);
    e.ProcessInput(Key(VK_BACK));  // the stray byte alone
    EXPECT_EQ(Texts(e), "\xD0\x9D,  \xD0\xB4\xD0\xB0");

    // Overtype replaces one character with one, whatever their lengths.
    e.SetCursor(0, 0);
    e.ProcessInput(Key(VK_INSERT));
    e.ProcessInput(Key(0, 'x'), TableChar::Of("\xE2\x82\xAC"));  // € over Н
    EXPECT_EQ(Texts(e), "\xE2\x82\xAC,  \xD0\xB4\xD0\xB0");
    e.ProcessInput(Key(0, 'x'), TableChar('!'));
    EXPECT_EQ(Texts(e), "\xE2\x82\xAC!  \xD0\xB4\xD0\xB0");
    EXPECT_EQ(e.CurPos(), 4);
    // A character typed beyond the end pads with blanks, one per column.
    e.SetCursor(0, 12);
    e.ProcessInput(Key(0, 'x'), TableChar::Of("\xD1\x8F"));
    EXPECT_EQ(Texts(e), "\xE2\x82\xAC!  \xD0\xB4\xD0\xB0  \xD1\x8F");
    e.ProcessInput(Key('Z', 0x1A, LEFT_CTRL_PRESSED));
    EXPECT_EQ(Texts(e), "\xE2\x82\xAC!  \xD0\xB4\xD0\xB0");
}

TEST(EditorUtf8, SearchFoldsCyrillicAndFindsWholeCharacters) {
    Editor e("a.msg", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD1\x80\xD0\xB0\xD0\xB7",
             kUtf8);  // Привет раз
    SearchOptions options;
    // "ПРИВЕТ" without regard to case: Р and р differ in their first byte.
    const auto found = e.Find("\xD0\x9F\xD0\xA0\xD0\x98\xD0\x92\xD0\x95\xD0\xA2", options);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->start.byteColumn, 0);
    EXPECT_EQ(found->end.byteColumn, 12);
    options.matchCase = true;
    options.next = true;
    EXPECT_FALSE(e.Find("\xD0\xA0", options));  // no capital Р
    const auto small = e.Find("\xD1\x80", options);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->start.byteColumn, 2);
}

TEST(EditorUtf8, ThePluginViewCountsUtf16Units) {
    Editor e = Utf8Editor();
    UnicodeEditor view(e);
    e.SetCursor(0, 10);  // after the emoji: 5 characters, 6 UTF-16 units
    unicode_api::EditorInfo info{};
    info.StructSize = sizeof info;
    ASSERT_EQ(view.Control(UnicodeEditor::kId, unicode_api::ECTL_GETINFO, 0, &info), 1);
    EXPECT_EQ(info.CurPos, 6);
    EXPECT_EQ(info.CodePage, 65001u);

    unicode_api::EditorSetPosition to{};
    to.StructSize = sizeof to;
    to.CurLine = to.CurTabPos = to.TopScreenLine = to.LeftPos = to.Overtype = -1;
    // Unit 5 stands between the halves of the emoji's pair: its start.
    for (const auto& [units, bytes] :
         {std::pair{1, 2}, {5, 6}, {6, 10}, {9, 15}, {10, 16}, {11, 17}}) {
        to.CurPos = units;
        ASSERT_EQ(view.Control(UnicodeEditor::kId, unicode_api::ECTL_SETPOSITION, 0, &to), 1);
        EXPECT_EQ(e.CurPos(), bytes) << units;
    }
    // A line set through the interface keeps every byte, the stray one too.
    unicode_api::EditorGetString get{};
    get.StructSize = sizeof get;
    get.StringNumber = 0;
    ASSERT_EQ(view.Control(UnicodeEditor::kId, unicode_api::ECTL_GETSTRING, 0, &get), 1);
    EXPECT_EQ(get.StringLength, 10);
    const std::u16string line(Utf16Of(get.StringText), static_cast<std::size_t>(get.StringLength));
    unicode_api::EditorSetString set{};
    set.StructSize = sizeof set;
    set.StringNumber = 0;
    set.StringText = InterfaceText(line.c_str());
    set.StringLength = get.StringLength;
    ASSERT_EQ(view.Control(UnicodeEditor::kId, unicode_api::ECTL_SETSTRING, 0, &set), 1);
    EXPECT_EQ(Texts(e), kLine);
}

// A plug-in that shortens the cursor's line leaves the cursor at the start
// of a character, never inside one.
TEST(EditorUtf8, AShorterLineUnderTheCursorKeepsItOnACharacter) {
    Editor e = Utf8Editor("\xD0\xB0\xD0\xB1\xD0\xB2");  // абв
    e.SetCursor(0, 4);
    // The cursor would stand inside б.
    ASSERT_EQ(editor_testing::Set(e, 0, "x\xD0\xB0\xD0\xB1"), 1);
    EXPECT_EQ(e.CurPos(), 3);
}

// Text read in another table keeps its bytes; the cursor and the block come
// to the starts of characters.
TEST(EditorUtf8, SwitchingToUtf8KeepsTheBytesAndMovesOntoCharacters) {
    Editor e("a.msg", kLine, CodePage::Ansi1251);
    e.SetCursor(0, 3);  // inside у once read as UTF-8
    e.Select({0, 1}, {0, 8});
    e.SetTable(kUtf8);
    EXPECT_EQ(Texts(e), kLine);
    EXPECT_EQ(e.CurPos(), 2);
    ASSERT_TRUE(e.Selection());
    EXPECT_EQ(e.Selection()->start.byteColumn, 0);
    EXPECT_EQ(e.Selection()->end.byteColumn, 6);
}

}  // namespace
}  // namespace host::editor_testing
