#include "host/unicode/unicode_settings_store.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/text16.hpp"

namespace host {
namespace {

namespace fs = std::filesystem;

constexpr unicode_api::GUID kPlugin{
    0x11223344, 0x5566, 0x7788, {0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x00}};

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("marten-settings-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        ::setenv("MARTEN_SETTINGS", folder_.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("MARTEN_SETTINGS");
        fs::remove_all(folder_);
    }

    HANDLE Create(SettingsStore& store, std::intptr_t location = unicode_api::PSL_ROAMING,
                  const unicode_api::GUID& guid = kPlugin) {
        unicode_api::FarSettingsCreate create{sizeof create, guid, nullptr};
        if (store.Control(nullptr, unicode_api::SCTL_CREATE, location, &create) == 0)
            return nullptr;
        return create.Handle;
    }
    static std::intptr_t SetNumber(SettingsStore& store, HANDLE h, const char16_t* name,
                                   std::uint64_t number, std::size_t root = 0) {
        unicode_api::FarSettingsItem item{sizeof item, root, name, unicode_api::FST_QWORD, {}};
        item.Number = number;
        return store.Control(h, unicode_api::SCTL_SET, 0, &item);
    }
    static std::intptr_t SetText(SettingsStore& store, HANDLE h, const char16_t* name,
                                 const char16_t* text, std::size_t root = 0) {
        unicode_api::FarSettingsItem item{sizeof item, root, name, unicode_api::FST_STRING, {}};
        item.String = text;
        return store.Control(h, unicode_api::SCTL_SET, 0, &item);
    }
    // The value as "number", "text" or "(none)".
    static std::string Get(SettingsStore& store, HANDLE h, const char16_t* name,
                           unicode_api::FARSETTINGSTYPES type, std::size_t root = 0) {
        unicode_api::FarSettingsItem item{sizeof item, root, name, type, {}};
        if (store.Control(h, unicode_api::SCTL_GET, 0, &item) == 0) return "(none)";
        if (type == unicode_api::FST_QWORD) return std::to_string(item.Number);
        return engine::Utf16ToUtf8(item.String);
    }
    static std::intptr_t Free(SettingsStore& store, HANDLE h) {
        return store.Control(h, unicode_api::SCTL_FREE, 0, nullptr);
    }
    std::string FileText(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path folder_;
};

TEST_F(SettingsStoreTest, ValuesReachAFileTheUserCanReadAtFree) {
    SettingsStore store(kPlugin);
    const std::string path = store.FilePath(unicode_api::PSL_ROAMING);
    EXPECT_EQ(path, folder_.string() + "/{11223344-5566-7788-99AA-BBCCDDEEFF00}.reg");
    HANDLE h = Create(store);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(SetNumber(store, h, u"RIndent", static_cast<std::uint64_t>(-2)), 1);
    EXPECT_EQ(SetText(store, h, u"FileMask", u"*.msg,*.отв"), 1);
    // The handle's own reads see its changes before the file does.
    EXPECT_EQ(Get(store, h, u"RIndent", unicode_api::FST_QWORD), "18446744073709551614");
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(Free(store, h), 1);
    EXPECT_EQ(FileText(path),
              "REGEDIT4\r\n\r\n[{11223344-5566-7788-99AA-BBCCDDEEFF00}]\r\n"
              "\"RIndent\"=hex(b):fe,ff,ff,ff,ff,ff,ff,ff\r\n"
              "\"FileMask\"=\"*.msg,*.\xD0\xBE\xD1\x82\xD0\xB2\"\r\n\r\n");

    // Read back by a new handle: a value of another type, or none, is not there.
    h = Create(store);
    EXPECT_EQ(Get(store, h, u"FileMask", unicode_api::FST_STRING), "*.msg,*.отв");
    EXPECT_EQ(Get(store, h, u"filemask", unicode_api::FST_STRING), "*.msg,*.отв");
    EXPECT_EQ(Get(store, h, u"FileMask", unicode_api::FST_QWORD), "(none)");
    EXPECT_EQ(Get(store, h, u"Missing", unicode_api::FST_QWORD), "(none)");
    // Text that UTF-8 cannot hold is refused.
    EXPECT_EQ(SetText(store, h, u"Bad", u"a\xD800"), 0);
    EXPECT_EQ(Free(store, h), 1);
    EXPECT_EQ(Free(store, h), 0);  // a handle freed is gone

    // Only the plug-in's own GUID opens a handle; the local settings are another file.
    EXPECT_EQ(Create(store, unicode_api::PSL_ROAMING, unicode_api::GUID{}), nullptr);
    EXPECT_EQ(Create(store, 7), nullptr);
    h = Create(store, unicode_api::PSL_LOCAL);
    EXPECT_EQ(Get(store, h, u"FileMask", unicode_api::FST_STRING), "(none)");
    SetNumber(store, h, u"X", 1);
    Free(store, h);
    EXPECT_TRUE(fs::exists(store.FilePath(unicode_api::PSL_LOCAL)));
}

TEST_F(SettingsStoreTest, TwoWritersLoseNothingOfEachOthers) {
    SettingsStore first(kPlugin), second(kPlugin);
    HANDLE a = Create(first), b = Create(second);
    SetNumber(first, a, u"A", 1);
    SetNumber(second, b, u"B", 2);
    Free(first, a);
    Free(second, b);
    HANDLE h = Create(first);
    EXPECT_EQ(Get(first, h, u"A", unicode_api::FST_QWORD), "1");
    EXPECT_EQ(Get(first, h, u"B", unicode_api::FST_QWORD), "2");
    Free(first, h);

    // A handle the plug-in never freed is written when the store goes.
    {
        SettingsStore forgetful(kPlugin);
        SetNumber(forgetful, Create(forgetful), u"C", 3);
    }
    h = Create(first);
    EXPECT_EQ(Get(first, h, u"C", unicode_api::FST_QWORD), "3");
}

TEST_F(SettingsStoreTest, SubKeysEnumerationAndDeletion) {
    SettingsStore store(kPlugin);
    HANDLE h = Create(store);
    unicode_api::FarSettingsValue sub{sizeof sub, 0, u"Sub"};
    EXPECT_EQ(store.Control(h, unicode_api::SCTL_OPENSUBKEY, 0, &sub), 0);
    const std::intptr_t key = store.Control(h, unicode_api::SCTL_CREATESUBKEY, 0, &sub);
    EXPECT_EQ(key, 1);
    EXPECT_EQ(store.Control(h, unicode_api::SCTL_OPENSUBKEY, 0, &sub), key);
    unicode_api::FarSettingsValue bad{sizeof bad, 0, u"a\\b"};
    EXPECT_EQ(store.Control(h, unicode_api::SCTL_CREATESUBKEY, 0, &bad), 0);
    bad.Value = u"";
    EXPECT_EQ(store.Control(h, unicode_api::SCTL_CREATESUBKEY, 0, &bad), 0);
    SetNumber(store, h, u"Inner", 5, static_cast<std::size_t>(key));
    SetText(store, h, u"Outer", u"x");
    EXPECT_EQ(SetNumber(store, h, u"Nowhere", 1, 9), 0);  // no such key index

    // Sub-keys first, then values.
    unicode_api::FarSettingsEnum list{sizeof list, 0, 0, {}};
    ASSERT_EQ(store.Control(h, unicode_api::SCTL_ENUM, 0, &list), 1);
    ASSERT_EQ(list.Count, 2u);
    EXPECT_EQ(std::u16string(list.Items[0].Name), u"Sub");
    EXPECT_EQ(list.Items[0].Type, unicode_api::FST_SUBKEY);
    EXPECT_EQ(std::u16string(list.Items[1].Name), u"Outer");
    EXPECT_EQ(list.Items[1].Type, unicode_api::FST_STRING);

    unicode_api::FarSettingsValue value{sizeof value, 0, u"Outer"};
    EXPECT_EQ(store.Control(h, unicode_api::SCTL_DELETE, 0, &value), 1);
    EXPECT_EQ(Get(store, h, u"Outer", unicode_api::FST_STRING), "(none)");
    unicode_api::FarSettingsValue whole{sizeof whole, static_cast<std::size_t>(key), nullptr};
    EXPECT_EQ(store.Control(h, unicode_api::SCTL_DELETE, 0, &whole), 1);
    EXPECT_EQ(store.Control(h, unicode_api::SCTL_OPENSUBKEY, 0, &sub), 0);
    Free(store, h);
}

TEST_F(SettingsStoreTest, AFileThatCannotBeParsedIsMovedAsideNotDestroyed) {
    SettingsStore store(kPlugin);
    const std::string path = store.FilePath(unicode_api::PSL_ROAMING);
    fs::create_directories(folder_);
    std::ofstream(path, std::ios::binary) << "not a settings file\r\n";
    HANDLE h = Create(store);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(Get(store, h, u"A", unicode_api::FST_QWORD), "(none)");
    SetNumber(store, h, u"A", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Free(store, h), 1);
    testing::internal::GetCapturedStderr();
    int aside = 0;
    for (const auto& entry : fs::directory_iterator(folder_)) {
        if (entry.path().filename().string().find(".reg.broken-") != std::string::npos) {
            ++aside;
            EXPECT_EQ(FileText(entry.path().string()), "not a settings file\r\n");
        }
    }
    EXPECT_EQ(aside, 1);
    h = Create(store);
    EXPECT_EQ(Get(store, h, u"A", unicode_api::FST_QWORD), "1");
    Free(store, h);
}

}  // namespace
}  // namespace host
