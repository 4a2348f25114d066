// The seven settings in memory and their load and save through the registry.
#include "module/settings/settings.hpp"

#include "module/plugin/host_info.hpp"
#include "module/settings/registry_store.hpp"

namespace marten {

SettingsRecord Settings{};
Text SettingsKey;

namespace {

constexpr std::size_t kMaxRootKeyLength = 255;
constexpr const char* kDefaultFileMask = "*.msg,golded.*";

// The host's root key, at most its first 255 characters; empty when the host
// passed none (SetStartupInfo leaves it null when the record does not reach it).
Text HostRootKey() {
    const char* root = HostInfo.RootKey;
    if (root == nullptr) return Text();
    std::size_t length = 0;
    while (length < kMaxRootKeyLength && root[length] != '\0') ++length;
    return Text(root, length);
}

}  // namespace

void SetDefaultSettings() {
    Settings.EnableQuote = 1;
    Settings.EnableAutoWrap = 1;
    Settings.EnableAutoIndent = 1;
    Settings.EnableHPChange = 1;
    Settings.RIndent = 78;
    Settings.LIndent = 0;
    Settings.FileMask = kDefaultFileMask;
}

namespace {

// Reads a Boolean; when it cannot be read, its default is written back.
void LoadFlag(const char* name, Flag& field) {
    if (!ReadBytesValue(HKEY_CURRENT_USER, SettingsKey, name, &field, sizeof field)) {
        WriteBytesValue(HKEY_CURRENT_USER, SettingsKey, name, &field, sizeof field);
    }
}

void LoadNumber(const char* name, std::int32_t& field) {
    if (!ReadDwordValue(HKEY_CURRENT_USER, SettingsKey, name, field)) {
        WriteDwordValue(HKEY_CURRENT_USER, SettingsKey, name, field);
    }
}

void LoadText(const char* name, Text& field) {
    if (!ReadStringValue(HKEY_CURRENT_USER, SettingsKey, name, field)) {
        WriteStringValue(HKEY_CURRENT_USER, SettingsKey, name, field);
    }
}

}  // namespace

Text WithBackslash(Text path) {
    if (!path.empty() && path.back() != '\\' && path.back() != ':') path += '\\';
    return path;
}

void LoadSettings() {
    // The key path is not cut to any fixed length: a long root key still
    // names the right key instead of a truncated one.
    SettingsKey = WithBackslash(HostRootKey());
    SettingsKey += "Tansy\\";
    SettingsKey += "Marten";

    SetDefaultSettings();
    LoadFlag("EnableQuote", Settings.EnableQuote);
    LoadFlag("EnableAutoWrap", Settings.EnableAutoWrap);
    LoadFlag("EnableAutoIndent", Settings.EnableAutoIndent);
    LoadFlag("EnableHPChange", Settings.EnableHPChange);
    LoadNumber("RIndent", Settings.RIndent);
    LoadNumber("LIndent", Settings.LIndent);
    LoadText("FileMask", Settings.FileMask);
}

void SaveSettings() {
    WriteBytesValue(HKEY_CURRENT_USER, SettingsKey, "EnableQuote", &Settings.EnableQuote, 1);
    WriteBytesValue(HKEY_CURRENT_USER, SettingsKey, "EnableAutoWrap", &Settings.EnableAutoWrap, 1);
    WriteBytesValue(HKEY_CURRENT_USER, SettingsKey, "EnableAutoIndent",
                    &Settings.EnableAutoIndent, 1);
    WriteBytesValue(HKEY_CURRENT_USER, SettingsKey, "EnableHPChange", &Settings.EnableHPChange, 1);
    WriteDwordValue(HKEY_CURRENT_USER, SettingsKey, "RIndent", Settings.RIndent);
    WriteDwordValue(HKEY_CURRENT_USER, SettingsKey, "LIndent", Settings.LIndent);
    WriteStringValue(HKEY_CURRENT_USER, SettingsKey, "FileMask", Settings.FileMask);
}

}  // namespace marten
