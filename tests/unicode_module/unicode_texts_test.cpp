// The Unicode face's language and help files, made from the 1.x face's at
// build time: UTF-8 behind a byte-order mark, the .Language= line first, and
// line for line the same texts, each followed by the texts of the settings
// and commands the 1.x face does not have.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(UnicodeTexts, AreTheAnsiTextsInUtf8) {
    for (const char* name : {"marten_en.lng", "marten_ru.lng", "marten_en.hlf", "marten_ru.hlf"}) {
        SCOPED_TRACE(name);
        const std::string ansi = Contents(std::string(MARTEN_PLUGIN_DIR) + "/" + name);
        const std::string unicode = Contents(std::string(MARTEN_UNICODE_PLUGIN_DIR) + "/" + name);
        ASSERT_FALSE(ansi.empty());
        ASSERT_EQ(unicode.compare(0, 13, "\xEF\xBB\xBF.Language="), 0);
        std::vector<std::string> ansiLines = Lines(ansi);
        const std::vector<std::string> unicodeLines = Lines(unicode.substr(3));
        // Each followed by the texts of what the 1.x face does not have.
        const bool language = std::string(name).ends_with(".lng");
        const std::string extra =
            Contents(std::string(MARTEN_SOURCE_DIR) +
                     (language ? "/module/lang/extra/" : "/module/help/extra/") + name);
        ASSERT_FALSE(extra.empty());
        for (const std::string& line : Lines(extra)) ansiLines.push_back(line);
        ASSERT_EQ(unicodeLines.size(), ansiLines.size());
        EXPECT_EQ(unicodeLines.front(), ansiLines.front());
        // ASCII lines are the same bytes; Russian ones grow (two bytes a letter).
        for (std::size_t i = 0; i < ansiLines.size(); ++i) {
            EXPECT_GE(unicodeLines[i].size(), ansiLines[i].size()) << "line " << i + 1;
        }
    }
    // The Russian texts are Cyrillic in UTF-8 ("Н" is D0 9D), not OEM bytes,
    // the appended ones too ("Р" is D0 A0).
    const std::string ru = Contents(std::string(MARTEN_UNICODE_PLUGIN_DIR) + "/marten_ru.lng");
    EXPECT_NE(ru.find("\xD0\x9D"), std::string::npos);
    EXPECT_NE(ru.find("\"&\xD0\xA0"), std::string::npos);
}

}  // namespace
