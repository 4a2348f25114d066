// Loading a plug-in of the Unicode interface: told apart by its exports,
// checked by its GlobalInfo, given its records and services, and called at
// its entry points with the records of its own interface.
#include <dlfcn.h>

#include <cstdlib>
#include <string>

#include "host/unicode_editor.hpp"
#include "tests/host/probe3_fixture.hpp"

namespace host_test {
namespace {

using UnicodeLoader = Probe3Folder;

TEST_F(UnicodeLoader, ToldApartByItsExportsAndHandedItsRecords) {
    LoadProbe();
    Probe3State* probe = Probe();
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(host_->Interface(), host::PluginInterface::Unicode);
    EXPECT_EQ(host_->Exports().SetStartupInfo, nullptr);  // nothing of the ANSI interface
    EXPECT_EQ(probe->globalCalls, 1);
    EXPECT_EQ(probe->globalStructSize, sizeof(api3::GlobalInfo));
    EXPECT_TRUE(api3::SameGuid(host_->Global().Guid, kProbeGuid));
    EXPECT_EQ(probe->startupCalls, 1);
    EXPECT_EQ(probe->startupStructSize, sizeof(api3::PluginStartupInfo));
    EXPECT_EQ(probe->fsfStructSize, sizeof(api3::FarStandardFunctions));
    EXPECT_EQ(std::u16string(probe->info.ModuleName),
              std::u16string(modulePath_.begin(), modulePath_.end()));

    // The services work as soon as the plug-in holds them.
    const api3::PluginStartupInfo& info = probe->info;
    ASSERT_NE(info.GetMsg, nullptr);
    EXPECT_EQ(std::u16string(info.GetMsg(&kProbeGuid, 99)), u"");
    ASSERT_NE(info.FSF->ProcessName, nullptr);
    const auto flags = api3::PN_CMPNAME | api3::PN_SKIPPATH;
    EXPECT_EQ(info.FSF->ProcessName(u"*.ОТВ", const_cast<char16_t*>(u"/fido/ответ.отв"), 0, flags),
              1u);
    EXPECT_EQ(info.FSF->ProcessName(u"*.msg", const_cast<char16_t*>(u"/a.msg/b"), 0, flags), 0u);
    EXPECT_EQ(info.FSF->ProcessName(u"*.msg;*.отв|x*", const_cast<char16_t*>(u"/a/b.ОТВ"), 0,
                                    api3::PN_CMPNAMELIST | api3::PN_SKIPPATH),
              1u);
    api3::VersionInfo version{};
    ASSERT_NE(info.AdvControl, nullptr);
    EXPECT_EQ(info.AdvControl(&kProbeGuid, api3::ACTL_GETFARMANAGERVERSION, 0, &version), 1);
    EXPECT_EQ(version.Build, 6727u);
    // The settings store opens for the plug-in's own GUID only.
    const char* const outer = std::getenv("MARTEN_SETTINGS");
    const std::string kept = outer != nullptr ? outer : "";
    ::setenv("MARTEN_SETTINGS", folder_.c_str(), 1);
    ASSERT_NE(info.SettingsControl, nullptr);
    api3::FarSettingsCreate create{sizeof create, kProbeGuid, nullptr};
    EXPECT_EQ(info.SettingsControl(nullptr, api3::SCTL_CREATE, api3::PSL_ROAMING, &create), 1);
    EXPECT_EQ(info.SettingsControl(create.Handle, api3::SCTL_FREE, 0, nullptr), 1);
    create.Guid = kProbeMenuGuid;
    EXPECT_EQ(info.SettingsControl(nullptr, api3::SCTL_CREATE, api3::PSL_ROAMING, &create), 0);
    if (outer != nullptr)
        ::setenv("MARTEN_SETTINGS", kept.c_str(), 1);
    else
        ::unsetenv("MARTEN_SETTINGS");
    // Without an editor the editor's service answers 0.
    api3::EditorInfo editorInfo{};
    editorInfo.StructSize = sizeof editorInfo;
    EXPECT_EQ(info.EditorControl(-1, api3::ECTL_GETINFO, 0, &editorInfo), 0);
}

TEST_F(UnicodeLoader, EntryPointsGetTheirOwnRecords) {
    LoadProbe();
    Probe3State* probe = Probe();
    const api3::PluginInfo plugin = host_->QueryPluginInfo3();
    EXPECT_EQ(probe->pluginInfoCalls, 1);
    EXPECT_EQ(plugin.Flags, api3::PF_EDITOR | api3::PF_DISABLEPANELS);
    ASSERT_EQ(plugin.PluginMenu.Count, 1u);
    EXPECT_EQ(std::u16string(plugin.PluginMenu.Strings[0]), u"Probe");

    EXPECT_EQ(host_->Open3(plugin.PluginMenu.Guids[0]), nullptr);
    EXPECT_EQ(probe->openCalls, 1);
    EXPECT_EQ(probe->openFrom, api3::OPEN_EDITOR);
    EXPECT_TRUE(api3::SameGuid(probe->openGuid, kProbeMenuGuid));
    host_->Configure3(kProbeMenuGuid);
    EXPECT_EQ(probe->configureCalls, 1);
    EXPECT_TRUE(api3::SameGuid(probe->configureGuid, kProbeMenuGuid));

    // Editors come and go with EE_READ and EE_CLOSE, under the editor's id.
    Edit("text\r\n");
    Edit("other\r\n");
    ASSERT_EQ(probe->eventCalls, 3);
    EXPECT_EQ(probe->events[0], api3::EE_READ);
    EXPECT_EQ(probe->events[1], api3::EE_CLOSE);
    EXPECT_EQ(probe->events[2], api3::EE_READ);
    EXPECT_EQ(probe->lastEditorId, host::UnicodeEditor::kId);

    // A save is announced with the file's name, line end and code page.
    Edit("text\n", host::CodePage::Koi8r);
    host_->AnnounceSave("/fido/письмо.msg");
    ASSERT_EQ(probe->eventCalls, 6);
    EXPECT_EQ(probe->events[5], api3::EE_SAVE);
    EXPECT_EQ(std::u16string(probe->savedName), u"/fido/письмо.msg");
    EXPECT_EQ(std::u16string(probe->savedEol), u"\n");
    EXPECT_EQ(probe->savedCodePage, 20866u);

    // Unloading closes the editor and ends the plug-in with ExitFARW.
    void* keep = dlopen(modulePath_.c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(keep, nullptr);
    host_.reset();
    EXPECT_EQ(probe->eventCalls, 7);
    EXPECT_EQ(probe->events[6], api3::EE_CLOSE);
    EXPECT_EQ(probe->exitCalls, 1);
    dlclose(keep);
}

TEST_F(UnicodeLoader, RefusesAPluginWhoseGlobalInfoIsIncomplete) {
    struct Case {
        void (*prepare)(Probe3State&);
        std::string message;
    };
    const Case cases[] = {
        {[](Probe3State& s) { s.noTitle = true; }, "the module gives no title"},
        {[](Probe3State& s) { s.zeroGuid = true; }, "the module's GUID is all zero"},
        {[](Probe3State& s) {
             s.minVersion = {3, 0, 0, 6728, api3::VS_RELEASE};
         },
         "the module needs host version 3.0.0.6728 or later; this host is 3.0.0.6727"},
        // Build before revision: a later revision of an older build is accepted.
        {[](Probe3State& s) {
             s.minVersion = {3, 0, 9, 6000, api3::VS_RELEASE};
         },
         ""},
    };
    Install(PROBE3_PATH, "probe3.so");
    for (const Case& c : cases) {
        void* handle = dlopen(modulePath_.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr);
        auto* probe = reinterpret_cast<Probe3State* (*)()>(dlsym(handle, "GetProbe3State"))();
        *probe = Probe3State{};
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
