// The settings store of Unicode plug-ins in the Windows build of the host,
// which serves only the test runner under wine: there the store's file
// machinery (POSIX locks and renames) has no place, and a Unicode plug-in
// loaded through this host finds no store, so it keeps its defaults, as it
// does when a real host's store fails. The runner tests the Unicode face's
// settings through its own stand-in host.
#include "host/unicode/unicode_settings_store.hpp"

namespace host {

struct SettingsStore::Handle {};

SettingsStore::SettingsStore(const unicode_api::GUID& plugin) : plugin_(plugin) {}

SettingsStore::~SettingsStore() = default;

std::intptr_t SettingsStore::Control(HANDLE, std::intptr_t, std::intptr_t, void*) { return 0; }

std::string SettingsStore::FilePath(std::intptr_t) const { return {}; }

}  // namespace host
