// Reading the file format: what parses, and what does not, on which line
// and why.
#include "winapi/regedit_parse.hpp"

#include <gtest/gtest.h>

#include "winapi/regedit_write.hpp"

namespace winreg {
namespace {

TEST(RegeditParse, ReadsAHandWrittenFileWithCrLfCommentsAndContinuations) {
    const std::string text =
        "REGEDIT4\r\n"
        "; written by hand\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Example]\r\n"
        "\"Count\"=dword:0000004E\r\n"
        "  ; a comment inside a key\r\n"
        "\"Flag\"=hex:01\r\n"
        "\"Path\"=\"C:\\\\Tools\\\\\\\"x\\\"\"\r\n"
        "\"List\"=hex(7):61,00,62,00,\\\r\n"
        "  00,00\r\n"
        "@=\"default\"\r\n";
    const ParseResult parsed = ParseRegedit(text);
    ASSERT_FALSE(parsed.failure) << parsed.failure->line << ": " << parsed.failure->reason;
    ASSERT_EQ(parsed.document.keys.size(), 1u);
    const RegKey& key = parsed.document.keys[0];
    EXPECT_EQ(key.path, "HKEY_CURRENT_USER\\Software\\Example");
    EXPECT_EQ(FindValue(key, "count")->data, std::string("\x4e\0\0\0", 4));
    EXPECT_EQ(FindValue(key, "Count")->type, 4u);
    EXPECT_EQ(FindValue(key, "Flag")->data, "\x01");
    EXPECT_EQ(FindValue(key, "Path")->data, std::string("C:\\Tools\\\"x\"\0", 13));
    EXPECT_EQ(FindValue(key, "List")->type, 7u);
    EXPECT_EQ(FindValue(key, "List")->data, std::string("a\0b\0\0\0", 6));
    EXPECT_EQ(FindValue(key, "")->data, std::string("default\0", 8));
    EXPECT_EQ(parsed.document.preamble.size(), 1u);
    // Untouched entries are written back as they were read.
    const std::string again = SerialiseRegedit(parsed.document);
    EXPECT_NE(again.find("\"Count\"=dword:0000004E\r\n"), std::string::npos);
    EXPECT_NE(again.find("\"List\"=hex(7):61,00,62,00,\\\r\n  00,00\r\n"), std::string::npos);
    EXPECT_NE(again.find("  ; a comment inside a key\r\n"), std::string::npos);
}

TEST(RegeditParse, EmptyTextIsAnEmptyRegistry) {
    EXPECT_FALSE(ParseRegedit("").failure);
    EXPECT_FALSE(ParseRegedit("\n\r\n  \n").failure);
    EXPECT_FALSE(ParseRegedit("REGEDIT4\n").failure);
}

TEST(RegeditParse, NamesTheLineThatFails) {
    struct Case {
        const char* text;
        std::size_t line;
        const char* reason;
    };
    const Case cases[] = {
        {"Windows Registry Editor Version 5.00\n", 1,
         "the file does not begin with the line REGEDIT4"},
        {"REGEDIT4\n\n\"a\"=dword:1\n", 3, "a value before the first key"},
        {"REGEDIT4\n[K]\n\"a\"=dword:123456789\n", 3, "a dword needs one to eight hex digits"},
        {"REGEDIT4\n[K]\n\"a\"=dword:12g\n", 3, "a dword needs one to eight hex digits"},
        {"REGEDIT4\n[K]\n\"a\"=hex:1g\n", 3, "hex bytes must be separated by commas"},
        {"REGEDIT4\n[K]\n\"a\"=hex:01 02\n", 3, "hex bytes must be separated by commas"},
        {"REGEDIT4\n[K]\n\"a\"=hex:123\n", 3, "a hex list holds something that is not a byte"},
        {"REGEDIT4\n[K]\n\"a\"=hex(:01\n", 3, "a typed hex value must read hex(type):bytes"},
        {"REGEDIT4\n[K]\n\"a\"=hex(zz):01\n", 3, "the type of a hex value must be a hex number"},
        {"REGEDIT4\n[K]\n\"a=\"x\"\n", 3, "a value name must be followed by '='"},
        {"REGEDIT4\n[K]\n\"a\"=\"unterminated\n", 3, "a quoted name or text has no closing quote"},
        {"REGEDIT4\n[K]\n\"a\"=\"x\" trailing\n", 3, "unexpected text after the closing quote"},
        {"REGEDIT4\n[K]\n\"a\"=\"bad \\n escape\"\n", 3,
         "unknown escape \\n in a quoted name or text"},
        {"REGEDIT4\n[K]\n\"a\"=string\n", 3,
         "the data is neither \"text\", dword:, hex: nor hex(type):"},
        {"REGEDIT4\n[K\n", 2, "a key's line must end with ']'"},
        {"REGEDIT4\n[]\n", 2, "a key without a name"},
        {"REGEDIT4\n[-K]\n", 2, "key deletion entries are not supported"},
        {"REGEDIT4\n[K]\n\"a\"=-\n", 3, "value deletion entries are not supported"},
        {"REGEDIT4\n[K]\nplain words\n", 3, "a line that is neither a key, a value nor a comment"},
        {"REGEDIT4\n[K]\n\"a\"=hex:01,\\\n", 3, "the file ends inside a value continued with '\\'"},
    };
    for (const Case& c : cases) {
        const ParseResult parsed = ParseRegedit(c.text);
        ASSERT_TRUE(parsed.failure) << c.text;
        EXPECT_EQ(parsed.failure->line, c.line) << c.text;
        EXPECT_EQ(parsed.failure->reason, c.reason) << c.text;
        EXPECT_TRUE(parsed.document.keys.empty());
    }
}

TEST(RegeditParse, RepeatedSectionsAndValuesMerge) {
    const ParseResult parsed = ParseRegedit(
        "REGEDIT4\n[K\\A]\n\"x\"=dword:1\n[k\\b]\n[k\\a]\n\"X\"=dword:2\n\"y\"=hex:\n");
    ASSERT_FALSE(parsed.failure);
    ASSERT_EQ(parsed.document.keys.size(), 2u);
    const RegKey& a = parsed.document.keys[0];
    ASSERT_EQ(a.entries.size(), 2u);
    EXPECT_EQ(a.entries[0].data, std::string("\2\0\0\0", 4));
    EXPECT_EQ(a.entries[1].data, "");

    // A key with many values finds its repeated names too.
    std::string many = "REGEDIT4\n[K]\n";
    for (int i = 0; i < 40; ++i) many += "\"v" + std::to_string(i) + "\"=hex:01\n";
    many += "\"V3\"=hex:02\n\"v39\"=hex:03\n";
    const ParseResult big = ParseRegedit(many);
    ASSERT_FALSE(big.failure);
    ASSERT_EQ(big.document.keys[0].entries.size(), 40u);
    EXPECT_EQ(big.document.keys[0].entries[3].data, "\x02");
    EXPECT_EQ(big.document.keys[0].entries[39].data, "\x03");
}

}  // namespace
}  // namespace winreg
