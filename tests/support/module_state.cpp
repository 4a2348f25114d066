#include "tests/support/module_state.hpp"

#include "module/ansi/host_info.hpp"
#include "module/ansi/settings_store.hpp"
#include "module/runtime/heap.hpp"
#include "module/settings/settings_table.hpp"

namespace testsupport {

using marten::ansi::HostInfo;
using marten::ansi::SettingsKey;
using marten::ansi::TextSettings;

ModuleStateGuard::ModuleStateGuard()
    : host_(HostInfo),
      settings_(marten::Settings),
      texts_(TextSettings),
      settingsKey_(SettingsKey) {}

ModuleStateGuard::~ModuleStateGuard() {
    HostInfo = host_;
    marten::Settings = settings_;
    TextSettings = texts_;
    SettingsKey = settingsKey_;
}

SettingsValues CurrentSettings() {
    const marten::SettingsRecord& s = marten::Settings;
    const marten::Text& mask = TextSettings[marten::kFileMask];
    return {s.EnableQuote,
            s.EnableAutoWrap,
            s.EnableAutoIndent,
            s.EnableHPChange,
            s.RIndent,
            s.LIndent,
            std::string(mask.data(), mask.size())};
}

void PrintTo(const SettingsValues& v, std::ostream* out) {
    *out << "{" << v.quote << " " << v.wrap << " " << v.indent << " " << v.hpChange << ", R "
         << v.rIndent << ", L " << v.lIndent << ", \"" << v.fileMask << "\"}";
}

InstalledHost::InstalledHost(FakeHost& host) : served_(host) {
    host.liveBlocks = [] { return marten::HeapLiveBlocks(); };
    HostInfo = StartupInfoOf("Software\\MartenUnitTests\\Installed");
    marten::SetDefaultSettings(TextSettings);
}

}  // namespace testsupport
