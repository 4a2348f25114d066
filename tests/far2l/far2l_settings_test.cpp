// far2l's face keeps its settings in config.ini of far2l's profile: where
// that is, the file's text read and written, a damaged file moved aside,
// the whole-or-nothing write, and the one-time takeover of marten-edit's
// settings from its Unicode build's store or its 1.x registry values.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/unicode/unicode_settings_store.hpp"
#include "module/far2l/settings_file.hpp"
#include "module/far2l/settings_takeover.hpp"
#include "module/settings/other_stores.hpp"
#include "module/settings/settings_table.hpp"
#include "module/unicode/guids.hpp"
#include "tests/far2l/scratch_profile.hpp"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using far2ltest::ScratchProfile;
using marten::Settings;
marten::far2l::WideText& FileMask = marten::far2l::TextSettings[marten::kFileMask];
using marten::far2l::LoadSettings;
using marten::far2l::ReadSettingsText;
using marten::far2l::SaveSettings;
using marten::far2l::SettingsLoad;
using marten::far2l::SettingsText;

const std::string kDefaultText =
    "[Settings]\nEnableQuote=1\nEnableAutoWrap=1\nEnableAutoIndent=1\nEnableHPChange=1\n"
    "RIndent=78\nLIndent=0\nFileMask=*.msg,golded.*\nBalanced=0\n";

void SetDefaults() { marten::SetDefaultSettings(marten::far2l::TextSettings); }

// The seven values in the file's own form, to compare in one line.
std::string Current() {
    std::string text;
    EXPECT_TRUE(SettingsText(&text));
    return text;
}

TEST(Far2lConfigFolder, FollowsFar2lsRule) {
    const struct Case {
        const char* farSettings;
        const char* xdg;
        const char* home;
        const char* folder;
    } cases[] = {
        {"/p/profile", "/x", "/h", "/p/profile/.config"},
        {"", "/x", "/h", "/x/far2l"},
        {"", "", "/h", "/h/.config/far2l"},
        {"", "relative", "/h", "/h/.config/far2l"},
        {"work", "/x", "/h", "/x/far2l/custom/work"},
        {"work", "", "/h", "/h/.config/far2l/custom/work"},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(marten::far2l::ConfigFolderOf(c.farSettings, c.xdg, c.home), c.folder)
            << c.farSettings << " " << c.xdg << " " << c.home;
    }
    ScratchProfile profile;
    EXPECT_EQ(marten::far2l::SettingsFilePath(), profile.SettingsFile().string());
}

TEST(Far2lSettingsText, ReadsBackWhatItWrites) {
    SetDefaults();
    Settings.EnableQuote = 0;
    Settings.Balanced = 1;
    Settings.EnableHPChange = 0;
    Settings.RIndent = -7;
    Settings.LIndent = -2147483647 - 1;
    FileMask = L" *.msg, \u043F\u0438\u0441\u044C\u043C\u043E.*,\U0001F600";
    const std::string text = Current();
    EXPECT_EQ(text,
              "[Settings]\nEnableQuote=0\nEnableAutoWrap=1\nEnableAutoIndent=1\nEnableHPChange=0\n"
              "RIndent=-7\nLIndent=-2147483648\n"
              "FileMask= *.msg, \xD0\xBF\xD0\xB8\xD1\x81\xD1\x8C\xD0\xBC\xD0\xBE.*,"
              "\xF0\x9F\x98\x80\nBalanced=1\n");
    SetDefaults();
    ASSERT_TRUE(ReadSettingsText(text, nullptr));
    EXPECT_EQ(Current(), text);
}

TEST(Far2lSettingsText, ValuesMissingOrUnreadableKeepTheirDefaults) {
    SetDefaults();
    // CR LF line ends, a byte-order mark, comments, blanks around names and
    // numbers, other sections and other names: all read.
    ASSERT_TRUE(
        ReadSettingsText("\xEF\xBB\xBF; made by hand\r\n[Other]\r\nRIndent=5\r\n\r\n"
                         "[ Settings ]\r\n  RIndent = 60 \r\n# EnableQuote=0\r\n"
                         "Unknown=1\r\nFileMask=*.txt\r\n",
                         nullptr));
    EXPECT_EQ(Settings.RIndent, 60);
    EXPECT_EQ(Settings.EnableQuote, 1);
    EXPECT_EQ(FileMask, L"*.txt");

    const char* const unreadable[] = {
        "EnableQuote=2",
        "EnableQuote=",
        "EnableAutoWrap=yes",
        "RIndent=abc",
        "RIndent=2147483648",
        "RIndent=-2147483649",
        "RIndent=+5",
        "RIndent=1 2",
        "LIndent=--1",
        "Balanced=2",
        "FileMask=\xFF\xFE",
        "FileMask=\xED\xA0\x80",      // a surrogate in UTF-8
        "FileMask=\xF4\x90\x80\x80",  // beyond U+10FFFF
    };
    for (const char* line : unreadable) {
        SetDefaults();
        ASSERT_TRUE(ReadSettingsText(std::string("[Settings]\n") + line + "\n", nullptr)) << line;
        EXPECT_EQ(Current(), kDefaultText) << line;
    }
}

