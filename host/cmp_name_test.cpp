#include "host/cmp_name.hpp"

#include <gtest/gtest.h>

#include <string>

namespace host {
namespace {

struct Case {
    const char* pattern;
    const char* name;
    bool skipPath;
    bool matches;
};

bool IsAscii(const std::string& text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

void ExpectTable(const Case* cases, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(CmpName(c.pattern, c.name, c.skipPath), c.matches)
            << "pattern '" << c.pattern << "' name '" << c.name << "' skipPath " << c.skipPath;
        // UTF-16 names of a Unicode plug-in match by the same rules.
        const std::string pattern = c.pattern, name = c.name;
        if (IsAscii(pattern) && IsAscii(name)) {
            EXPECT_EQ(CmpName(std::u16string(pattern.begin(), pattern.end()),
                              std::u16string(name.begin(), name.end()), c.skipPath),
                      c.matches)
                << "UTF-16: pattern '" << c.pattern << "' name '" << c.name << "'";
        }
    }
}

TEST(CmpName, MaskListsIncludeAndExclude) {
    struct ListCase {
        const char16_t* masks;
        const char16_t* name;
        bool matches;
    };
    const ListCase cases[] = {
        {u"*.msg,golded.*", u"C:\\Fido\\GOLDED.TMP", true},
        {u"*.msg; *.txt", u"/x/a.txt", true},
        {u"*.msg,*.txt", u"/x/a.bak", false},
        {u"*.*|*.bak", u"/x/a.bak", false},
        {u"*.*|*.bak", u"/x/a.msg", true},
        {u"|*.bak", u"/x/a.msg", true},  // no include mask: every name
        {u"", u"/x/a.msg", false},
        {u" , ", u"/x/a.msg", false},
    };
    for (const ListCase& c : cases) {
        EXPECT_EQ(CmpNameList(c.masks, c.name, true), c.matches);
    }
}

TEST(CmpName, Utf16NamesFoldCyrillicCase) {
    EXPECT_TRUE(CmpName(u"*.ОТВ", u"C:\\fido\\письмо.отв", true));
    EXPECT_TRUE(CmpName(u"ё[а-я]*", u"ЁЖ", false));
    EXPECT_FALSE(CmpName(u"*.msg", u"/x/a.msg/other", true));
    EXPECT_FALSE(CmpName(u"[а-я]", u"z", false));
}

TEST(CmpName, Wildcards) {
    const Case cases[] = {
        {"*", "", false, true},
        {"*", "anything", false, true},
        {"", "", false, true},
        {"", "a", false, false},
        {"?", "", false, false},
        {"?", "a", false, true},
        {"??", "a", false, false},
        {"a*b", "ab", false, true},
        {"a*b", "axxb", false, true},
        {"a*b", "axxbc", false, false},
        {"*.msg", "reply.msg", false, true},
        {"*.msg", "reply.msg.bak", false, false},
        {"*.msg", "reply.msgx", false, false},
        {"*.*", "noext", false, false},
        {"a?c*", "abcdef", false, true},
        {"*a*b*c", "xxaxxbxxc", false, true},
        {"*a*b*c", "xxaxxcxxb", false, false},
    };
    ExpectTable(cases, std::size(cases));
}

TEST(CmpName, SetsAndRanges) {
    const Case cases[] = {
        {"[abc].txt", "b.txt", false, true},
        {"[abc].txt", "d.txt", false, false},
        {"[a-c]x", "bx", false, true},
        {"[a-c]x", "Bx", false, true},  // ranges ignore case too
        {"[A-C]x", "bx", false, true},
        {"[a-c]x", "dx", false, false},
        {"[-a]", "-", false, true},  // a '-' at the edge stands for itself
        {"[a-]", "-", false, true},
        {"*.[a,b]x", "f.ax", false, true},
        {"*.[a,b]x", "f.,x", false, true},
        {"[0-9][0-9]", "42", false, true},
        {"[0-9][0-9]", "4x", false, false},
        // An unclosed '[' and "[]" open no set: the brackets stand for themselves.
        {"a[b", "a[b", false, true},
        {"a[b", "ab", false, false},
        {"[]", "[]", false, true},
        {"[]", "x", false, false},
        {"x]", "x]", false, true},
    };
    ExpectTable(cases, std::size(cases));
}

TEST(CmpName, LettersIgnoreCaseInAsciiAndCodePage866) {
    const Case cases[] = {
        {"*.MSG", "reply.msg", false, true},
        {"GOLDED.*", "golded.tmp", false, true},
        {"golded.*", "GoldEd.TMP", false, true},
        // Cyrillic in code page 866: "письмо" against "ПИСЬМО", and ё against Ё.
        {"\xAF\xA8\xE1\xEC\xAC\xAE.*", "\x8F\x88\x91\x9C\x8C\x8E.txt", false, true},
        {"\xF1", "\xF0", false, true},
        {"[\xA0-\xAF]", "\x85", false, true},  // range а..п holds Е
        {"\xA0", "\xA1", false, false},
    };
    ExpectTable(cases, std::size(cases));
}

TEST(CmpName, SkipPathComparesOnlyTheNamePart) {
    const Case cases[] = {
        {"*.msg", "C:\\FIDO\\REPLY.MSG", true, true},
        {"golded.*", "/home/u/golded.tmp", true, true},
        {"golded.*", "C:golded.tmp", true, true},
        {"golded.*", "/home/golded.d/reply.txt", true, false},
        {"*.msg", "/tmp/msg.d/", true, false},
        // Without skipPath the directory takes part.
        {"golded.*", "/home/u/golded.tmp", false, false},
        {"*golded.*", "/home/u/golded.tmp", false, true},
        {"reply.msg", "C:\\FIDO\\REPLY.MSG", true, true},
        {"fido*", "C:\\FIDO\\REPLY.MSG", true, false},
    };
    ExpectTable(cases, std::size(cases));
}

TEST(CmpName, PathologicalPatternsFinish) {
    // Exponential backtracking would take ages here; the matcher keeps only
    // the last star, so these answer at once.
    const std::string name(4000, 'a');
    EXPECT_FALSE(CmpName("*a*a*a*a*a*a*a*a*a*a*b", name, false));
    EXPECT_TRUE(CmpName("*a*a*a*a*a*a*a*a*a*a*a", name, false));
    EXPECT_FALSE(CmpName(std::string(2000, '*') + "b", name, false));
    EXPECT_FALSE(CmpName("*?*?*?*?*?*?*?*?*?*[b]", name, false));
}

}  // namespace
}  // namespace host
