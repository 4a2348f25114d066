#include "module/far2l/host_info.hpp"

#include <algorithm>
#include <cstring>

namespace marten::far2l {

far2l_api::PluginStartupInfo Host{};
far2l_api::FarStandardFunctions Standard{};

namespace {

// The bytes of a record of `hostSize` to copy into one of `known` bytes:
// never more than the module knows, and only whole fields. Both records
// open with a 4-byte size, and every field after it is 8 bytes wide.
std::size_t WholeFields(int hostSize, std::size_t known) {
    constexpr std::size_t kHead = sizeof(int);
    constexpr std::size_t kField = 8;
    if (hostSize < static_cast<int>(kHead)) return 0;
    const std::size_t size = std::min(static_cast<std::size_t>(hostSize), known);
    return kHead + (size - kHead) / kField * kField;
}

// `to` := the part of the host's record `from` that the module knows; all
// zero for a null record.
template <class Record>
void CopyWholeFields(Record& to, const Record* from) {
    to = Record{};
    if (from == nullptr) return;
    std::memcpy(&to, from, WholeFields(from->StructSize, sizeof to));
    to.StructSize = sizeof to;
}

}  // namespace

void TakeStartupInfo(const far2l_api::PluginStartupInfo* info) {
    CopyWholeFields(Host, info);
    // The copy of the standard functions stands in for the host's.
    CopyWholeFields(Standard, Host.FSF);
    if (Host.FSF != nullptr) Host.FSF = &Standard;
}

const wchar_t* Msg(MsgId id) {
    if (Host.GetMsg == nullptr) return L"";
    const wchar_t* text = Host.GetMsg(Host.ModuleNumber, static_cast<int>(id));
    return text != nullptr ? text : L"";
}

}  // namespace marten::far2l
