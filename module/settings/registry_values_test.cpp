// The registry routines: what a read copies into the room it is given, and
// that a failed read leaves the field as it was.
#include "module/settings/registry_values.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace marten {
namespace {

using Bytes = std::vector<BYTE>;

void Write(const std::string& path, const char* name, const Bytes& data) {
    WriteBytesValue(HKEY_CURRENT_USER, path.c_str(), name, data.data(),
                    static_cast<DWORD>(data.size()));
}

TEST(RegistryValues, ByteReadsCopyOnlyWhatWasReadWhateverTheRoom) {
    const std::string path = "Software\\MartenUnitTests\\ByteReads";
    Bytes field(300, 0xAA);
    Write(path, "Short", Bytes(10, 0x11));
    ASSERT_TRUE(ReadBytesValue(HKEY_CURRENT_USER, path.c_str(), "Short", field.data(), 300));
    Bytes expected(300, 0);
    std::fill_n(expected.begin(), 10, 0x11);
    EXPECT_EQ(field, expected);  // the room past the 256 bytes read is zero too

    // More than 256 bytes are never read, even into a larger room.
    Write(path, "Long", Bytes(280, 0x22));
    EXPECT_FALSE(ReadBytesValue(HKEY_CURRENT_USER, path.c_str(), "Long", field.data(), 300));
    Write(path, "Four", Bytes(4, 0x33));
    EXPECT_FALSE(ReadBytesValue(HKEY_CURRENT_USER, path.c_str(), "Four", field.data(), 2));
    EXPECT_EQ(field, expected);
}

TEST(RegistryValues, ReadsOfAMissingKeyFailAndLeaveTheFieldAlone) {
    const Text path = "Software\\MartenUnitTests\\NoSuchKey\\Anywhere";
    BYTE flag = 9;
    std::int32_t number = 9;
    Text text = "kept";
    EXPECT_FALSE(ReadBytesValue(HKEY_CURRENT_USER, path, "EnableQuote", &flag, 1));
    EXPECT_FALSE(ReadDwordValue(HKEY_CURRENT_USER, path, "RIndent", number));
    EXPECT_FALSE(ReadStringValue(HKEY_CURRENT_USER, path, "FileMask", text));
    EXPECT_EQ(flag, 9);
    EXPECT_EQ(number, 9);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(OpenKeyForRead(HKEY_CURRENT_USER, path), nullptr);
}

}  // namespace
}  // namespace marten
