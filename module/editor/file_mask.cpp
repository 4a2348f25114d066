#include "module/editor/file_mask.hpp"

#include <cstddef>

#include "module/plugin/host_info.hpp"

namespace marten {

bool FileMaskMatch(const Text& mask, const Text& name) {
    return AnyMaskItemMatches(mask, [&name](const Text& item) {
        return HostInfo.CmpName(item.c_str(), name.c_str(), 1) == 1;
    });
}

}  // namespace marten
