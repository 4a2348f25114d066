#include "edit/ui/history_store.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace edit {
namespace {

namespace fs = std::filesystem;

class HistoryStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("marten-edit-history-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

TEST_F(HistoryStoreTest, NewestFirstWithoutRepeats) {
    HistoryStore store((folder_ / "history").string());  // the folder is made on the first entry
    EXPECT_TRUE(store.Load("Tansy\\Marten\\RIndent").empty());
    std::string error;
    ASSERT_TRUE(store.Add("Tansy\\Marten\\RIndent", "78", &error)) << error;
    ASSERT_TRUE(store.Add("Tansy\\Marten\\RIndent", "60", &error));
    ASSERT_TRUE(store.Add("Tansy\\Marten\\RIndent", "78", &error));
    ASSERT_TRUE(store.Add("Tansy\\Marten\\RIndent", "", &error));  // not kept
    EXPECT_EQ(store.Load("Tansy\\Marten\\RIndent"), (std::vector<std::string>{"78", "60"}));
    EXPECT_TRUE(store.Load("Tansy\\Marten\\LIndent").empty());
    EXPECT_TRUE(fs::exists(folder_ / "history" / "Tansy%5CMarten%5CRIndent"));
}

TEST_F(HistoryStoreTest, AnyBytesSurviveAndTheListIsBounded) {
    HistoryStore store(folder_.string());
    std::string odd = "a\\b\nc\r\x8D";
    ASSERT_TRUE(store.Add("h", odd, nullptr));
    EXPECT_EQ(store.Load("h").front(), odd);
    for (int i = 0; i < 50; ++i) store.Add("h", std::to_string(i), nullptr);
    auto entries = store.Load("h");
    EXPECT_EQ(entries.size(), HistoryStore::kMaxEntries);
    EXPECT_EQ(entries.front(), "49");
}

TEST_F(HistoryStoreTest, AFolderThatCannotBeMadeIsNamedWithTheReason) {
    fs::create_directories(folder_);
    std::ofstream(folder_ / "file") << "in the folder's place";
    const HistoryStore store((folder_ / "file" / "history").string());
    std::string error;
    EXPECT_FALSE(store.Add("h", "78", &error));
    EXPECT_EQ(error, "cannot create " + (folder_ / "file" / "history").string() + ": Not a directory");
    EXPECT_FALSE(HistoryStore("").Add("h", "78", &error));
    EXPECT_EQ(error, "no folder for histories (HOME is not set)");
    EXPECT_TRUE(HistoryStore("").Add("h", "", &error));  // an empty entry is never kept
}

TEST(HistoryFileName, OnlySafeCharactersStay) {
    EXPECT_EQ(HistoryStore::FileNameFor("Tansy\\Marten\\FileMask"), "Tansy%5CMarten%5CFileMask");
    EXPECT_EQ(HistoryStore::FileNameFor("../x"), "%2E.%2Fx");
    EXPECT_EQ(HistoryStore::FileNameFor(""), "%");
}

TEST(HistoryFolder, FollowsTheConfigurationFolder) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    std::string keep = saved ? saved : "";
    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(HistoryStore::DefaultFolder(), "/cfg/marten/history");
    if (saved) ::setenv("XDG_CONFIG_HOME", keep.c_str(), 1); else ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace edit
