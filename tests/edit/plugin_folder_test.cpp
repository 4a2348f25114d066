// The plug-in folder as the build makes it: the language files are the
// sources with the version put in the About box's title, every other byte
// (code page 866, CRLF) as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/edit/edit_run.hpp"

namespace edit_e2e {
namespace {

namespace fs = std::filesystem;

TEST(PluginFolder, LanguageFilesNameTheVersionAndKeepEveryOtherByte) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(MARTEN_SOURCE_DIR) / "module/lang")) {
        if (entry.path().extension() != ".lng") continue;
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        std::string source = ReadFile(entry.path().string());
        auto at = source.find("@VERSION@");
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(source.find("@VERSION@", at + 1), std::string::npos);
        std::string expected = source.replace(at, 9, MARTEN_VERSION);
        std::string built = ReadFile((fs::path(MARTEN_PLUGIN_DIR) / entry.path().filename()).string());
        EXPECT_EQ(built, expected);
        EXPECT_NE(built.find("Marten " MARTEN_VERSION "\"\r\n"), std::string::npos);
    }
    EXPECT_EQ(files, 2);
}

}  // namespace
}  // namespace edit_e2e
