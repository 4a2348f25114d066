// The rules every store applies to what it finds: which stored values are
// taken, and what a value taken over from another face's store becomes. A
// value that is not taken counts as unreadable: the setting keeps its
// default and the store writes the default in its place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "module/settings/settings_table.hpp"

namespace marten {

// The value that `stored`, found for a Flag or Number row in the store of
// `face`, gives the setting; nothing when it is unreadable. A value within
// the row's bounds is taken as it is; so is any value of a Flag row in the
// faces whose store keeps foreign flags.
std::optional<std::int32_t> TakenNumber(const SettingRow& row, std::int64_t stored, Face face);

// True when a text of `length` characters fits a Text row.
constexpr bool TextFits(const SettingRow& row, std::size_t length) {
    return length <= static_cast<std::size_t>(row.bounds.max);
}

// A value that a store keeping foreign flags took, as a face whose store
// keeps to the bounds takes it over: a flag other than 0 counts as on, a
// number stays as it is.
constexpr std::int32_t TakenOver(const SettingRow& row, std::int32_t value) {
    return row.kind == SettingKind::Flag && value != 0 ? 1 : value;
}

}  // namespace marten
