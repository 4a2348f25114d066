// The Unicode face's settings in the host's store: defaults written for what
// cannot be read, margins as 64-bit two's complement, and the one-time
// take-over of the ANSI face's registry values.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "module/settings/registry_store.hpp"
#include "module/settings/settings.hpp"
#include "module/ui/config_dialog.hpp"
#include "module/unicode/config_ui.hpp"
#include "module/unicode/settings_store.hpp"
#include "module/unicode/unicode_editor.hpp"
#include "tests/support/unicode_fake_host.hpp"

namespace {

using testsupport::StoredValue;
using testsupport::UnicodeFakeHost;

constexpr std::uint64_t kMinusFive = 0xFFFFFFFFFFFFFFFBull;

// A registry file of the test's own, removed at the end.
class ScratchRegistry {
public:
    ScratchRegistry() {
        const char* old = std::getenv("MARTEN_REGISTRY");
        if (old != nullptr) saved_ = old;
        path_ = std::filesystem::temp_directory_path() /
                ("unicode-module-" + std::to_string(::getpid()) + ".reg");
        std::filesystem::remove(path_);
        ::setenv("MARTEN_REGISTRY", path_.c_str(), 1);
    }
    ~ScratchRegistry() {
        std::filesystem::remove(path_);
        if (saved_.empty()) {
            ::unsetenv("MARTEN_REGISTRY");
        } else {
            ::setenv("MARTEN_REGISTRY", saved_.c_str(), 1);
        }
    }
    std::string Contents() const {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }

private:
    std::filesystem::path path_;
    std::string saved_;
};

std::map<std::u16string, StoredValue> Defaults() {
    return {{u"EnableQuote", std::uint64_t{1}},
            {u"EnableAutoWrap", std::uint64_t{1}},
            {u"EnableAutoIndent", std::uint64_t{1}},
            {u"EnableHPChange", std::uint64_t{1}},
            {u"RIndent", std::uint64_t{78}},
            {u"LIndent", std::uint64_t{0}},
            {u"FileMask", std::u16string(u"*.msg,golded.*")}};
}

TEST(UnicodeSettings, AnEmptyStoreWithoutARegistryKeyGetsTheDefaults) {
    ScratchRegistry registry;
    UnicodeFakeHost host;
    SetStartupInfoW(&host.startupInfo);
    EXPECT_EQ(host.store, Defaults());
    EXPECT_EQ(host.openHandles, 0);
    EXPECT_EQ(registry.Contents(), "");  // the registry is never written
}

TEST(UnicodeSettings, UnreadableValuesGetTheirDefaultWritten) {
    ScratchRegistry registry;
    UnicodeFakeHost host;
    host.store = {{u"EnableQuote", std::uint64_t{2}},         // out of bounds
                  {u"EnableAutoWrap", std::uint64_t{0}},      // kept
                  {u"EnableHPChange", std::u16string(u"1")},  // another type
                  {u"RIndent", std::uint64_t{1} << 40},       // beyond 32 bits
                  {u"LIndent", kMinusFive},                   // -5 survives
                  {u"FileMask", std::u16string(256, u'a')}};  // too long
    SetStartupInfoW(&host.startupInfo);
    std::map<std::u16string, StoredValue> expected = Defaults();
    expected[u"EnableAutoWrap"] = std::uint64_t{0};
    expected[u"LIndent"] = kMinusFive;
    EXPECT_EQ(host.store, expected);
    EXPECT_EQ(marten::Settings.EnableAutoWrap, 0);
    EXPECT_EQ(marten::Settings.LIndent, -5);
    EXPECT_EQ(marten::unicode::FileMaskW, u"*.msg,golded.*");

    // Saved again, a negative margin goes out as its 64-bit two's complement.
    marten::Settings.RIndent = -1;
    marten::unicode::SaveSettingsW();
    EXPECT_EQ(host.store[u"RIndent"], StoredValue(std::uint64_t{0xFFFFFFFFFFFFFFFFull}));
    EXPECT_EQ(host.openHandles, 0);
}

TEST(UnicodeSettings, TakesTheAnsiFacesRegistryValuesOverOnce) {
    ScratchRegistry registry;
    const marten::Text key(marten::unicode::kAnsiSettingsKey);
    const marten::Flag off = 0;
    marten::WriteBytesValue(HKEY_CURRENT_USER, key, "EnableQuote", &off, 1);
    marten::WriteDwordValue(HKEY_CURRENT_USER, key, "LIndent", -3);
    marten::WriteDwordValue(HKEY_CURRENT_USER, key, "RIndent", 60);
    // "*.msg,письмо*" in code page 1251.
    marten::WriteStringValue(HKEY_CURRENT_USER, key, "FileMask",
                             marten::Text("*.msg,\xEF\xE8\xF1\xFC\xEC\xEE*"));
    const std::string before = registry.Contents();

    UnicodeFakeHost host;
    SetStartupInfoW(&host.startupInfo);
    std::map<std::u16string, StoredValue> expected = Defaults();
    expected[u"EnableQuote"] = std::uint64_t{0};
    expected[u"LIndent"] = std::uint64_t(-3);
    expected[u"RIndent"] = std::uint64_t{60};
    expected[u"FileMask"] = std::u16string(u"*.msg,\u043F\u0438\u0441\u044C\u043C\u043E*");
    EXPECT_EQ(host.store, expected);
    EXPECT_EQ(registry.Contents(), before);

    // Once the store holds settings, the registry is not read again.
    marten::WriteDwordValue(HKEY_CURRENT_USER, key, "RIndent", 30);
    host.store[u"RIndent"] = std::uint64_t{70};
    SetStartupInfoW(&host.startupInfo);
    EXPECT_EQ(marten::Settings.RIndent, 70);
}

// The dialog shows the settings and, confirmed, stores what the user left
// in it; cancelled, it changes nothing.
TEST(UnicodeSettings, TheDialogShowsAndStoresTheSeven) {
    ScratchRegistry registry;
    UnicodeFakeHost host;
    host.store = Defaults();
    host.store[u"LIndent"] = kMinusFive;
    SetStartupInfoW(&host.startupInfo);

    host.dialogAnswer = marten::ItemCancel;
    EXPECT_EQ(marten::unicode::ConfigDialogW(), 0);
    ASSERT_EQ(host.dialogItems.size(), static_cast<std::size_t>(marten::ConfigItemCount));
    EXPECT_EQ(host.dialogItems[marten::ItemLIndent].data, u"-5");
    EXPECT_EQ(host.dialogItems[marten::ItemRIndent].data, u"78");
    EXPECT_EQ(host.dialogItems[marten::ItemFileMask].data, u"*.msg,golded.*");
    EXPECT_EQ(host.dialogItems[marten::ItemFileMask].history, u"Tansy\\Marten\\FileMask");
    EXPECT_EQ(host.dialogItems[marten::ItemEnableQuote].selected, 1);
    EXPECT_NE(host.dialogItems[marten::ItemOk].flags & unicode_api::DIF_DEFAULTBUTTON, 0u);
    EXPECT_FALSE(host.dialogOpen);
    std::map<std::u16string, StoredValue> expected = Defaults();
    expected[u"LIndent"] = kMinusFive;
    EXPECT_EQ(host.store, expected);

    host.dialogAnswer = marten::ItemOk;
    host.dialogChecks[marten::ItemEnableHPChange] = unicode_api::BSTATE_UNCHECKED;
    host.dialogTexts[marten::ItemRIndent] = u"-7";
    host.dialogTexts[marten::ItemFileMask] = u"*.\u043F\u0438\u0441";
    EXPECT_EQ(marten::unicode::ConfigDialogW(), 1);
    EXPECT_FALSE(host.dialogOpen);
    expected[u"EnableHPChange"] = std::uint64_t{0};
    expected[u"RIndent"] = std::uint64_t(-7);
    expected[u"FileMask"] = std::u16string(u"*.\u043F\u0438\u0441");
    EXPECT_EQ(host.store, expected);
    EXPECT_EQ(host.openHandles, 0);
}

TEST(UnicodeSettings, AStoreThatCannotOpenLeavesTheDefaults) {
    ScratchRegistry registry;
    UnicodeFakeHost host;
    host.storeRefuses = true;
    SetStartupInfoW(&host.startupInfo);
    EXPECT_TRUE(host.store.empty());
    EXPECT_EQ(marten::Settings.RIndent, 78);
    EXPECT_EQ(marten::unicode::FileMaskW, u"*.msg,golded.*");
}

}  // namespace
