// SetStartupInfo and GetPluginInfo against host records of every size, and
// the rule that a service the host did not hand over is never called.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "module/ansi/host_info.hpp"
#include "module/ansi/settings_store.hpp"
#include "module/settings/settings.hpp"
#include "tests/support/module_state.hpp"

namespace marten::ansi {
namespace {

using testsupport::FakeHost;

constexpr std::size_t kKnown = static_cast<std::size_t>(kKnownStartupInfoSize);

class RegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_.texts.assign(kMessageCount, "");
        host_.texts[MPluginTitle] = "Marten";
    }

    // A host record of `size` bytes: a full record of this interface version
    // followed by bytes a later host might append.
    std::vector<unsigned char> HostRecord(int size) {
        std::vector<unsigned char> bytes(kKnown + 64, 0xAB);
        PluginStartupInfo info =
            testsupport::StartupInfoOf("Software\\MartenUnitTests\\Registration");
        info.StructSize = size;
        std::memcpy(bytes.data(), &info, sizeof info);
        return bytes;
    }

    const unsigned char* HostInfoBytes() const {
        return reinterpret_cast<const unsigned char*>(&HostInfo);
    }

    testsupport::ModuleStateGuard guard_;
    FakeHost host_;
    testsupport::ServedHost served_{host_};
};

TEST_F(RegistrationTest, ALongerRecordIsCopiedOnlyAsFarAsThisVersionKnows) {
    const auto record = HostRecord(static_cast<int>(kKnown) + 64);
    SetStartupInfo(reinterpret_cast<const PluginStartupInfo*>(record.data()));
    EXPECT_EQ(HostInfo.StructSize, kKnownStartupInfoSize);
    EXPECT_EQ(std::memcmp(HostInfoBytes() + sizeof(int), record.data() + sizeof(int),
                          kKnown - sizeof(int)),
              0);
    EXPECT_EQ(HostInfo.ModuleNumber, 42);
    EXPECT_EQ(HostInfo.EditorControl, testsupport::StartupInfoOf("").EditorControl);
}

TEST_F(RegistrationTest, AShorterRecordLeavesEverythingBeyondItZero) {
    // 300 bytes: in the Win32 layout the record then ends after GetDirList.
    const int size = 300;
    const auto record = HostRecord(size);
    SetStartupInfo(reinterpret_cast<const PluginStartupInfo*>(record.data()));
    EXPECT_EQ(HostInfo.StructSize, size);
    // Copied up to the last field the record wholly holds...
    std::size_t whole = 0;
    for (std::size_t end = offsetof(PluginStartupInfo, Menu); end + sizeof(void*) <= 300;
         end += sizeof(void*)) {
        whole = end + sizeof(void*);
    }
    EXPECT_EQ(std::memcmp(HostInfoBytes() + sizeof(int), record.data() + sizeof(int),
                          whole - sizeof(int)),
              0);
    // ...and zero from there on, a field the record ends inside included.
    for (std::size_t i = whole; i < sizeof HostInfo; ++i) {
        ASSERT_EQ(HostInfoBytes()[i], 0) << "byte " << i;
    }
    EXPECT_FALSE((HostInfo.CmpName != nullptr));
    EXPECT_FALSE((HostInfo.EditorControl != nullptr));
}

TEST_F(RegistrationTest, ServicesTheRecordDoesNotReachAreNeverCalled) {
    // Ends one byte short of EditorControl: CmpName arrives, EditorControl does not.
    const auto record = HostRecord(kKnownStartupInfoSize - 1);
    SetStartupInfo(reinterpret_cast<const PluginStartupInfo*>(record.data()));
    EXPECT_TRUE((HostInfo.CmpName != nullptr));
    EXPECT_FALSE((HostInfo.EditorControl != nullptr));
    INPUT_RECORD key{};
    key.EventType = KEY_EVENT;
    key.Event.KeyEvent.bKeyDown = 1;
    key.Event.KeyEvent.uChar.AsciiChar = static_cast<char>(0x8D);
    EXPECT_EQ(ProcessEditorInput(&key), 0);
    EXPECT_TRUE(host_.calls.empty());
    EXPECT_TRUE(host_.comparisons.empty());

    // Ends inside GetMsg: the title is an empty text and GetMsg is not called.
    const auto shorter = HostRecord(static_cast<int>(offsetof(PluginStartupInfo, GetMsg)) + 2);
    SetStartupInfo(reinterpret_cast<const PluginStartupInfo*>(shorter.data()));
    EXPECT_EQ(MsgText(MPluginTitle), nullptr);
    PluginInfo info{};
    GetPluginInfo(&info);
    ASSERT_NE(info.PluginMenuStrings, nullptr);
    EXPECT_STREQ(info.PluginMenuStrings[0], "");
    EXPECT_EQ(host_.getMsgCalls, 0);
}

