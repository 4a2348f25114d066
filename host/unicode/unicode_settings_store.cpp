#include "host/unicode/unicode_settings_store.hpp"

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "common/ascii.hpp"
#include "engine/text16.hpp"
#include "host/unicode/unicode_text.hpp"
#include "winapi/config_folder.hpp"
#include "winapi/regedit_document.hpp"
#include "winapi/registry_file.hpp"

namespace host {

namespace {

constexpr std::uint32_t kRegQword = 11;  // REG_QWORD: 8 bytes, least significant first

using Change = std::function<void(winreg::RegDocument&)>;

bool IsDirectChild(std::string_view path, std::string_view parent) {
    if (path.size() <= parent.size() + 1 || path[parent.size()] != '\\') return false;
    if (!ascii::EqualNoCase(path.substr(0, parent.size()), parent)) return false;
    return path.find('\\', parent.size() + 1) == std::string_view::npos;
}

void RemoveKeyAndBelow(winreg::RegDocument& document, const std::string& path) {
    std::erase_if(document.keys,
                  [&](const winreg::RegKey& key) { return winreg::IsSameOrBelow(key.path, path); });
}

unicode_api::FARSETTINGSTYPES TypeOf(std::uint32_t regType) {
    switch (regType) {
    case kRegQword: return unicode_api::FST_QWORD;
    case winreg::kRegString: return unicode_api::FST_STRING;
    case winreg::kRegBinary: return unicode_api::FST_DATA;
    default: return unicode_api::FST_UNKNOWN;
    }
}

// UTF-16 text as UTF-8; nothing for a text with an unpaired surrogate, which
// UTF-8 cannot hold.
std::optional<std::string> ToUtf8Exact(std::u16string_view text) {
    std::optional<std::string> bytes = engine::FromUtf16(engine::Utf8(), text);
    if (bytes && engine::Utf8ToUtf16(*bytes) != text) return std::nullopt;
    return bytes;
}

}  // namespace

struct SettingsStore::Handle {
    std::string path;               // the file
    winreg::RegDocument document;   // as read, with this handle's changes
    std::vector<Change> changes;    // replayed onto the file at SCTL_FREE
    std::vector<std::string> keys;  // by key index; 0 is the plug-in's root
    // What SCTL_GET and SCTL_ENUM handed out.
    std::vector<std::unique_ptr<std::u16string>> texts;
    std::vector<std::unique_ptr<std::string>> data;
    std::vector<std::unique_ptr<std::vector<unicode_api::FarSettingsName>>> lists;

    void Apply(Change change) {
        change(document);
        changes.push_back(std::move(change));
    }

    const unicode_api::WChar* Keep(std::u16string text) {
        texts.push_back(std::make_unique<std::u16string>(std::move(text)));
        return InterfaceText(texts.back()->c_str());
    }

    const std::string* Key(std::size_t root) const {
        return root < keys.size() ? &keys[root] : nullptr;
    }

    // Writes the changes to the file; true when there were none or they were written.
    bool Commit() {
        if (changes.empty()) return true;
        const LONG result =
            winreg::ChangeRegistry(path, [&](winreg::RegDocument& file, bool* changed) {
                for (const Change& change : changes) change(file);
                *changed = true;
                return static_cast<LONG>(ERROR_SUCCESS);
            });
        changes.clear();
        return result == ERROR_SUCCESS;
    }
};

std::string GuidText(const unicode_api::GUID& guid) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                  guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                  guid.Data4[6], guid.Data4[7]);
    return text;
}

SettingsStore::SettingsStore(const unicode_api::GUID& plugin) : plugin_(plugin) {}

SettingsStore::~SettingsStore() {
    // Nothing the plug-in set is lost because it forgot SCTL_FREE.
    for (auto& [raw, handle] : handles_) handle->Commit();
}

