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

SettingsValues CurrentSettings() {
    const marten::SettingsRecord& s = marten::Settings;
    return {s.EnableQuote, s.EnableAutoWrap, s.EnableAutoIndent, s.EnableHPChange,
            s.RIndent,     s.LIndent,        std::string(s.FileMask.data(), s.FileMask.size())};
}

void PrintTo(const SettingsValues& v, std::ostream* out) {
    *out << "{" << v.quote << " " << v.wrap << " " << v.indent << " " << v.hpChange << ", R "
         << v.rIndent << ", L " << v.lIndent << ", \"" << v.fileMask << "\"}";
}

InstalledHost::InstalledHost(FakeHost& host) : served_(host) {
    host.liveBlocks = [] { return marten::HeapLiveBlocks(); };
    marten::HostInfo = StartupInfoOf("Software\\MartenUnitTests\\Installed");
    marten::SetDefaultSettings();
}

}  // namespace testsupport
