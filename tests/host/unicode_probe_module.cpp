// A plug-in of the Unicode interface that records what its host hands it and
// does what a test asks of it, so that the host is tested without the real
// module.
#include <iterator>

#include "tests/host/unicode_probe_state.hpp"

#define PROBE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {
UnicodeProbeState g_state;
}  // namespace

PROBE_EXPORT UnicodeProbeState* GetUnicodeProbeState() { return &g_state; }

PROBE_EXPORT void WINAPI GetGlobalInfoW(unicode_api::GlobalInfo* Info) {
    ++g_state.globalCalls;
    g_state.globalStructSize = Info->StructSize;
    Info->MinFarVersion = g_state.minVersion;
    Info->Version = {1, 0, 0, 1, unicode_api::VS_RELEASE};
    Info->Guid = g_state.zeroGuid ? unicode_api::GUID{} : kProbeGuid;
    Info->Title = g_state.noTitle ? u"" : u"Probe";
    Info->Description = u"Records what its host does";
    Info->Author = u"Tests";
}

PROBE_EXPORT void WINAPI SetStartupInfoW(const unicode_api::PluginStartupInfo* Info) {
    ++g_state.startupCalls;
    g_state.startupStructSize = Info->StructSize;
    g_state.info = *Info;
    g_state.fsfStructSize = Info->FSF->StructSize;
    g_state.fsf = *Info->FSF;
    g_state.info.FSF = &g_state.fsf;
}

PROBE_EXPORT void WINAPI GetPluginInfoW(unicode_api::PluginInfo* Info) {
    ++g_state.pluginInfoCalls;
    static const unicode_api::WChar* const kTitles[] = {u"Probe"};
    Info->Flags = unicode_api::PF_EDITOR | unicode_api::PF_DISABLEPANELS;
    Info->PluginMenu = {&kProbeMenuGuid, kTitles, 1};
}

PROBE_EXPORT HANDLE WINAPI OpenW(const unicode_api::OpenInfo* Info) {
    ++g_state.openCalls;
    g_state.openFrom = Info->OpenFrom;
    g_state.openGuid = *Info->Guid;
    if (g_state.onOpen != nullptr) g_state.onOpen(g_state);
    return nullptr;
}

PROBE_EXPORT std::intptr_t WINAPI ConfigureW(const unicode_api::ConfigureInfo* Info) {
    ++g_state.configureCalls;
    g_state.configureGuid = *Info->Guid;
    return g_state.onConfigure != nullptr ? g_state.onConfigure(g_state) : 0;
}

PROBE_EXPORT std::intptr_t WINAPI
ProcessEditorInputW(const unicode_api::ProcessEditorInputInfo* Info) {
    ++g_state.inputCalls;
    g_state.lastRecord = Info->Rec;
    return g_state.onInput != nullptr ? g_state.onInput(g_state, Info->Rec) : 0;
}

PROBE_EXPORT std::intptr_t WINAPI
ProcessEditorEventW(const unicode_api::ProcessEditorEventInfo* Info) {
    if (g_state.eventCalls < 16) g_state.events[g_state.eventCalls] = Info->Event;
    ++g_state.eventCalls;
    g_state.lastEditorId = Info->EditorID;
    if (Info->Event == unicode_api::EE_SAVE && Info->Param != nullptr) {
        const auto* save = static_cast<const unicode_api::EditorSaveFile*>(Info->Param);
        auto copy = [](const unicode_api::WChar* from, auto& to) {
            std::size_t i = 0;
            for (; from != nullptr && from[i] != 0 && i + 1 < std::size(to); ++i) to[i] = from[i];
            to[i] = 0;
        };
        copy(save->FileName, g_state.savedName);
        copy(save->FileEOL, g_state.savedEol);
        g_state.savedCodePage = save->CodePage;
    }
    return 0;
}

PROBE_EXPORT void WINAPI ExitFARW(const unicode_api::ExitInfo* /*Info*/) { ++g_state.exitCalls; }
