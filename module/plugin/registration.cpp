// The host's start-up call and menu registration: SetStartupInfo copies the
// host's service table and loads the settings; GetPluginInfo offers the one
// entry in the editor's plug-in menu and in the configuration list.
#include <algorithm>
#include <cstring>

#include "api/ansi_api.hpp"
#include "module/plugin/host_info.hpp"
#include "module/settings/settings.hpp"

namespace {

// The number of bytes of the host's record that the module takes: what the
// host says it passed, never more than this interface version knows, and
// nothing at all for a size that cannot be a record's.
int CopiedStartupInfoSize(int hostSize) {
    return std::clamp(hostSize, 0, kKnownStartupInfoSize);
}

// How many of the first `size` bytes can be copied without leaving a field
// half filled: a record that ends inside a number or a pointer did not hand
// that field over, so it must stay zero rather than hold a torn value. The
// module name is characters and may be cut anywhere.
std::size_t WholeFieldsPrefix(std::size_t size) {
    struct Field {
        std::size_t offset, size;
    };
    using Info = PluginStartupInfo;
    constexpr std::size_t kService = sizeof(FARAPIMENU);
    constexpr Field kFields[] = {
        {offsetof(Info, StructSize), sizeof(int)},
        {offsetof(Info, ModuleNumber), sizeof(int)},
        {offsetof(Info, RootKey), sizeof(const char*)},
        {offsetof(Info, Menu), kService},
        {offsetof(Info, Dialog), kService},
        {offsetof(Info, Message), kService},
        {offsetof(Info, GetMsg), kService},
        {offsetof(Info, Control), kService},
        {offsetof(Info, SaveScreen), kService},
        {offsetof(Info, RestoreScreen), kService},
        {offsetof(Info, GetDirList), kService},
        {offsetof(Info, GetPluginDirList), kService},
        {offsetof(Info, FreeDirList), kService},
        {offsetof(Info, Viewer), kService},
        {offsetof(Info, Editor), kService},
        {offsetof(Info, CmpName), kService},
        {offsetof(Info, CharTable), kService},
        {offsetof(Info, Text), kService},
        {offsetof(Info, EditorControl), kService},
    };
    for (const Field& field : kFields) {
        if (size > field.offset && size < field.offset + field.size) return field.offset;
    }
    return size;
}

}  // namespace

extern "C" void WINAPI SetStartupInfo(const PluginStartupInfo* Info) {
    using marten::HostInfo;
    try {
        // A second call starts from a clean copy, so no service of an
        // earlier, longer record survives beyond the new one's size.
        HostInfo = PluginStartupInfo{};
        if (Info == nullptr) return;
        const int size = CopiedStartupInfoSize(Info->StructSize);
        std::memcpy(&HostInfo, Info, WholeFieldsPrefix(static_cast<std::size_t>(size)));
        HostInfo.StructSize = size;
        marten::LoadSettings();
    } catch (...) {
        // Nothing thrown may reach the host; the defaults stay in force.
    }
}

extern "C" void WINAPI GetPluginInfo(PluginInfo* Info) {
    if (Info == nullptr) return;
    // A host without a language service still gets a valid (empty) title.
    const char* title = marten::MsgText(marten::MPluginTitle);
    marten::PluginMenuList[0] = title != nullptr ? title : "";

    Info->StructSize = static_cast<int>(sizeof(PluginInfo));
    Info->Flags = PF_DISABLEPANELS | PF_EDITOR;
    Info->DiskMenuStringsNumber = 0;
    Info->PluginMenuStrings = marten::PluginMenuList;
    Info->PluginMenuStringsNumber = 1;
    Info->PluginConfigStrings = marten::PluginMenuList;
    Info->PluginConfigStringsNumber = 1;
    Info->CommandPrefix = nullptr;
}
