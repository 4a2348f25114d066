// The registry services end to end, over a registry file of each test's own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "winapi/win32.hpp"

namespace {

namespace fs = std::filesystem;

constexpr char kKey[] = "Software\\Far\\Plugins\\Tansy\\Marten";

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFileText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/marten-registry-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
        file_ = folder_ / "registry.reg";
        const char* old = std::getenv("MARTEN_REGISTRY");
        if (old) savedRegistry_ = old;
        ::setenv("MARTEN_REGISTRY", file_.c_str(), 1);
    }
    void TearDown() override {
        if (savedRegistry_) {
            ::setenv("MARTEN_REGISTRY", savedRegistry_->c_str(), 1);
        } else {
            ::unsetenv("MARTEN_REGISTRY");
        }
        fs::remove_all(folder_);
    }

    HKEY Create(const char* path = kKey) {
        HKEY key = nullptr;
        DWORD disposition = 0;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_WRITE | KEY_QUERY_VALUE, nullptr, &key, &disposition),
                  ERROR_SUCCESS);
        return key;
    }

    void Set(const char* name, DWORD type, const std::string& data, const char* path = kKey) {
        HKEY key = Create(path);
        EXPECT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    }

    // The value's type and bytes through a fresh read-only open.
    std::optional<std::pair<DWORD, std::string>> Get(const char* name, const char* path = kKey) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        DWORD type = 0;
        DWORD size = 0;
        LONG status = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
        std::string data(size, '\0');
        if (status == ERROR_SUCCESS) {
            status = RegQueryValueExA(key, name, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &size);
        }
        RegCloseKey(key);
        if (status != ERROR_SUCCESS) return std::nullopt;
        data.resize(size);
        return std::make_pair(type, data);
    }

    fs::path folder_;
    fs::path file_;
    std::optional<std::string> savedRegistry_;
};

TEST_F(Registry, EveryTypeRoundTrips) {
    std::string blob;
    for (int i = 0; i < 3000; ++i) blob.push_back(static_cast<char>(i % 251));
    const std::pair<DWORD, std::string> values[] = {
        {REG_SZ, std::string("*.msg,golded.*\0", 15)},
        {REG_SZ, "no terminator"},
        {REG_SZ, std::string("embedded\0nul\0", 13)},
        {REG_SZ, std::string("line\r\nbreak\0", 12)},
        {REG_SZ, std::string("quote \" and \\ back\0", 19)},
        {REG_BINARY, "\x01"},
        {REG_DWORD, std::string("\x4e\0\0\0", 4)},
        {REG_MULTI_SZ, std::string("one\0two\0\0", 9)},
        {0x1234, "\x10\x20"},
        {REG_BINARY, ""},
        {REG_SZ, ""},
        {REG_BINARY, blob},
    };
    for (std::size_t i = 0; i < std::size(values); ++i) {
        Set(("v" + std::to_string(i)).c_str(), values[i].first, values[i].second);
    }
    for (std::size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(Get(("v" + std::to_string(i)).c_str()), values[i]) << "value " << i;
    }
    const std::string text = ReadFile(file_);
    EXPECT_EQ(text.rfind("REGEDIT4\r\n", 0), 0u);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Far\\Plugins\\Tansy\\Marten]\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\"v0\"=\"*.msg,golded.*\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"v6\"=dword:0000004e\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"v8\"=hex(1234):10,20\r\n"), std::string::npos);
}

TEST_F(Registry, DefaultValueIsTheEmptyName) {
    Set(nullptr, REG_SZ, std::string("d\0", 2));
    EXPECT_EQ(Get(""), std::make_pair(DWORD{REG_SZ}, std::string("d\0", 2)));
    EXPECT_NE(ReadFile(file_).find("@=\"d\"\r\n"), std::string::npos);
}

