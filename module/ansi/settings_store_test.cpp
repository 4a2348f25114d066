// The 1.x face's settings store end to end through the registry layer: what
// the first start writes, byte for byte; which stored values are taken and
// which are replaced; where the key lies for each form of the host's root key.
#include "module/ansi/settings_store.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "module/settings/settings_table.hpp"
#include "tests/support/module_state.hpp"
#include "winapi/win32.hpp"

namespace marten::ansi {
namespace {

using Bytes = std::vector<BYTE>;

struct Stored {
    DWORD type;
    Bytes data;
    bool operator==(const Stored&) const = default;
};

const char* const kNames[] = {"EnableQuote", "EnableAutoWrap", "EnableAutoIndent", "EnableHPChange",
                              "RIndent",     "LIndent",        "FileMask",         "Balanced"};

std::optional<Stored> Read(const std::string& path, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    Bytes data(4096);
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    const LONG status = RegQueryValueExA(key, name, nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    data.resize(size);
    return Stored{type, data};
}

void Write(const std::string& path, const char* name, DWORD type, const Bytes& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void Erase(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
        return;
    }
    for (const char* name : kNames) RegDeleteValueA(key, name);
    RegCloseKey(key);
}

Bytes TextBytes(const std::string& text, bool withNul = true) {
    Bytes bytes(text.begin(), text.end());
    if (withNul) bytes.push_back(0);
    return bytes;
}

// Each test has a root key of its own, so the tests may run side by side.
class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = std::string("Software\\MartenUnitTests\\") + test->name();
        key_ = root_ + "\\Tansy\\Marten";
        Erase(key_);
    }
    // A start of the module by a host with `root` as its root key.
    void Start(const char* root) {
        PluginStartupInfo info = testsupport::StartupInfoOf(root);
        SetStartupInfo(&info);
    }
    void Start() { Start(root_.c_str()); }

    std::string root_;
    std::string key_;
    testsupport::ModuleStateGuard guard_;
};

TEST_F(SettingsStoreTest, FirstStartWritesEveryDefaultWithItsType) {
    Start();
    EXPECT_EQ(std::string_view(SettingsKey), key_);
    for (const char* flag :
         {"EnableQuote", "EnableAutoWrap", "EnableAutoIndent", "EnableHPChange"}) {
        EXPECT_EQ(Read(key_, flag), (Stored{REG_BINARY, {1}})) << flag;
    }
    EXPECT_EQ(Read(key_, "RIndent"), (Stored{REG_DWORD, {78, 0, 0, 0}}));
    EXPECT_EQ(Read(key_, "LIndent"), (Stored{REG_DWORD, {0, 0, 0, 0}}));
    const auto mask = Read(key_, "FileMask");
    ASSERT_TRUE(mask);
    EXPECT_EQ(mask->type, REG_SZ);
    EXPECT_EQ(mask->data.size(), 15u);  // the terminating NUL is counted
    EXPECT_EQ(mask->data, TextBytes("*.msg,golded.*"));

    EXPECT_EQ(testsupport::CurrentSettings(),
              (testsupport::SettingsValues{1, 1, 1, 1, 78, 0, "*.msg,golded.*"}));
}

TEST_F(SettingsStoreTest, ValuesThatFitAreTakenByteForByteAndLeftAsStored) {
    // Types the module would not write itself prove that nothing was rewritten.
    Write(key_, "EnableQuote", REG_DWORD_BIG_ENDIAN, {0});
    Write(key_, "EnableAutoWrap", REG_SZ, {0});
    Write(key_, "EnableAutoIndent", REG_BINARY, {0});
    Write(key_, "EnableHPChange", REG_BINARY, {7});  // a foreign byte is kept as it is
    Write(key_, "RIndent", REG_BINARY, {60, 0, 0, 0});
    Write(key_, "LIndent", REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF});
    Write(key_, "FileMask", REG_BINARY, TextBytes("*.txt", false));
    Start();
    EXPECT_EQ(testsupport::CurrentSettings(),
              (testsupport::SettingsValues{0, 0, 0, 7, 60, -2, "*.txt"}));
    EXPECT_EQ(Read(key_, "EnableQuote"), (Stored{REG_DWORD_BIG_ENDIAN, {0}}));
    EXPECT_EQ(Read(key_, "RIndent"), (Stored{REG_BINARY, {60, 0, 0, 0}}));
    EXPECT_EQ(Read(key_, "FileMask"), (Stored{REG_BINARY, TextBytes("*.txt", false)}));
}

TEST_F(SettingsStoreTest, ValuesTooLargeForTheirFieldAreReplacedByTheDefault) {
    Write(key_, "EnableQuote", REG_DWORD, {0, 0, 0, 0});
    Write(key_, "RIndent", REG_BINARY, {60, 0, 0, 0, 0});
    Write(key_, "FileMask", REG_SZ, TextBytes(std::string(300, 'm')));
    Write(key_, "LIndent", REG_DWORD, {5, 0, 0, 0});
    Start();
    EXPECT_EQ(Settings.EnableQuote, 1);
    EXPECT_EQ(Settings.RIndent, 78);
    EXPECT_EQ(TextSettings[kFileMask], "*.msg,golded.*");
    EXPECT_EQ(Settings.LIndent, 5);
    EXPECT_EQ(Read(key_, "EnableQuote"), (Stored{REG_BINARY, {1}}));
    EXPECT_EQ(Read(key_, "RIndent"), (Stored{REG_DWORD, {78, 0, 0, 0}}));
    EXPECT_EQ(Read(key_, "FileMask"), (Stored{REG_SZ, TextBytes("*.msg,golded.*")}));
}

