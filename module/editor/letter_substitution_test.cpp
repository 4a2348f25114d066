// The three substituted letters and the keys that keep their own letter.
#include "module/editor/letter_substitution.hpp"

#include <gtest/gtest.h>

#include "module/ansi/ansi_editor.hpp"
#include "tests/support/module_state.hpp"

namespace marten {
namespace {

// The rules at work in the 1.x face's editor.
using namespace ansi;

using testsupport::FakeHost;
using testsupport::InstalledHost;

KEY_EVENT_RECORD Key(unsigned char ch, DWORD state = 0, BOOL down = 1, WORD repeat = 1) {
    KEY_EVENT_RECORD key{};
    key.bKeyDown = down;
    key.wRepeatCount = repeat;
    key.wVirtualKeyCode = 0x4E;
    key.wVirtualScanCode = 0x31;
    key.uChar.AsciiChar = static_cast<char>(ch);
    key.dwControlKeyState = state;
    return key;
}

TEST(SubstituteLetter, FeedsABareKeyDownOfTheLatinLetter) {
    const struct {
        unsigned char typed;
        char fed;
    } rows[] = {{0x8D, 'H'}, {0xE0, 'p'}, {0x90, 'P'}};
    for (const auto& row : rows) {
        for (DWORD state : {DWORD{0}, DWORD{SHIFT_PRESSED}, DWORD{0x80 | 0x20 | 0x100}}) {
            FakeHost editor;
            InstalledHost installed(editor);
            AnsiEditor ed;
            EXPECT_TRUE(SubstituteLetter(ed, Key(row.typed, state, 1, 3)));
            ASSERT_EQ(editor.fedKeys.size(), 1u);
            const INPUT_RECORD& fed = editor.fedKeys[0];
            EXPECT_EQ(fed.EventType, KEY_EVENT);
            EXPECT_EQ(fed.Event.KeyEvent.bKeyDown, 1);
            EXPECT_EQ(fed.Event.KeyEvent.wRepeatCount, 1);
            EXPECT_EQ(fed.Event.KeyEvent.uChar.AsciiChar, row.fed);
            EXPECT_EQ(fed.Event.KeyEvent.wVirtualKeyCode, 0);
            EXPECT_EQ(fed.Event.KeyEvent.dwControlKeyState, 0u);
            EXPECT_EQ(editor.Commands(), std::vector<int>{ECTL_PROCESSINPUT});
        }
    }
}

// Only the three letters of the table; Ctrl, Alt, key-up and the setting are
// the dispatch's tests.
TEST(SubstituteLetter, LeavesOtherCharactersToTheEditor) {
    for (int ch : {0xAD, int{'H'}, int{'p'}, 0x8C, 0x8E, 0xE1, 0x00, 0xFF}) {
        FakeHost editor;
        InstalledHost installed(editor);
        AnsiEditor ed;
        // small EN (0xAD) looks Latin too
        EXPECT_FALSE(SubstituteLetter(ed, Key(static_cast<unsigned char>(ch)))) << ch;
        EXPECT_TRUE(editor.Commands().empty());
        EXPECT_EQ(LatinLookAlike(static_cast<unsigned char>(ch)), 0) << ch;
    }
}

}  // namespace
}  // namespace marten
