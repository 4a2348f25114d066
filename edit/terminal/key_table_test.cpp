#include "edit/terminal/key_table.hpp"

#include <gtest/gtest.h>

namespace edit {
namespace {

constexpr DWORD kCtrl = LEFT_CTRL_PRESSED, kAlt = LEFT_ALT_PRESSED, kShift = SHIFT_PRESSED;

// Only the bits that tell keys apart; ENHANCED_KEY is checked separately.
DWORD Mods(const host::KeyStroke& s) { return s.controlState & ~DWORD{ENHANCED_KEY}; }

TEST(KeyTable, NamesOfModifiedNavigationKeysGiveTheirModifiers) {
    struct Case { const char* name; WORD vk; DWORD mods; };
    const Case cases[] = {
        {"kDC5", VK_DELETE, kCtrl},          {"kDC3", VK_DELETE, kAlt},
        {"kLFT5", VK_LEFT, kCtrl},           {"kRIT6", VK_RIGHT, kCtrl | kShift},
        {"kHOM5", VK_HOME, kCtrl},           {"kEND5", VK_END, kCtrl},
        {"kUP", VK_UP, kShift},              {"kDN7", VK_DOWN, kCtrl | kAlt},
        {"kNXT5", VK_NEXT, kCtrl},           {"kPRV3", VK_PRIOR, kAlt},
        {"KEY_DC", VK_DELETE, 0},            {"KEY_BTAB", VK_TAB, kShift},
        {"KEY_SR", VK_UP, kShift},           {"KEY_NPAGE", VK_NEXT, 0},
        {"KEY_BACKSPACE", VK_BACK, 0},       {"KEY_F(1)", VK_F1, 0},
        {"KEY_F(21)", VK_F1 + 8, kShift},    {"KEY_F(35)", VK_F1 + 10, kCtrl},
        {"KEY_F(57)", VK_F1 + 8, kAlt},      {"KEY_F(61)", VK_F1, kAlt | kShift},
    };
    for (const Case& c : cases) {
        auto stroke = StrokeForKeyName(c.name);
        ASSERT_TRUE(stroke) << c.name;
        EXPECT_EQ(stroke->virtualKey, c.vk) << c.name;
        EXPECT_EQ(Mods(*stroke), c.mods) << c.name;
    }
    EXPECT_FALSE(StrokeForKeyName("KEY_F(64)"));
    EXPECT_FALSE(StrokeForKeyName("kDC9"));
    EXPECT_FALSE(StrokeForKeyName("KEY_MOUSE"));
    EXPECT_FALSE(StrokeForKeyName(""));
}

TEST(KeyTable, EscapeSequencesOfXtermAndItsRelatives) {
    struct Case { std::u32string_view rest; WORD vk; DWORD mods; };
    const Case cases[] = {
        {U"[3;5~", VK_DELETE, kCtrl},       {U"[1;5H", VK_HOME, kCtrl},
        {U"[1;5F", VK_END, kCtrl},          {U"[1;2A", VK_UP, kShift},
        {U"[20;4~", VK_F1 + 8, kShift | kAlt},  // Alt+Shift+F9
        {U"[23~", VK_F1 + 10, 0},           {U"OP", VK_F1, 0},
        {U"[1;2P", VK_F1, kShift},          {U"O5S", VK_F1 + 3, kCtrl},
        {U"[Z", VK_TAB, kShift},            {U"[27;2;13~", VK_RETURN, kShift},
        {U"[13;2u", VK_RETURN, kShift},     {U"[127;5u", VK_BACK, kCtrl},
        {U"", VK_ESCAPE, 0},                {U"\x1b", VK_ESCAPE, 0},
    };
    for (const Case& c : cases) {
        auto stroke = StrokeForEscape(c.rest);
        ASSERT_TRUE(stroke) << std::string(c.rest.begin(), c.rest.end());
        EXPECT_EQ(stroke->virtualKey, c.vk);
        EXPECT_EQ(Mods(*stroke), c.mods);
        EXPECT_TRUE(c.rest.empty() || c.rest == U"\x1b" || EscapeComplete(c.rest));
    }
    EXPECT_FALSE(StrokeForEscape(U"[99~"));
    EXPECT_FALSE(StrokeForEscape(U"[3;x~"));
    EXPECT_FALSE(EscapeComplete(U"[3;5"));
    EXPECT_FALSE(EscapeComplete(U"O5"));
}

TEST(KeyTable, AltWithACharacterKeepsTheCharacter) {
    auto stroke = StrokeForEscape(U"x");
    ASSERT_TRUE(stroke);
    EXPECT_EQ(stroke->virtualKey, 'X');
    EXPECT_EQ(stroke->oemChar, 'x');
    EXPECT_EQ(Mods(*stroke), kAlt);
}

TEST(KeyTable, KeysWithCharactersCarryThemAsTheConsoleDoes) {
    auto enter = StrokeForCharacter(U'\r');
    ASSERT_TRUE(enter);
    EXPECT_EQ(enter->virtualKey, VK_RETURN);
    EXPECT_EQ(enter->oemChar, 13);
    EXPECT_EQ(StrokeForEscape(U"[27;5;13~")->oemChar, 10);  // Ctrl+Enter
    auto backspace = StrokeForCharacter(127);
    EXPECT_EQ(backspace->virtualKey, VK_BACK);
    EXPECT_EQ(backspace->oemChar, 8);
    auto ctrlBackspace = StrokeForCharacter(8);
    EXPECT_EQ(ctrlBackspace->virtualKey, VK_BACK);
    EXPECT_EQ(Mods(*ctrlBackspace), kCtrl);
    EXPECT_EQ(ctrlBackspace->oemChar, 127);
    auto ctrlY = StrokeForCharacter(25);
    EXPECT_EQ(ctrlY->virtualKey, 'Y');
    EXPECT_EQ(Mods(*ctrlY), kCtrl);
    // Navigation keys have no character and are enhanced keys.
    auto del = StrokeForKeyName("KEY_DC");
    EXPECT_EQ(del->oemChar, 0);
    EXPECT_TRUE(del->controlState & ENHANCED_KEY);
    EXPECT_FALSE(StrokeForCharacter(U'\r')->controlState & ENHANCED_KEY);
}

TEST(KeyTable, CyrillicLettersArriveAsTheirOemBytesOnTheirKeys) {
    auto en = StrokeForCharacter(U'Н');  // capital EN, on the Y key
    ASSERT_TRUE(en);
    EXPECT_EQ(en->oemChar, 0x8D);
    EXPECT_EQ(en->virtualKey, 'Y');
    EXPECT_EQ(Mods(*en), kShift);
    auto er = StrokeForCharacter(U'р');  // small ER, on the H key
    EXPECT_EQ(er->oemChar, 0xE0);
    EXPECT_EQ(er->virtualKey, 'H');
    EXPECT_EQ(Mods(*er), 0u);
    EXPECT_EQ(StrokeForCharacter(U'Р')->oemChar, 0x90);
    EXPECT_EQ(StrokeForCharacter(U'ё')->oemChar, 0xF1);
    auto a = StrokeForCharacter(U'A');
    EXPECT_EQ(a->virtualKey, 'A');
    EXPECT_EQ(Mods(*a), kShift);
    EXPECT_EQ(StrokeForCharacter(U'>')->oemChar, '>');
    // A character that code page 866 lacks cannot be typed into the file.
    EXPECT_FALSE(StrokeForCharacter(U'€'));
    EXPECT_FALSE(StrokeForCharacter(U'😀'));
}

TEST(KeyTable, XtermModifierParameters) {
    EXPECT_EQ(ModifiersFromXterm(1), 0u);
    EXPECT_EQ(ModifiersFromXterm(2), kShift);
    EXPECT_EQ(ModifiersFromXterm(8), kShift | kAlt | kCtrl);
    EXPECT_EQ(ModifiersFromXterm(0), 0u);
    EXPECT_EQ(ModifiersFromXterm(1000), 0u);
}

}  // namespace
}  // namespace edit
