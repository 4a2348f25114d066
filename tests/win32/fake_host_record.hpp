// The project's one fake host (tests/support/fake_host.hpp) as the Win32
// checks use it: served for as long as a check runs, with texts "msg0" to
// "msg15" and the plug-in number 7, which the module must hand back
// unchanged; and its start-up record with room behind it, since a host may
// hand a longer record than the module knows.
#pragma once

#include <string>

#include "api/ansi_api.hpp"
#include "tests/support/fake_host.hpp"

namespace win32_tests {

inline constexpr int kFakeModuleNumber = 7;

// The text the fake host serves for a message id.
std::string FakeMessage(int id);

struct ServedFakeHost {
    ServedFakeHost();
    testsupport::FakeHost host;
    testsupport::ServedHost served{host};
};

// The fake host's start-up record with `structSize` and the root key, and
// room behind it for the fields of a later host.
struct FakeStartupRecord {
    explicit FakeStartupRecord(const char* rootKey, int structSize = sizeof(PluginStartupInfo));
    PluginStartupInfo info;
    unsigned char tail[256];
};

}  // namespace win32_tests
