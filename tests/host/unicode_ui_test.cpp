// A Unicode plug-in's messages, menus, message boxes, dialogs and help,
// through the probe and the scripted UI.
#include <string>

#include "host/scripted_ui.hpp"
#include "tests/host/probe3_fixture.hpp"

namespace host_test {
namespace {

constexpr api3::GUID kWindowGuid{0x10, 0x20, 0x30, {1, 2, 3, 4, 5, 6, 7, 8}};

class UnicodeUi : public Probe3Folder {
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
    const api3::PluginStartupInfo& info = Probe()->info;
    EXPECT_EQ(std::u16string(info.GetMsg(&kProbeGuid, 0)), u"Заголовок");
    EXPECT_EQ(std::u16string(info.GetMsg(&kProbeGuid, 1)), u"«Привет»");
    EXPECT_EQ(std::u16string(info.GetMsg(&kProbeGuid, 2)), u"");
    EXPECT_EQ(host_->LoadWarnings(), "");
    ASSERT_NE(host_->Help(), nullptr);
    EXPECT_EQ(host_->Help()->contentsTitle, "Probe");
}

TEST_F(UnicodeUi, MenuAndMessageReachTheUi) {
    LoadProbe([](Probe3State& s) {
        s.onOpen = [](Probe3State& st) -> std::intptr_t {
            const api3::FarMenuItem items[] = {
                {api3::MIF_NONE, u"Wrap «now»", {}, 0, {}},
                {api3::MIF_SELECTED, u"About", {}, 0, {}},
            };
            std::intptr_t breakCode = 7;
            const api3::FarKey breakKeys[] = {{0x70, 0}, {0, 0}};
            st.scratch[0] =
                st.info.Menu(&kProbeGuid, &kWindowGuid, -1, -1, 0, api3::FMENU_WRAPMODE, u"Marten",
                             nullptr, u"Contents", breakKeys, &breakCode, items, 2);
            st.scratch[1] = breakCode;
            const api3::WChar* lines[] = {u"About", u"Marten 1.0"};
            st.scratch[2] = st.info.Message(&kProbeGuid, &kWindowGuid,
                                            api3::FMSG_LEFTALIGN | 0x20000 /* FMSG_MB_OKCANCEL */,
                                            nullptr, lines, 2, 0);
            st.scratch[3] =
                st.info.Message(&kProbeGuid, nullptr, api3::FMSG_ALLINONE, nullptr,
                                reinterpret_cast<const api3::WChar* const*>(u"T\nline\nOK"), 0, 1);
            // Another plug-in's GUID is refused.
            st.scratch[4] = st.info.Message(&kProbeMenuGuid, nullptr, 0, nullptr, lines, 2, 0);
            return 0;
        };
    });
    host_->SetUi(&ui_);
    ui_.ChooseMenu(1);
    ui_.AnswerMessage(1);
    ui_.AnswerMessage(0);
    host_->Open3(kProbeMenuGuid);
    Probe3State& s = *Probe();
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
    LoadProbe([](Probe3State& s) {
        s.onConfigure = [](Probe3State& st) -> std::intptr_t {
            api3::FarDialogItem items[4] = {};
            items[0].Type = api3::DI_CHECKBOX;
            items[0].Selected = 1;
            items[0].Data = u"&Wrap";
            items[1].Type = api3::DI_EDIT;
            items[1].Data = u"*.msg,*.отв";
            items[2].Type = api3::DI_EDIT;
            items[2].Data = u"kept «as is»";
            items[3].Type = api3::DI_BUTTON;
            items[3].Data = u"OK";
            items[3].Flags = api3::DIF_DEFAULTBUTTON;
            HANDLE dialog = st.info.DialogInit(&kProbeGuid, &kWindowGuid, -1, -1, 40, 10, u"Config",
                                               items, 4, 0, api3::FDLG_NONE, nullptr, nullptr);
            items[1].Data = u"changed after init";  // the host copied the texts
            st.scratch[0] = st.info.DialogRun(dialog);
            st.scratch[1] = st.info.SendDlgMessage(dialog, api3::DM_GETCHECK, 0, nullptr);
            const auto* mask = reinterpret_cast<const api3::WChar*>(
                st.info.SendDlgMessage(dialog, api3::DM_GETCONSTTEXTPTR, 1, nullptr));
            st.scratch[2] = std::u16string(mask) == u"*.txt";
            const auto* kept = reinterpret_cast<const api3::WChar*>(
                st.info.SendDlgMessage(dialog, api3::DM_GETCONSTTEXTPTR, 2, nullptr));
            st.scratch[3] = std::u16string(kept) == u"kept «as is»";
            api3::WChar buffer[4] = {};
            api3::FarDialogItemData data{sizeof data, 3, buffer};
            st.scratch[4] = st.info.SendDlgMessage(dialog, api3::DM_GETTEXT, 1, &data);
            st.scratch[5] = std::u16string(buffer) == u"*.t";
            st.scratch[6] = st.info.SendDlgMessage(dialog, api3::DM_GETCHECK, 9, nullptr);
            st.info.DialogFree(dialog);
            // Without an id there is no dialog.
            st.scratch[7] = st.info.DialogInit(&kProbeGuid, nullptr, -1, -1, 40, 10, nullptr, items,
                                               4, 0, 0, nullptr, nullptr) == INVALID_HANDLE_VALUE;
            return 1;
        };
    });
    host_->SetUi(&ui_);
    ui_.AnswerDialog({{host::DialogAnswer::Toggle{0}, host::DialogAnswer::Type{1, "*.txt"}}, 3});
    EXPECT_EQ(host_->Configure3(kProbeMenuGuid), 1);
    Probe3State& s = *Probe();
    EXPECT_EQ(s.scratch[0], 3);
    EXPECT_EQ(s.scratch[1], api3::BSTATE_UNCHECKED);
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
    const api3::PluginStartupInfo& info = Probe()->info;
    // The scripted UI draws no help, so even a topic that exists is not shown.
    EXPECT_EQ(info.ShowHelp(info.ModuleName, u"Config", api3::FHELP_SELFHELP), 0);
    struct HelpUi : host::ScriptedUi {
        bool ShowPluginHelp(const std::string& topic) override {
            shown += topic + ";";
            return true;
        }
        std::string shown;
    } helpUi;
    host_->SetUi(&helpUi);
    EXPECT_EQ(info.ShowHelp(info.ModuleName, u"Config", api3::FHELP_SELFHELP), 1);
    EXPECT_EQ(info.ShowHelp(info.ModuleName, nullptr, api3::FHELP_SELFHELP), 1);
    EXPECT_EQ(info.ShowHelp(info.ModuleName, u"Missing", api3::FHELP_SELFHELP), 0);
    EXPECT_EQ(info.ShowHelp(info.ModuleName, u":Editor", api3::FHELP_SELFHELP), 0);
    EXPECT_EQ(helpUi.shown, "Config;Contents;");
    host_->SetUi(nullptr);
}

}  // namespace
}  // namespace host_test
