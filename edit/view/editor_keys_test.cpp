// The table of the editor's keys against what it runs and what the documents
// say: a key added to the table and left out of a document fails here.
#include "edit/view/editor_keys.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "edit/app/command_line.hpp"

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

std::string Root() { return MARTEN_SOURCE_DIR; }

// The short lists of keys: --help, the manual page and the README.
struct Document {
    std::string name, text;
};
std::vector<Document> Summaries() {
    return {{"--help", UsageText()},
            {"the manual page", Slurp(Root() + "/docs/marten-edit.1.in")},
            {"the README", Slurp(Root() + "/README.md")}};
}

// Every key of the table is in the editor's help; those of the short lists
// are in --help, the manual page and the README too.
TEST(EditorKeysTest, EveryKeyIsInHelpTheManualPageTheReadmeAndUsage) {
    const std::string help = Slurp(Root() + "/edit/help/marten-edit.hlf");
    const std::vector<Document> summaries = Summaries();
    for (const host::KeyBinding& key : host::KeyBindings()) {
        EXPECT_TRUE(Names(help, key.keys)) << key.keys << " is not in the editor's help";
        if (!key.summary) continue;
        for (const Document& document : summaries) {
            EXPECT_TRUE(Names(document.text, key.keys))
                << key.keys << " is not in " << document.name;
        }
    }
    EXPECT_TRUE(Names("F10 quit", "F10"));
    EXPECT_FALSE(Names("F10 quit", "F1"));
    EXPECT_FALSE(Names("Ctrl+Shift+Z", "Shift+Z"));
}

// The key scripts' named keys, where a text lists them, are spelled as the
// table spells them, and only so: "{BkSp}", never "{BS}".
TEST(EditorKeysTest, TheKeyScriptsNamesAreSpelledAsTheTableSpellsThem) {
    const std::vector<Document> lists = Summaries();
    for (const host::NamedKey& key : host::NamedKeys()) {
        if (key.name.size() >= 2 && key.name[0] == 'F' && key.name != "F1" && key.name != "F12")
            continue;  // the lists give {F1}..{F12}
        for (const Document& list : lists) {
            const std::string named = "{" + std::string(key.name) + "}";
            EXPECT_NE(list.text.find(named), std::string::npos) << named << " in " << list.name;
            if (key.alias.empty()) continue;
            const std::string alias = "{" + std::string(key.alias) + "}";
            EXPECT_EQ(list.text.find(alias), std::string::npos) << alias << " in " << list.name;
        }
    }
}

// The editor's own commands, left and right Ctrl and Alt alike; the keys of
// the text engine are none of them.
TEST(EditorKeysTest, TheEditorsOwnCommandsAndNoneOfTheEngines) {
    const struct {
        WORD virtualKey;
        DWORD state;
        std::optional<Command> command;
    } cases[] = {
        {VK_F1, 0, Command::Help},
        {VK_F1 + 6, RIGHT_CTRL_PRESSED, Command::Replace},  // either Ctrl
        {VK_F1 + 6, LEFT_ALT_PRESSED, Command::SearchOtherWay},
        {VK_F1 + 8, SHIFT_PRESSED | RIGHT_ALT_PRESSED, Command::PluginConfig},
        {VK_F1 + 8, SHIFT_PRESSED, std::nullopt},
        {VK_ESCAPE, 0, Command::Quit},
        {VK_F1 + 1, SHIFT_PRESSED | NUMLOCK_ON, Command::SaveAs},  // lock keys do not count
        {'Z', LEFT_CTRL_PRESSED, std::nullopt},                    // the engine's
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CommandOf(host::KeyStroke{c.virtualKey, c.state, 0}), c.command) << c.virtualKey;
    }
}

}  // namespace
}  // namespace edit