TEST(Far2lSettingsText, AMaskOfMoreThan255CharactersIsNeitherReadNorWritten) {
    const std::string longest(255, 'm');
    SetDefaults();
    ASSERT_TRUE(ReadSettingsText("[Settings]\nFileMask=" + longest + "\n", nullptr));
    EXPECT_EQ(FileMask.size(), 255u);
    std::string written;
    EXPECT_TRUE(SettingsText(&written));

    SetDefaults();
    ASSERT_TRUE(ReadSettingsText("[Settings]\nFileMask=" + longest + "m\n", nullptr));
    EXPECT_EQ(FileMask, L"*.msg,golded.*");

    // A mask that would not read back the same is not written.
    std::string text = "unchanged";
    for (const marten::far2l::WideText& mask :
         {marten::far2l::WideText(256, L'm'), marten::far2l::WideText(L"*.msg\n*.txt"),
          marten::far2l::WideText(L"a\rb"),
          marten::far2l::WideText(1, static_cast<wchar_t>(0xD800)),
          marten::far2l::WideText(1, static_cast<wchar_t>(0x110000))}) {
        FileMask = mask;
        EXPECT_FALSE(SettingsText(&text));
    }
    FileMask = marten::far2l::WideText(L"a\0b", 3);
    EXPECT_FALSE(SettingsText(&text));
    EXPECT_EQ(text, "unchanged");
}

TEST(Far2lSettingsText, ATextThatIsNoIniFileChangesNothing) {
    const struct Case {
        std::string text;
        std::size_t badLine;
    } cases[] = {
        {"[Settings]\nRIndent=5\njust words\n", 3},
        {"[Settings]\nRIndent=5\n\x7F"
         "ELF\x02\x01",
         3},
        {"[Settings]\nRIndent=5\nFileMask=a\0b\n"s, 3},
        {"[Settings\nRIndent=5\n", 1},
    };
    for (const Case& c : cases) {
        SetDefaults();
        std::size_t badLine = 0;
        EXPECT_FALSE(ReadSettingsText(c.text, &badLine));
        EXPECT_EQ(badLine, c.badLine);
        EXPECT_EQ(Current(), kDefaultText);
    }
}

class Far2lSettingsFile : public testing::Test {
protected:
    ScratchProfile profile_;

    fs::path UnicodeStore() const {
        return profile_.Root() / "xdg/marten/PluginsData" /
               (host::GuidText(marten::unicode::kPluginGuid) + ".reg");
    }
    // Files beside config.ini other than itself.
    std::vector<std::string> Beside() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(profile_.SettingsFile().parent_path())) {
            if (entry.path() != profile_.SettingsFile()) {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }
};

TEST_F(Far2lSettingsFile, AFreshProfileGetsTheDefaultsWritten) {
    EXPECT_EQ(LoadSettings(), SettingsLoad::Created);
    EXPECT_EQ(ScratchProfile::Read(profile_.SettingsFile()), kDefaultText);
    EXPECT_TRUE(Beside().empty());
}

TEST_F(Far2lSettingsFile, AFileThereIsReadAndLeftAsItIs) {
    const std::string text = "[Settings]\nRIndent=66\nEnableQuote=x\n";
    ScratchProfile::Write(profile_.SettingsFile(), text);
    EXPECT_EQ(LoadSettings(), SettingsLoad::Read);
    EXPECT_EQ(Settings.RIndent, 66);
    EXPECT_EQ(Settings.EnableQuote, 1);
    EXPECT_EQ(ScratchProfile::Read(profile_.SettingsFile()), text);

    Settings.LIndent = -3;
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(LoadSettings(), SettingsLoad::Read);
    EXPECT_EQ(Settings.LIndent, -3);
    EXPECT_EQ(Settings.RIndent, 66);
    EXPECT_TRUE(Beside().empty());  // no temporary file is left
}

TEST_F(Far2lSettingsFile, AFileThatCannotBeReadIsMovedAsideNeverOverwritten) {
    const std::string damaged = "[Settings]\nRIndent=50\n\x01\x02\x03 binary\n";
    ScratchProfile::Write(profile_.SettingsFile(), damaged);
    EXPECT_EQ(LoadSettings(), SettingsLoad::MovedAside);
    EXPECT_EQ(Settings.RIndent, 78);
    EXPECT_EQ(ScratchProfile::Read(profile_.SettingsFile()), kDefaultText);
    const std::vector<std::string> beside = Beside();
    ASSERT_EQ(beside.size(), 1u);
    EXPECT_EQ(beside[0].rfind("config.ini.broken-", 0), 0u) << beside[0];
    EXPECT_EQ(ScratchProfile::Read(profile_.SettingsFile().parent_path() / beside[0]), damaged);

    // One that cannot be read at all (a folder stands at its place) as well.
    fs::remove(profile_.SettingsFile());
    fs::create_directories(profile_.SettingsFile() / "inside");
    EXPECT_EQ(LoadSettings(), SettingsLoad::MovedAside);
    EXPECT_EQ(ScratchProfile::Read(profile_.SettingsFile()), kDefaultText);
    EXPECT_EQ(Beside().size(), 2u);
}

