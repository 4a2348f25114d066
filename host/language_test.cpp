#include "host/language.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace host {
namespace {

namespace fs = std::filesystem;

TEST(ParseLanguageFile, ReadsHeaderAndMessagesInOrder) {
    std::string error;
    const auto file = ParseLanguageFile(
        "// a comment before the header\r\n"
        "\r\n"
        ".Language=Russian,Russian (\x90\xE3\xE1\xE1\xAA\xA8\xA9)\r\n"
        "// MFiller\r\n"
        "\"* * *\"\r\n"
        "\r\n"
        "  \"\"  \r\n"
        "\"say \"hi\" now\"\r\n"
        "\"last, without a line end\"",
        &error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->language, "Russian");
    EXPECT_EQ(file->displayName, "Russian (\x90\xE3\xE1\xE1\xAA\xA8\xA9)");
    EXPECT_EQ(file->messages, (std::vector<std::string>{"* * *", "", "say \"hi\" now",
                                                        "last, without a line end"}));
}

TEST(ParseLanguageFile, LineFeedsAloneAndAHeaderWithoutDisplayName) {
    std::string error;
    const auto file = ParseLanguageFile(".Language=English\n\"a\"\n\"b\"\n", &error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->language, "English");
    EXPECT_EQ(file->displayName, "English");
    EXPECT_EQ(file->messages, (std::vector<std::string>{"a", "b"}));
}

TEST(ParseLanguageFile, ErrorsNameTheLine) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"", "no .Language= header"},
        {"// only a comment\r\n\r\n", "no .Language= header"},
        {"\"a\"\r\n", "line 1: expected .Language=ID,Display name"},
        {"\r\n.Language=,Nobody\r\n", "line 2: the .Language= header names no language"},
        {".Language=English,English\r\n\"a\"\r\nb\r\n", "line 3: expected a quoted message"},
        {".Language=English,English\r\n\"unclosed\r\n", "line 2: expected a quoted message"},
        {".Language=English,English\r\n\"\r\n", "line 2: expected a quoted message"},
        {".Language=English,English\r\n\"a\" trailing\r\n", "line 2: expected a quoted message"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseLanguageFile(c.text, &error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(ParseHelpFile, ReadsContentsAndTopics) {
    std::string error;
    const auto file = ParseHelpFile(
        ".Language=English,English\r\n"
        ".PluginContents=Marten\r\n"
        ".Options CtrlColorChar=\\\r\n"
        "\r\n"
        "@Contents\r\n"
        "$ #Marten#\r\n"
        " See ~the dialog~@dlgConfigure@.\r\n"
        "// kept: a body keeps its lines\r\n"
        "\r\n"
        "\r\n"
        "@dlgConfigure\r\n"
        "Settings.\r\n"
        "@dlgAbout\r\n",
        &error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->language, "English");
    EXPECT_EQ(file->contentsTitle, "Marten");
    ASSERT_EQ(file->topics.size(), 3u);
    EXPECT_EQ(file->topics[0].first, "Contents");
    EXPECT_EQ(file->topics[0].second,
              "$ #Marten#\n See ~the dialog~@dlgConfigure@.\n// kept: a body keeps its lines");
    ASSERT_NE(file->Topic("dlgConfigure"), nullptr);
    EXPECT_EQ(*file->Topic("dlgConfigure"), "Settings.");
    ASSERT_NE(file->Topic("DLGABOUT"), nullptr);  // topic names ignore case
    EXPECT_EQ(*file->Topic("dlgAbout"), "");
    EXPECT_EQ(file->Topic("Missing"), nullptr);
}

TEST(ParseHelpFile, ErrorsNameTheLine) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"@Contents\r\n", "line 1: expected .Language=ID,Display name"},
        {".Language=English\r\n@Contents\r\n",
         "line 2: no .PluginContents= line before the first topic"},
        {".Language=English\r\n.PluginContents=M\r\nstray text\r\n@Contents\r\n",
         "line 3: text before the first topic"},
        {".Language=English\r\n.PluginContents=M\r\n@ \r\n",
         "line 3: a topic needs a name after @"},
        {".Language=English\r\n.PluginContents=M\r\n@A\r\nx\r\n@a\r\n",
         "line 5: topic \"a\" appears twice"},
        {".Language=English\r\n.PluginContents=M\r\n", "no topic (a line @Name) in the file"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseHelpFile(c.text, &error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

// A folder of its own under the build tree, emptied first.
class LanguageFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() / ("marten-host-" + std::string(test->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    void Write(const char* name, const std::string& text) {
        std::ofstream(folder_ / name, std::ios::binary) << text;
    }
    std::string Folder() const { return folder_.string(); }
    fs::path folder_;
};

TEST_F(LanguageFolder, PicksTheChosenLanguageElseEnglishElseTheFirst) {
    Write("b_ru.lng", ".Language=Russian,Russian\r\n\"ru\"\r\n");
    Write("c_en.LNG", ".Language=English,English\r\n\"en\"\r\n");
    Write("a_de.lng", ".Language=German,Deutsch\r\n\"de\"\r\n");
    Write("notes.txt", ".Language=Polish,Polski\r\n\"pl\"\r\n");
    std::string error = "stale";
    EXPECT_EQ(FindLanguageFile(Folder(), "Russian", &error)->messages[0], "ru");
    EXPECT_EQ(error, "");
    EXPECT_EQ(FindLanguageFile(Folder(), "russian", &error)->messages[0], "ru");
    EXPECT_EQ(FindLanguageFile(Folder(), "Polish", &error)->messages[0], "en");
    fs::remove(folder_ / "c_en.LNG");
    EXPECT_EQ(FindLanguageFile(Folder(), "Polish", &error)->messages[0], "de");
}

TEST_F(LanguageFolder, PassesOverFilesThatDoNotParse) {
    Write("a_bad.lng", ".Language=English,English\r\nnot quoted\r\n");
    Write("b_ru.lng", ".Language=Russian,Russian\r\n\"ru\"\r\n");
    std::string error;
    Write("c_bad.lng", "");
    const auto file = FindLanguageFile(Folder(), "English", &error);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->language, "Russian");
    // The files passed over are named all the same.
    EXPECT_EQ(error,
              "a_bad.lng: line 2: expected a quoted message\nc_bad.lng: no .Language= header");
    fs::remove(folder_ / "b_ru.lng");
    fs::remove(folder_ / "c_bad.lng");
    EXPECT_FALSE(FindLanguageFile(Folder(), "English", &error));
    EXPECT_EQ(error, "a_bad.lng: line 2: expected a quoted message");
}

TEST_F(LanguageFolder, NoFilesIsAClearError) {
    std::string error;
    EXPECT_FALSE(FindLanguageFile(Folder(), "English", &error));
    EXPECT_EQ(error, "no *.lng file in " + Folder());
    EXPECT_FALSE(FindHelpFile(Folder() + "/missing", "English", &error));
    EXPECT_EQ(error, "no *.hlf file in " + Folder() + "/missing");
}

TEST_F(LanguageFolder, FindsHelpFilesTheSameWay) {
    Write("en.hlf", ".Language=English,English\r\n.PluginContents=M\r\n@Contents\r\nen\r\n");
    Write("ru.hlf", ".Language=Russian,Russian\r\n.PluginContents=M\r\n@Contents\r\nru\r\n");
    std::string error;
    EXPECT_EQ(*FindHelpFile(Folder(), "Russian", &error)->Topic("Contents"), "ru");
    EXPECT_EQ(*FindHelpFile(Folder(), "Klingon", &error)->Topic("Contents"), "en");
}

}  // namespace
}  // namespace host

namespace host {
namespace {

TEST(UnicodeTextFile, TheByteOrderMarkDecidesElseUtf8ThenOem) {
    EXPECT_EQ(DecodeUnicodeTextFile("\xEF\xBB\xBFН\r\n"), "Н\r\n");
    EXPECT_EQ(DecodeUnicodeTextFile(std::string("\xFF\xFE\x1D\x04\n\0", 6)), "Н\n");
    EXPECT_EQ(DecodeUnicodeTextFile(std::string("\xFE\xFF\x04\x1D\0\n", 6)), "Н\n");
    // UTF-8 lines up to the first that is not; OEM 866 from that line on.
    EXPECT_EQ(DecodeUnicodeTextFile("ok Н\nx \x8D\xE0\n\xD0\x9D"), "ok Н\nx Нр\n╨Э");
}

TEST(UnicodeLanguageFile, MessagesWithEscapesAndTheirHeader) {
    std::string error;
    const auto file = ParseUnicodeLanguageFile(
        ".Language=Russian,Русский\r\n"
        ".Other=ignored\r\n"
        "comment lines need no slashes\r\n"
        "  \"plain\"\r\n"
        "\"tab\\there \\\"q\\\" \"\"x\"\" back\\\\slash\"\r\n"
        "\"no closing quote\r\n"
        "\"\"\r\n",
        &error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->language, "Russian");
    EXPECT_EQ(file->displayName, "Русский");
    EXPECT_EQ(file->messages,
              (std::vector<std::string>{"plain", "tab\there \"q\" \"x\" back\\slash",
                                        "no closing quote", ""}));
    EXPECT_FALSE(ParseUnicodeLanguageFile("\"first\"\r\n.Language=English\r\n", &error));
    EXPECT_EQ(error, "no .Language= header before the first message");
}

}  // namespace
}  // namespace host
