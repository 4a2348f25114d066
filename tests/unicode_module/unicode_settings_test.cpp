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
#include <tuple>
#include <utility>

#include "module/settings/other_stores.hpp"
#include "module/settings/registry_values.hpp"
#include "module/settings/settings.hpp"
#include "module/unicode/config_ui.hpp"
#include "module/unicode/settings_store.hpp"
#include "tests/support/unicode_fake_host.hpp"

namespace {

using marten::unicode::ItemIndex;
using marten::unicode::TextSettings;
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
            {u"FileMask", std::u16string(u"*.msg,golded.*")},
            {u"Balanced", std::uint64_t{0}}};
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
    EXPECT_EQ(TextSettings[marten::kFileMask], u"*.msg,golded.*");

    // Saved again, a negative margin goes out as its 64-bit two's complement.
    marten::Settings.RIndent = -1;
    marten::unicode::SaveSettings();
    EXPECT_EQ(host.store[u"RIndent"], StoredValue(std::uint64_t{0xFFFFFFFFFFFFFFFFull}));
    EXPECT_EQ(host.openHandles, 0);
}

TEST(UnicodeSettings, TakesTheAnsiFacesRegistryValuesOverOnce) {
    ScratchRegistry registry;
    const marten::Text key = marten::AnsiSettingsKey();
    const marten::Flag off = 0;
    const marten::Flag foreign = 7;  // the 1.x face takes it as on
    marten::WriteBytesValue(HKEY_CURRENT_USER, key, "EnableQuote", &off, 1);
    marten::WriteBytesValue(HKEY_CURRENT_USER, key, "EnableHPChange", &foreign, 1);
    // A value the 1.x face does not keep is not taken over.
    const marten::Flag on = 1;
    marten::WriteBytesValue(HKEY_CURRENT_USER, key, "Balanced", &on, 1);
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
    EXPECT_EQ(marten::Settings.EnableHPChange, 1);
    EXPECT_EQ(registry.Contents(), before);

    // Once the store holds settings, the registry is not read again.
    marten::WriteDwordValue(HKEY_CURRENT_USER, key, "RIndent", 30);
    host.store[u"RIndent"] = std::uint64_t{70};
    SetStartupInfoW(&host.startupInfo);
    EXPECT_EQ(marten::Settings.RIndent, 70);
}

// The dialog shows the settings and, confirmed, stores what the user left
// in it; cancelled, it changes nothing.
TEST(UnicodeSettings, TheDialogShowsAndStoresTheEight) {
    ScratchRegistry registry;
    UnicodeFakeHost host;
    host.store = Defaults();
    host.store[u"LIndent"] = kMinusFive;
    SetStartupInfoW(&host.startupInfo);

    host.dialogAnswer = ItemIndex(marten::DialogCancel);
    EXPECT_EQ(marten::unicode::ConfigDialog(), 0);
    ASSERT_EQ(host.dialogItems.size(), 17u);
    const auto& items = host.dialogItems;
    EXPECT_EQ(items[ItemIndex(marten::DialogLIndent)].data, u"-5");
    EXPECT_EQ(items[ItemIndex(marten::DialogRIndent)].data, u"78");
    EXPECT_EQ(items[ItemIndex(marten::DialogFileMask)].data, u"*.msg,golded.*");
    EXPECT_EQ(items[ItemIndex(marten::DialogEnableQuote)].selected, 1);
    EXPECT_EQ(items[ItemIndex(marten::DialogBalanced)].selected, 0);
    EXPECT_FALSE(host.dialogOpen);
    std::map<std::u16string, StoredValue> expected = Defaults();
    expected[u"LIndent"] = kMinusFive;
    EXPECT_EQ(host.store, expected);

    host.dialogAnswer = ItemIndex(marten::DialogOk);
    host.dialogChecks[ItemIndex(marten::DialogEnableHPChange)] = unicode_api::BSTATE_UNCHECKED;
    host.dialogChecks[ItemIndex(marten::DialogBalanced)] = unicode_api::BSTATE_CHECKED;
    host.dialogTexts[ItemIndex(marten::DialogRIndent)] = u"-7";
    host.dialogTexts[ItemIndex(marten::DialogFileMask)] = u"*.\u043F\u0438\u0441";
    EXPECT_EQ(marten::unicode::ConfigDialog(), 1);
    EXPECT_FALSE(host.dialogOpen);
    expected[u"EnableHPChange"] = std::uint64_t{0};
    expected[u"RIndent"] = std::uint64_t(-7);
    expected[u"FileMask"] = std::u16string(u"*.\u043F\u0438\u0441");
    expected[u"Balanced"] = std::uint64_t{1};
    EXPECT_EQ(host.store, expected);
    EXPECT_EQ(marten::Settings.Balanced, 1);
    EXPECT_EQ(host.openHandles, 0);
}

