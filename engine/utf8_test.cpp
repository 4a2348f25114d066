#include "engine/utf8.hpp"

#include <gtest/gtest.h>

namespace engine {
namespace {

// Every scalar value round-trips; the decoder refuses what is no UTF-8.
TEST(Utf8, EncodesAndDecodesEveryScalarValue) {
    for (char32_t ch = 0; ch <= 0x10FFFF; ch += (ch < 0x800 ? 1 : 97)) {
        if (ch >= 0xD800 && ch <= 0xDFFF) continue;
        std::string bytes;
        AppendUtf8(bytes, ch);
        char32_t back = 0;
        std::size_t length = 0;
        ASSERT_TRUE(DecodeUtf8(bytes, back, length)) << std::hex << static_cast<unsigned>(ch);
        EXPECT_EQ(static_cast<unsigned>(back), static_cast<unsigned>(ch));
        EXPECT_EQ(length, bytes.size());
    }
}

TEST(Utf8, RefusesMalformedBytes) {
    char32_t ch = 0;
    std::size_t length = 0;
    for (std::string_view bad : {"\x80", "\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80",
                                 "\xF4\x90\x80\x80", "\xD0", "\xE2\x80", "\xD0\x41", "\xFF"}) {
        EXPECT_FALSE(DecodeUtf8(bad, ch, length)) << testing::PrintToString(std::string(bad));
    }
    ASSERT_TRUE(DecodeUtf8("\xD0\x9D!", ch, length));  // Н, then more text
    EXPECT_EQ(static_cast<unsigned>(ch), 0x41Du);
    EXPECT_EQ(length, 2u);
}

}  // namespace
}  // namespace engine
