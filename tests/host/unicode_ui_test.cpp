// A Unicode plug-in's messages, menus, message boxes, dialogs and help,
// through the probe and the scripted UI.
#include <string>

#include "host/scripted_ui.hpp"
#include "tests/host/unicode_probe_fixture.hpp"

namespace host_test {
namespace {

constexpr unicode_api::GUID kWindowGuid{0x10, 0x20, 0x30, {1, 2, 3, 4, 5, 6, 7, 8}};

class UnicodeUi : public UnicodeProbeFolder {
protected:
    void WriteUnicodeTexts() {
        WriteFile("probe_en.lng",
                  "\xEF\xBB\xBF.Language=English,English\r\n\"Title\"\r\n\"Say \\\"hi\\\"\"\r\n");
        WriteFile("probe_ru.lng",
                  "\xEF\xBB\xBF.Language=Russian,Русский\r\n\"Заголовок\"\r\n\"«Привет»\"\r\n");
        WriteFile("probe_en.hlf",
                  "\xEF\xBB\xBF.Language=English,English\r\n.PluginContents=Probe\r\n"
                  "@Contents\r\nHelp.\r\n@Config\r\nSettings.\r\n");
    }
    host::ScriptedUi ui_;
};

TEST_F(UnicodeUi, MessagesComeFromTheLanguageFileOfTheHostsLanguage) {
    WriteUnicodeTexts();
    host::HostOptions options;
    options.language = "russian";
    LoadProbe(nullptr, options);
    const unicode_api::PluginStartupInfo& info = Probe()->info;
    EXPECT_EQ(std::u16string(info.GetMsg(&kProbeGuid, 0)), u"Заголовок");
    EXPECT_EQ(std::u16string(info.GetMsg(&kProbeGuid, 1)), u"«Привет»");
    EXPECT_EQ(std::u16string(info.GetMsg(&kProbeGuid, 2)), u"");
    EXPECT_EQ(host_->LoadWarnings(), "");
    ASSERT_NE(host_->Help(), nullptr);
    EXPECT_EQ(host_->Help()->contentsTitle, "Probe");
}

TEST_F(UnicodeUi, MenuAndMessageReachTheUi) {
    LoadProbe([](UnicodeProbeState& s) {
        s.onOpen = [](UnicodeProbeState& st) -> std::intptr_t {
            const unicode_api::FarMenuItem items[] = {
                {unicode_api::MIF_NONE, u"Wrap «now»", {}, 0, {}},
                {unicode_api::MIF_SELECTED, u"About", {}, 0, {}},
            };
            std::intptr_t breakCode = 7;
            const unicode_api::FarKey breakKeys[] = {{0x70, 0}, {0, 0}};
            st.scratch[0] =
                st.info.Menu(&kProbeGuid, &kWindowGuid, -1, -1, 0, unicode_api::FMENU_WRAPMODE,
                             u"Marten", nullptr, u"Contents", breakKeys, &breakCode, items, 2);
            st.scratch[1] = breakCode;
            const unicode_api::WChar* lines[] = {u"About", u"Marten 1.0"};
            st.scratch[2] = st.info.Message(
                &kProbeGuid, &kWindowGuid,
                unicode_api::FMSG_LEFTALIGN | 0x20000 /* FMSG_MB_OKCANCEL */, nullptr, lines, 2, 0);
            st.scratch[3] = st.info.Message(
                &kProbeGuid, nullptr, unicode_api::FMSG_ALLINONE, nullptr,
                reinterpret_cast<const unicode_api::WChar* const*>(u"T\nline\nOK"), 0, 1);
            // Another plug-in's GUID is refused.
            st.scratch[4] = st.info.Message(&kProbeMenuGuid, nullptr, 0, nullptr, lines, 2, 0);
            return 0;
        };
    });
    host_->SetUi(&ui_);
    ui_.ChooseMenu(1);
    ui_.AnswerMessage(1);
    ui_.AnswerMessage(0);
    Unicode().Open(kProbeMenuGuid);
    UnicodeProbeState& s = *Probe();
    EXPECT_EQ(s.scratch[0], 1);
    EXPECT_EQ(s.scratch[1], -1);
    EXPECT_EQ(s.scratch[2], 1);
    EXPECT_EQ(s.scratch[3], 0);
    EXPECT_EQ(s.scratch[4], -1);
    ASSERT_EQ(ui_.menus.size(), 1u);
    EXPECT_EQ(ui_.menus[0].title, "Marten");
    ASSERT_EQ(ui_.menus[0].items.size(), 2u);
    EXPECT_STREQ(ui_.menus[0].items[0].Text, "Wrap ?now?");  // « » are not in the OEM table
    EXPECT_EQ(ui_.menus[0].items[1].Selected, 1);
    EXPECT_TRUE(ui_.menus[0].hasBreakKeys);
    ASSERT_EQ(ui_.messages.size(), 2u);
    EXPECT_EQ(ui_.messages[0].flags, DWORD{FMSG_LEFTALIGN});
    EXPECT_EQ(ui_.messages[0].buttonCount, 2);
    ASSERT_EQ(ui_.messages[0].items.size(), 4u);
    EXPECT_EQ(ui_.messages[0].items[3], "Cancel");
    ASSERT_EQ(ui_.messages[1].items.size(), 3u);
    EXPECT_EQ(ui_.messages[1].items[1], "line");
    EXPECT_EQ(ui_.messages[1].buttonCount, 1);
}

TEST_F(UnicodeUi, DialogResultsAreReadBeforeDialogFree) {
    LoadProbe([](UnicodeProbeState& s) {
        s.onConfigure = [](UnicodeProbeState& st) -> std::intptr_t {
            unicode_api::FarDialogItem items[4] = {};
            items[0].Type = unicode_api::DI_CHECKBOX;
            items[0].Selected = 1;
            items[0].Data = u"&Wrap";
            items[1].Type = unicode_api::DI_EDIT;
            items[1].Data = u"*.msg,*.отв";
            items[2].Type = unicode_api::DI_EDIT;
            items[2].Data = u"kept «as is»";
            items[3].Type = unicode_api::DI_BUTTON;
            items[3].Data = u"OK";
            items[3].Flags = unicode_api::DIF_DEFAULTBUTTON;
            HANDLE dialog =
                st.info.DialogInit(&kProbeGuid, &kWindowGuid, -1, -1, 40, 10, u"Config", items, 4,
                                   0, unicode_api::FDLG_NONE, nullptr, nullptr);
            items[1].Data = u"changed after init";  // the host copied the texts
            st.scratch[0] = st.info.DialogRun(dialog);
            st.scratch[1] = st.info.SendDlgMessage(dialog, unicode_api::DM_GETCHECK, 0, nullptr);
            const auto* mask = reinterpret_cast<const unicode_api::WChar*>(
                st.info.SendDlgMessage(dialog, unicode_api::DM_GETCONSTTEXTPTR, 1, nullptr));
            st.scratch[2] = std::u16string(mask) == u"*.txt";
            const auto* kept = reinterpret_cast<const unicode_api::WChar*>(
                st.info.SendDlgMessage(dialog, unicode_api::DM_GETCONSTTEXTPTR, 2, nullptr));
            st.scratch[3] = std::u16string(kept) == u"kept «as is»";
            unicode_api::WChar buffer[4] = {};
            unicode_api::FarDialogItemData data{sizeof data, 3, buffer};
            st.scratch[4] = st.info.SendDlgMessage(dialog, unicode_api::DM_GETTEXT, 1, &data);
            st.scratch[5] = std::u16string(buffer) == u"*.t";
            st.scratch[6] = st.info.SendDlgMessage(dialog, unicode_api::DM_GETCHECK, 9, nullptr);
            st.info.DialogFree(dialog);
            // Without an id there is no dialog.
            st.scratch[7] = st.info.DialogInit(&kProbeGuid, nullptr, -1, -1, 40, 10, nullptr, items,
                                               4, 0, 0, nullptr, nullptr) == INVALID_HANDLE_VALUE;
            return 1;
        };
    });
    host_->SetUi(&ui_);
    ui_.AnswerDialog({{host::DialogAnswer::Toggle{0}, host::DialogAnswer::Type{1, "*.txt"}}, 3});
    EXPECT_EQ(Unicode().Configure(kProbeMenuGuid), 1);
    UnicodeProbeState& s = *Probe();
    EXPECT_EQ(s.scratch[0], 3);
    EXPECT_EQ(s.scratch[1], unicode_api::BSTATE_UNCHECKED);
    EXPECT_EQ(s.scratch[2], 1);
    EXPECT_EQ(s.scratch[3], 1);  // a text not touched keeps what OEM cannot show
    EXPECT_EQ(s.scratch[4], 5);
    EXPECT_EQ(s.scratch[5], 1);
    EXPECT_EQ(s.scratch[6], 0);
    EXPECT_EQ(s.scratch[7], 1);
    ASSERT_EQ(ui_.dialogs.size(), 1u);
    EXPECT_STREQ(ui_.dialogs[0].itemsShown[1].Data, "*.msg,*.\xAE\xE2\xA2");
    EXPECT_EQ(ui_.dialogs[0].itemsShown[3].DefaultButton, 1);
    EXPECT_EQ(ui_.dialogs[0].call.helpTopic, "Config");
}

TEST_F(UnicodeUi, HelpOnlyForTopicsOfThePluginsOwnFile) {
    WriteUnicodeTexts();
    LoadProbe();
    host_->SetUi(&ui_);
    const unicode_api::PluginStartupInfo& info = Probe()->info;
    // The scripted UI draws no help, so even a topic that exists is not shown.
    EXPECT_EQ(info.ShowHelp(info.ModuleName, u"Config", unicode_api::FHELP_SELFHELP), 0);
    struct HelpUi : host::ScriptedUi {
        bool ShowPluginHelp(const std::string& topic) override {
            shown += topic + ";";
            return true;
        }
        std::string shown;
    } helpUi;
    host_->SetUi(&helpUi);
    EXPECT_EQ(info.ShowHelp(info.ModuleName, u"Config", unicode_api::FHELP_SELFHELP), 1);
    EXPECT_EQ(info.ShowHelp(info.ModuleName, nullptr, unicode_api::FHELP_SELFHELP), 1);
    EXPECT_EQ(info.ShowHelp(info.ModuleName, u"Missing", unicode_api::FHELP_SELFHELP), 0);
    EXPECT_EQ(info.ShowHelp(info.ModuleName, u":Editor", unicode_api::FHELP_SELFHELP), 0);
    EXPECT_EQ(helpUi.shown, "Config;Contents;");
    host_->SetUi(nullptr);
}

}  // namespace
}  // namespace host_test
