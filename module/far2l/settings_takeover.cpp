// This file reads the stores of the other builds with their own readers and
// sees none of far2l's interface.
#include "module/far2l/settings_takeover.hpp"

#include <cstdint>
#include <limits>

#include "module/settings/other_stores.hpp"
#include "winapi/config_folder.hpp"
#include "winapi/regedit_document.hpp"
#include "winapi/registry_file.hpp"

namespace marten::far2l {

namespace {

constexpr std::uint32_t kRegQword = 11;  // the Unicode store's numbers: 8 bytes, low first

// A number of the Unicode store: a QWORD of exactly 8 bytes.
bool StoredNumber(const winreg::RegKey& key, const char* name, std::int64_t& number) {
    const winreg::RegEntry* value = winreg::FindValue(key, name);
    if (value == nullptr || value->type != kRegQword || value->data.size() != 8) return false;
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) {
        bits = bits << 8 | static_cast<unsigned char>(value->data[static_cast<std::size_t>(i)]);
    }
    number = static_cast<std::int64_t>(bits);
    return true;
}

// The Unicode build's values of the settings both it and this face keep,
// read as its face reads them: a number within its row's bounds, a text a
// string that fits.
bool TakeUnicodeStore(TextSettingsOf<wchar_t>& texts) {
    const std::string path = UnicodeStorePath();
    if (path.empty()) return false;
    winreg::RegDocument document;
    if (winreg::ReadRegistry(path, &document) != ERROR_SUCCESS) return false;
    const winreg::RegKey* key = winreg::FindKey(document, kUnicodeStoreName);
    if (key == nullptr) return false;
    bool anyValue = false;
    for (const winreg::RegEntry& entry : key->entries) anyValue = anyValue || !entry.isComment;
    if (!anyValue) return false;

    for (const SettingRow& row : kSettingRows) {
        if (!Keeps(kFar2lFace, row) || !Keeps(kUnicodeFace, row)) continue;
        if (row.kind != SettingKind::Text) {
            std::int64_t number = 0;
            if (!StoredNumber(*key, row.name, number)) continue;
            if (const std::optional<std::int32_t> taken = TakenNumber(row, number, kUnicodeFace)) {
                SetNumberValue(row, *taken);
            }
            continue;
        }
        const winreg::RegEntry* stored = winreg::FindValue(*key, row.name);
        if (stored == nullptr || stored->type != winreg::kRegString) continue;
        std::string_view bytes = stored->data;
        // The registry keeps a string with its terminating zero.
        if (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);
        const std::optional<WideText> text = FromUtf8(bytes);
        if (text && TextFits(row, text->size())) texts[row.id] = *text;
    }
    return true;
}

// 1.x registry text (code page 1251 in marten-edit's registry) as characters.
WideText FromRegistryText(const Text& ansi) {
    WideText text;
    text.reserve(ansi.size());
    for (const char c : ansi)
        text += static_cast<wchar_t>(Cp1251Char(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string UnicodeStorePath() {
    const std::string folder = winreg::ConfigFolder();
    if (folder.empty()) return folder;
    return folder + "/PluginsData/" + kUnicodeStoreName + ".reg";
}

bool TakeOverMartenEditSettings(TextSettingsOf<wchar_t>& texts) {
    return TakeUnicodeStore(texts) || TakeAnsiSettings(kFar2lFace, texts, FromRegistryText);
}

}  // namespace marten::far2l
