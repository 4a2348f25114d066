// The registry file's contents in memory: which keys exist, and values found,
// set and removed by name without regard to ASCII case.
#include "winapi/regedit_document.hpp"

#include <gtest/gtest.h>

namespace winreg {
namespace {

TEST(RegeditDocument, KeyExistenceCountsSectionsBelow) {
    RegDocument document;
    EnsureKey(document, "HKEY_CURRENT_USER\\A\\B\\C");
    EXPECT_TRUE(KeyExists(document, "hkey_current_user\\a"));
    EXPECT_TRUE(KeyExists(document, "HKEY_CURRENT_USER\\A\\b\\C"));
    EXPECT_FALSE(KeyExists(document, "HKEY_CURRENT_USER\\A\\B\\C\\D"));
    EXPECT_FALSE(KeyExists(document, "HKEY_CURRENT_USER\\A\\BB"));
    EXPECT_FALSE(KeyExists(document, "HKEY_CURRENT_USER\\A\\"));
    // Only a key with a section of its own is found.
    EXPECT_EQ(FindKey(document, "HKEY_CURRENT_USER\\A"), nullptr);
    EXPECT_EQ(&EnsureKey(document, "hkey_current_user\\a\\b\\c"), &document.keys[0]);
    EXPECT_EQ(document.keys.size(), 1u);
}

TEST(RegeditDocument, ValuesByNameWithoutRegardToCasePassOverComments) {
    RegKey key{"HKEY_CURRENT_USER\\K", {}};
    RegEntry comment;
    comment.isComment = true;
    comment.source = "; RIndent";
    key.entries.push_back(comment);
    SetValue(key, "RIndent", 4, std::string("\x4e\0\0\0", 4));
    SetValue(key, "rindent", 4, std::string("\x3c\0\0\0", 4));  // the same value, its name kept
    ASSERT_EQ(key.entries.size(), 2u);
    EXPECT_EQ(key.entries[1].name, "RIndent");
    EXPECT_EQ(FindValue(key, "RINDENT")->data, std::string("\x3c\0\0\0", 4));
    EXPECT_EQ(FindValue(key, "; RIndent"), nullptr);
    EXPECT_FALSE(RemoveValue(key, "LIndent"));
    EXPECT_TRUE(RemoveValue(key, "rINDENT"));
    EXPECT_EQ(FindValue(key, "RIndent"), nullptr);
    EXPECT_EQ(key.entries.size(), 1u);  // the comment stays
}

}  // namespace
}  // namespace winreg
