// The identities of the module's Unicode face: the plug-in itself (which
// also keys its settings store) and each menu entry, menu, dialog and
// message it shows. Generated once; never change them, or the host loses
// the user's settings and hot keys.
#pragma once

#include <cstdint>

#include "api/unicode_api.hpp"

namespace marten::unicode {

namespace guid_text {

constexpr std::uint32_t HexDigit(char c) {
    return c <= '9' ? static_cast<std::uint32_t>(c - '0')
                    : static_cast<std::uint32_t>((c | 0x20) - 'a' + 10);
}

// The number that `digits` hexadecimal digits of `text` from `at` write.
constexpr std::uint32_t Hex(const char* text, int at, int digits) {
    std::uint32_t value = 0;
    for (int i = at; i < at + digits; ++i) value = value << 4 | HexDigit(text[i]);
    return value;
}

}  // namespace guid_text

using Guid = unicode_api::GUID;

// A GUID as it is written: xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx.
constexpr Guid GuidOf(const char (&text)[37]) {
    using guid_text::Hex;
    using Byte = unsigned char;
    return {static_cast<decltype(Guid::Data1)>(Hex(text, 0, 8)),
            static_cast<decltype(Guid::Data2)>(Hex(text, 9, 4)),
            static_cast<decltype(Guid::Data3)>(Hex(text, 14, 4)),
            {static_cast<Byte>(Hex(text, 19, 2)), static_cast<Byte>(Hex(text, 21, 2)),
             static_cast<Byte>(Hex(text, 24, 2)), static_cast<Byte>(Hex(text, 26, 2)),
             static_cast<Byte>(Hex(text, 28, 2)), static_cast<Byte>(Hex(text, 30, 2)),
             static_cast<Byte>(Hex(text, 32, 2)), static_cast<Byte>(Hex(text, 34, 2))}};
}

inline constexpr Guid kPluginGuid = GuidOf("29117a56-e534-48e4-ad93-3178d955845f");
// The entry in the editor's plug-in menu, and the one in the configuration list.
inline constexpr Guid kMenuEntryGuid = GuidOf("81a6d253-992a-41f7-8ad8-87a4394d04f3");
inline constexpr Guid kConfigEntryGuid = GuidOf("6ed4bfdd-6c6d-43fe-8be5-03ef615c3515");
// The editor's plug-in menu entry that reflows the paragraph at the cursor,
// and the message that says which paragraphs it left.
inline constexpr Guid kReflowEntryGuid = GuidOf("933e4065-c709-46da-9948-ef67544dc604");
inline constexpr Guid kReflowMessageGuid = GuidOf("bb1e3d89-52ef-40f2-b24a-1f1da898b7b0");
// The configuration menu, the settings dialog and the About box.
inline constexpr Guid kConfigMenuGuid = GuidOf("260e37ba-a9e6-4323-84bd-0227db82530c");
inline constexpr Guid kSettingsDialogGuid = GuidOf("18456c06-969d-4fce-9ece-313ebd44e349");
inline constexpr Guid kAboutGuid = GuidOf("3183347a-219e-4533-99d0-1321f81cef45");

static_assert(kPluginGuid.Data1 == 0x29117a56 && kPluginGuid.Data2 == 0xe534 &&
                  kPluginGuid.Data3 == 0x48e4 && kPluginGuid.Data4[0] == 0xad &&
                  kPluginGuid.Data4[1] == 0x93 && kPluginGuid.Data4[2] == 0x31 &&
                  kPluginGuid.Data4[7] == 0x5f,
              "GuidOf reads a GUID as it is written");
static_assert(kAboutGuid.Data4[5] == 0x1c && kConfigEntryGuid.Data2 == 0x6c6d);

}  // namespace marten::unicode
