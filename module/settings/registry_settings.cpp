#include "module/settings/registry_settings.hpp"

#include "module/settings/registry_values.hpp"

namespace marten {

namespace {

// The registry's string room holds 255 characters and the NUL.
constexpr bool TextRowsFitTheRoom() {
    for (const SettingRow& row : kSettingRows) {
        if (row.kind == SettingKind::Text && row.bounds.max != 255) return false;
    }
    return true;
}
static_assert(TextRowsFitTheRoom(), "a text setting longer than the registry's room");

}  // namespace

std::optional<std::int32_t> ReadRegistryNumber(const Text& key, const SettingRow& row) {
    if (row.kind == SettingKind::Flag) {
        Flag value = 0;
        if (!ReadBytesValue(HKEY_CURRENT_USER, key, row.name, &value, sizeof value)) {
            return std::nullopt;
        }
        return value;
    }
    std::int32_t value = 0;
    if (!ReadDwordValue(HKEY_CURRENT_USER, key, row.name, value)) return std::nullopt;
    return value;
}

std::optional<Text> ReadRegistryText(const Text& key, const SettingRow& row) {
    Text value;
    if (!ReadStringValue(HKEY_CURRENT_USER, key, row.name, value)) return std::nullopt;
    return value;
}

void WriteRegistryNumber(const Text& key, const SettingRow& row, std::int32_t value) {
    if (row.kind == SettingKind::Flag) {
        const auto flag = static_cast<Flag>(value);
        WriteBytesValue(HKEY_CURRENT_USER, key, row.name, &flag, sizeof flag);
    } else {
        WriteDwordValue(HKEY_CURRENT_USER, key, row.name, value);
    }
}

void WriteRegistryText(const Text& key, const SettingRow& row, const Text& text) {
    WriteStringValue(HKEY_CURRENT_USER, key, row.name, text);
}

}  // namespace marten