TEST_F(Far2lSettingsFile, AFailedWriteLeavesTheOldFileWhole) {
    ScratchProfile::Write(profile_.SettingsFile(), kDefaultText);
    // The temporary file cannot be made: a folder has its name.
    fs::create_directories(profile_.SettingsFile().string() + ".tmp-" + std::to_string(::getpid()));
    Settings.RIndent = 40;
    EXPECT_FALSE(SaveSettings());
    EXPECT_EQ(ScratchProfile::Read(profile_.SettingsFile()), kDefaultText);
}

TEST_F(Far2lSettingsFile, TakesOverTheUnicodeBuildsSettingsOnce) {
    ScratchProfile::Write(
        UnicodeStore(),
        "REGEDIT4\r\n\r\n[" + host::GuidText(marten::unicode::kPluginGuid) +
            "]\r\n\"EnableAutoWrap\"=hex(b):00,00,00,00,00,00,00,00\r\n"
            "\"EnableQuote\"=hex(b):02,00,00,00,00,00,00,00\r\n"
            "\"RIndent\"=hex(b):46,00,00,00,00,00,00,00\r\n"
            "\"LIndent\"=hex(b):fe,ff,ff,ff,ff,ff,ff,ff\r\n"
            "\"Balanced\"=hex(b):01,00,00,00,00,00,00,00\r\n"
            "\"FileMask\"=\"*.txt,\xD0\xBF\xD0\xB8\xD1\x81\xD1\x8C\xD0\xBC\xD0\xBE.*\"\r\n");
    // The 1.x values are there too; the Unicode build's come first.
    ScratchProfile::Write(
        profile_.Root() / "registry.reg",
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Far\\Plugins\\Tansy\\Marten]"
        "\r\n\"RIndent\"=dword:00000010\r\n");
    EXPECT_EQ(LoadSettings(), SettingsLoad::TakenOver);
    const std::string taken =
        "[Settings]\nEnableQuote=1\nEnableAutoWrap=0\nEnableAutoIndent=1\nEnableHPChange=1\n"
        "RIndent=70\nLIndent=-2\nFileMask=*.txt,\xD0\xBF\xD0\xB8\xD1\x81\xD1\x8C\xD0\xBC\xD0\xBE.*"
        "\nBalanced=1\n";
    EXPECT_EQ(Current(), taken);
    EXPECT_EQ(ScratchProfile::Read(profile_.SettingsFile()), taken);

    // Once: the file exists now, and what marten-edit has later stays there.
    fs::remove(UnicodeStore());
    EXPECT_EQ(LoadSettings(), SettingsLoad::Read);
    EXPECT_EQ(Current(), taken);
}

TEST_F(Far2lSettingsFile, TakesOverThe1xValuesWhenTheUnicodeBuildHasNone) {
    // A store file without the module's key counts as none.
    ScratchProfile::Write(UnicodeStore(),
                          "REGEDIT4\r\n\r\n[{00000000-0000-0000-0000-000000000000}]\r\n"
                          "\"RIndent\"=hex(b):01,00,00,00,00,00,00,00\r\n");
    // The mask in code page 1251, a Boolean byte other than 1, a negative margin.
    ScratchProfile::Write(
        profile_.Root() / "registry.reg",
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Far\\Plugins\\Tansy\\Marten]"
        "\r\n\"EnableQuote\"=hex:00\r\n\"EnableHPChange\"=hex:07\r\n"
        "\"RIndent\"=dword:fffffffb\r\n\"FileMask\"=\"*.msg,\xEF\xE8\xF1\xFC\xEC\xEE.*\"\r\n");
    EXPECT_EQ(LoadSettings(), SettingsLoad::TakenOver);
    EXPECT_EQ(Current(),
              "[Settings]\nEnableQuote=0\nEnableAutoWrap=1\nEnableAutoIndent=1\nEnableHPChange=1\n"
              "RIndent=-5\nLIndent=0\nFileMask=*.msg,"
              "\xD0\xBF\xD0\xB8\xD1\x81\xD1\x8C\xD0\xBC\xD0\xBE.*\nBalanced=0\n");
    EXPECT_EQ(ScratchProfile::Read(profile_.SettingsFile()), Current());
}

TEST_F(Far2lSettingsFile, TheUnicodeStoreIsFoundWhereMartenEditKeepsIt) {
    EXPECT_EQ(marten::kUnicodeStoreName, host::GuidText(marten::unicode::kPluginGuid));
    EXPECT_EQ(marten::far2l::UnicodeStorePath(), UnicodeStore().string());
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(marten::far2l::UnicodeStorePath(),
              (profile_.Root() / "home/.config/marten/PluginsData" /
               (host::GuidText(marten::unicode::kPluginGuid) + ".reg"))
                  .string());
}

}  // namespace