TEST_F(Registry, ForeignKeysValuesAndCommentsSurviveInOrder) {
    const std::string before =
        "REGEDIT4\r\n"
        "; kept\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
        "\"Z\"=hex:01,02,\\\r\n"
        "  03\r\n"
        "\"A\"=\"x\"\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Far\\Plugins\\Tansy\\Marten]\r\n"
        "\"Foreign\"=dword:00000001\r\n"
        "\"RIndent\"=dword:00000010\r\n"
        "\"Later\"=\"y\"\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Far\\Plugins]\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\Elsewhere]\r\n"
        "@=\"m\"\r\n"
        "\r\n";
    WriteFileText(file_, before);
    Set("RIndent", REG_DWORD, std::string("\x3c\0\0\0", 4));
    std::string expected = before;
    expected.replace(expected.find("\"RIndent\"=dword:00000010"), 24, "\"RIndent\"=dword:0000003c");
    EXPECT_EQ(ReadFile(file_), expected);
    Set("New", REG_BINARY, "\x01");
    expected.insert(expected.find("\"Later\"=\"y\"\r\n") + 13, "\"New\"=hex:01\r\n");
    EXPECT_EQ(ReadFile(file_), expected);
}

TEST_F(Registry, DamagedFileIsKeptAsideWithOneMessage) {
    const std::string damaged = "REGEDIT4\n[K]\n\"a\"=nonsense\n";
    WriteFileText(file_, damaged);
    // A read treats it as empty and leaves it where it is.
    EXPECT_FALSE(Get("a", "K"));
    EXPECT_EQ(ReadFile(file_), damaged);

    ::testing::internal::CaptureStderr();
    Set("RIndent", REG_DWORD, std::string("\x4e\0\0\0", 4));
    const std::string message = ::testing::internal::GetCapturedStderr();

    std::vector<fs::path> aside;
    for (const auto& entry : fs::directory_iterator(folder_)) {
        if (entry.path().filename().string().rfind("registry.reg.broken-", 0) == 0) {
            aside.push_back(entry.path());
        }
    }
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(ReadFile(aside[0]), damaged);
    EXPECT_EQ(message, "marten: the registry file " + file_.string() +
                           " cannot be parsed (line 3: the data is neither \"text\", dword:, hex: "
                           "nor hex(type):); it was kept as " + aside[0].string() +
                           " and a new registry file is written\n");
    EXPECT_EQ(Get("RIndent"), std::make_pair(DWORD{REG_DWORD}, std::string("\x4e\0\0\0", 4)));
}

TEST_F(Registry, ConcurrentWritersLoseNothing) {
    // Three writers: while one holds the lock, two can wait on the lock file
    // it removes when it lets go.
    constexpr int kWriters = 3;
    constexpr int kWrites = 150;
    pid_t children[kWriters];
    for (int child = 0; child < kWriters; ++child) {
        children[child] = ::fork();
        ASSERT_GE(children[child], 0);
        if (children[child] == 0) {
            for (int i = 0; i < kWrites; ++i) {
                const std::string name = "p" + std::to_string(child) + "-" + std::to_string(i);
                HKEY key = nullptr;
                if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                    nullptr) != ERROR_SUCCESS ||
                    RegSetValueExA(key, name.c_str(), 0, REG_BINARY,
                                   reinterpret_cast<const BYTE*>(name.data()),
                                   static_cast<DWORD>(name.size())) != ERROR_SUCCESS) {
                    ::_exit(1);
                }
                RegCloseKey(key);
            }
            ::_exit(0);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int child = 0; child < kWriters; ++child) {
        for (int i = 0; i < kWrites; ++i) {
            const std::string name = "p" + std::to_string(child) + "-" + std::to_string(i);
            EXPECT_EQ(Get(name.c_str()), std::make_pair(DWORD{REG_BINARY}, name)) << name;
        }
    }
    EXPECT_FALSE(fs::exists(folder_ / "registry.reg.lock"));
}

TEST_F(Registry, NoLockFileStaysBehind) {
    Set("a", REG_BINARY, "\x01");
    EXPECT_FALSE(fs::exists(folder_ / "registry.reg.lock"));
    // One left behind empty by an earlier version is taken and removed too.
    WriteFileText(folder_ / "registry.reg.lock", "");
    Set("b", REG_BINARY, "\x02");
    EXPECT_FALSE(fs::exists(folder_ / "registry.reg.lock"));
    EXPECT_EQ(Get("a"), std::make_pair(DWORD{REG_BINARY}, std::string("\x01")));
    EXPECT_EQ(Get("b"), std::make_pair(DWORD{REG_BINARY}, std::string("\x02")));
}

