// The editor's help built into the program: it reads, every link leads
// somewhere, and every key of marten-edit is in it.
#include "edit/ui/editor_help.hpp"

#include <gtest/gtest.h>

#include "edit/ui/help_text.hpp"
#include "edit/ui/screen_text.hpp"

namespace edit {
namespace {

// The text of a topic with its markup read, paragraphs joined by line ends.
std::u32string Plain(const std::string& body) {
    std::u32string text;
    for (const HelpLine& line : ParseHelpTopic(body)) {
        for (const HelpSpan& span : line.spans) text += span.text;
        text += U'\n';
    }
    return text;
}

TEST(EditorHelp, EveryLinkLeadsToATopicOfTheEditorsHelpOrThePlugins) {
    const host::HelpFile& help = EditorHelp();
    EXPECT_EQ(help.contentsTitle, kEditorHelpName);
    EXPECT_NE(help.Topic("Contents"), nullptr);
    for (const char* topic : kDialogHelpTopics) EXPECT_NE(help.Topic(topic), nullptr) << topic;
    std::string pluginHelp = std::string(MARTEN_SOURCE_DIR) + "/module/help";
    auto plugin = host::FindHelpFile(pluginHelp, "English", nullptr);
    ASSERT_TRUE(plugin);
    int intoThePlugin = 0;
    for (const auto& [name, body] : help.topics) {
        for (const HelpLine& line : ParseHelpTopic(body)) {
            for (const HelpSpan& span : line.spans) {
                if (span.link < 0) continue;
                const HelpTarget target = ParseHelpTarget(span.target);
                const host::HelpFile& file = target.file.empty() ? help : *plugin;
                EXPECT_TRUE(target.file.empty() || target.file == kPluginHelpName) << span.target;
                EXPECT_NE(file.Topic(target.topic), nullptr) << name << ": " << span.target;
                if (!target.file.empty()) ++intoThePlugin;
            }
        }
    }
    EXPECT_EQ(intoThePlugin, 1);
}

TEST(EditorHelp, ContentsListsEveryKey) {
    const std::u32string contents = Plain(*EditorHelp().Topic("Contents"));
    const char* const keys[] = {
        // moving
        "Left, Right", "Ctrl+Left, Ctrl+Right", "Up, Down", "Home, End", "PgUp, PgDn",
        "Ctrl+Home, Ctrl+End", "Ctrl+Up, Ctrl+Down", "Alt+F8",
        // selecting
        "Shift+Left, Shift+Right", "Shift+Up, Shift+Down", "Shift+Home, Shift+End",
        "Shift+PgUp, Shift+PgDn", "Ctrl+Shift+Left, Ctrl+Shift+Right", "Ctrl+Shift+Home, Ctrl+Shift+End",
        "Ctrl+A",
        // editing
        "Enter", "Shift+Enter", "Del", "BkSp", "Ctrl+Del, Ctrl+BkSp", "Ctrl+Y", "Tab", "Ins",
        "Ctrl+Z, Alt+BkSp", "Ctrl+Shift+Z, Alt+Shift+BkSp", "Ctrl+R",
        // blocks and the clipboard
        "Ctrl+Ins, Ctrl+C", "Shift+Del, Ctrl+X", "Shift+Ins, Ctrl+V", "the terminal's own paste",
        // search
        "F7", "Shift+F7", "Alt+F7", "Ctrl+F7",
        // files, tables, plug-ins
        "F2", "Shift+F2", "F8", "Shift+F8", "F10, Esc", "F11", "Alt+Shift+F9", "F1",
    };
    for (const char* key : keys) {
        EXPECT_NE(contents.find(Utf8ToText(key)), std::u32string::npos) << key;
    }
    for (const char* group : {"Moving the cursor", "Selecting blocks", "Editing", "Blocks and the clipboard",
                              "Search", "Files and tables", "Plug-ins"}) {
        EXPECT_NE(contents.find(U"\n " + Utf8ToText(group) + U"\n"), std::u32string::npos) << group;
    }
}

}  // namespace
}  // namespace edit
