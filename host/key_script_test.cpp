#include "host/key_script.hpp"

#include <gtest/gtest.h>

namespace host {
namespace {

std::vector<KeyStroke> Parse(std::string_view script) {
    std::string error;
    auto strokes = ParseKeyScript(script, &error);
    EXPECT_TRUE(strokes) << script << ": " << error;
    return strokes ? *strokes : std::vector<KeyStroke>{};
}

KeyStroke One(std::string_view script) {
    const auto strokes = Parse(script);
    EXPECT_EQ(strokes.size(), 1u) << script;
    return strokes.empty() ? KeyStroke{} : strokes[0];
}

void ExpectStroke(std::string_view script, WORD vk, DWORD state, unsigned char oem) {
    const KeyStroke s = One(script);
    EXPECT_EQ(s.virtualKey, vk) << script;
    EXPECT_EQ(s.controlState, state) << script;
    EXPECT_EQ(s.oemChar, oem) << script;
}

TEST(KeyScript, CharactersStandForThemselves) {
    const auto strokes = Parse("aZ5 ;");
    ASSERT_EQ(strokes.size(), 5u);
    EXPECT_TRUE(Parse("").empty());
    const auto cyrillic = Parse("Нр{Alt+р}");
    ASSERT_EQ(cyrillic.size(), 3u);
    EXPECT_EQ(cyrillic[2].oemChar, 0xE0);
    EXPECT_EQ(cyrillic[2].character, U'р');
    EXPECT_EQ(cyrillic[2].controlState, LEFT_ALT_PRESSED);
    // A character that 866 lacks is kept for the file's own table.
    const auto euro = Parse("€");
    ASSERT_EQ(euro.size(), 1u);
    EXPECT_EQ(euro[0].oemChar, 0);
    EXPECT_EQ(euro[0].character, U'€');
}

// Each script is one stroke: its virtual key, control-key state and OEM character.
TEST(KeyScript, StrokesOfCharactersNamedKeysAndModifiers) {
    const struct {
        const char* script;
        WORD vk;
        DWORD state;
        unsigned char oem;
    } strokes[] = {
        // Characters; Cyrillic in code page 866, capitals with Shift.
        {"a", 'A', 0, 'a'},
        {"Z", 'Z', SHIFT_PRESSED, 'Z'},
        {"5", '5', 0, '5'},
        {" ", 0x20, 0, ' '},
        {";", 0, 0, ';'},
        {"}", 0, 0, '}'},  // a lone closing brace is a character
        {"{{", 0, 0, '{'},
        {"Н", 0, SHIFT_PRESSED, 0x8D},  // capital EN
        {"р", 0, 0, 0xE0},              // small ER
        {"Р", 0, SHIFT_PRESSED, 0x90},  // capital ER
        {"ё", 0, 0, 0xF1},
        // Named keys; the gray block carries ENHANCED_KEY; names ignore case.
        {"{Enter}", VK_RETURN, 0, 13},
        {"{enter}", VK_RETURN, 0, 13},
        {"{Tab}", VK_TAB, 0, 9},
        {"{BS}", VK_BACK, 0, 8},
        {"{Esc}", VK_ESCAPE, 0, 27},
        {"{Del}", VK_DELETE, ENHANCED_KEY, 0},
        {"{Home}", VK_HOME, ENHANCED_KEY, 0},
        {"{End}", VK_END, ENHANCED_KEY, 0},
        {"{Left}", VK_LEFT, ENHANCED_KEY, 0},
        {"{Right}", VK_RIGHT, ENHANCED_KEY, 0},
        {"{Up}", VK_UP, ENHANCED_KEY, 0},
        {"{Down}", VK_DOWN, ENHANCED_KEY, 0},
        {"{PgUp}", VK_PRIOR, ENHANCED_KEY, 0},
        {"{PgDn}", VK_NEXT, ENHANCED_KEY, 0},
        {"{Ins}", VK_INSERT, ENHANCED_KEY, 0},
        // Modifiers, in any order; a capital letter carries Shift.
        {"{Shift+Enter}", VK_RETURN, SHIFT_PRESSED, 13},
        {"{Ctrl+Enter}", VK_RETURN, LEFT_CTRL_PRESSED, 10},
        {"{Ctrl+BS}", VK_BACK, LEFT_CTRL_PRESSED, 127},
        {"{RCtrl+BS}", VK_BACK, RIGHT_CTRL_PRESSED, 127},
        {"{Alt+Enter}", VK_RETURN, LEFT_ALT_PRESSED, 13},
        {"{RAlt+Tab}", VK_TAB, RIGHT_ALT_PRESSED, 9},
        {"{Ctrl+Shift+Del}", VK_DELETE, LEFT_CTRL_PRESSED | SHIFT_PRESSED | ENHANCED_KEY, 0},
        {"{Shift+Ctrl+Del}", VK_DELETE, LEFT_CTRL_PRESSED | SHIFT_PRESSED | ENHANCED_KEY, 0},
        {"{Ctrl+a}", 'A', LEFT_CTRL_PRESSED, 1},
        {"{Ctrl+Z}", 'Z', LEFT_CTRL_PRESSED | SHIFT_PRESSED, 26},
        {"{Alt+x}", 'X', LEFT_ALT_PRESSED, 'x'},
        {"{RAlt+Ctrl+F5}", 0x74, RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED, 0},
        {"{Ctrl++}", 0, LEFT_CTRL_PRESSED, '+'},
        {"{x}", 'X', 0, 'x'},
    };
    for (const auto& s : strokes) ExpectStroke(s.script, s.vk, s.state, s.oem);
    for (int n = 1; n <= 12; ++n) {
        ExpectStroke("{F" + std::to_string(n) + "}", static_cast<WORD>(0x6F + n), 0, 0);
    }
}

TEST(KeyScript, MixedScript) {
    const auto strokes = Parse("> a{Enter}{{b}");
    ASSERT_EQ(strokes.size(), 7u);
    EXPECT_EQ(strokes[0].oemChar, '>');
    EXPECT_EQ(strokes[3].virtualKey, VK_RETURN);
    EXPECT_EQ(strokes[4].oemChar, '{');
    EXPECT_EQ(strokes[5].oemChar, 'b');
    EXPECT_EQ(strokes[6].oemChar, '}');
}

TEST(KeyScript, ErrorsNameTheBytePosition) {
    struct Case {
        const char* script;
        const char* error;
    };
    const Case cases[] = {
        {"Hello {Entr}", "position 7: unknown key \"Entr\""},
        {"ab{Ctrl+Foo}", "position 3: unknown key \"Ctrl+Foo\""},
        {"{F13}", "position 1: unknown key \"F13\""},
        {"{F0}", "position 1: unknown key \"F0\""},
        {"{Ctrl+}", "position 1: unknown key \"Ctrl+\""},
        {"abc{Enter", "position 4: unclosed brace"},
        {"{", "position 1: unclosed brace"},
        {"x{}", "position 2: empty braces"},
        {"Нx\xFF", "position 4: invalid UTF-8"},  // Н takes two bytes
        {"a\xFF", "position 2: invalid UTF-8"},
        {"a\xD0", "position 2: invalid UTF-8"},
        {"\xC0\xAF", "position 1: invalid UTF-8"},  // an overlong '/'
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseKeyScript(c.script, &error)) << c.script;
        EXPECT_EQ(error, c.error) << c.script;
    }
}

TEST(KeyScript, DownAndUpRecords) {
    const KeyStroke stroke = One("{Ctrl+Shift+Del}");
    const INPUT_RECORD down = KeyDownRecord(stroke);
    EXPECT_EQ(down.EventType, KEY_EVENT);
    EXPECT_EQ(down.Event.KeyEvent.bKeyDown, 1);
    EXPECT_EQ(down.Event.KeyEvent.wRepeatCount, 1);
    EXPECT_EQ(down.Event.KeyEvent.wVirtualKeyCode, VK_DELETE);
    EXPECT_EQ(down.Event.KeyEvent.wVirtualScanCode, 0);
    EXPECT_EQ(down.Event.KeyEvent.uChar.AsciiChar, 0);
    EXPECT_EQ(down.Event.KeyEvent.dwControlKeyState,
              LEFT_CTRL_PRESSED | SHIFT_PRESSED | ENHANCED_KEY);
    const INPUT_RECORD up = KeyUpRecord(One("р"));
    EXPECT_EQ(up.EventType, KEY_EVENT);
    EXPECT_EQ(up.Event.KeyEvent.bKeyDown, 0);
    EXPECT_EQ(up.Event.KeyEvent.wRepeatCount, 1);
    EXPECT_EQ(static_cast<unsigned char>(up.Event.KeyEvent.uChar.AsciiChar), 0xE0);
    EXPECT_EQ(up.Event.KeyEvent.uChar.UnicodeChar >> 8, 0);  // the upper byte stays clear
}

}  // namespace
}  // namespace host
