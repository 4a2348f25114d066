// The table of a file opened without --codepage, end to end: a file of
// nothing but ASCII is kept in the locale's character set (UTF-8 where the
// locale is UTF-8 or plain ASCII), an FTN reader's reply file in the 8-bit
// table: the locale's own when it is one of the editor's tables, else 866.
// Either build of Marten stores what is typed so.
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
             const std::vector<std::string>& args, const std::string& plugins = kAnsiPlugins) {
    std::string command = "env -u LANGUAGE LANG= LC_ALL=" + locale;
    if (!locales.empty()) command += " LOCPATH=" + Quote(locales);
    command += " " + EditCommand(scratch, args, plugins) + " </dev/null >/dev/null 2>" +
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

    for (const std::string& plugins : {kAnsiPlugins, kDefaultPlugins}) {
        WriteFile(file, kKoi8rReply);
        ASSERT_EQ(RunUnder(scratch, locales, "ru_RU.KOI8-R",
                           {"--keys", typedKoi8r, "--at", "2:1", file}, plugins),
                  0)
            << ReadFile(scratch.Path(".err"));
        EXPECT_EQ(ReadFile(file), kKoi8rReply.substr(0, 11) + "\n" + keptKoi8r + "\n") << plugins;
    }

    // --codepage still decides: the same keys are kept in 866.
    WriteFile(file, kKoi8rReply);
    ASSERT_EQ(RunUnder(scratch, locales, "ru_RU.KOI8-R",
                       {"--codepage", "866", "--keys", typedKoi8r, "--at", "2:1", file}),
              0)
        << ReadFile(scratch.Path(".err"));
    EXPECT_EQ(ReadFile(file), kKoi8rReply.substr(0, 11) + "\nH\xA5p\xAF\xA0\n");
}

TEST(LocaleTable, UnderUtf8AndCLocalesRepliesStayIn866AndOtherFilesTakeUtf8) {
    ScratchFolder scratch("locale-866");
    const struct {
        const char* name;
        const std::string& plugins;
        std::string kept;
    } cases[] = {
        {"reply.msg", kAnsiPlugins, "H\xA5p\xAF\xA0\n"},
        {"GOLDED.MSG", kDefaultPlugins, "H\xA5p\xAF\xA0\n"},
        // Marten leaves a file its mask does not name as it is typed.
        {"notes.txt", kDefaultPlugins, "Нерпа\n"},
        // The 1.x build carries one byte per character: the 8-bit table.
        {"notes.txt", kAnsiPlugins, "\x8D\xA5\xE0\xAF\xA0\n"},
    };
    for (const auto& c : cases) {
        const std::string file = scratch.Path(c.name);
        for (const char* locale : {"C.UTF-8", "C"}) {
            WriteFile(file, "\n");
            ASSERT_EQ(RunUnder(scratch, "", locale, {"--keys", "Нерпа", file}, c.plugins), 0)
                << locale << ": " << ReadFile(scratch.Path(".err"));
            EXPECT_EQ(ReadFile(file), c.kept) << c.name << " in " << c.plugins << ", " << locale;
        }
    }
}

}  // namespace
}  // namespace edit_e2e
