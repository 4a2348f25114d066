#include "module/ansi/settings_store.hpp"

#include "module/ansi/host_info.hpp"
#include "module/settings/registry_settings.hpp"
#include "module/settings/stored_values.hpp"

namespace marten::ansi {

TextSettingsOf<char> TextSettings;
Text SettingsKey;

namespace {

constexpr std::size_t kMaxRootKeyLength = 255;

// The host's root key, at most its first 255 characters; empty when the host
// passed none (SetStartupInfo leaves it null when the record does not reach it).
Text HostRootKey() {
    const char* root = HostInfo.RootKey;
    if (root == nullptr) return Text();
    std::size_t length = 0;
    while (length < kMaxRootKeyLength && root[length] != '\0') ++length;
    return Text(root, length);
}

// Reads one setting; when it cannot be read, its default is written back.
void Load(const SettingRow& row) {
    if (row.kind == SettingKind::Text) {
        Text& field = TextSettings[row.id];
        const std::optional<Text> stored = ReadRegistryText(SettingsKey, row);
        if (stored && TextFits(row, stored->size())) {
            field = *stored;
        } else {
            WriteRegistryText(SettingsKey, row, field);
        }
        return;
    }
    const std::optional<std::int32_t> stored = ReadRegistryNumber(SettingsKey, row);
    const std::optional<std::int32_t> taken =
        stored ? TakenNumber(row, *stored, kAnsiFace) : std::nullopt;
    if (taken) {
        SetNumberValue(row, *taken);
    } else {
        WriteRegistryNumber(SettingsKey, row, NumberValue(row));
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
    SettingsKey += kSettingsSubkey;

    SetDefaultSettings(TextSettings);
    for (const SettingRow& row : kSettingRows) {
        if (Keeps(kAnsiFace, row)) Load(row);
    }
}

void SaveSettings() {
    for (const SettingRow& row : kSettingRows) {
        if (!Keeps(kAnsiFace, row)) continue;
        if (row.kind == SettingKind::Text) {
            WriteRegistryText(SettingsKey, row, TextSettings[row.id]);
        } else {
            WriteRegistryNumber(SettingsKey, row, NumberValue(row));
        }
    }
}

}  // namespace marten::ansi
