// The 1.x face's module-wide state in the module's unit tests: a guard that
// keeps it and puts it back, and the fake host installed the way
// SetStartupInfo would fill HostInfo.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "api/ansi_api.hpp"
#include "module/runtime/text.hpp"
#include "module/settings/settings.hpp"
#include "tests/support/fake_host.hpp"

namespace testsupport {

// Keeps the module-wide state (HostInfo, Settings, TextSettings, SettingsKey)
// and puts it back when it goes, so a test may change any of it.
class ModuleStateGuard {
public:
    ModuleStateGuard();
    ~ModuleStateGuard();
    ModuleStateGuard(const ModuleStateGuard&) = delete;
    ModuleStateGuard& operator=(const ModuleStateGuard&) = delete;

private:
    PluginStartupInfo host_;
    marten::SettingsRecord settings_;
    marten::TextSettingsOf<char> texts_;
    marten::Text settingsKey_;
};

// The seven settings as plain values, so that a test checks them all in one
// expectation: the four switches, RIndent, LIndent, FileMask.
struct SettingsValues {
    int quote, wrap, indent, hpChange;
    std::int32_t rIndent, lIndent;
    std::string fileMask;
    bool operator==(const SettingsValues&) const = default;
};
SettingsValues CurrentSettings();
void PrintTo(const SettingsValues& values, std::ostream* out);

// Makes `host` the module's host for as long as it lives: HostInfo filled as
// SetStartupInfo would, without the registry, the settings at their defaults,
// and the host counting the module's heap blocks; then puts the module-wide
// state back.
class InstalledHost : public ModuleStateGuard {
public:
    explicit InstalledHost(FakeHost& host);

private:
    ServedHost served_;
};

}  // namespace testsupport
