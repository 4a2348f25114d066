// The key table: its names, the keys' flags, and the editor's rules for
// which key with which modifiers runs which command, written out.
#include "host/key_table.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "host/key_script.hpp"

namespace host {
namespace {

using engine::Command;

TEST(KeyTable, NamedKeysGoByTheirNameOrAliasInAnyCase) {
    ASSERT_NE(NamedKeyByName("bksp"), nullptr);
    EXPECT_EQ(NamedKeyByName("BS"), NamedKeyByName("BkSp"));
    EXPECT_EQ(NamedKeyByName("bs")->name, "BkSp");
    EXPECT_EQ(NamedKeyByName("f12")->virtualKey, VK_F1 + 11);
    EXPECT_EQ(NamedKeyByName("F13"), nullptr);
    EXPECT_EQ(NamedKeyByName("F01"), nullptr);
    EXPECT_TRUE(NamedKeyOf(VK_DELETE)->enhanced);
    EXPECT_FALSE(NamedKeyOf(VK_RETURN)->enhanced);
    EXPECT_EQ(NamedKeyOf(VK_ESCAPE)->character, 27);
    EXPECT_EQ(NamedKeyOf('Q'), nullptr);
}

TEST(KeyTable, ActionsFollowTheEditorsRulesForModifiers) {
    constexpr DWORD kShift = SHIFT_PRESSED;
    constexpr DWORD kCtrl = LEFT_CTRL_PRESSED;
    constexpr DWORD kAlt = LEFT_ALT_PRESSED;
    const struct {
        WORD key;
        DWORD state;
        unsigned char character;
        std::optional<KeyAction> action;
    } cases[] = {
        {VK_DELETE, kShift, 0, Command::Cut},
        {VK_DELETE, kCtrl | kShift, 0, Command::DeleteWordRight},
        {VK_DELETE, kAlt, 0, std::nullopt},
        {VK_BACK, kCtrl | kAlt, 0, Command::Undo},
        {VK_BACK, RIGHT_ALT_PRESSED | kShift, 0, Command::Redo},
        {VK_BACK, kShift, 0, Command::Backspace},
        {VK_INSERT, kCtrl | kShift, 0, std::nullopt},
        {VK_INSERT, kAlt, 0, std::nullopt},
        {VK_RETURN, kShift, 0, Command::Enter},
        {VK_RETURN, kCtrl, 0, std::nullopt},
        {VK_TAB, kCtrl | kAlt | kShift, 0, Command::Tab},
        {VK_LEFT, kAlt | kShift, 0, Command::Left},
        {VK_UP, RIGHT_CTRL_PRESSED | kShift, 0, Command::ScrollUp},
        {VK_NEXT, kCtrl, 0, Command::PageDown},
        {'Z', RIGHT_CTRL_PRESSED, 0, Command::Undo},
        {'Z', kCtrl | kShift, 0, Command::Redo},
        {'Z', RIGHT_ALT_PRESSED | kCtrl, 0, std::nullopt},  // AltGr types
        {'R', kCtrl | kShift, 0, Command::Redo},
        {'B', kCtrl, 0, std::nullopt},
        {0, kCtrl, '\r', Command::Enter},  // a bare character fed back: the key that carries it
        {0, 0, '\b', Command::Backspace},
        {0, 0, 0x1A, std::nullopt},
        {VK_F1 + 1, NUMLOCK_ON | ENHANCED_KEY, 0, EditorCommand::Save},  // lock keys do not count
        {VK_F1 + 1, kCtrl, 0, std::nullopt},
        {VK_F1 + 6, RIGHT_ALT_PRESSED, 0, EditorCommand::SearchOtherWay},
        {VK_F1 + 8, kShift, 0, std::nullopt},
        {VK_F1 + 8, kShift | kAlt, 0, EditorCommand::PluginConfig},
        {VK_ESCAPE, 0, 27, EditorCommand::Quit},
    };
    for (const auto& c : cases) {
        const KeyAction* action = ActionOf(c.key, c.state, c.character);
        EXPECT_EQ(action ? std::optional<KeyAction>(*action) : std::nullopt, c.action)
            << c.key << " " << c.state << " " << int{c.character};
    }
}

// Each row's name, as a key script gives the key, runs that row: the names
// the texts show are the keys the editor takes. (A script's capital letter
// carries Shift: the letter of "Ctrl+Z" is written small.)
TEST(KeyTable, EveryRowIsTheKeyItNamesAndEveryCommandHasOne) {
    std::set<int> engineCommands;
    std::set<int> editorCommands;
    for (const KeyBinding& binding : KeyBindings()) {
        std::string keys(binding.keys);
        if (keys.size() >= 2 && keys[keys.size() - 2] == '+') keys.back() |= 0x20;
        std::string error;
        const auto strokes = ParseKeyScript("{" + keys + "}", &error);
        ASSERT_TRUE(strokes && strokes->size() == 1) << binding.keys << ": " << error;
        const KeyStroke& stroke = strokes->front();
        EXPECT_EQ(ActionOf(stroke.virtualKey, stroke.controlState, stroke.oemChar), &binding.action)
            << binding.keys;
        if (const auto* command = std::get_if<Command>(&binding.action))
            engineCommands.insert(static_cast<int>(*command));
        else
            editorCommands.insert(static_cast<int>(std::get<EditorCommand>(binding.action)));
    }
    EXPECT_EQ(engineCommands.size(), static_cast<std::size_t>(Command::Paste) + 1);
    EXPECT_EQ(editorCommands.size(), static_cast<std::size_t>(EditorCommand::Reflow) + 1);
}

}  // namespace
}  // namespace host
