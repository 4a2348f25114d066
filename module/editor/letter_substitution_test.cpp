// The three substituted letters and the keys that keep their own letter.
#include "module/editor/letter_substitution.hpp"

#include <gtest/gtest.h>

#include "module/editor/edit_state.hpp"
#include "module/editor/feature_test_editor.hpp"
#include "module/settings/settings.hpp"

namespace marten {
namespace {

using testing_editor::FeatureTestEditor;
using testing_editor::InstalledEditor;

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
    Settings.EnableHPChange = 1;
    const struct {
        unsigned char typed;
        char fed;
    } rows[] = {{0x8D, 'H'}, {0xE0, 'p'}, {0x90, 'P'}};
    for (const auto& row : rows) {
        for (DWORD state : {DWORD{0}, DWORD{SHIFT_PRESSED}, DWORD{0x80 | 0x20 | 0x100}}) {
            FeatureTestEditor editor;
            InstalledEditor installed(editor);
            EXPECT_TRUE(SubstituteLetter(Key(row.typed, state, 1, 3)));
            ASSERT_EQ(editor.fedKeys.size(), 1u);
            const INPUT_RECORD& fed = editor.fedKeys[0];
            EXPECT_EQ(fed.EventType, KEY_EVENT);
            EXPECT_EQ(fed.Event.KeyEvent.bKeyDown, 1);
            EXPECT_EQ(fed.Event.KeyEvent.wRepeatCount, 1);
            EXPECT_EQ(fed.Event.KeyEvent.uChar.AsciiChar, row.fed);
            EXPECT_EQ(fed.Event.KeyEvent.wVirtualKeyCode, 0);
            EXPECT_EQ(fed.Event.KeyEvent.dwControlKeyState, 0u);
            EXPECT_EQ(editor.commands, std::vector<int>{ECTL_PROCESSINPUT});
        }
    }
}

TEST(SubstituteLetter, LeavesOtherKeysToTheEditor) {
    const struct {
        KEY_EVENT_RECORD key;
        bool enabled;
    } cases[] = {
        {Key(0xAD), true},  // small EN looks Latin too, but is not replaced
        {Key('H'), true},
        {Key(0x8D, 0, 0), true},  // key up
        {Key(0x8D, LEFT_ALT_PRESSED), true},
        {Key(0xE0, RIGHT_ALT_PRESSED), true},
        {Key(0x90, LEFT_CTRL_PRESSED), true},
        {Key(0x90, RIGHT_CTRL_PRESSED), true},
        {Key(0x8D, RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED), true},  // AltGr
        {Key(0x8D), false},
    };
    for (const auto& c : cases) {
        Settings.EnableHPChange = c.enabled ? 1 : 0;
        FeatureTestEditor editor;
        InstalledEditor installed(editor);
        EXPECT_FALSE(SubstituteLetter(c.key));
        EXPECT_TRUE(editor.commands.empty());
    }
    Settings.EnableHPChange = 1;
}

}  // namespace
}  // namespace marten
