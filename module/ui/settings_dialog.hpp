// The settings dialog, described once for every face: its items in the order
// of their indices, each with its kind, place, text and the setting it
// shows, and its help topic. An item of a setting shows only in the faces
// that keep the setting; a line that none of a face's items holds is closed
// up there, the lines below it moving up and the frame shrinking with them.
// Each face turns LayoutFor(face) into its host's dialog records.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "module/settings/settings_table.hpp"
#include "module/ui/messages.hpp"

namespace marten {

enum class ItemKind : std::uint8_t {
    Frame,      // the double box around the dialog; its text is the title
    Check,      // a checkbox showing a Flag row
    Label,      // the text beside or above a field
    Field,      // an edit field with a history, showing a Number or Text row
    Separator,  // a line across the box, in the box's colour
    Button,     // a button of the group centred on the last line
};

// Every item of the dialog, in the order of their indices in a face that
// shows them all. The separators come after the fields although they lie
// between the groups, as the 1.x face has always listed them.
enum DialogItemId : int {
    DialogFrame,
    DialogEnableQuote,
    DialogEnableAutoWrap,
    DialogEnableAutoIndent,
    DialogEnableHPChange,
    DialogBalanced,
    DialogLIndentLabel,
    DialogLIndent,
    DialogRIndentLabel,
    DialogRIndent,
    DialogFileMaskLabel,
    DialogFileMask,
    DialogSeparatorAfterSwitches,
    DialogSeparatorAfterIndents,
    DialogSeparatorAfterMask,
    DialogOk,  // the only button that confirms, and the default one
    DialogCancel,
    DialogItemCount,
};

inline constexpr int kNoSetting = -1;

struct DialogItem {
    ItemKind kind;
    std::int32_t x1;
    std::int32_t line;  // the line in a face that shows every item
    std::int32_t x2;    // 0: as wide as the host makes it
    MsgId text;         // a field's text is replaced by its setting's value
    int setting;        // the SettingId of the row it shows or labels, or kNoSetting
};

inline constexpr DialogItem kSettingsDialog[DialogItemCount] = {
    {ItemKind::Frame, 3, 1, 50, MPluginTitle, kNoSetting},
    {ItemKind::Check, 5, 2, 0, MEnableQuote, kEnableQuote},
    {ItemKind::Check, 5, 3, 0, MEnableAutoWrap, kEnableAutoWrap},
    {ItemKind::Check, 5, 4, 0, MEnableAutoIndent, kEnableAutoIndent},
    {ItemKind::Check, 5, 5, 0, MEnableHPChange, kEnableHPChange},
    {ItemKind::Check, 5, 6, 0, MBalanced, kBalanced},
    {ItemKind::Label, 9, 8, 30, MLIndent, kLIndent},
    {ItemKind::Field, 5, 8, 7, MFiller, kLIndent},
    {ItemKind::Label, 9, 9, 30, MRIndent, kRIndent},
    {ItemKind::Field, 5, 9, 7, MFiller, kRIndent},
    {ItemKind::Label, 5, 11, 30, MFileMask, kFileMask},
    {ItemKind::Field, 5, 12, 48, MFiller, kFileMask},
    {ItemKind::Separator, 4, 7, 30, MFiller, kNoSetting},
    {ItemKind::Separator, 4, 10, 30, MFiller, kNoSetting},
    {ItemKind::Separator, 4, 13, 30, MFiller, kNoSetting},
    {ItemKind::Button, 4, 14, 0, MOk, kNoSetting},
    {ItemKind::Button, 0, 14, 0, MCancel, kNoSetting},
};

// Help topic of the dialog.
inline constexpr const char* kConfigureTopic = "dlgConfigure";

// The longest text taken from or into an edit field.
inline constexpr std::size_t kFieldTextLimit = 255;

constexpr bool Shows(Face face, const DialogItem& item) {
    return item.setting == kNoSetting || Keeps(face, RowOf(static_cast<SettingId>(item.setting)));
}

// An item as a face shows it: its line closed up to the face's lines.
struct PlacedItem {
    DialogItemId id;
    ItemKind kind;
    std::int32_t x1, y, x2;
    MsgId text;
    int setting;
};

struct DialogLayout {
    std::array<PlacedItem, DialogItemCount> items;  // the first `count` are shown
    int count;
    std::int32_t frameBottom;    // the line below the last item
    std::int32_t width, height;  // the dialog's size, the frame with its margins
};

namespace dialog_layout {

constexpr bool LineHeld(std::int32_t line, Face face, bool shownOnly) {
    for (const DialogItem& item : kSettingsDialog) {
        if (item.line == line && (!shownOnly || Shows(face, item))) return true;
    }
    return false;
}

// `line` in `face`: less every line above it that only items the face does
// not show hold.
constexpr std::int32_t LineIn(Face face, std::int32_t line) {
    std::int32_t y = line;
    for (std::int32_t above = 0; above < line; ++above) {
        if (LineHeld(above, face, false) && !LineHeld(above, face, true)) --y;
    }
    return y;
}

}  // namespace dialog_layout

// The items `face` shows, in their order, with their lines in that face.
constexpr DialogLayout LayoutFor(Face face) {
    // The frame sets the dialog's size: with the position -1, -1 the host
    // takes the dialog's right and bottom as its width and height.
    constexpr std::int32_t kFrameMarginX = 4;
    constexpr std::int32_t kFrameMarginY = 2;
    DialogLayout layout{};
    std::int32_t lastY = 0;
    for (int i = 0; i < DialogItemCount; ++i) {
        const DialogItem& item = kSettingsDialog[i];
        if (!Shows(face, item)) continue;
        const std::int32_t y = dialog_layout::LineIn(face, item.line);
        layout.items[layout.count++] = {
            static_cast<DialogItemId>(i), item.kind, item.x1, y, item.x2, item.text, item.setting};
        if (y > lastY) lastY = y;
    }
    layout.frameBottom = lastY + 1;
    layout.width = kSettingsDialog[DialogFrame].x2 + kFrameMarginX;
    layout.height = layout.frameBottom + kFrameMarginY;
    return layout;
}

// The index of item `id` among the items `face` shows; -1 when it shows not.
constexpr int IndexIn(Face face, DialogItemId id) {
    const DialogLayout layout = LayoutFor(face);
    for (int i = 0; i < layout.count; ++i) {
        if (layout.items[i].id == id) return i;
    }
    return -1;
}

}  // namespace marten
