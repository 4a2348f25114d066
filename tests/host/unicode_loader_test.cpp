// Loading a plug-in of the Unicode interface: told apart by its exports,
// checked by its GlobalInfo, given its records and services, and called at
// its entry points with the records of its own interface.
#include <dlfcn.h>

#include <cstdlib>
#include <string>

#include "host/unicode/unicode_editor.hpp"
#include "tests/host/unicode_probe_fixture.hpp"

namespace host_test {
namespace {

using UnicodeLoader = UnicodeProbeFolder;

TEST_F(UnicodeLoader, ToldApartByItsExportsAndHandedItsRecords) {
    LoadProbe();
    UnicodeProbeState* probe = Probe();
    ASSERT_NE(probe, nullptr);
    ASSERT_NE(host_->PluginAs<host::UnicodePlugin>(), nullptr);
    EXPECT_EQ(host_->PluginAs<host::AnsiPlugin>(), nullptr);  // nothing of the ANSI interface
    EXPECT_EQ(probe->globalCalls, 1);
    EXPECT_EQ(probe->globalStructSize, sizeof(unicode_api::GlobalInfo));
    EXPECT_TRUE(unicode_api::SameGuid(Unicode().Global().Guid, kProbeGuid));
    EXPECT_EQ(probe->startupCalls, 1);
    EXPECT_EQ(probe->startupStructSize, sizeof(unicode_api::PluginStartupInfo));
    EXPECT_EQ(probe->fsfStructSize, sizeof(unicode_api::FarStandardFunctions));
    EXPECT_EQ(std::u16string(probe->info.ModuleName),
              std::u16string(modulePath_.begin(), modulePath_.end()));

    // The services work as soon as the plug-in holds them.
    const unicode_api::PluginStartupInfo& info = probe->info;
    ASSERT_NE(info.GetMsg, nullptr);
    EXPECT_EQ(std::u16string(info.GetMsg(&kProbeGuid, 99)), u"");
    ASSERT_NE(info.FSF->ProcessName, nullptr);
    const auto flags = unicode_api::PN_CMPNAME | unicode_api::PN_SKIPPATH;
    EXPECT_EQ(info.FSF->ProcessName(u"*.ОТВ", const_cast<char16_t*>(u"/fido/ответ.отв"), 0, flags),
              1u);
    EXPECT_EQ(info.FSF->ProcessName(u"*.msg", const_cast<char16_t*>(u"/a.msg/b"), 0, flags), 0u);
    EXPECT_EQ(info.FSF->ProcessName(u"*.msg;*.отв|x*", const_cast<char16_t*>(u"/a/b.ОТВ"), 0,
                                    unicode_api::PN_CMPNAMELIST | unicode_api::PN_SKIPPATH),
              1u);
    unicode_api::VersionInfo version{};
    ASSERT_NE(info.AdvControl, nullptr);
    EXPECT_EQ(info.AdvControl(&kProbeGuid, unicode_api::ACTL_GETFARMANAGERVERSION, 0, &version), 1);
    EXPECT_EQ(version.Build, 6727u);
    // The settings store opens for the plug-in's own GUID only.
    const char* const outer = std::getenv("MARTEN_SETTINGS");
    const std::string kept = outer != nullptr ? outer : "";
    ::setenv("MARTEN_SETTINGS", folder_.c_str(), 1);
    ASSERT_NE(info.SettingsControl, nullptr);
    unicode_api::FarSettingsCreate create{sizeof create, kProbeGuid, nullptr};
    EXPECT_EQ(
        info.SettingsControl(nullptr, unicode_api::SCTL_CREATE, unicode_api::PSL_ROAMING, &create),
        1);
    EXPECT_EQ(info.SettingsControl(create.Handle, unicode_api::SCTL_FREE, 0, nullptr), 1);
    create.Guid = kProbeMenuGuid;
    EXPECT_EQ(
        info.SettingsControl(nullptr, unicode_api::SCTL_CREATE, unicode_api::PSL_ROAMING, &create),
        0);
    if (outer != nullptr)
        ::setenv("MARTEN_SETTINGS", kept.c_str(), 1);
    else
        ::unsetenv("MARTEN_SETTINGS");
    // Without an editor the editor's service answers 0.
    unicode_api::EditorInfo editorInfo{};
    editorInfo.StructSize = sizeof editorInfo;
    EXPECT_EQ(info.EditorControl(-1, unicode_api::ECTL_GETINFO, 0, &editorInfo), 0);
}

TEST_F(UnicodeLoader, EntryPointsGetTheirOwnRecords) {
    LoadProbe();
    UnicodeProbeState* probe = Probe();
    const unicode_api::PluginInfo plugin = Unicode().QueryPluginInfo();
    EXPECT_EQ(probe->pluginInfoCalls, 1);
    EXPECT_EQ(plugin.Flags, unicode_api::PF_EDITOR | unicode_api::PF_DISABLEPANELS);
    ASSERT_EQ(plugin.PluginMenu.Count, 1u);
    EXPECT_EQ(std::u16string(plugin.PluginMenu.Strings[0]), u"Probe");

    EXPECT_EQ(Unicode().Open(plugin.PluginMenu.Guids[0]), nullptr);
    EXPECT_EQ(probe->openCalls, 1);
    EXPECT_EQ(probe->openFrom, unicode_api::OPEN_EDITOR);
    EXPECT_TRUE(unicode_api::SameGuid(probe->openGuid, kProbeMenuGuid));
    Unicode().Configure(kProbeMenuGuid);
    EXPECT_EQ(probe->configureCalls, 1);
    EXPECT_TRUE(unicode_api::SameGuid(probe->configureGuid, kProbeMenuGuid));

    // Editors come and go with EE_READ and EE_CLOSE, under the editor's id.
    Edit("text\r\n");
    Edit("other\r\n");
    ASSERT_EQ(probe->eventCalls, 3);
    EXPECT_EQ(probe->events[0], unicode_api::EE_READ);
    EXPECT_EQ(probe->events[1], unicode_api::EE_CLOSE);
    EXPECT_EQ(probe->events[2], unicode_api::EE_READ);
    EXPECT_EQ(probe->lastEditorId, host::UnicodeEditor::kId);

    // A save is announced with the file's name, line end and code page.
    Edit("text\n", engine::CodePage::Koi8r);
    host_->AnnounceSave("/fido/письмо.msg");
    ASSERT_EQ(probe->eventCalls, 6);
    EXPECT_EQ(probe->events[5], unicode_api::EE_SAVE);
    EXPECT_EQ(std::u16string(probe->savedName), u"/fido/письмо.msg");
    EXPECT_EQ(std::u16string(probe->savedEol), u"\n");
    EXPECT_EQ(probe->savedCodePage, 20866u);

    // Unloading closes the editor and ends the plug-in with ExitFARW.
    void* keep = dlopen(modulePath_.c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(keep, nullptr);
    host_.reset();
    EXPECT_EQ(probe->eventCalls, 7);
    EXPECT_EQ(probe->events[6], unicode_api::EE_CLOSE);
    EXPECT_EQ(probe->exitCalls, 1);
    dlclose(keep);
}

TEST_F(UnicodeLoader, RefusesAPluginWhoseGlobalInfoIsIncomplete) {
    struct Case {
        void (*prepare)(UnicodeProbeState&);
        std::string message;
    };
    const Case cases[] = {
        {[](UnicodeProbeState& s) { s.noTitle = true; }, "the module gives no title"},
        {[](UnicodeProbeState& s) { s.zeroGuid = true; }, "the module's GUID is all zero"},
        {[](UnicodeProbeState& s) {
             s.minVersion = {3, 0, 0, 6728, unicode_api::VS_RELEASE};
         },
         "the module needs host version 3.0.0.6728 or later; this host is 3.0.0.6727"},
        // Build before revision: a later revision of an older build is accepted.
        {[](UnicodeProbeState& s) {
             s.minVersion = {3, 0, 9, 6000, unicode_api::VS_RELEASE};
         },
         ""},
    };
    Install(UNICODE_PROBE_PATH, "unicode_probe.so");
    for (const Case& c : cases) {
        void* handle = dlopen(modulePath_.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr);
        auto* probe =
            reinterpret_cast<UnicodeProbeState* (*)()>(dlsym(handle, "GetUnicodeProbeState"))();
        *probe = UnicodeProbeState{};
        c.prepare(*probe);
        host::Host host;
        std::string error;
        EXPECT_EQ(host.LoadModule(modulePath_, &error), c.message.empty());
        EXPECT_EQ(error, c.message.empty() ? "" : modulePath_ + ": " + c.message);
        // A refused plug-in is told nothing more.
        EXPECT_EQ(probe->startupCalls, c.message.empty() ? 1 : 0);
        dlclose(handle);
    }
}

}  // namespace
}  // namespace host_test
