// The module's copy of the host's start-up information and the lookup of
// message texts through it.
#include "module/plugin/host_info.hpp"

namespace marten {

PluginStartupInfo HostInfo{};

const char* PluginMenuList[1] = {nullptr};

const char* MsgText(MsgId id) {
    if (HostInfo.GetMsg == nullptr) return nullptr;
    return HostInfo.GetMsg(HostInfo.ModuleNumber, static_cast<int>(id));
}

}  // namespace marten
