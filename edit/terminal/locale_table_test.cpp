#include "edit/terminal/locale_table.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <map>

namespace edit {
namespace {

using engine::CodePage;

TEST(LocaleTable, OfTheCharsetsName) {
    const struct {
        const char* charset;
        std::optional<CodePage> table;
    } cases[] = {
        {"UTF-8", CodePage::Utf8},
        {"utf8", CodePage::Utf8},
        {"ANSI_X3.4-1968", CodePage::Utf8},  // no locale, or one not installed
        {"", CodePage::Utf8},
        {"KOI8-R", CodePage::Koi8r},
        {"CP1251", CodePage::Ansi1251},
        {"IBM866", CodePage::Oem866},
        {"CP866", CodePage::Oem866},
        {"ISO-8859-1", std::nullopt},
        {"ISO-8859-5", std::nullopt},
        {"KOI8-U", std::nullopt},
        {"EUC-JP", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(TableOfCharset(c.charset), c.table) << c.charset;
}

// Sets the variables a check names and unsets the other locale variables;
// puts them all back after.
class Environment {
public:
    explicit Environment(const std::map<std::string, std::string>& values) {
        for (const char* name : kNames) {
            if (const char* value = std::getenv(name)) kept_[name] = value;
            ::unsetenv(name);
        }
        for (const auto& [name, value] : values) ::setenv(name.c_str(), value.c_str(), 1);
    }
    ~Environment() {
        for (const char* name : kNames) ::unsetenv(name);
        for (const auto& [name, value] : kept_) ::setenv(name.c_str(), value.c_str(), 1);
    }

private:
    static constexpr const char* kNames[] = {"LC_ALL", "LC_CTYPE", "LC_TIME", "LANG", "LOCPATH"};
    std::map<std::string, std::string> kept_;
};

// LC_ALL, then LC_CTYPE, then LANG name the set; a KOI8-R locale of its own
// is made for the check, as no system is sure to have one.
TEST(LocaleTable, OfTheEnvironment) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("marten-locale-table-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string command =
        "localedef -i ru_RU -f KOI8-R " + (folder / "ru_RU.KOI8-R").string() + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0)
        << "localedef (package locales) made no KOI8-R locale";
    const std::string koi8r = "ru_RU.KOI8-R";
    Environment outside({{"LOCPATH", folder.string()}});
    // The program's own, which no answer may come from.
    ASSERT_NE(std::setlocale(LC_CTYPE, koi8r.c_str()), nullptr);
    const struct {
        std::map<std::string, std::string> variables;
        std::optional<CodePage> table;
    } cases[] = {
        {{}, CodePage::Utf8},
        {{{"LC_ALL", "C"}}, CodePage::Utf8},
        {{{"LC_ALL", "no_SUCH.locale"}}, CodePage::Utf8},
        {{{"LANG", koi8r}}, CodePage::Koi8r},
        {{{"LANG", "C"}, {"LC_CTYPE", koi8r}}, CodePage::Koi8r},
        {{{"LC_ALL", "C"}, {"LC_CTYPE", koi8r}}, CodePage::Utf8},
        {{{"LC_ALL", koi8r}, {"LANG", "C"}}, CodePage::Koi8r},
        // A category other than the character set's is not asked.
        {{{"LANG", koi8r}, {"LC_TIME", "no_SUCH.locale"}}, CodePage::Koi8r},
    };
    for (const auto& c : cases) {
        auto variables = c.variables;
        variables["LOCPATH"] = folder.string();
        Environment environment(variables);
        EXPECT_EQ(LocaleTable(), c.table) << testing::PrintToString(c.variables);
    }
    EXPECT_EQ(std::string(std::setlocale(LC_CTYPE, nullptr)), koi8r);  // kept
    std::setlocale(LC_CTYPE, "C");
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace edit
