#include "edit/file/text_file.hpp"

#include <gtest/gtest.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

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
    static int ModeOf(const std::string& path) {
        struct stat st;
        return ::stat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
    }
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (auto& e : fs::directory_iterator(folder_)) names.insert(e.path().filename().string());
        return names;
    }
    // Runs `body` in a child process as an unprivileged user: nobody, with the
    // test's folder handed over, when the tests run as root. What the body
    // returns comes back as the answer.
    std::string AsUnprivileged(const std::function<std::string()>& body) const {
        const struct passwd* nobody = ::getpwnam("nobody");
        if (nobody == nullptr) return "no user nobody";
        bool root = ::geteuid() == 0;
        if (root && ::chown(folder_.c_str(), nobody->pw_uid, nobody->pw_gid) != 0) return "chown failed";
        int pipe[2];
        if (::pipe(pipe) != 0) return "pipe failed";
        pid_t child = ::fork();
        if (child == 0) {
            ::close(pipe[0]);
            std::string seen;
            if (root && (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 ||
                         ::setuid(nobody->pw_uid) != 0)) {
                seen = "cannot become nobody";
            } else {
                seen = body();
            }
            ssize_t ignored = ::write(pipe[1], seen.data(), seen.size());
            (void)ignored;
            ::_exit(0);
        }
        ::close(pipe[1]);
        std::string seen;
        char buffer[4096];
        for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;) seen.append(buffer, static_cast<std::size_t>(n));
        ::close(pipe[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (root) ::chown(folder_.c_str(), 0, 0);
        return seen;
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

// Permissions do not bind root, so these run as nobody when the tests run as
// root; the body reports what it saw, one observation per line.
TEST_F(TextFileTest, ProtectedFilesAreReportedAndLeftAlone) {
    std::string locked = Path("locked.msg"), readOnly = Path("readonly.msg");
    std::string report = AsUnprivileged([&] {
        std::string seen;
        Write(locked, "keep");
        ::chmod(locked.c_str(), 0000);
        seen += ReadWholeFile(locked).error + "\n";

        Write(readOnly, "keep");
        ::chmod(readOnly.c_str(), 0444);
        std::string error;
        seen += std::to_string(IsReadOnly(readOnly)) + " " + std::to_string(IsReadOnly(locked + "x"));
        seen += SaveWholeFile(readOnly, "lost?", &error) ? " saved\n" : " " + error + "\n";
        seen += Slurp(readOnly) + "\n";
        // "Save anyway" by the owner: written, and still read-only.
        seen += SaveWholeFile(readOnly, "new", &error, ReadOnlyFiles::Override) ? "saved " : error + " ";
        seen += Slurp(readOnly) + " " + std::to_string(ModeOf(readOnly)) + "\n";

        // A folder that takes no new files: the file itself stays as it was.
        ::chmod(readOnly.c_str(), 0644);
        ::chmod(folder_.c_str(), 0555);
        seen += SaveWholeFile(readOnly, "lost?", &error) ? "saved " : error + " ";
        seen += Slurp(readOnly);
        ::chmod(folder_.c_str(), 0755);
        return seen;
    });
    EXPECT_EQ(report, "cannot read " + locked + ": Permission denied\n" +
                          "1 0 cannot write " + readOnly + ": the file is read-only\n" +
                          "keep\n"
                          "saved new " + std::to_string(0444) + "\n" +
                          "cannot write " + readOnly + ": Permission denied new");
}

TEST_F(TextFileTest, ReadOnlyMeansNoWritePermissionEvenForRoot) {
    std::string path = Path("readonly.msg");
    Write(path, "keep");
    ::chmod(path.c_str(), 0444);
    EXPECT_TRUE(IsReadOnly(path));
    std::string error;
    EXPECT_FALSE(SaveWholeFile(path, "lost?", &error));
    EXPECT_EQ(error, "cannot write " + path + ": the file is read-only");
    EXPECT_EQ(Slurp(path), "keep");
    ASSERT_TRUE(SaveWholeFile(path, "new", &error, ReadOnlyFiles::Override)) << error;
    EXPECT_EQ(Slurp(path), "new");
    EXPECT_EQ(ModeOf(path), 0444);
}

// A file of another user is not replaced, "save anyway" or not.
TEST_F(TextFileTest, AnotherUsersProtectedFileIsRefused) {
    std::string path = Path("theirs.msg");
    Write(path, "theirs");
    ::chmod(path.c_str(), 0644);
    std::string report = AsUnprivileged([&] {
        std::string error;
        bool saved = SaveWholeFile(path, "mine", &error, ReadOnlyFiles::Override);
        return std::string(saved ? "saved" : error) + " " + Slurp(path);
    });
    // Run as an ordinary user, the file is the user's own and may be written.
    if (::geteuid() == 0) {
        EXPECT_EQ(report, "cannot write " + path + ": Permission denied theirs");
    } else {
        EXPECT_EQ(report, "saved mine");
    }
}

TEST_F(TextFileTest, AHardLinkedFileIsWrittenInPlaceThroughEitherName) {
    std::string first = Path("reply.msg"), second = Path("golded.msg");
    Write(first, "old text\r\n");
    ASSERT_EQ(::link(first.c_str(), second.c_str()), 0);
    struct stat before;
    ASSERT_EQ(::stat(first.c_str(), &before), 0);
    std::string error;
    ASSERT_TRUE(SaveWholeFile(first, "new text\r\n", &error)) << error;
    EXPECT_EQ(Slurp(second), "new text\r\n");
    ASSERT_TRUE(SaveWholeFile(second, "short", &error)) << error;
    EXPECT_EQ(Slurp(first), "short");
    struct stat after;
    ASSERT_EQ(::stat(first.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u);
    EXPECT_EQ(Entries(), (std::set<std::string>{"golded.msg", "reply.msg"}));  // no backup left
}

// A producer that stops short fails the save; the old text stays, with
// nothing left beside it, whichever way the file is written.
TEST_F(TextFileTest, AnIncompleteTextLeavesTheOldFile) {
    std::string single = Path("single.msg"), linked = Path("linked.msg"), other = Path("other.msg");
    Write(single, "old single");
    Write(linked, "old linked, longer than what is written");
    ASSERT_EQ(::link(linked.c_str(), other.c_str()), 0);
    auto stopsShort = [](const ByteSink& write) { return write("partial") && false; };
    for (const std::string& path : {single, linked}) {
        std::string error;
        EXPECT_FALSE(SaveWholeFile(path, stopsShort, &error));
        EXPECT_EQ(error, "cannot write " + path + ": the text to save was incomplete");
    }
    EXPECT_EQ(Slurp(single), "old single");
    EXPECT_EQ(Slurp(other), "old linked, longer than what is written");
    EXPECT_EQ(Entries(), (std::set<std::string>{"linked.msg", "other.msg", "single.msg"}));
}

TEST_F(TextFileTest, AProducedTextIsSavedPieceByPiece) {
    std::string expected;
    for (int i = 0; i < 20000; ++i) expected += "line " + std::to_string(i) + "\r\n";
    expected += std::string(200000, 'x');  // one piece larger than any buffer
    auto produce = [](const ByteSink& write) {
        for (int i = 0; i < 20000; ++i) {
            if (!write("line " + std::to_string(i)) || !write("\r\n")) return false;
        }
        return write(std::string(200000, 'x'));
    };
    std::string error;
    for (const char* name : {"new.msg", "new.msg", "link.msg"}) {
        if (std::string(name) == "link.msg") ::link(Path("new.msg").c_str(), Path(name).c_str());
        ASSERT_TRUE(SaveWholeFile(Path(name), produce, &error)) << error;
        EXPECT_EQ(Slurp(Path(name)), expected) << name;
    }
}

TEST_F(TextFileTest, DevicesAreNotRead) {
    FileContents read = ReadWholeFile("/dev/null");
    EXPECT_EQ(read.state, FileContents::State::Failed);
    EXPECT_EQ(read.error, "cannot read /dev/null: not a regular file");
}

}  // namespace
}  // namespace edit
