// The module's copy of the host's start-up information and the lookup of
// message texts through it.
#include "module/plugin/host_info.hpp"

#include <cstring>

namespace marten {

PluginStartupInfo HostInfo{};

const char* PluginMenuList[1] = {nullptr};

bool HostHasService(std::size_t offset) {
    // SetStartupInfo leaves every service null that the host's record does
    // not wholly reach, so a filled pointer is one the host handed over.
    if (offset + sizeof(void*) > sizeof HostInfo) return false;
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
