// This file reads the stores of the other builds with their own readers and
// sees none of far2l's interface.
#include "module/far2l/settings_takeover.hpp"

#include <cstdint>
#include <limits>

#include "module/far2l/setting_names.hpp"
#include "module/settings/registry_store.hpp"
#include "module/settings/settings.hpp"
#include "module/unicode/settings_store.hpp"
#include "winapi/config_folder.hpp"
#include "winapi/regedit_document.hpp"
#include "winapi/registry_file.hpp"

namespace marten::far2l {

namespace {

constexpr std::uint32_t kRegQword = 11;  // the Unicode store's numbers: 8 bytes, low first

// The Unicode build's GUID as its store writes it, for the section and the
// file name (a test holds it to the GUID itself).
constexpr const char* kUnicodeStoreKey = "{29117A56-E534-48E4-AD93-3178D955845F}";

// A number of the Unicode store: a QWORD of exactly 8 bytes.
bool StoredNumber(const winreg::RegKey& key, const char* name, std::uint64_t& number) {
    const winreg::RegEntry* value = winreg::FindValue(key, name);
    if (value == nullptr || value->type != kRegQword || value->data.size() != 8) return false;
    number = 0;
    for (int i = 7; i >= 0; --i) {
        number = number << 8 | static_cast<unsigned char>(value->data[static_cast<std::size_t>(i)]);
    }
    return true;
}

// The Unicode build's values, read as its face reads them: a switch 0 or 1,
// a margin within the range of a 32-bit signed number, the mask a string of
// at most 255 characters.
bool TakeUnicodeStore(WideText& mask) {
    const std::string path = UnicodeStorePath();
    if (path.empty()) return false;
    winreg::RegDocument document;
    if (winreg::ReadRegistry(path, &document) != ERROR_SUCCESS) return false;
    const winreg::RegKey* key = winreg::FindKey(document, kUnicodeStoreKey);
    if (key == nullptr) return false;
    bool anyValue = false;
    for (const winreg::RegEntry& entry : key->entries) anyValue = anyValue || !entry.isComment;
    if (!anyValue) return false;

    std::uint64_t number = 0;
    for (const FlagSetting& flag : kFlagSettings) {
        if (StoredNumber(*key, flag.name, number) && number <= 1) {
            Settings.*flag.field = static_cast<Flag>(number);
        }
    }
    for (const NumberSetting& margin : kNumberSettings) {
        if (!StoredNumber(*key, margin.name, number)) continue;
        const auto value = static_cast<std::int64_t>(number);
        if (value >= std::numeric_limits<std::int32_t>::min() &&
            value <= std::numeric_limits<std::int32_t>::max()) {
            Settings.*margin.field = static_cast<std::int32_t>(value);
        }
    }
    const winreg::RegEntry* stored = winreg::FindValue(*key, kFileMaskName);
    if (stored != nullptr && stored->type == winreg::kRegString) {
        std::string_view bytes = stored->data;
        // The registry keeps a string with its terminating zero.
        if (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);
        const std::optional<WideText> text = FromUtf8(bytes);
        if (text && text->size() <= kMaxFileMaskLength) mask = *text;
    }
    return true;
}

// The 1.x build's values through the registry, read as that face reads them.
bool TakeAnsiRegistry(WideText& mask) {
    const Text path(unicode::kAnsiSettingsKey);
    HKEY key = OpenKeyForRead(HKEY_CURRENT_USER, path);
    if (key == nullptr) return false;
    RegCloseKey(key);
    for (const FlagSetting& flag : kFlagSettings) {
        Flag value = 0;
        // A byte other than 0 counts as on, as in the 1.x face.
        if (ReadBytesValue(HKEY_CURRENT_USER, path, flag.name, &value, sizeof value)) {
            Settings.*flag.field = value != 0 ? 1 : 0;
        }
    }
    for (const NumberSetting& margin : kNumberSettings) {
        ReadDwordValue(HKEY_CURRENT_USER, path, margin.name, Settings.*margin.field);
    }
    Text ansi;
    if (ReadStringValue(HKEY_CURRENT_USER, path, kFileMaskName, ansi)) {
        // Code page 1251, where marten-edit keeps registry text: one UTF-16
        // unit per character.
        const unicode::UnicodeText wide = unicode::AnsiToWide(ansi);
        mask.assign(wide.begin(), wide.end());
    }
    return true;
}

}  // namespace

std::string UnicodeStorePath() {
    const std::string folder = winreg::ConfigFolder();
    if (folder.empty()) return folder;
    return folder + "/PluginsData/" + kUnicodeStoreKey + ".reg";
}

bool TakeOverMartenEditSettings(WideText& mask) {
    return TakeUnicodeStore(mask) || TakeAnsiRegistry(mask);
}

}  // namespace marten::far2l
