// What a face's settings dialog shows in the items of the settings, and what
// it takes back from them, whatever its host's records and characters: a
// checkbox's tick, a number field's decimal text, a text field's text no
// longer than its row allows.
#pragma once

#include <cstddef>
#include <cstdint>

#include "module/settings/stored_values.hpp"
#include "module/ui/number_text.hpp"
#include "module/ui/settings_dialog.hpp"

namespace marten {

// A field's value in the face's characters (ASCII digits for a number).
template <class C>
BasicText<C> ShownField(const SettingRow& row, const TextSettingsOf<C>& texts) {
    if (row.kind == SettingKind::Text) return texts[row.id];
    BasicText<C> digits;
    for (const char c : IntToText(NumberValue(row))) digits += static_cast<C>(c);
    return digits;
}

// Takes a field's text (null: none) into its setting: a number read from
// at most kFieldTextLimit characters (others than ASCII read as '?'), a text
// cut where the row's bound ends it.
template <class C>
void TakeField(const SettingRow& row, const C* text, TextSettingsOf<C>& texts) {
    if (row.kind != SettingKind::Text) {
        Text ascii;
        for (std::size_t i = 0; text != nullptr && text[i] != 0 && i < kFieldTextLimit; ++i) {
            ascii += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
        }
        SetNumberValue(row, TextToInt(ascii));
        return;
    }
    BasicText<C>& field = texts[row.id];
    field.clear();
    for (std::size_t c = 0; text != nullptr && text[c] != 0 && TextFits(row, c + 1); ++c) {
        field += text[c];
    }
}

// Calls `visit(index, placed, row)` for each item of `layout` that shows a
// setting.
template <class Visit>
void ForEachSettingItem(const DialogLayout& layout, Visit visit) {
    for (int i = 0; i < layout.count; ++i) {
        const PlacedItem& placed = layout.items[i];
        if (placed.setting == kNoSetting) continue;
        visit(i, placed, RowOf(static_cast<SettingId>(placed.setting)));
    }
}

}  // namespace marten
