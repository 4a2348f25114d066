#include "module/unicode/settings_store.hpp"

#include <cstdint>
#include <optional>
#include <utility>

#include "module/settings/other_stores.hpp"
#include "module/settings/stored_values.hpp"
#include "module/unicode/guids.hpp"

namespace marten::unicode {

TextSettingsOf<WChar> TextSettings;

namespace {

// One open handle on the plug-in's part of the store; writes are committed
// when it closes.
class Store {
public:
    Store() {
        if (Host.SettingsControl == nullptr) return;
        unicode_api::FarSettingsCreate create{sizeof(unicode_api::FarSettingsCreate), kPluginGuid,
                                              nullptr};
        if (Host.SettingsControl(nullptr, unicode_api::SCTL_CREATE, unicode_api::PSL_ROAMING,
                                 &create) != 0) {
            handle_ = create.Handle;
            open_ = true;
        }
    }
    ~Store() {
        if (open_) Host.SettingsControl(handle_, unicode_api::SCTL_FREE, 0, nullptr);
    }
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    bool IsOpen() const { return open_; }

    // True when the plug-in's root key holds nothing at all.
    bool IsEmpty() {
        unicode_api::FarSettingsEnum list{};
        list.StructSize = sizeof list;
        list.Root = 0;
        if (Host.SettingsControl(handle_, unicode_api::SCTL_ENUM, 0, &list) == 0) return true;
        return list.Count == 0;
    }

    bool Get(const WChar* name, unicode_api::FARSETTINGSTYPES type,
             unicode_api::FarSettingsItem& item) {
        item = unicode_api::FarSettingsItem{};
        item.StructSize = sizeof item;
        item.Name = name;
        item.Type = type;
        return Host.SettingsControl(handle_, unicode_api::SCTL_GET, 0, &item) != 0 &&
               item.Type == type;
    }

    void SetNumber(const WChar* name, std::uint64_t value) {
        unicode_api::FarSettingsItem item{};
        item.StructSize = sizeof item;
        item.Name = name;
        item.Type = unicode_api::FST_QWORD;
        item.Number = value;
        Host.SettingsControl(handle_, unicode_api::SCTL_SET, 0, &item);
    }

    void SetString(const WChar* name, const UnicodeText& value) {
        unicode_api::FarSettingsItem item{};
        item.StructSize = sizeof item;
        item.Name = name;
        item.Type = unicode_api::FST_STRING;
        item.String = value.c_str();
        Host.SettingsControl(handle_, unicode_api::SCTL_SET, 0, &item);
    }

private:
    HANDLE handle_ = nullptr;
    bool open_ = false;
};

// A number as the store keeps it: the QWORD two's complement of its value.
std::uint64_t AsStored(std::int32_t value) {
    return static_cast<std::uint64_t>(std::int64_t{value});
}

// Reads one setting; when it cannot be read, its default is written back.
void Load(Store& store, const SettingRow& row) {
    const UnicodeText name = FromAscii(row.name);
    unicode_api::FarSettingsItem item;
    if (row.kind == SettingKind::Text) {
        UnicodeText& field = TextSettings[row.id];
        if (store.Get(name.c_str(), unicode_api::FST_STRING, item) && item.String != nullptr) {
            const std::size_t length = std::char_traits<WChar>::length(item.String);
            if (TextFits(row, length)) {
                field.assign(item.String, length);
                return;
            }
        }
        store.SetString(name.c_str(), field);
        return;
    }
    if (store.Get(name.c_str(), unicode_api::FST_QWORD, item)) {
        const auto stored = static_cast<std::int64_t>(item.Number);
        if (const std::optional<std::int32_t> taken = TakenNumber(row, stored, kUnicodeFace)) {
            SetNumberValue(row, *taken);
            return;
        }
    }
    store.SetNumber(name.c_str(), AsStored(NumberValue(row)));
}

void SaveAll(Store& store) {
    for (const SettingRow& row : kSettingRows) {
        if (!Keeps(kUnicodeFace, row)) continue;
        const UnicodeText name = FromAscii(row.name);
        if (row.kind == SettingKind::Text) {
            store.SetString(name.c_str(), TextSettings[row.id]);
        } else {
            store.SetNumber(name.c_str(), AsStored(NumberValue(row)));
        }
    }
}

}  // namespace

void LoadSettings() {
    SetDefaultSettings(TextSettings);
    Store store;
    if (!store.IsOpen()) return;
    if (store.IsEmpty() && TakeAnsiSettings(kUnicodeFace, TextSettings, AnsiToUnicode)) {
        SaveAll(store);
        return;
    }
    for (const SettingRow& row : kSettingRows) {
        if (Keeps(kUnicodeFace, row)) Load(store, row);
    }
}

void SaveSettings() {
    Store store;
    if (store.IsOpen()) SaveAll(store);
}

}  // namespace marten::unicode
