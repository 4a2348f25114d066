// Writing the file format: each form as the registry editor writes it, and
// long lists within the line width, read back whole.
#include "winapi/regedit_write.hpp"

#include <gtest/gtest.h>

#include "winapi/regedit_parse.hpp"

namespace winreg {
namespace {

TEST(RegeditWrite, WritesEachFormAsTheRegistryEditorDoes) {
    RegKey key{"HKEY_CURRENT_USER\\K", {}};
    SetValue(key, "text", 1, std::string("a \"b\" \\c\0", 9));
    SetValue(key, "bare", 1, "abc");
    SetValue(key, "inner", 1, std::string("a\0b\0", 4));
    SetValue(key, "lines", 1, std::string("a\r\nb\0", 5));
    SetValue(key, "n", 4, std::string("\x4e\0\0\0", 4));
    SetValue(key, "short", 4, "\x01");
    SetValue(key, "b", 3, "\x01\xff");
    SetValue(key, "odd", 0x1234, "");
    SetValue(key, "", 1, std::string("d\0", 2));
    const std::string expected[] = {
        "\"text\"=\"a \\\"b\\\" \\\\c\"", "\"bare\"=hex(1):61,62,63",
        "\"inner\"=hex(1):61,00,62,00", "\"lines\"=hex(1):61,0d,0a,62,00",
        "\"n\"=dword:0000004e",         "\"short\"=hex(4):01",
        "\"b\"=hex:01,ff",              "\"odd\"=hex(1234):",
        "@=\"d\"",
    };
    ASSERT_EQ(key.entries.size(), std::size(expected));
    for (std::size_t i = 0; i < key.entries.size(); ++i) {
        EXPECT_EQ(FormatValue(key.entries[i]), expected[i]);
    }
}

TEST(RegeditWrite, LongHexListsWrapWithinEightyColumnsAndReadBack) {
    std::string bytes;
    for (int i = 0; i < 3000; ++i) bytes.push_back(static_cast<char>(i * 7));
    RegDocument document;
    SetValue(EnsureKey(document, "HKEY_CURRENT_USER\\K"), "blob", 3, bytes);
    const std::string text = SerialiseRegedit(document);
    std::size_t lines = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        EXPECT_LE(end - start, 80u);
        start = end + 2;
        ++lines;
    }
    EXPECT_GT(lines, 100u);
    const ParseResult parsed = ParseRegedit(text);
    ASSERT_FALSE(parsed.failure);
    EXPECT_EQ(FindValue(parsed.document.keys[0], "BLOB")->data, bytes);
}

}  // namespace
}  // namespace winreg
