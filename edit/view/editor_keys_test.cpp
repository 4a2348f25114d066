// The table of the editor's keys against what it runs and what the documents
// say: a key added to the table and left out of a document fails here.
#include "edit/view/editor_keys.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "edit/app/command_line.hpp"
#include "host/key_input.hpp"

namespace edit {
namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// True when `text` names `key` as a whole: "F1" is not found in "F10",
// nor "Ctrl+Z" in "Ctrl+Shift+Z"'s neighbour "Shift+Ctrl+Z".
bool Names(const std::string& text, std::string_view key) {
    auto joins = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '+'; };
    for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) {
        const std::size_t end = at + key.size();
        if ((at == 0 || !joins(text[at - 1])) && (end == text.size() || !joins(text[end])))
            return true;
    }
    return false;
}

TEST(EditorKeysTest, EveryKeyIsInHelpTheManualPageTheReadmeAndUsage) {
    const std::string root = MARTEN_SOURCE_DIR;
    const struct {
        std::string name, text;
    } documents[] = {
        {"--help", UsageText()},
        {"the editor's help", Slurp(root + "/edit/help/marten-edit.hlf")},
        {"the manual page", Slurp(root + "/docs/marten-edit.1.in")},
        {"the README", Slurp(root + "/README.md")},
    };
    for (const EditorKey& key : EditorKeys()) {
        for (const auto& document : documents) {
            EXPECT_TRUE(Names(document.text, key.key)) << key.key << " is not in " << document.name;
        }
    }
    EXPECT_TRUE(Names("F10 quit", "F10"));
    EXPECT_FALSE(Names("F10 quit", "F1"));
    EXPECT_FALSE(Names("Ctrl+Shift+Z", "Shift+Z"));
}

TEST(EditorKeysTest, EveryCommandHasAKeyThatRunsIt) {
    std::set<Command> bound;
    for (const EditorKey& key : EditorKeys()) bound.insert(key.command);
    for (int c = static_cast<int>(Command::Help); c <= static_cast<int>(Command::Edit); ++c) {
        EXPECT_TRUE(bound.count(static_cast<Command>(c))) << "command " << c << " has no key";
    }
    const struct {
        WORD virtualKey;
        DWORD state;
        Command command;
    } cases[] = {
        {VK_F1, 0, Command::Help},
        {VK_F1 + 6, RIGHT_CTRL_PRESSED, Command::Replace},  // either Ctrl
        {VK_F1 + 6, LEFT_ALT_PRESSED, Command::SearchOtherWay},
        {VK_F1 + 8, SHIFT_PRESSED | RIGHT_ALT_PRESSED, Command::PluginConfig},
        {VK_F1 + 8, SHIFT_PRESSED, Command::None},
        {VK_ESCAPE, 0, Command::Quit},
        {VK_F1 + 1, SHIFT_PRESSED | NUMLOCK_ON, Command::SaveAs},  // lock keys do not count
        {'Z', LEFT_CTRL_PRESSED, Command::None},                   // the engine's
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CommandOf(host::KeyStroke{c.virtualKey, c.state, 0}), c.command) << c.virtualKey;
    }
}

// Every key with Ctrl or Alt (and Ins, Shift+Ins, Shift+Del) that the
// engine acts on stands in the table, with or without Shift: a key added to
// the engine alone fails here.
TEST(EditorKeysTest, EveryKeyTheEngineTakesIsInTheTable) {
    auto listed = [](const KEY_EVENT_RECORD& record) {
        for (const EditorKey& key : EditorKeys()) {
            // Key scripts spell BkSp as BS.
            std::string name(key.key);
            if (const auto at = name.find("BkSp"); at != std::string::npos)
                name.replace(at, 4, "BS");
            std::string error;
            auto strokes = host::ParseKeyScript("{" + name + "}", &error);
            if (!strokes || strokes->size() != 1) continue;
            const host::KeyStroke& s = strokes->front();
            // Shift is left out: a script types a capital letter with it.
            constexpr DWORD held = LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED;
            if (s.virtualKey == record.wVirtualKeyCode &&
                (s.controlState & held) == (record.dwControlKeyState & held)) {
                return true;
            }
        }
        return false;
    };
    std::vector<WORD> keys = {VK_BACK, VK_DELETE, VK_INSERT};
    for (WORD letter = 'A'; letter <= 'Z'; ++letter) keys.push_back(letter);
    const DWORD states[] = {LEFT_CTRL_PRESSED, LEFT_CTRL_PRESSED | SHIFT_PRESSED, LEFT_ALT_PRESSED,
                            LEFT_ALT_PRESSED | SHIFT_PRESSED};
    for (WORD key : keys) {
        for (DWORD state : states) {
            KEY_EVENT_RECORD record{};
            record.bKeyDown = 1;
            record.wVirtualKeyCode = key;
            record.dwControlKeyState = state;
            if (host::IsEditingKey(record)) {
                EXPECT_TRUE(listed(record)) << "key " << key << " with state " << state;
            }
        }
    }
    for (DWORD state : {DWORD{0}, DWORD{SHIFT_PRESSED}}) {
        for (WORD key : {WORD{VK_INSERT}, WORD{VK_DELETE}}) {
            KEY_EVENT_RECORD record{};
            record.wVirtualKeyCode = key;
            record.dwControlKeyState = state;
            if (key == VK_DELETE && state == 0) continue;  // Del, among the plain editing keys
            EXPECT_TRUE(host::IsEditingKey(record) && listed(record)) << key << " " << state;
        }
    }
}

}  // namespace
}  // namespace edit
