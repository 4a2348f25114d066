// The real module's Unicode build, loaded from its own plug-in folder as the
// host loads it, editing through the host's engine.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/codepage.hpp"
#include "host/host.hpp"
#include "host/scripted_ui.hpp"
#include "host/unicode/unicode_editor.hpp"
#include "host/unicode/unicode_plugin.hpp"
#include "tests/host/real_module_texts.hpp"
#include "tests/host/unicode_keys.hpp"

namespace host_test {
namespace {

const std::string kModule = MARTEN_UNICODE_MODULE_PATH;

TEST(RealUnicodeModule, LoadsWithItsLanguageAndHelpFiles) {
    ForEachLanguage(kModule, [](host::Host& host) {
        host::UnicodePlugin* const plugin = host.PluginAs<host::UnicodePlugin>();
        ASSERT_NE(plugin, nullptr);
        const unicode_api::PluginInfo info = plugin->QueryPluginInfo();
        EXPECT_EQ(info.Flags, unicode_api::PF_EDITOR | unicode_api::PF_DISABLEPANELS);
        ASSERT_EQ(info.PluginMenu.Count, 2u);  // the settings, the reflow

        // The configuration menu left at once.
        host::ScriptedUi ui;
        host.SetUi(&ui);
        ASSERT_EQ(info.PluginConfig.Count, 1u);
        plugin->Configure(info.PluginConfig.Guids[0]);
        EXPECT_EQ(ui.order, std::vector<char>{'M'});
        host.SetUi(nullptr);
    });
}

TEST(RealUnicodeModule, EditsAnAnsiReplyWithoutLosingACharacter) {
    host::Host host;
    std::string error;
    ASSERT_TRUE(host.LoadModule(kModule, &error)) << error;
    // " АБ> «цитата» и текст" in 1251: the guillemets that the ANSI
    // interface could only pass through the OEM table as '<' '>'.
    const std::string line =
        " \xC0\xC1> \xAB\xF6\xE8\xF2\xE0\xF2\xE0\xBB \xE8 \xF2\xE5\xEA\xF1\xF2";
    engine::Editor editor("/fido/reply.msg", line + "\r\n", engine::CodePage::Ansi1251);
    editor.SetCursor(0, 14);  // before " и текст"
    host.SetEditor(&editor);

    EXPECT_EQ(host.DispatchUnicode(UnicodeKey(u'\r', 0x0D)), 1);
    ASSERT_EQ(editor.LineCount(), 3);
    EXPECT_EQ(editor.LineAt(0).text, line.substr(0, 14));
    EXPECT_EQ(editor.LineAt(1).text, "\xC0\xC1> \xE8 \xF2\xE5\xEA\xF1\xF2");
    // The module's change and the editor's line break are one undo step.
    EXPECT_EQ(host.DispatchUnicode(UnicodeKey(0x1A, 'Z', LEFT_CTRL_PRESSED)), 0);
    EXPECT_EQ(editor.Bytes(), line + "\r\n");
    EXPECT_EQ(host.PluginAs<host::UnicodePlugin>()->Editor()->OpenBrackets(), 0u);

    // A Cyrillic capital EN typed after Latin text becomes H.
    editor.SetCursor(0, static_cast<int>(line.size()));
    EXPECT_EQ(host.DispatchUnicode(UnicodeKey(u' ')), 0);
    EXPECT_EQ(host.DispatchUnicode(UnicodeKey(u'Н')), 1);
    EXPECT_EQ(editor.LineAt(0).text, line + " H");
    host.SetEditor(nullptr);
}

// The letter the module replaces is a step of its own, apart from the
// typing before it: one Ctrl+Z takes back the H alone.
TEST(RealUnicodeModule, AReplacedLetterIsUndoneApartFromTheTypingBeforeIt) {
    host::Host host;
    std::string error;
    ASSERT_TRUE(host.LoadModule(kModule, &error)) << error;
    engine::Editor editor("/fido/reply.msg", "\r\n", engine::CodePage::Utf8);
    host.SetEditor(&editor);
    for (const char16_t c : std::u16string(u"Hello Н")) host.DispatchUnicode(UnicodeKey(c));
    EXPECT_EQ(editor.LineAt(0).text, "Hello H");
    host.DispatchUnicode(UnicodeKey(0x1A, 'Z', LEFT_CTRL_PRESSED));
    EXPECT_EQ(editor.LineAt(0).text, "Hello ");
    host.DispatchUnicode(UnicodeKey(0x1A, 'Z', LEFT_CTRL_PRESSED));
    EXPECT_EQ(editor.LineAt(0).text, "");
    host.SetEditor(nullptr);
}

}  // namespace
}  // namespace host_test