TEST_F(RegistrationTest, NegativeTinyOrMissingRecordsCopyNothingUnsafe) {
    for (int size : {-1, -400, 0, 1, 3, 4}) {
        const auto record = HostRecord(size);
        SetStartupInfo(reinterpret_cast<const PluginStartupInfo*>(record.data()));
        EXPECT_EQ(HostInfo.StructSize, size < 0 ? 0 : size) << size;
        for (std::size_t i = sizeof(int); i < sizeof HostInfo; ++i) {
            ASSERT_EQ(HostInfoBytes()[i], 0) << "size " << size << " byte " << i;
        }
        // The settings still hold their defaults under the root-less key.
        EXPECT_EQ(SettingsKey, "Tansy\\Marten") << size;
        EXPECT_EQ(Settings.RIndent, 78) << size;
    }
    SetStartupInfo(nullptr);
    EXPECT_EQ(HostInfo.StructSize, 0);
    EXPECT_EQ(HostInfo.EditorControl, nullptr);
}

TEST_F(RegistrationTest, ASecondStartForgetsTheServicesOfTheFirst) {
    const auto full = HostRecord(kKnownStartupInfoSize);
    SetStartupInfo(reinterpret_cast<const PluginStartupInfo*>(full.data()));
    ASSERT_TRUE((HostInfo.EditorControl != nullptr));
    const auto shorter = HostRecord(static_cast<int>(offsetof(PluginStartupInfo, CmpName)));
    SetStartupInfo(reinterpret_cast<const PluginStartupInfo*>(shorter.data()));
    EXPECT_FALSE((HostInfo.EditorControl != nullptr));
    EXPECT_FALSE((HostInfo.CmpName != nullptr));
    EXPECT_TRUE((HostInfo.GetMsg != nullptr));
}

TEST_F(RegistrationTest, GetPluginInfoOffersOneEditorEntryRefreshedOnEveryCall) {
    const auto record = HostRecord(kKnownStartupInfoSize);
    SetStartupInfo(reinterpret_cast<const PluginStartupInfo*>(record.data()));
    int diskNumbers[1] = {5};
    const char* diskStrings[1] = {"disk"};
    PluginInfo info{};
    info.DiskMenuStrings = diskStrings;
    info.DiskMenuNumbers = diskNumbers;
    info.DiskMenuStringsNumber = 3;
    info.CommandPrefix = "mt";
    GetPluginInfo(&info);
    EXPECT_EQ(info.StructSize, static_cast<int>(sizeof(PluginInfo)));
    EXPECT_EQ(info.Flags, DWORD{PF_DISABLEPANELS | PF_EDITOR});
    EXPECT_EQ(info.DiskMenuStrings, diskStrings);  // left as the host passed them
    EXPECT_EQ(info.DiskMenuNumbers, diskNumbers);
    EXPECT_EQ(info.DiskMenuStringsNumber, 0);
    EXPECT_EQ(info.PluginMenuStringsNumber, 1);
    EXPECT_EQ(info.PluginConfigStringsNumber, 1);
    EXPECT_EQ(info.CommandPrefix, nullptr);
    EXPECT_EQ(info.PluginMenuStrings, PluginMenuList);
    EXPECT_EQ(info.PluginConfigStrings, PluginMenuList);
    EXPECT_EQ(info.PluginMenuStrings[0], host_.texts[MPluginTitle].c_str());  // the host's own text
    EXPECT_EQ(host_.lastMsgId, MPluginTitle);
    EXPECT_EQ(host_.lastMsgModule, 42);

    host_.texts[MPluginTitle] = "Marten, renamed";
    PluginInfo again{};
    GetPluginInfo(&again);
    EXPECT_EQ(again.PluginMenuStrings, info.PluginMenuStrings);
    EXPECT_STREQ(again.PluginMenuStrings[0], "Marten, renamed");
    EXPECT_EQ(host_.getMsgCalls, 2);
}

}  // namespace
}  // namespace marten::ansi