TEST_F(Registry, SizesAnswerAsWindowsDoes) {
    Set("Mask", REG_SZ, std::string("*.msg,golded.*\0", 15));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    BYTE small[4] = {};
    DWORD size = sizeof small;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Mask", nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 15u);
    size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Mask", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 15u);
    BYTE exact[15] = {};
    size = sizeof exact;
    EXPECT_EQ(RegQueryValueExA(key, "Mask", nullptr, &type, exact, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD{REG_SZ});
    EXPECT_EQ(std::string(reinterpret_cast<char*>(exact), size), std::string("*.msg,golded.*\0", 15));
    EXPECT_EQ(RegQueryValueExA(key, "Mask", nullptr, nullptr, exact, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(Registry, MissingFoldersAreCreated) {
    const fs::path deep = folder_ / "a" / "b" / "c" / "registry.reg";
    ::setenv("MARTEN_REGISTRY", deep.c_str(), 1);
    Set("x", REG_BINARY, "\x01");
    EXPECT_TRUE(fs::exists(deep));

    // Without MARTEN_REGISTRY the file lives in the user's configuration folder.
    ::unsetenv("MARTEN_REGISTRY");
    const fs::path config = folder_ / "config";
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::optional<std::string> saved = oldConfig ? std::optional<std::string>(oldConfig) : std::nullopt;
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    Set("y", REG_BINARY, "\x02");
    if (saved) ::setenv("XDG_CONFIG_HOME", saved->c_str(), 1); else ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_NE(ReadFile(config / "marten" / "registry.reg").find("\"y\"=hex:02"), std::string::npos);
}

TEST_F(Registry, NamesCompareWithoutRegardToCase) {
    Set("RIndent", REG_DWORD, std::string("\x01\0\0\0", 4));
    Set("rindent", REG_DWORD, std::string("\x02\0\0\0", 4), "SOFTWARE\\far\\PLUGINS\\tansy\\marten");
    EXPECT_EQ(Get("RINDENT"), std::make_pair(DWORD{REG_DWORD}, std::string("\x02\0\0\0", 4)));
    const std::string text = ReadFile(file_);
    EXPECT_EQ(text.find("[SOFTWARE"), std::string::npos);  // one key, as first written
    EXPECT_EQ(text.find("\"rindent\""), std::string::npos);  // one value, its first name kept
}

TEST_F(Registry, KeysAndHandles) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key), ERROR_FILE_NOT_FOUND);
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, DWORD{REG_CREATED_NEW_KEY});
    // A write-only handle may not read; a read-only one may not write.
    EXPECT_EQ(RegQueryValueExA(key, "x", nullptr, nullptr, nullptr, nullptr), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetValueExA(key, "x", 0, REG_BINARY, reinterpret_cast<const BYTE*>("1"), 1),
              ERROR_INVALID_HANDLE);

    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, DWORD{REG_OPENED_EXISTING_KEY});
    RegCloseKey(key);
    // Parents exist as soon as a key below them does.
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Far", 0, KEY_READ, &key), ERROR_SUCCESS);
    HKEY child = nullptr;
    EXPECT_EQ(RegOpenKeyExA(key, "Plugins\\Tansy\\Marten", 0, KEY_READ, &child), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(child, "x", 0, REG_BINARY, reinterpret_cast<const BYTE*>("1"), 1),
              ERROR_ACCESS_DENIED);
    RegCloseKey(child);
    RegCloseKey(key);

    // Only HKEY_CURRENT_USER is a root; handles that were never given out are refused.
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCreateKeyExA(HKEY_USERS, "x", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(&key)), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x1000 + 4 * 9999))),
              ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "\\Lead", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr),
              ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Line\nEnd", 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_BAD_PATHNAME);
}

TEST_F(Registry, DeletingValues) {
    Set("a", REG_BINARY, "\x01");
    Set("b", REG_BINARY, "\x02");
    HKEY key = Create();
    EXPECT_EQ(RegDeleteValueA(key, "A"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, "a"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    EXPECT_FALSE(Get("a"));
    EXPECT_TRUE(Get("b"));
}

TEST_F(Registry, FileThatCannotBeReadIsNeverReplaced) {
    // A folder in the file's place: it opens but cannot be read, even by root.
    fs::create_directory(file_);
    WriteFileText(file_ / "inside", "kept");
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "K", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr),
              ERROR_CANTREAD);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "K", 0, KEY_READ, &key), ERROR_CANTREAD);
    EXPECT_EQ(ReadFile(file_ / "inside"), "kept");
}

}  // namespace
