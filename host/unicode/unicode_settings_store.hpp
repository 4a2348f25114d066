// The settings store of the Unicode plug-ins on Linux, behind SettingsControl.
//
// Each plug-in has a file of its own, named after its GUID, in a folder the
// user can read: $MARTEN_SETTINGS (for tests), else
// $XDG_CONFIG_HOME/marten/PluginsData (else ~/.config/marten/PluginsData),
// with PSL_LOCAL settings in its subfolder Local. The file is REGEDIT4 text
// like the ANSI plug-ins' registry file and is changed by the same
// machinery: whole or not at all, under a lock, a file that cannot be parsed
// moved aside rather than overwritten. The plug-in's root key is the
// section [{GUID}], a sub-key [{GUID}\name]; numbers are hex(b) (a 64-bit
// REG_QWORD), strings are UTF-8 text, data is hex.
//
// A handle (SCTL_CREATE) reads the file once; its changes are seen by its
// own reads at once and reach the file at SCTL_FREE, replayed onto what the
// file holds by then, so that two writers lose nothing of each other's but
// a value both set. Texts that SCTL_GET and SCTL_ENUM hand out live until
// SCTL_FREE.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "api/unicode_api.hpp"

namespace host {

class SettingsStore {
public:
    // The store of the plug-in `plugin` (the only GUID SCTL_CREATE accepts).
    explicit SettingsStore(const unicode_api::GUID& plugin);
    ~SettingsStore();  // commits the handles a plug-in never freed
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The SettingsControl service.
    std::intptr_t Control(HANDLE handle, std::intptr_t command, std::intptr_t param1, void* param2);

    // The file of a location (PSL_ROAMING, PSL_LOCAL); empty when no folder is known.
    std::string FilePath(std::intptr_t location) const;

    struct Handle;

private:
    unicode_api::GUID plugin_;
    std::map<Handle*, std::unique_ptr<Handle>> handles_;
};

// "{6A1B2C3D-4E5F-4A6B-8C9D-0E1F2A3B4C5D}"
std::string GuidText(const unicode_api::GUID& guid);

}  // namespace host