std::string SettingsStore::FilePath(std::intptr_t location) const {
    std::string folder = winreg::Environment("MARTEN_SETTINGS");
    if (folder.empty()) {
        const std::string config = winreg::ConfigFolder();
        if (config.empty()) return {};
        folder = config + "/PluginsData";
    }
    if (location == unicode_api::PSL_LOCAL) folder += "/Local";
    return folder + "/" + GuidText(plugin_) + ".reg";
}

std::intptr_t SettingsStore::Control(HANDLE raw, std::intptr_t command, std::intptr_t param1,
                                     void* param2) {
    if (command == unicode_api::SCTL_CREATE) {
        auto* create = static_cast<unicode_api::FarSettingsCreate*>(param2);
        if (create == nullptr || create->StructSize < sizeof *create) return 0;
        if (param1 != unicode_api::PSL_ROAMING && param1 != unicode_api::PSL_LOCAL) return 0;
        // Only the plug-in's own settings; the host keeps none of its own here.
        if (!unicode_api::SameGuid(create->Guid, plugin_)) return 0;
        auto handle = std::make_unique<Handle>();
        handle->path = FilePath(param1);
        if (handle->path.empty()) return 0;
        if (winreg::ReadRegistry(handle->path, &handle->document) != ERROR_SUCCESS) return 0;
        handle->keys.push_back(GuidText(plugin_));
        create->Handle = handle.get();
        handles_.emplace(handle.get(), std::move(handle));
        return 1;
    }
    const auto found = handles_.find(static_cast<Handle*>(raw));
    if (found == handles_.end()) return 0;
    Handle& h = *found->second;
    switch (command) {
    case unicode_api::SCTL_FREE: {
        const bool written = h.Commit();
        handles_.erase(found);
        return written ? 1 : 0;
    }
    case unicode_api::SCTL_SET: {
        const auto* item = static_cast<const unicode_api::FarSettingsItem*>(param2);
        if (item == nullptr || item->StructSize < sizeof *item || item->Name == nullptr) return 0;
        const std::string* key = h.Key(item->Root);
        const std::optional<std::string> name = ToUtf8Exact(Utf16Of(item->Name));
        if (key == nullptr || !name) return 0;
        std::uint32_t type = 0;
        std::string data;
        switch (item->Type) {
        case unicode_api::FST_QWORD:
            type = kRegQword;
            for (int i = 0; i < 8; ++i) data += static_cast<char>((item->Number >> (8 * i)) & 0xFF);
            break;
        case unicode_api::FST_STRING: {
            if (item->String == nullptr) return 0;
            const std::optional<std::string> text = ToUtf8Exact(Utf16Of(item->String));
            if (!text) return 0;
            type = winreg::kRegString;
            data = *text + '\0';  // as the registry keeps a string
            break;
        }
        case unicode_api::FST_DATA:
            if (item->Data.Data == nullptr && item->Data.Size > 0) return 0;
            type = winreg::kRegBinary;
            data.assign(static_cast<const char*>(item->Data.Data), item->Data.Size);
            break;
        default: return 0;  // a sub-key is no value
        }
        h.Apply([path = *key, name = *name, type, data](winreg::RegDocument& document) {
            winreg::SetValue(winreg::EnsureKey(document, path), name, type, data);
        });
        return 1;
    }
    case unicode_api::SCTL_GET: {
        auto* item = static_cast<unicode_api::FarSettingsItem*>(param2);
        if (item == nullptr || item->StructSize < sizeof *item || item->Name == nullptr) return 0;
        const std::string* key = h.Key(item->Root);
        if (key == nullptr) return 0;
        const winreg::RegKey* section = winreg::FindKey(h.document, *key);
        const winreg::RegEntry* value =
            section != nullptr
                ? winreg::FindValue(*section, engine::Utf16ToUtf8(Utf16Of(item->Name)))
                : nullptr;
        // A value of another type than the one asked for is not there for the plug-in.
        if (value == nullptr || TypeOf(value->type) != item->Type) return 0;
        switch (item->Type) {
        case unicode_api::FST_QWORD:
            if (value->data.size() != 8) return 0;
            item->Number = 0;
            for (int i = 7; i >= 0; --i) {
                item->Number = (item->Number << 8) | static_cast<unsigned char>(value->data[i]);
            }
            return 1;
        case unicode_api::FST_STRING: {
            // Text stored as a string may end in the zero the registry keeps.
            std::string_view text = value->data;
            if (!text.empty() && text.back() == '\0') text.remove_suffix(1);
            item->String = h.Keep(engine::Utf8ToUtf16(text));
            return 1;
        }
        case unicode_api::FST_DATA:
            h.data.push_back(std::make_unique<std::string>(value->data));
            item->Data.Size = h.data.back()->size();
            item->Data.Data = h.data.back()->data();
            return 1;
        default: return 0;
        }
    }
    case unicode_api::SCTL_ENUM: {
        auto* list = static_cast<unicode_api::FarSettingsEnum*>(param2);
        if (list == nullptr || list->StructSize < sizeof *list) return 0;
        const std::string* key = h.Key(list->Root);
        if (key == nullptr) return 0;
        auto names = std::make_unique<std::vector<unicode_api::FarSettingsName>>();
        for (const winreg::RegKey& child : h.document.keys) {
            if (IsDirectChild(child.path, *key)) {
                names->push_back({h.Keep(engine::Utf8ToUtf16(child.path.substr(key->size() + 1))),
                                  unicode_api::FST_SUBKEY});
            }
        }
        if (const winreg::RegKey* section = winreg::FindKey(h.document, *key)) {
            for (const winreg::RegEntry& entry : section->entries) {
                if (!entry.isComment)
                    names->push_back({h.Keep(engine::Utf8ToUtf16(entry.name)), TypeOf(entry.type)});
            }
        }
        list->Count = names->size();
        list->Items = names->data();
        h.lists.push_back(std::move(names));
        return 1;
    }
    case unicode_api::SCTL_DELETE: {
        const auto* value = static_cast<const unicode_api::FarSettingsValue*>(param2);
        if (value == nullptr || value->StructSize < sizeof *value) return 0;
        const std::string* key = h.Key(value->Root);
        if (key == nullptr) return 0;
        if (value->Value == nullptr) {
            h.Apply([path = *key](winreg::RegDocument& document) {
                RemoveKeyAndBelow(document, path);
            });
            return 1;
        }
        h.Apply([path = *key,
                 name = engine::Utf16ToUtf8(Utf16Of(value->Value))](winreg::RegDocument& document) {
            if (winreg::RegKey* section = winreg::FindKey(document, path))
                winreg::RemoveValue(*section, name);
        });
        return 1;
    }
    case unicode_api::SCTL_CREATESUBKEY:
    case unicode_api::SCTL_OPENSUBKEY: {
        const auto* value = static_cast<const unicode_api::FarSettingsValue*>(param2);
        if (value == nullptr || value->StructSize < sizeof *value || value->Value == nullptr)
            return 0;
        const std::string* key = h.Key(value->Root);
        const std::optional<std::string> name = ToUtf8Exact(Utf16Of(value->Value));
        if (key == nullptr || !name || name->empty() || name->find('\\') != std::string::npos)
            return 0;
        const std::string path = *key + "\\" + *name;
        if (command == unicode_api::SCTL_OPENSUBKEY && !winreg::KeyExists(h.document, path))
            return 0;
        if (command == unicode_api::SCTL_CREATESUBKEY) {
            h.Apply([path](winreg::RegDocument& document) { winreg::EnsureKey(document, path); });
        }
        for (std::size_t i = 1; i < h.keys.size(); ++i) {
            if (ascii::EqualNoCase(h.keys[i], path)) return static_cast<std::intptr_t>(i);
        }
        h.keys.push_back(path);
        return static_cast<std::intptr_t>(h.keys.size() - 1);
    }
    default: return 0;
    }
}

}  // namespace host
