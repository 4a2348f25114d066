#include "engine/text16.hpp"

#include <gtest/gtest.h>

namespace engine {
namespace {

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

TEST(Text16, EveryByteOfEveryTableComesBackAsItWas) {
    for (CodePage page : {CodePage::Oem866, CodePage::Ansi1251, CodePage::Koi8r}) {
        const LineCodec& codec = CodecOf(page);
        const std::u16string text = ToUtf16(codec, AllBytes());
        ASSERT_EQ(text.size(), 256u);
        EXPECT_EQ(FromUtf16(codec, text), AllBytes()) << CodePageName(page);
        EXPECT_TRUE(codec.OneUnitPerByte());
        EXPECT_TRUE(codec.Matches(AllBytes(), text));
        EXPECT_FALSE(codec.Matches(AllBytes(), text.substr(1)));
        EXPECT_FALSE(codec.Matches("ab", u"aB"));
    }
}

TEST(Text16, TablesReadAsTheirCharacters) {
    // "Нр" and the quotation mark in each table; 1251's undefined 0x98 is U+0098.
    EXPECT_EQ(ToUtf16(CodecOf(CodePage::Oem866), "\x8D\xE0>"), u"Нр>");
    EXPECT_EQ(ToUtf16(CodecOf(CodePage::Ansi1251), "\xCD\xF0\xBB\x98"), u"Нр»\u0098");
    EXPECT_EQ(ToUtf16(CodecOf(CodePage::Koi8r), "\xEE\xD2"), u"Нр");
    EXPECT_EQ(CodecOf(CodePage::Oem866).CodePageNumber(), 866u);
    EXPECT_EQ(CodecOf(CodePage::Ansi1251).CodePageNumber(), 1251u);
    EXPECT_EQ(CodecOf(CodePage::Koi8r).CodePageNumber(), 20866u);
}

TEST(Text16, ACharacterTheTableLacksIsRefusedAndNothingIsWritten) {
    std::string out = "kept";
    EXPECT_FALSE(CodecOf(CodePage::Oem866).FromUtf16(u"a«b", out));  // « is not in 866
    EXPECT_EQ(out, "kept");
    EXPECT_TRUE(CodecOf(CodePage::Ansi1251).FromUtf16(u"a«b", out));
    EXPECT_EQ(out,
              "kepta\xAB"
              "b");
    EXPECT_EQ(FromUtf16(CodecOf(CodePage::Koi8r), u"\U0001F600"), std::nullopt);
}

TEST(Text16, Utf8KeepsStrayBytesAndWholeCharacters) {
    const LineCodec& codec = Utf8();
    // Valid text, a character beyond the BMP (a surrogate pair), and bytes
    // that are no UTF-8: a lone lead byte, an overlong form, a stray 0xFF.
    const std::string bytes = "Н> \xF0\x9F\x98\x80 \xE1\xA0 \xC0\x80 \xFF";
    const std::u16string text = ToUtf16(codec, bytes);
    EXPECT_EQ(text, u"Н> \U0001F600 \xDCE1\xDCA0 \xDCC0\xDC80 \xDCFF");
    EXPECT_EQ(FromUtf16(codec, text), bytes);
    EXPECT_TRUE(codec.Matches(bytes, text));
    EXPECT_FALSE(codec.OneUnitPerByte());
    // A surrogate that stands for no byte and no character cannot be stored.
    EXPECT_EQ(FromUtf16(codec, u"a\xD800"), std::nullopt);
    EXPECT_EQ(FromUtf16(codec, u"a\xDC41"), std::nullopt);
}

TEST(Text16, FileNamesAndTextsConvertWithReplacement) {
    EXPECT_EQ(Utf8ToUtf16("/tmp/ответ.msg"), u"/tmp/ответ.msg");
    EXPECT_EQ(Utf8ToUtf16("a\xFF"), u"a\uFFFD");
    EXPECT_EQ(Utf16ToUtf8(u"ё\U0001F600\xD800"), "ё\xF0\x9F\x98\x80\xEF\xBF\xBD");
}

}  // namespace
}  // namespace engine
