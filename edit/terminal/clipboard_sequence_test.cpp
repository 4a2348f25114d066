#include "edit/terminal/clipboard_sequence.hpp"

#include <gtest/gtest.h>

namespace edit {
namespace {

TEST(ClipboardSequence, Base64PadsEachLengthOfTheLastGroup) {
    const struct {
        std::string bytes, encoded;
    } cases[] = {{"", ""},        {"f", "Zg=="},          {"fo", "Zm8="},
                 {"foo", "Zm9v"}, {"foobar", "Zm9vYmFy"}, {std::string("\xff\xfe\x00", 3), "//4A"}};
    for (const auto& c : cases) EXPECT_EQ(Base64(c.bytes), c.encoded) << c.bytes;
}

TEST(ClipboardSequence, CarriesTheUtf8TextAndStopsAtTheBound) {
    EXPECT_EQ(ClipboardSequence("Привет\nAB> x"), "\x1b]52;c;0J/RgNC40LLQtdGCCkFCPiB4\a");
    EXPECT_TRUE(ClipboardSequence(std::string(kClipboardSequenceMax, 'x')));
    EXPECT_FALSE(ClipboardSequence(std::string(kClipboardSequenceMax + 1, 'x')));
}

}  // namespace
}  // namespace edit
