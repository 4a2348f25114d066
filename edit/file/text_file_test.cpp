#include "edit/file/text_file.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace edit {
namespace {

namespace fs = std::filesystem;

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("marten-edit-file-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(folder_, ec);
    }
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    fs::path folder_;
};

TEST_F(TextFileTest, EveryByteValueRoundTrips) {
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
    bytes += "\r\nline\nline\rlast";
    std::string path = Path("all.msg");
    Write(path, bytes);
    FileContents read = ReadWholeFile(path);
    ASSERT_EQ(read.state, FileContents::State::Read);
    EXPECT_EQ(read.bytes, bytes);
    std::string error;
    ASSERT_TRUE(SaveWholeFile(path, read.bytes, &error)) << error;
    EXPECT_EQ(Slurp(path), bytes);
}

TEST_F(TextFileTest, MissingFileIsReportedAsMissingAndCreatedOnSave) {
    std::string path = Path("new.msg");
    EXPECT_EQ(ReadWholeFile(path).state, FileContents::State::Missing);
    std::string error;
    ASSERT_TRUE(SaveWholeFile(path, "hello\r\n", &error)) << error;
    EXPECT_EQ(Slurp(path), "hello\r\n");
}

TEST_F(TextFileTest, SaveKeepsPermissionsAndLeavesNoTemporaryFile) {
    std::string path = Path("mode.msg");
    Write(path, "old");
    ::chmod(path.c_str(), 0640);
    std::string error;
    ASSERT_TRUE(SaveWholeFile(path, "new", &error)) << error;
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    int entries = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(folder_)) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(TextFileTest, SaveThroughALinkKeepsTheLink) {
    std::string target = Path("target.msg"), link = Path("link.msg");
    Write(target, "old");
    fs::create_symlink(target, link);
    std::string error;
    ASSERT_TRUE(SaveWholeFile(link, "new", &error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Slurp(target), "new");
}

TEST_F(TextFileTest, DirectoryCannotBeReadNorWritten) {
    FileContents read = ReadWholeFile(folder_.string());
    EXPECT_EQ(read.state, FileContents::State::Failed);
    EXPECT_EQ(read.error, "cannot read " + folder_.string() + ": Is a directory");
    std::string error;
    EXPECT_FALSE(SaveWholeFile(folder_.string(), "x", &error));
    EXPECT_EQ(error, "cannot write " + folder_.string() + ": Is a directory");
}

TEST_F(TextFileTest, SaveIntoAMissingFolderFailsWithAMessage) {
    std::string path = Path("no/such/folder/x.msg");
    std::string error;
    EXPECT_FALSE(SaveWholeFile(path, "x", &error));
    EXPECT_EQ(error, "cannot write " + path + ": No such file or directory");
}

TEST_F(TextFileTest, ProtectedFilesAreReportedAndLeftAlone) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    std::string path = Path("locked.msg");
    Write(path, "keep");
    ::chmod(path.c_str(), 0000);
    FileContents read = ReadWholeFile(path);
    EXPECT_EQ(read.state, FileContents::State::Failed);
    EXPECT_EQ(read.error, "cannot read " + path + ": Permission denied");
    ::chmod(path.c_str(), 0444);
    std::string error;
    EXPECT_FALSE(SaveWholeFile(path, "lost?", &error));
    EXPECT_EQ(error, "cannot write " + path + ": Permission denied");
    EXPECT_EQ(Slurp(path), "keep");
    // A folder that takes no new files: the file itself stays as it was.
    ::chmod(path.c_str(), 0644);
    ::chmod(folder_.c_str(), 0555);
    EXPECT_FALSE(SaveWholeFile(path, "lost?", &error));
    EXPECT_EQ(Slurp(path), "keep");
}

TEST_F(TextFileTest, DevicesAreNotRead) {
    FileContents read = ReadWholeFile("/dev/null");
    EXPECT_EQ(read.state, FileContents::State::Failed);
    EXPECT_EQ(read.error, "cannot read /dev/null: not a regular file");
}

}  // namespace
}  // namespace edit