TEST_F(SettingsStoreTest, ShortDataFillsTheMissingBytesWithZero) {
    Write(key_, "RIndent", REG_BINARY, {0x34, 0x12});
    Write(key_, "LIndent", REG_DWORD, {0xFF});
    Write(key_, "EnableQuote", REG_BINARY, {});
    Start();
    EXPECT_EQ(Settings.RIndent, 0x1234);
    EXPECT_EQ(Settings.LIndent, 0xFF);  // no sign is carried into the missing bytes
    EXPECT_EQ(Settings.EnableQuote, 0);
    EXPECT_EQ(Read(key_, "RIndent"), (Stored{REG_BINARY, {0x34, 0x12}}));
}

TEST_F(SettingsStoreTest, FileMaskEndsAtItsFirstNulOrAt255Characters) {
    Write(key_, "FileMask", REG_SZ, {'a', ',', 'b', 0, 'c', 0});
    Start();
    EXPECT_EQ(TextSettings[kFileMask], "a,b");

    // 256 bytes without a NUL still fit the room; the text takes 255 of them.
    Write(key_, "FileMask", REG_BINARY, Bytes(256, 'k'));
    Start();
    EXPECT_EQ(TextSettings[kFileMask], Text(255, 'k'));
    EXPECT_EQ(Read(key_, "FileMask")->data.size(), 256u);

    Write(key_, "FileMask", REG_SZ, {0});
    Start();
    EXPECT_EQ(TextSettings[kFileMask], "");
}

TEST_F(SettingsStoreTest, KeyPathFollowsTheRootKeyForm) {
    struct Row {
        std::string root;
        std::string key;
    };
    const Row rows[] = {
        {root_, key_},
        {root_ + "\\", key_},
        {"HKCU:", "HKCU:Tansy\\Marten"},
        {"", "Tansy\\Marten"},
        {std::string(300, 'r'), std::string(255, 'r') + "\\Tansy\\Marten"},
    };
    for (const Row& row : rows) {
        Start(row.root.c_str());
        EXPECT_EQ(std::string_view(SettingsKey), row.key) << row.root;
    }
    EXPECT_EQ(Read(key_, "RIndent"), (Stored{REG_DWORD, {78, 0, 0, 0}}));

    Start(nullptr);  // a host without a root key
    EXPECT_EQ(SettingsKey, "Tansy\\Marten");
    EXPECT_TRUE(Read("Tansy\\Marten", "FileMask"));
}

TEST(WithBackslash, AddsOneUnlessEmptyOrEndingInSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""}, {"a", "a\\"}, {"a\\", "a\\"}, {"C:", "C:"}, {"a/", "a/\\"}};
    for (const auto& [path, expected] : cases) EXPECT_EQ(WithBackslash(path), expected) << path;
}

TEST_F(SettingsStoreTest, SaveWritesAllSevenAsTheirTypes) {
    Start();
    // Quote, wrap, indent, H/p/P, RIndent, LIndent, Balanced.
    Settings = SettingsRecord{0, 1, 0, 0, -1, 0x01020304, 0};
    TextSettings[kFileMask] = "";
    SaveSettings();
    EXPECT_EQ(Read(key_, "EnableQuote"), (Stored{REG_BINARY, {0}}));
    EXPECT_EQ(Read(key_, "EnableAutoWrap"), (Stored{REG_BINARY, {1}}));
    EXPECT_EQ(Read(key_, "EnableAutoIndent"), (Stored{REG_BINARY, {0}}));
    EXPECT_EQ(Read(key_, "EnableHPChange"), (Stored{REG_BINARY, {0}}));
    EXPECT_EQ(Read(key_, "RIndent"), (Stored{REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}}));
    EXPECT_EQ(Read(key_, "LIndent"), (Stored{REG_DWORD, {4, 3, 2, 1}}));
    EXPECT_EQ(Read(key_, "FileMask"), (Stored{REG_SZ, {0}}));

    // The next start takes them as saved.
    Settings = SettingsRecord{};
    TextSettings = {};
    Start();
    EXPECT_EQ(Settings.EnableAutoWrap, 1);
    EXPECT_EQ(Settings.EnableQuote, 0);
    EXPECT_EQ(Settings.RIndent, -1);
    EXPECT_EQ(Settings.LIndent, 0x01020304);
    EXPECT_EQ(TextSettings[kFileMask], "");
}

// Balanced is kept by the faces that reflow; this face neither reads nor
// writes it, whatever the registry holds.
TEST_F(SettingsStoreTest, SettingsOfOtherFacesAreNeitherReadNorWritten) {
    Start();
    Settings.Balanced = 1;
    SaveSettings();
    EXPECT_EQ(Read(key_, "Balanced"), std::nullopt);

    Write(key_, "Balanced", REG_BINARY, {1});
    Start();
    EXPECT_EQ(Settings.Balanced, 0);
    SaveSettings();
    EXPECT_EQ(Read(key_, "Balanced"), (Stored{REG_BINARY, {1}}));
}

}  // namespace
}  // namespace marten::ansi
