#include "module/settings/stored_values.hpp"

#include <limits>

namespace marten {

std::optional<std::int32_t> TakenNumber(const SettingRow& row, std::int64_t stored, Face face) {
    if (stored >= row.bounds.min && stored <= row.bounds.max)
        return static_cast<std::int32_t>(stored);
    const bool foreignKept = (row.foreignFlagsKept & face) != 0;
    if (row.kind == SettingKind::Flag && foreignKept && stored >= 0 &&
        stored <= std::numeric_limits<Flag>::max()) {
        return static_cast<std::int32_t>(stored);
    }
    return std::nullopt;
}

}  // namespace marten
