// The table of a file opened without --codepage, end to end: the locale's
// own when its character set is one of the editor's tables, else 866.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "tests/edit/edit_run.hpp"

namespace edit_e2e {
namespace {

// A reply kept by an FTN reader set up for KOI8-R: "Привет" quoted, then a
// line to write on.
const std::string kKoi8rReply = " AB> \xF0\xD2\xC9\xD7\xC5\xD4\n\n";

// Runs marten-edit in batch mode under the locale `locale` (from `locales`
// when given) with `args`; answers the exit status.
int RunUnder(const ScratchFolder& scratch, const std::string& locales, const std::string& locale,
             const std::vector<std::string>& args) {
    std::string command = "env -u LANGUAGE LANG= LC_ALL=" + locale;
    if (!locales.empty()) command += " LOCPATH=" + Quote(locales);
    command += " " + EditCommand(scratch, args) + " </dev/null >/dev/null 2>" +
               Quote(scratch.Path(".err"));
    const int raw = std::system(command.c_str());
    return raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST(LocaleTable, AKoi8rLocaleOpensFilesInKoi8r) {
    ScratchFolder scratch("locale-table");
    const std::string locales = scratch.Path("locale");
    std::filesystem::create_directories(locales);
    ASSERT_EQ(std::system(("localedef -i ru_RU -f KOI8-R " + Quote(locales + "/ru_RU.KOI8-R") +
                           " >/dev/null 2>&1")
                              .c_str()),
              0)
        << "localedef (package locales) made no KOI8-R locale";
    const std::string file = scratch.Path("golded.msg");
    // "Нерпа" typed in the locale's set: the module turns Н and р into H and p.
    const std::string typedKoi8r = "\xEE\xC5\xD2\xD0\xC1";
    const std::string keptKoi8r = "H\xC5p\xD0\xC1";

    WriteFile(file, kKoi8rReply);
    ASSERT_EQ(
        RunUnder(scratch, locales, "ru_RU.KOI8-R", {"--keys", typedKoi8r, "--at", "2:1", file}), 0)
        << ReadFile(scratch.Path(".err"));
    EXPECT_EQ(ReadFile(file), kKoi8rReply.substr(0, 11) + "\n" + keptKoi8r + "\n");

    // --codepage still decides: the same keys are kept in 866.
    WriteFile(file, kKoi8rReply);
    ASSERT_EQ(RunUnder(scratch, locales, "ru_RU.KOI8-R",
                       {"--codepage", "866", "--keys", typedKoi8r, "--at", "2:1", file}),
              0)
        << ReadFile(scratch.Path(".err"));
    EXPECT_EQ(ReadFile(file), kKoi8rReply.substr(0, 11) + "\nH\xA5p\xAF\xA0\n");
}

TEST(LocaleTable, UnderUtf8AndCLocalesFilesStayIn866) {
    ScratchFolder scratch("locale-866");
    const std::string file = scratch.Path("reply.msg");
    for (const char* locale : {"C.UTF-8", "C"}) {
        WriteFile(file, "\n");
        ASSERT_EQ(RunUnder(scratch, "", locale, {"--keys", "Нерпа", file}), 0)
            << locale << ": " << ReadFile(scratch.Path(".err"));
        EXPECT_EQ(ReadFile(file), "H\xA5p\xAF\xA0\n") << locale;
    }
}

}  // namespace
}  // namespace edit_e2e
