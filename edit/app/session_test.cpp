// Saving under another name: the new file gets the text, the old one stays,
// and the session and the plug-in go on with the new name.
#include "edit/app/session.hpp"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <filesystem>
#include <fstream>

namespace edit {
namespace {

namespace fs = std::filesystem;

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("marten-edit-session-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        // The module keeps its settings in a registry file of the test's own.
        if (const char* registry = std::getenv("MARTEN_REGISTRY")) registry_ = registry;
        ::setenv("MARTEN_REGISTRY", Path("registry.reg").c_str(), 1);
    }
    void TearDown() override {
        if (registry_) {
            ::setenv("MARTEN_REGISTRY", registry_->c_str(), 1);
        } else {
            ::unsetenv("MARTEN_REGISTRY");
        }
        fs::remove_all(folder_);
    }
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    static std::string Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The file name the plug-in is told.
    static std::string NameSeenByThePlugin(Session& session) {
        EditorInfo info{};
        session.Editor().Control(ECTL_GETINFO, &info);
        return info.FileName;
    }
    fs::path folder_;
    std::optional<std::string> registry_;
};

TEST_F(SessionTest, SaveAsWritesTheNewFileAndGoesOnWithIt) {
    std::ofstream(Path("reply.msg"), std::ios::binary) << "old\r\n";
    CommandLine options;
    options.file = Path("reply.msg");
    Session session;
    std::string error;
    ASSERT_TRUE(session.Open(options, MARTEN_PLUGIN_DIR, &error)) << error;
    session.Editor().InsertBlock("new ");
    ASSERT_TRUE(session.Editor().Modified());

    ASSERT_TRUE(session.SaveAs(Path("notes.txt"), &error)) << error;
    EXPECT_EQ(Slurp(Path("notes.txt")), "new old\r\n");
    EXPECT_EQ(Slurp(Path("reply.msg")), "old\r\n");
    EXPECT_EQ(session.Path(), Path("notes.txt"));
    EXPECT_EQ(NameSeenByThePlugin(session), Path("notes.txt"));
    EXPECT_FALSE(session.Editor().Modified());
    EXPECT_TRUE(session.SavedOnce());

    // F2 from now on saves the new file.
    session.Editor().InsertBlock("more ");
    ASSERT_TRUE(session.Save(&error)) << error;
    EXPECT_EQ(Slurp(Path("notes.txt")), "new more old\r\n");
    EXPECT_EQ(Slurp(Path("reply.msg")), "old\r\n");
}

TEST_F(SessionTest, AFailedSaveAsChangesNothing) {
    CommandLine options;
    options.file = Path("reply.msg");  // a new file
    Session session;
    std::string error;
    ASSERT_TRUE(session.Open(options, MARTEN_PLUGIN_DIR, &error)) << error;
    session.Editor().InsertBlock("text");
    const std::string nowhere = Path("gone/notes.txt");
    EXPECT_FALSE(session.SaveAs(nowhere, &error));
    EXPECT_EQ(error, "cannot write " + nowhere + ": No such file or directory");
    EXPECT_EQ(session.Path(), Path("reply.msg"));
    EXPECT_EQ(NameSeenByThePlugin(session), Path("reply.msg"));
    EXPECT_TRUE(session.Editor().Modified());
    EXPECT_TRUE(session.IsNewFile());
    EXPECT_FALSE(session.SavedOnce());
}

}  // namespace
}  // namespace edit
