#include "module/unicode/host_info.hpp"

#include <algorithm>
#include <cstring>

#include "module/unicode/guids.hpp"

namespace marten::unicode {

unicode_api::PluginStartupInfo Host{};
unicode_api::FarStandardFunctions Standard{};

namespace {

// The bytes of a record of `hostSize` to copy into one of `known` bytes:
// never more than the module knows, and only whole fields (every field of
// these records is a pointer or a pointer-sized number).
std::size_t WholeFields(std::size_t hostSize, std::size_t known) {
    const std::size_t size = std::min(hostSize, known);
    return size - size % sizeof(void*);
}

}  // namespace

void TakeStartupInfo(const unicode_api::PluginStartupInfo* info) {
    Host = unicode_api::PluginStartupInfo{};
    Standard = unicode_api::FarStandardFunctions{};
    if (info == nullptr) return;
    std::memcpy(&Host, info, WholeFields(info->StructSize, sizeof Host));
    Host.StructSize = sizeof Host;
    const unicode_api::FarStandardFunctions* fsf = Host.FSF;
    Host.FSF = nullptr;
    if (fsf != nullptr) {
        std::memcpy(&Standard, fsf, WholeFields(fsf->StructSize, sizeof Standard));
        Standard.StructSize = sizeof Standard;
        Host.FSF = &Standard;
    }
}

const WChar* Msg(MsgId id) {
    static const WChar kEmpty[] = {0};
    if (Host.GetMsg == nullptr) return kEmpty;
    const WChar* text = Host.GetMsg(&kPluginGuid, static_cast<std::intptr_t>(id));
    return text != nullptr ? text : kEmpty;
}

UnicodeText FromAscii(const char* ascii) {
    UnicodeText text;
    for (; *ascii != '\0'; ++ascii) text += static_cast<WChar>(*ascii);
    return text;
}

}  // namespace marten::unicode
