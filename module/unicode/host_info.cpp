#include "module/unicode/host_info.hpp"

#include <algorithm>
#include <cstring>

#include "module/unicode/guids.hpp"

namespace marten::unicode {

api3::PluginStartupInfo Host{};
api3::FarStandardFunctions Standard{};

namespace {

// The bytes of a record of `hostSize` to copy into one of `known` bytes:
// never more than the module knows, and only whole fields (every field of
// these records is a pointer or a pointer-sized number).
std::size_t WholeFields(std::size_t hostSize, std::size_t known) {
    const std::size_t size = std::min(hostSize, known);
    return size - size % sizeof(void*);
}

}  // namespace

void TakeStartupInfo(const api3::PluginStartupInfo* info) {
    Host = api3::PluginStartupInfo{};
    Standard = api3::FarStandardFunctions{};
    if (info == nullptr) return;
    std::memcpy(&Host, info, WholeFields(info->StructSize, sizeof Host));
    Host.StructSize = sizeof Host;
    const api3::FarStandardFunctions* fsf = Host.FSF;
    Host.FSF = nullptr;
    if (fsf != nullptr) {
        std::memcpy(&Standard, fsf, WholeFields(fsf->StructSize, sizeof Standard));
        Standard.StructSize = sizeof Standard;
        Host.FSF = &Standard;
    }
}

const WChar* MsgW(MsgId id) {
    static const WChar kEmpty[] = {0};
    if (Host.GetMsg == nullptr) return kEmpty;
    const WChar* text = Host.GetMsg(&kPluginGuid, static_cast<std::intptr_t>(id));
    return text != nullptr ? text : kEmpty;
}

}  // namespace marten::unicode
