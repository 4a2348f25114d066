// What the probe plug-in of the Unicode interface saw of its host, and what
// a test asks it to do, shared through its extra export GetUnicodeProbeState.
#pragma once

#include <cstddef>
#include <cstdint>

#include "api/unicode_api.hpp"

// The probe's identity and its menu entries' GUIDs.
inline constexpr unicode_api::GUID kProbeGuid{
    0x6a1b2c3d, 0x4e5f, 0x4a6b, {0x8c, 0x9d, 0x0e, 0x1f, 0x2a, 0x3b, 0x4c, 0x5d}};
inline constexpr unicode_api::GUID kProbeMenuGuid{
    0x6a1b2c3d, 0x4e5f, 0x4a6b, {0x8c, 0x9d, 0x0e, 0x1f, 0x2a, 0x3b, 0x4c, 0x5e}};

struct UnicodeProbeState;
// What the probe does on a call; the test's own function, so that a test
// acts as a plug-in through the services the probe was handed.
using UnicodeProbeInput = std::intptr_t (*)(UnicodeProbeState& state, const INPUT_RECORD& record);
using UnicodeProbeAction = std::intptr_t (*)(UnicodeProbeState& state);

struct UnicodeProbeState {
    // What GetGlobalInfoW answers (set before loading).
    bool zeroGuid = false;
    bool noTitle = false;
    unicode_api::VersionInfo minVersion{3, 0, 0, 0, unicode_api::VS_RELEASE};

    int globalCalls = 0;
    std::size_t globalStructSize = 0;
    int startupCalls = 0;
    std::size_t startupStructSize = 0;
    std::size_t fsfStructSize = 0;
    // Copies of the host's records, made during SetStartupInfoW.
    unicode_api::PluginStartupInfo info{};
    unicode_api::FarStandardFunctions fsf{};
    int exitCalls = 0;
    int pluginInfoCalls = 0;

    int inputCalls = 0;
    INPUT_RECORD lastRecord{};
    UnicodeProbeInput onInput = nullptr;  // without it ProcessEditorInputW answers 0

    int eventCalls = 0;
    std::intptr_t events[16] = {};  // the first events, in order
    std::intptr_t lastEditorId = 0;
    // The EditorSaveFile record of the last EE_SAVE, copied.
    char16_t savedName[128] = {};
    char16_t savedEol[4] = {};
    std::uintptr_t savedCodePage = 0;

    int openCalls = 0;
    unicode_api::GUID openGuid{};
    std::int32_t openFrom = 0;
    UnicodeProbeAction onOpen = nullptr;
    int configureCalls = 0;
    unicode_api::GUID configureGuid{};
    UnicodeProbeAction onConfigure = nullptr;

    std::intptr_t scratch[8] = {};  // free for the test's functions
};
