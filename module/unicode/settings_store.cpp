#include "module/unicode/settings_store.hpp"

#include <cstdint>
#include <limits>

#include "module/settings/registry_store.hpp"
#include "module/settings/settings.hpp"
#include "module/unicode/guids.hpp"
#include "module/unicode/unicode_editor.hpp"

namespace marten::unicode {

namespace {

const WChar kDefaultFileMask[] = MARTEN_W("*.msg,golded.*");

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

const WChar kEnableQuote[] = MARTEN_W("EnableQuote");
const WChar kEnableAutoWrap[] = MARTEN_W("EnableAutoWrap");
const WChar kEnableAutoIndent[] = MARTEN_W("EnableAutoIndent");
const WChar kEnableHPChange[] = MARTEN_W("EnableHPChange");
const WChar kRIndent[] = MARTEN_W("RIndent");
const WChar kLIndent[] = MARTEN_W("LIndent");
const WChar kFileMask[] = MARTEN_W("FileMask");

void LoadFlag(Store& store, const WChar* name, Flag& field) {
    unicode_api::FarSettingsItem item;
    if (store.Get(name, unicode_api::FST_QWORD, item) && item.Number <= 1) {
        field = static_cast<Flag>(item.Number);
    } else {
        store.SetNumber(name, field);
    }
}

void LoadNumber(Store& store, const WChar* name, std::int32_t& field) {
    unicode_api::FarSettingsItem item;
    if (store.Get(name, unicode_api::FST_QWORD, item)) {
        const auto value = static_cast<std::int64_t>(item.Number);
        if (value >= std::numeric_limits<std::int32_t>::min() &&
            value <= std::numeric_limits<std::int32_t>::max()) {
            field = static_cast<std::int32_t>(value);
            return;
        }
    }
    store.SetNumber(name, static_cast<std::uint64_t>(static_cast<std::int64_t>(field)));
}

void LoadMask(Store& store) {
    unicode_api::FarSettingsItem item;
    if (store.Get(kFileMask, unicode_api::FST_STRING, item) && item.String != nullptr) {
        const std::size_t length = std::char_traits<WChar>::length(item.String);
        if (length <= kMaxFileMaskLength) {
            FileMaskW.assign(item.String, length);
            return;
        }
    }
    store.SetString(kFileMask, FileMaskW);
}

void SaveAll(Store& store) {
    store.SetNumber(kEnableQuote, Settings.EnableQuote);
    store.SetNumber(kEnableAutoWrap, Settings.EnableAutoWrap);
    store.SetNumber(kEnableAutoIndent, Settings.EnableAutoIndent);
    store.SetNumber(kEnableHPChange, Settings.EnableHPChange);
    store.SetNumber(kRIndent, static_cast<std::uint64_t>(std::int64_t{Settings.RIndent}));
    store.SetNumber(kLIndent, static_cast<std::uint64_t>(std::int64_t{Settings.LIndent}));
    store.SetString(kFileMask, FileMaskW);
}

// The ANSI face's values, each one that cannot be read left at its default;
// false when there is no such key.
bool TakeAnsiSettings() {
    const Text path(kAnsiSettingsKey);
    HKEY key = OpenKeyForRead(HKEY_CURRENT_USER, path);
    if (key == nullptr) return false;
    RegCloseKey(key);
    // A Boolean byte other than 0 counts as on, as in the ANSI face.
    Flag* const flags[] = {&Settings.EnableQuote, &Settings.EnableAutoWrap,
                           &Settings.EnableAutoIndent, &Settings.EnableHPChange};
    const char* const names[] = {"EnableQuote", "EnableAutoWrap", "EnableAutoIndent",
                                 "EnableHPChange"};
    for (int i = 0; i < 4; ++i) {
        Flag value = *flags[i];
        if (ReadBytesValue(HKEY_CURRENT_USER, path, names[i], &value, sizeof value)) {
            *flags[i] = value != 0 ? 1 : 0;
        }
    }
    ReadDwordValue(HKEY_CURRENT_USER, path, "RIndent", Settings.RIndent);
    ReadDwordValue(HKEY_CURRENT_USER, path, "LIndent", Settings.LIndent);
    Text mask;
    if (ReadStringValue(HKEY_CURRENT_USER, path, "FileMask", mask)) FileMaskW = AnsiToWide(mask);
    return true;
}

}  // namespace

void LoadSettingsW() {
    SetDefaultSettings();
    FileMaskW = kDefaultFileMask;
    Store store;
    if (!store.IsOpen()) return;
    if (store.IsEmpty() && TakeAnsiSettings()) {
        SaveAll(store);
        return;
    }
    LoadFlag(store, kEnableQuote, Settings.EnableQuote);
    LoadFlag(store, kEnableAutoWrap, Settings.EnableAutoWrap);
    LoadFlag(store, kEnableAutoIndent, Settings.EnableAutoIndent);
    LoadFlag(store, kEnableHPChange, Settings.EnableHPChange);
    LoadNumber(store, kRIndent, Settings.RIndent);
    LoadNumber(store, kLIndent, Settings.LIndent);
    LoadMask(store);
}

void SaveSettingsW() {
    Store store;
    if (store.IsOpen()) SaveAll(store);
}

}  // namespace marten::unicode
