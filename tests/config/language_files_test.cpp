// The language and help files that ship beside each face's module: one text
// per message identifier the face shows in every language, in order, and
// every help topic the module names in every help file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "host/language.hpp"
#include "module/ui/config_menu.hpp"
#include "module/ui/messages.hpp"
#include "module/ui/settings_dialog.hpp"

namespace config_test {
namespace {

namespace fs = std::filesystem;

// The identifiers' names in identifier order, as the comment before each
// message names them.
const char* const kMessageNames[marten::kMessageCount] = {
    "MFiller",           "MOk",
    "MCancel",           "MAbout",
    "MAboutTitle",       "MAboutText",
    "MMenuTitle",        "MPluginTitle",
    "MEnableQuote",      "MEnableAutoWrap",
    "MEnableAutoIndent", "MEnableHPChange",
    "MRIndent",          "MLIndent",
    "MConfigure",        "MFileMask",
    "MBalanced",         "MSettingsMovedAside",
    "MReflowCommand",    "MReflowLeft",
    "MReflowLeftWhy"};

// The language files of each face: the 1.x face's, as they are kept, with
// the texts it shows; the Unicode face's, made at build time, with them all.
struct FaceFiles {
    fs::path folder;
    int messages;
};
const FaceFiles kFaces[] = {
    {fs::path(MARTEN_SOURCE_DIR) / "module/lang", marten::kAnsiMessageCount},
    {MARTEN_UNICODE_PLUGIN_DIR, marten::kMessageCount},
};

std::vector<fs::path> FilesIn(const fs::path& folder, const char* extension) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == extension) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// Every line ends in CR LF, the last one included.
void ExpectCrLfLines(const std::string& bytes) {
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    for (std::size_t at = bytes.find('\n'); at != std::string::npos;
         at = bytes.find('\n', at + 1)) {
        ASSERT_TRUE(at > 0 && bytes[at - 1] == '\r') << "bare LF at byte " << at;
    }
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

TEST(LanguageFiles, EnglishAndRussianShip) {
    std::set<std::string> languages;
    for (const fs::path& path : FilesIn(kFaces[0].folder, ".lng")) {
        std::string error;
        const auto file = host::ParseLanguageFile(ReadFile(path), &error);
        ASSERT_TRUE(file) << path << ": " << error;
        languages.insert(file->language);
    }
    EXPECT_EQ(languages, (std::set<std::string>{"English", "Russian"}));
}

// The language file at `path` holds the first `count` messages, one
// non-empty text each, in order, each after a comment that names it.
void ExpectOneTextPerIdentifier(const fs::path& path, int count) {
    SCOPED_TRACE(path.string());
    const std::string bytes = ReadFile(path);
    ExpectCrLfLines(bytes);

    std::string error;
    const auto file = host::ParseLanguageFile(bytes, &error);
    ASSERT_TRUE(file) << error;
    ASSERT_EQ(file->messages.size(), static_cast<std::size_t>(count));
    for (int id = 0; id < count; ++id) {
        EXPECT_FALSE(file->messages[static_cast<std::size_t>(id)].empty()) << kMessageNames[id];
    }
    // A menu line holds 127 characters.
    EXPECT_LE(file->messages[marten::MConfigure].size(), 127u);
    EXPECT_LE(file->messages[marten::MAbout].size(), 127u);

    // The comment before each message names its identifier.
    std::vector<std::string> named;
    std::string lastComment;
    for (const std::string& line : Lines(bytes)) {
        if (line.rfind("//", 0) == 0) {
            lastComment = line;
        } else if (!line.empty() && line[0] == '"') {
            std::istringstream words(lastComment.substr(2));
            std::string name;
            words >> name;
            if (!name.empty() && name.back() == ':') name.pop_back();
            named.push_back(name);
            lastComment.clear();
        }
    }
    EXPECT_EQ(named, std::vector<std::string>(kMessageNames, kMessageNames + count));
}

TEST(LanguageFiles, HoldOneNonEmptyTextPerIdentifierInOrder) {
    for (const FaceFiles& face : kFaces) {
        const std::vector<fs::path> files = FilesIn(face.folder, ".lng");
        EXPECT_EQ(files.size(), 2u) << face.folder;
        for (const fs::path& path : files) ExpectOneTextPerIdentifier(path, face.messages);
    }
}

TEST(HelpFiles, HoldEveryTopicTheModuleNamesAndEveryLinkedOne) {
    const auto helpFiles = FilesIn(fs::path(MARTEN_SOURCE_DIR) / "module/help", ".hlf");
    ASSERT_EQ(helpFiles.size(), 2u);
    for (const fs::path& path : helpFiles) {
        SCOPED_TRACE(path.filename().string());
        const std::string bytes = ReadFile(path);
        ExpectCrLfLines(bytes);

        std::string error;
        const auto file = host::ParseHelpFile(bytes, &error);
        ASSERT_TRUE(file) << error;
        EXPECT_EQ(file->contentsTitle, "Marten");
        for (const char* topic : {"Contents", marten::kConfigureTopic, marten::kAboutTopic}) {
            ASSERT_NE(file->Topic(topic), nullptr) << topic;
            EXPECT_FALSE(file->Topic(topic)->empty()) << topic;
        }
        // Links are written ~text~@Topic@.
        for (std::size_t at = bytes.find("~@"); at != std::string::npos;
             at = bytes.find("~@", at + 2)) {
            const std::size_t end = bytes.find('@', at + 2);
            ASSERT_NE(end, std::string::npos);
            const std::string target = bytes.substr(at + 2, end - at - 2);
            EXPECT_NE(file->Topic(target), nullptr) << "link to " << target;
        }
    }
}

TEST(HelpFiles, ComeInTheLanguagesOfTheLanguageFiles) {
    std::set<std::string> help, messages;
    for (const fs::path& path : FilesIn(fs::path(MARTEN_SOURCE_DIR) / "module/help", ".hlf")) {
        std::string error;
        if (auto file = host::ParseHelpFile(ReadFile(path), &error)) help.insert(file->language);
    }
    for (const fs::path& path : FilesIn(kFaces[0].folder, ".lng")) {
        std::string error;
        if (auto file = host::ParseLanguageFile(ReadFile(path), &error))
            messages.insert(file->language);
    }
    EXPECT_EQ(help, messages);
}

}  // namespace
}  // namespace config_test
