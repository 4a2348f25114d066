#include "winapi/regedit_document.hpp"

#include "common/ascii.hpp"

namespace winreg {

bool IsSameOrBelow(std::string_view path, std::string_view ancestor) {
    if (!ascii::StartsWithNoCase(path, ancestor)) return false;
    return path.size() == ancestor.size() || path[ancestor.size()] == '\\';
}

RegKey* FindKey(RegDocument& document, std::string_view path) {
    for (RegKey& key : document.keys) {
        if (ascii::EqualNoCase(key.path, path)) return &key;
    }
    return nullptr;
}

const RegKey* FindKey(const RegDocument& document, std::string_view path) {
    return FindKey(const_cast<RegDocument&>(document), path);
}

bool KeyExists(const RegDocument& document, std::string_view path) {
    for (const RegKey& key : document.keys) {
        if (IsSameOrBelow(key.path, path)) return true;
    }
    return false;
}

RegKey& EnsureKey(RegDocument& document, std::string_view path) {
    if (RegKey* key = FindKey(document, path)) return *key;
    document.keys.push_back(RegKey{std::string(path), {}});
    return document.keys.back();
}

const RegEntry* FindValue(const RegKey& key, std::string_view name) {
    for (const RegEntry& entry : key.entries) {
        if (!entry.isComment && ascii::EqualNoCase(entry.name, name)) return &entry;
    }
    return nullptr;
}

void SetValue(RegKey& key, std::string_view name, std::uint32_t type, std::string_view data) {
    RegEntry* target = nullptr;
    for (RegEntry& entry : key.entries) {
        if (!entry.isComment && ascii::EqualNoCase(entry.name, name)) target = &entry;
    }
    if (target == nullptr) {
        key.entries.emplace_back();
        target = &key.entries.back();
        target->name = std::string(name);
    }
    target->type = type;
    target->data = std::string(data);
    target->source.clear();
}

bool RemoveValue(RegKey& key, std::string_view name) {
    for (auto it = key.entries.begin(); it != key.entries.end(); ++it) {
        if (!it->isComment && ascii::EqualNoCase(it->name, name)) {
            key.entries.erase(it);
            return true;
        }
    }
    return false;
}

}  // namespace winreg
