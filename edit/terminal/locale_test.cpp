#include "edit/terminal/locale.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace edit {
namespace {

// Sets the locale variables for one check and puts the caller's back after.
class LocaleEnvironment {
public:
    LocaleEnvironment() {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
            ::unsetenv(name);
        }
    }
    ~LocaleEnvironment() {
        for (std::size_t i = 0; i < saved_.size(); ++i) {
            if (saved_[i])
                ::setenv(kNames[i], saved_[i]->c_str(), 1);
            else
                ::unsetenv(kNames[i]);
        }
        std::setlocale(LC_CTYPE, "C");
    }

private:
    static constexpr const char* kNames[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    std::vector<std::optional<std::string>> saved_;
};

TEST(Locale, NoLocaleOrAnAsciiOneFallsBackToUtf8) {
    LocaleEnvironment environment;
    EXPECT_EQ(UseTerminalLocale(), "UTF-8");  // nothing set at all
    for (const char* name : {"C", "POSIX", "no_SUCH.locale"}) {
        ::setenv("LC_ALL", name, 1);
        EXPECT_EQ(UseTerminalLocale(), "UTF-8") << name;
    }
    ::setenv("LC_ALL", "C.UTF-8", 1);
    EXPECT_EQ(UseTerminalLocale(), "UTF-8");
}

TEST(Locale, CharsetNames) {
    for (const char* name : {"ANSI_X3.4-1968", "ASCII", "US-ASCII", "646", ""}) {
        EXPECT_TRUE(IsAsciiCharset(name)) << name;
    }
    EXPECT_FALSE(IsAsciiCharset("KOI8-R"));
    for (const char* name : {"UTF-8", "utf8", "UTF_8"}) EXPECT_TRUE(IsUtf8Charset(name)) << name;
    EXPECT_FALSE(IsUtf8Charset("KOI8-R"));
}

// What a terminal lacks is drawn as a look-alike, never as a blank.
TEST(Locale, CharactersTheTerminalLacksGetLookAlikes) {
    LocaleEnvironment environment;
    std::setlocale(LC_CTYPE, "C");
    EXPECT_EQ(Displayable(U'a'), U'a');
    EXPECT_EQ(Displayable(U'↓'), U'v');
    EXPECT_EQ(Displayable(U'═'), U'-');
    EXPECT_EQ(Displayable(U'║'), U'|');
    EXPECT_EQ(Displayable(U'╔'), U'+');
    EXPECT_EQ(Displayable(U'…'), U'.');
    EXPECT_EQ(Displayable(U'Н'), U'?');
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    EXPECT_EQ(Displayable(U'↓'), U'↓');
    EXPECT_EQ(Displayable(U'Н'), U'Н');
    EXPECT_EQ(Displayable(U'\uFFFD'), U'?');
    EXPECT_EQ(Displayable(U'中'), U'?');  // two columns would shift the cells after it
}

TEST(Locale, TextInTheLocalesCharsetBecomesUtf8) {
    EXPECT_EQ(ToUtf8From("KOI8-R", "\xEE\xD2 ok"), "Нр ok");
    EXPECT_EQ(ToUtf8From("UTF-8", std::string(300, 'x')), std::string(300, 'x'));
    EXPECT_FALSE(ToUtf8From("UTF-8", "\xFF"));
    EXPECT_FALSE(ToUtf8From("NO-SUCH-CHARSET", "x"));
}

}  // namespace
}  // namespace edit
