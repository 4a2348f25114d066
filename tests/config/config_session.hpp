// One configuration session: a fresh registry file of its own, the module
// loaded by the host, and the scripted UI that plays the user.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/host.hpp"
#include "host/scripted_ui.hpp"
#include "winapi/win32.hpp"

namespace config_test {

// Where the module keeps its settings under the host's default root key.
inline constexpr const char* kSettingsKey = "Software\\Far\\Plugins\\Tansy\\Marten";

struct RegistryValue {
    DWORD type = REG_NONE;
    std::string data;  // the stored bytes
};

// Reads value `name` of the settings key; nullopt when it is not there.
std::optional<RegistryValue> ReadSetting(const char* name);
std::optional<std::int32_t> ReadDwordSetting(const char* name);
std::optional<std::string> ReadStringSetting(const char* name);  // without its NUL
void WriteDwordSetting(const char* name, std::int32_t value);
void WriteStringSetting(const char* name, const std::string& value);
void DeleteSetting(const char* name);

// The seven value names in the order the module writes them.
inline const std::vector<std::string> kSettingNames = {
    "EnableQuote", "EnableAutoWrap", "EnableAutoIndent", "EnableHPChange",
    "RIndent",     "LIndent",        "FileMask"};

class ConfigSession : public ::testing::Test {
protected:
    // Gives the test a registry file of its own (removed first), so that
    // tests running side by side do not see each other's settings.
    void SetUp() override;
    void TearDown() override;

    // Loads the module; the registry may be prepared before.
    void Start(host::HostOptions options = {});

    // The language file's text of message `id`, as the host serves it.
    std::string Msg(int id) const;

    // The whole registry file, to show that nothing was written.
    std::string RegistryBytes() const;

    // Plays one dialog that sets the RIndent field to `text` and confirms it.
    void ConfirmRIndent(const std::string& text);

    host::ScriptedUi ui_;
    std::unique_ptr<host::Host> host_;
    std::string registryPath_;
};

}  // namespace config_test