// The dialog as the host gets it, written out by value: the 1.x face's
// items and places, with Balanced after the four switches and every line
// below it one lower.
TEST(UnicodeSettings, TheDialogIsLaidOutWithBalancedAfterTheSwitches) {
    ScratchRegistry registry;
    UnicodeFakeHost host;
    SetStartupInfoW(&host.startupInfo);
    marten::unicode::ConfigDialog();
    EXPECT_EQ(host.dialogSize, (std::pair<std::intptr_t, std::intptr_t>{54, 17}));
    EXPECT_EQ(host.dialogHelp, u"dlgConfigure");
    using unicode_api::DIF_BOXCOLOR, unicode_api::DIF_CENTERGROUP, unicode_api::DIF_DEFAULTBUTTON;
    using unicode_api::DIF_FOCUS, unicode_api::DIF_HISTORY, unicode_api::DIF_SEPARATOR;
    struct Expected {
        int type, x1, y1, x2, y2;
        unicode_api::FARDIALOGITEMFLAGS flags;
        std::u16string data, history;
        std::size_t maxLength;
    };
    const Expected expected[] = {
        {3, 3, 1, 50, 15, 0, u"msg7", u"", 0},        // DI_DOUBLEBOX, MPluginTitle
        {8, 5, 2, 0, 2, DIF_FOCUS, u"msg8", u"", 0},  // DI_CHECKBOX, MEnableQuote
        {8, 5, 3, 0, 3, 0, u"msg9", u"", 0},
        {8, 5, 4, 0, 4, 0, u"msg10", u"", 0},
        {8, 5, 5, 0, 5, 0, u"msg11", u"", 0},
        {8, 5, 6, 0, 6, 0, u"msg16", u"", 0},   // MBalanced
        {0, 9, 8, 30, 8, 0, u"msg13", u"", 0},  // DI_TEXT, MLIndent
        {4, 5, 8, 7, 8, DIF_HISTORY, u"0", u"Tansy\\Marten\\LIndent", 0},
        {0, 9, 9, 30, 9, 0, u"msg12", u"", 0},  // MRIndent
        {4, 5, 9, 7, 9, DIF_HISTORY, u"78", u"Tansy\\Marten\\RIndent", 0},
        {0, 5, 11, 30, 11, 0, u"msg15", u"", 0},  // MFileMask
        {4, 5, 12, 48, 12, DIF_HISTORY, u"*.msg,golded.*", u"Tansy\\Marten\\FileMask", 255},
        {0, 4, 7, 30, 7, DIF_SEPARATOR | DIF_BOXCOLOR, u"msg0", u"", 0},
        {0, 4, 10, 30, 10, DIF_SEPARATOR | DIF_BOXCOLOR, u"msg0", u"", 0},
        {0, 4, 13, 30, 13, DIF_SEPARATOR | DIF_BOXCOLOR, u"msg0", u"", 0},
        {7, 4, 14, 0, 14, DIF_CENTERGROUP | DIF_DEFAULTBUTTON, u"msg1", u"", 0},  // MOk
        {7, 0, 14, 0, 14, DIF_CENTERGROUP, u"msg2", u"", 0},                      // MCancel
    };
    ASSERT_EQ(host.dialogItems.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const auto& item = host.dialogItems[i];
        const Expected& e = expected[i];
        EXPECT_EQ(item.type, e.type);
        EXPECT_EQ(std::tuple(item.x1, item.y1, item.x2, item.y2),
                  std::tuple(e.x1, e.y1, e.x2, e.y2));
        EXPECT_EQ(item.flags, e.flags);
        EXPECT_EQ(item.data, e.data);
        EXPECT_EQ(item.history, e.history);
        EXPECT_EQ(item.maxLength, e.maxLength);
    }
}

TEST(UnicodeSettings, AStoreThatCannotOpenLeavesTheDefaults) {
    ScratchRegistry registry;
    UnicodeFakeHost host;
    host.storeRefuses = true;
    SetStartupInfoW(&host.startupInfo);
    EXPECT_TRUE(host.store.empty());
    EXPECT_EQ(marten::Settings.RIndent, 78);
    EXPECT_EQ(TextSettings[marten::kFileMask], u"*.msg,golded.*");
}

}  // namespace
