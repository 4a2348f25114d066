// The module's copy of the host's start-up information and the lookup of
// message texts through it.
#include "module/plugin/host_info.hpp"

#include <cstring>

namespace marten {

PluginStartupInfo HostInfo{};

const char* PluginMenuList[1] = {nullptr};

bool HostHasService(std::size_t offset) {
    // A host record that stops inside (or before) the service's pointer did
    // not hand that service over, whatever bytes happen to lie there.
    if (HostInfo.StructSize <= 0) return false;
    const std::size_t copied = static_cast<std::size_t>(HostInfo.StructSize);
    if (offset + sizeof(void*) > copied || offset + sizeof(void*) > sizeof HostInfo) return false;
    void* service = nullptr;
    std::memcpy(&service, reinterpret_cast<const unsigned char*>(&HostInfo) + offset,
                sizeof service);
    return service != nullptr;
}

const char* MsgText(MsgId id) {
    if (!HostHasService(offsetof(PluginStartupInfo, GetMsg))) return nullptr;
    return HostInfo.GetMsg(HostInfo.ModuleNumber, static_cast<int>(id));
}

}  // namespace marten
