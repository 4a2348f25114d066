#include "module/ui/number_text.hpp"

#include <gtest/gtest.h>

#include <climits>

namespace marten {
namespace {

struct Case {
    const char* text;
    std::int32_t value;
};

TEST(TextToInt, ReadsWhatTheNumberFieldsAccept) {
    const Case cases[] = {
        {"72", 72},           {"+72", 72},          {"$48", 72},
        {" 72", 72},          {"   72", 72},        {"-3", -3},
        {"0", 0},             {"-0", 0},            {"007", 7},
        {"$ff", 255},         {"$Ff", 255},         {"-$10", -16},
        {"+$10", 16},         {"$FFFFFFFF", -1},    {"$80000000", INT_MIN},
        {"$7FFFFFFF", INT_MAX}, {"2147483647", INT_MAX}, {"-2147483647", -INT_MAX},
        {"$00000001", 1},     {"00000000000000000072", 72},
    };
    for (const Case& c : cases) EXPECT_EQ(TextToInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(TextToInt, GivesZeroForAnythingElse) {
    const char* const rejected[] = {
        "",          " ",          "72 ",         "7x",          "-",
        "+",         "$",          "-$",          "$-1",         "+-1",
        "--1",       "\t72",       "72\t",        "$G",          "$1 ",
        "1.5",       "1,000",      "0x10",        "2147483648",  "99999999999999999999",
        "$100000000", "$000000001", "- 1",        "$ 1",
    };
    for (const char* text : rejected) EXPECT_EQ(TextToInt(text), 0) << '"' << text << '"';
}

// The magnitude rule is applied before the sign, so the one 32-bit value whose
// magnitude exceeds 2147483647 cannot be typed in decimal; its pattern can.
TEST(TextToInt, LowestValueOnlyAsHexadecimalPattern) {
    EXPECT_EQ(TextToInt("-2147483648"), 0);
    EXPECT_EQ(TextToInt("-$80000000"), INT_MIN);
}

TEST(TextToInt, StopsAtTheGivenLength) {
    EXPECT_EQ(TextToInt(std::string_view("7234", 2)), 72);
    EXPECT_EQ(TextToInt(std::string_view("72x", 2)), 72);
}

TEST(IntToText, WritesPlainDecimal) {
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(78), "78");
    EXPECT_EQ(IntToText(-5), "-5");
    EXPECT_EQ(IntToText(INT_MAX), "2147483647");
    EXPECT_EQ(IntToText(INT_MIN), "-2147483648");
}

TEST(IntToText, ReadsBackAsTheSameNumber) {
    for (std::int32_t value : {0, 1, -1, 72, -72, 1000000, INT_MAX, -INT_MAX}) {
        EXPECT_EQ(TextToInt(IntToText(value)), value);
    }
}

}  // namespace
}  // namespace marten
