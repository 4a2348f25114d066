// far2l's face's configuration drawn by far2l: the menu, the settings dialog
// with the settings this face keeps (Balanced among them) and what confirming
// it writes to config.ini, the About box, and the one note that a damaged
// settings file was moved aside.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "api/far2l_api.hpp"
#include "module/far2l/config_ui.hpp"
#include "module/far2l/exports.hpp"
#include "module/settings/settings.hpp"
#include "module/ui/config_menu.hpp"
#include "tests/far2l/far2l_fake_host.hpp"
#include "tests/far2l/scratch_profile.hpp"

namespace {

using far2ltest::Far2lFakeHost;
using far2ltest::ScratchProfile;
using marten::far2l::ItemIndex;

class Far2lConfig : public testing::Test {
protected:
    void SetUp() override { SetStartupInfoW(&host_.startupInfo); }

    ScratchProfile profile_;
    Far2lFakeHost host_;
};

TEST_F(Far2lConfig, TheMenuOffersTheDialogAndTheAboutBox) {
    host_.menuAnswers = {marten::MenuAbout};
    EXPECT_EQ(ConfigureW(0), 1);
    ASSERT_EQ(host_.menus.size(), 2u);  // shown again after the About box
    EXPECT_EQ(host_.menus[0].title, L"msg6");
    EXPECT_EQ(host_.menus[0].lines, (std::vector<std::wstring>{L"msg14", L"-", L"msg3"}));
    EXPECT_EQ(host_.menus[0].selected, 0);
    EXPECT_EQ(host_.menus[1].selected, marten::MenuAbout);
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].lines,
              (std::vector<std::wstring>{L"msg4", L"", L"msg5", L"msg0", L"msg1"}));
    EXPECT_EQ(host_.messages[0].buttons, 1);
}

TEST_F(Far2lConfig, TheDialogShowsTheFacesSettingsAndConfirmingStoresThem) {
    const int balanced = ItemIndex(marten::DialogBalanced);
    const int rIndent = ItemIndex(marten::DialogRIndent);
    const int mask = ItemIndex(marten::DialogFileMask);
    ASSERT_GE(balanced, 0);
    host_.menuAnswers = {marten::MenuConfigure};
    host_.dialogEdits = {{ItemIndex(marten::DialogEnableQuote), L""},
                         {balanced, L"x"},
                         {rIndent, L"-3"},
                         {mask, L"*.txt,\u043F\u0438\u0441\u044C\u043C\u043E.*"}};
    host_.dialogAnswer = ItemIndex(marten::DialogOk);
    EXPECT_EQ(ConfigureW(0), 1);

    ASSERT_EQ(static_cast<int>(host_.dialog.size()), marten::far2l::kConfigLayout.count);
    EXPECT_EQ(host_.dialog[0].type, far2l_api::DI_DOUBLEBOX);
    EXPECT_EQ(host_.dialog[static_cast<std::size_t>(balanced)].type, far2l_api::DI_CHECKBOX);
    EXPECT_EQ(host_.dialog[static_cast<std::size_t>(ItemIndex(marten::DialogOk))].defaultButton, 1);
    EXPECT_EQ(host_.dialog[static_cast<std::size_t>(ItemIndex(marten::DialogEnableQuote))].focus,
              1);
    EXPECT_EQ(host_.dialogsFreed, 1);

    EXPECT_EQ(marten::Settings.EnableQuote, 0);
    EXPECT_EQ(marten::Settings.Balanced, 1);
    EXPECT_EQ(marten::Settings.RIndent, -3);
    EXPECT_EQ(ScratchProfile::Read(profile_.SettingsFile()),
              "[Settings]\nEnableQuote=0\nEnableAutoWrap=1\nEnableAutoIndent=1\n"
              "EnableHPChange=1\nRIndent=-3\nLIndent=0\n"
              "FileMask=*.txt,\xD0\xBF\xD0\xB8\xD1\x81\xD1\x8C\xD0\xBC\xD0\xBE.*\nBalanced=1\n");
}

TEST_F(Far2lConfig, CancelOrEscChangesNothing) {
    const std::string before = ScratchProfile::Read(profile_.SettingsFile());
    for (const int button : {ItemIndex(marten::DialogCancel), -1}) {
        host_.menuAnswers = {marten::MenuConfigure};
        host_.dialogEdits = {{ItemIndex(marten::DialogRIndent), L"10"}};
        host_.dialogAnswer = button;
        EXPECT_EQ(ConfigureW(0), 0);
        EXPECT_EQ(marten::Settings.RIndent, 78);
        EXPECT_EQ(ScratchProfile::Read(profile_.SettingsFile()), before);
    }
}

TEST_F(Far2lConfig, ADamagedFileMovedAsideIsToldOnceWhenTheMenuOpens) {
    ScratchProfile::Write(profile_.SettingsFile(), "[Settings]\n\x01 binary\n");
    SetStartupInfoW(&host_.startupInfo);
    EXPECT_TRUE(host_.messages.empty());  // nothing at load: far2l draws no window then

    ConfigureW(0);
    ASSERT_EQ(host_.messages.size(), 1u);
    const auto& note = host_.messages[0];
    EXPECT_EQ(note.flags, DWORD{far2l_api::FMSG_WARNING});
    ASSERT_EQ(note.lines.size(), 5u);
    EXPECT_EQ(note.lines[1], L"msg17");  // MSettingsMovedAside
    EXPECT_EQ(note.lines[2], profile_.SettingsFile().parent_path().wstring() + L"/");
    EXPECT_EQ(note.lines[3].rfind(L"config.ini.broken-", 0), 0u);

    ConfigureW(0);
    EXPECT_EQ(host_.messages.size(), 1u);
}

}  // namespace
