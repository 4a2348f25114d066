// The identities of the module's Unicode face: the plug-in itself (which
// also keys its settings store) and each menu entry, menu, dialog and
// message it shows. Generated once; never change them, or the host loses
// the user's settings and hot keys.
#pragma once

#include "api/unicode_api.hpp"

namespace marten::unicode {

// 29117a56-e534-48e4-ad93-3178d955845f
inline constexpr unicode_api::GUID kPluginGuid = {
    0x29117a56, 0xe534, 0x48e4, {0xad, 0x93, 0x31, 0x78, 0xd9, 0x55, 0x84, 0x5f}};
// 81a6d253-992a-41f7-8ad8-87a4394d04f3: the entry in the editor's plug-in menu.
inline constexpr unicode_api::GUID kMenuEntryGuid = {
    0x81a6d253, 0x992a, 0x41f7, {0x8a, 0xd8, 0x87, 0xa4, 0x39, 0x4d, 0x04, 0xf3}};
// 6ed4bfdd-6c6d-43fe-8be5-03ef615c3515: the entry in the configuration list.
inline constexpr unicode_api::GUID kConfigEntryGuid = {
    0x6ed4bfdd, 0x6c6d, 0x43fe, {0x8b, 0xe5, 0x03, 0xef, 0x61, 0x5c, 0x35, 0x15}};
// 260e37ba-a9e6-4323-84bd-0227db82530c: the configuration menu.
inline constexpr unicode_api::GUID kConfigMenuGuid = {
    0x260e37ba, 0xa9e6, 0x4323, {0x84, 0xbd, 0x02, 0x27, 0xdb, 0x82, 0x53, 0x0c}};
// 18456c06-969d-4fce-9ece-313ebd44e349: the settings dialog.
inline constexpr unicode_api::GUID kSettingsDialogGuid = {
    0x18456c06, 0x969d, 0x4fce, {0x9e, 0xce, 0x31, 0x3e, 0xbd, 0x44, 0xe3, 0x49}};
// 3183347a-219e-4533-99d0-1321f81cef45: the About box.
inline constexpr unicode_api::GUID kAboutGuid = {
    0x3183347a, 0x219e, 0x4533, {0x99, 0xd0, 0x13, 0x21, 0xf8, 0x1c, 0xef, 0x45}};

}  // namespace marten::unicode
