// A plug-in folder holding a copy of the probe plug-in of the Unicode
// interface, loaded by a Host, with an editor over a text of the test's own.
#pragma once

#include <memory>
#include <string>

#include "engine/editor.hpp"
#include "host/unicode/unicode_plugin.hpp"
#include "tests/host/stand_in_fixture.hpp"
#include "tests/host/unicode_keys.hpp"
#include "tests/host/unicode_probe_state.hpp"

namespace host_test {

class UnicodeProbeFolder : public StandInFolder {
protected:
    void TearDown() override;

    // Installs and loads the probe, set up by `prepare` before it is loaded.
    void LoadProbe(void (*prepare)(UnicodeProbeState&) = nullptr, host::HostOptions options = {});
    UnicodeProbeState* Probe() const;
    // The loaded probe as the host's Unicode adapter holds it.
    host::UnicodePlugin& Unicode() const { return *host_->PluginAs<host::UnicodePlugin>(); }
    // Gives the host an editor over `bytes` in `table`, the cursor at line:pos.
    engine::Editor& Edit(std::string bytes, engine::CodePage table = engine::CodePage::Oem866,
                         int line = 0, int pos = 0);
    // The editor's text, its lines joined by '|' (end-of-lines left out).
    std::string Lines() const;
    static INPUT_RECORD Key(char16_t unit, WORD virtualKey = 0, DWORD control = 0) {
        return UnicodeKey(unit, virtualKey, control);
    }

    std::unique_ptr<engine::Editor> editor_;
};

}  // namespace host_test
