// The host of our own with the module loaded once for a benchmark program,
// the module's settings in a registry file (or settings store) of the
// program's own.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/host.hpp"

namespace bench {

// A host with the module file at `path` loaded, for the program's lifetime;
// a program that cannot load it stops with the reason.
inline host::Host* LoadOrStop(const char* path) {
    auto* h = new host::Host;
    std::string error;
    if (!h->LoadModule(path, &error)) {
        std::fprintf(stderr, "cannot load %s: %s\n", path, error.c_str());
        std::exit(1);
    }
    return h;
}

// Loads the module on the first call.
inline host::Host& LoadedHost(const char* registry) {
    static host::Host* loaded = [registry] {
        setenv("MARTEN_REGISTRY", registry, 1);
        return LoadOrStop(MARTEN_MODULE_PATH);
    }();
    return *loaded;
}

// The module's Unicode build loaded once by a host of its own, its settings
// store in `settingsFolder` (at their defaults when the folder is new). The
// two hosts may live side by side: each call sets the services' target.
inline host::Host& LoadedUnicodeHost(const char* settingsFolder) {
    static host::Host* loaded = [settingsFolder] {
        setenv("MARTEN_SETTINGS", settingsFolder, 1);
        return LoadOrStop(MARTEN_UNICODE_MODULE_PATH);
    }();
    return *loaded;
}

#ifdef MARTEN_FAR2L_MODULE_PATH
// far2l's face loaded once by a host of its own, its settings file in the
// far2l profile `profile` (at their defaults when the folder is new).
inline host::Host& LoadedFar2lHost(const char* profile) {
    static host::Host* loaded = [profile] {
        setenv("FARSETTINGS", profile, 1);
        return LoadOrStop(MARTEN_FAR2L_MODULE_PATH);
    }();
    return *loaded;
}
#endif

}  // namespace bench
