#include "edit/terminal/clipboard_sequence.hpp"

#include <gtest/gtest.h>

namespace edit {
namespace {

TEST(ClipboardSequence, Base64PadsEachLengthOfTheLastGroup) {
    EXPECT_EQ(Base64(""), "");
    EXPECT_EQ(Base64("f"), "Zg==");
    EXPECT_EQ(Base64("fo"), "Zm8=");
    EXPECT_EQ(Base64("foo"), "Zm9v");
    EXPECT_EQ(Base64("foobar"), "Zm9vYmFy");
    EXPECT_EQ(Base64(std::string("\xff\xfe\x00", 3)), "//4A");
}

TEST(ClipboardSequence, CarriesTheUtf8TextAndStopsAtTheBound) {
    EXPECT_EQ(ClipboardSequence("Привет\nAB> x"), "\x1b]52;c;0J/RgNC40LLQtdGCCkFCPiB4\a");
    EXPECT_TRUE(ClipboardSequence(std::string(kClipboardSequenceMax, 'x')));
    EXPECT_FALSE(ClipboardSequence(std::string(kClipboardSequenceMax + 1, 'x')));
}

}  // namespace
}  // namespace edit
