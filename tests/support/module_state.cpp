#include "tests/support/module_state.hpp"

#include "module/plugin/host_info.hpp"
#include "module/runtime/heap.hpp"

namespace testsupport {

ModuleStateGuard::ModuleStateGuard()
    : host_(marten::HostInfo), settings_(marten::Settings), settingsKey_(marten::SettingsKey) {}

ModuleStateGuard::~ModuleStateGuard() {
    marten::HostInfo = host_;
    marten::Settings = settings_;
    marten::SettingsKey = settingsKey_;
}

InstalledHost::InstalledHost(FakeHost& host) : served_(host) {
    host.liveBlocks = [] { return marten::HeapLiveBlocks(); };
    marten::HostInfo = StartupInfoOf("Software\\MartenUnitTests\\Installed");
    marten::SetDefaultSettings();
}

}  // namespace testsupport
