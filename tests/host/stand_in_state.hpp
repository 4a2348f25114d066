// What the stand-in module saw of its host, read by the tests through the
// module's extra export StandInState.
#pragma once

#include <cstddef>

#include "api/ansi_api.hpp"

struct StandInState {
    int startupCalls = 0;
    int structSize = 0;                 // StructSize as received
    unsigned char received[1024] = {};  // the first min(StructSize, 1024) bytes of the record
    const PluginStartupInfo* record = nullptr;  // the host's record itself
    char firstMessage[64] = {};                 // GetMsg(0) asked during SetStartupInfo

    int processCalls = 0;
    int processAnswer = 0;  // what ProcessEditorInput answers
    INPUT_RECORD lastRecord = {};
    // The cursor line's text as ProcessEditorInput found it, before the editor acted.
    char lineSeen[256] = {};

    int pluginInfoCalls = 0;
    int configureCalls = 0;
    int configureItem = -100;
    int openCalls = 0;
    int openFrom = -100;
    int openItem = -100;

    int eventCalls = 0;  // ProcessEditorEvent
    int lastEvent = -100;
    const void* lastEventParam = nullptr;
};
