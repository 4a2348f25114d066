// The 1.x face's copy of the host's start-up information and the lookup of
// message texts through it.
#include "module/ansi/host_info.hpp"

#include <algorithm>
#include <cstring>

namespace marten::ansi {

PluginStartupInfo HostInfo{};

const char* PluginMenuList[1] = {nullptr};

namespace {

// The number of bytes of the host's record that the module takes: what the
// host says it passed, never more than this interface version knows, and
// nothing at all for a size that cannot be a record's.
int CopiedStartupInfoSize(int hostSize) { return std::clamp(hostSize, 0, kKnownStartupInfoSize); }

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

void TakeStartupInfo(const PluginStartupInfo* info) {
    HostInfo = PluginStartupInfo{};
    if (info == nullptr) return;
    const int size = CopiedStartupInfoSize(info->StructSize);
    std::memcpy(&HostInfo, info, WholeFieldsPrefix(static_cast<std::size_t>(size)));
    HostInfo.StructSize = size;
}

const char* MsgText(MsgId id) {
    if (HostInfo.GetMsg == nullptr) return nullptr;
    return HostInfo.GetMsg(HostInfo.ModuleNumber, static_cast<int>(id));
}

}  // namespace marten::ansi
