// Saving under another name: the new file gets the text, the old one stays,
// and the session and the plug-in go on with the new name.
#include "edit/app/session.hpp"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <utility>
#include <vector>

#include "edit/app/batch.hpp"
#include "host/ansi/ansi_editor.hpp"

namespace edit {
namespace {

namespace fs = std::filesystem;

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("marten-edit-session-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        // Either build keeps its settings in files of the test's own.
        for (const auto& [name, path] :
             {std::pair{"MARTEN_REGISTRY", "registry.reg"},
              std::pair{"MARTEN_SETTINGS", "settings"}, std::pair{"XDG_CONFIG_HOME", "config"}}) {
            const char* old = std::getenv(name);
            saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
            ::setenv(name, Path(path).c_str(), 1);
        }
    }
    void TearDown() override {
        for (const auto& [name, old] : saved_) {
            if (old) {
                ::setenv(name.c_str(), old->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
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
        host::AnsiEditor(session.Editor()).Control(ECTL_GETINFO, &info);
        return info.FileName;
    }
    fs::path folder_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
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

// The Unicode build, from a folder of its own, edits an 866 reply exactly as
// the 1.x build does: the prefix goes over on Enter, Н and р become H and p.
TEST_F(SessionTest, TheUnicodeBuildEditsAReplyAsThe1xBuildDoes) {
    std::string saved[2];
    const char* folders[2] = {MARTEN_PLUGIN_DIR, MARTEN_UNICODE_PLUGIN_DIR};
    for (int build = 0; build < 2; ++build) {
        std::ofstream(Path("reply.msg"), std::ios::binary)
            << " AB> \x8F\xE0\xA8\xA2\xA5\xE2 \xAC\xA8\xE0\r\n";
        std::string error;
        auto options = ParseCommandLine({"--at", "1:12", Path("reply.msg")}, &error);
        ASSERT_TRUE(options) << error;
        Session session;
        ASSERT_TRUE(session.Open(*options, folders[build], &error)) << error;
        EXPECT_EQ(session.Host().Plugin()->TakesUtf8Text(), build == 1);
        auto strokes = host::ParseKeyScript("{Enter}Нерпа ", &error);
        ASSERT_TRUE(strokes) << error;
        ApplyStrokes(session, *strokes);
        saved[build] = session.Editor().Bytes();
    }
    // The prefix opens the new line and the cursor stands before it.
    EXPECT_EQ(saved[1], " AB> \x8F\xE0\xA8\xA2\xA5\xE2\r\nH\xA5p\xAF\xA0 AB>  \xAC\xA8\xE0\r\n");
    EXPECT_EQ(saved[0], saved[1]);
}

// A UTF-8 file is known by its byte-order mark or by --codepage utf-8; the
// 1.x build refuses it whole (nothing is loaded, the file stays as it was),
// the Unicode build edits it.
TEST_F(SessionTest, AUtf8FileIsRefusedByThe1xBuildWithWhatToDo) {
    const std::string marked =
        "\xEF\xBB\xBF AB> \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\r\n";
    std::ofstream(Path("marked.msg"), std::ios::binary) << marked;
    std::ofstream(Path("plain.msg"), std::ios::binary) << "hello\r\n";
    CommandLine options;
    options.file = Path("marked.msg");
    options.codePage = engine::CodePage::Koi8r;
    std::string error;
    EXPECT_FALSE(Session().Open(options, MARTEN_PLUGIN_DIR, &error));
    EXPECT_EQ(error, Path("marked.msg") +
                         " begins with a UTF-8 byte-order mark: it is not opened with the 1.x "
                         "Marten in " MARTEN_PLUGIN_DIR
                         ", whose interface carries one byte per character and would mangle "
                         "UTF-8 text. Open it with the Unicode build (--plugins naming its MartenW "
                         "folder, or no --plugins). Or: Its text fits KOI8-R: convert it with "
                         "iconv -f UTF-8 -t KOI8-R and open it with --codepage koi8-r.");
    EXPECT_EQ(Slurp(Path("marked.msg")), marked);
    // The Unicode build takes it: the mark outweighs --codepage.
    Session session;
    ASSERT_TRUE(session.Open(options, MARTEN_UNICODE_PLUGIN_DIR, &error)) << error;
    EXPECT_EQ(session.Editor().Table(), engine::CodePage::Utf8);
    EXPECT_EQ(session.Editor().LineAt(0).text, marked.substr(3, marked.size() - 5));

    options.file = Path("plain.msg");
    options.codePage.reset();
    options.codePage = engine::CodePage::Utf8;
    EXPECT_FALSE(Session().Open(options, MARTEN_PLUGIN_DIR, &error));
    EXPECT_NE(error.find(" is named UTF-8 by --codepage: it is not opened"), std::string::npos)
        << error;

    // Without the mark, text of mail in valid UTF-8 reads as UTF-8: refused too.
    options.file = Path("unmarked.msg");
    options.codePage.reset();
    std::ofstream(options.file, std::ios::binary) << marked.substr(3);
    EXPECT_FALSE(Session().Open(options, MARTEN_PLUGIN_DIR, &error));
    EXPECT_EQ(error.substr(0, error.find(':')), options.file + " reads as UTF-8 text");
    EXPECT_EQ(Slurp(options.file), marked.substr(3));
}

// Without --codepage a file's bytes, its name and the locale pick its table;
// the Unicode build serves every table, the 1.x build keeps a file of ASCII
// in the 8-bit table, where it adds nothing to UTF-8.
TEST_F(SessionTest, TheTableFollowsTheBytesTheNameAndTheLocale) {
    const struct {
        const char* name;
        std::string bytes;
        std::optional<engine::CodePage> locale;
        const char* plugins;
        engine::CodePage table;
        TableReason reason;
    } cases[] = {
        {"notes.txt", "\xD0\x9D\xD1\x83 \xC2\xAB\xE2\x80\x94\xC2\xBB\n", engine::CodePage::Utf8,
         MARTEN_UNICODE_PLUGIN_DIR, engine::CodePage::Utf8, TableReason::Utf8Characters},
        {"notes.txt", "plain\n", engine::CodePage::Utf8, MARTEN_UNICODE_PLUGIN_DIR,
         engine::CodePage::Utf8, TableReason::AsciiByLocale},
        {"notes.txt", "plain\n", engine::CodePage::Utf8, MARTEN_PLUGIN_DIR,
         engine::CodePage::Oem866, TableReason::AsciiByLocale},
        {"notes.txt", "plain\n", engine::CodePage::Koi8r, MARTEN_PLUGIN_DIR,
         engine::CodePage::Koi8r, TableReason::AsciiByLocale},
        {"golded.msg", "plain\n", engine::CodePage::Utf8, MARTEN_UNICODE_PLUGIN_DIR,
         engine::CodePage::Oem866, TableReason::AsciiFtnReply},
        // ISO-8859-1, say: no table of the editor's.
        {"new.txt", "", std::nullopt, MARTEN_UNICODE_PLUGIN_DIR, engine::CodePage::Oem866,
         TableReason::AsciiByLocale},
        // 中文 in UTF-8: valid, but far from mail: 866, and the status line says so.
        {"notes.txt", "\xE4\xB8\xAD\xE6\x96\x87\n", engine::CodePage::Utf8,
         MARTEN_UNICODE_PLUGIN_DIR, engine::CodePage::Oem866, TableReason::EightBitAlthoughUtf8},
        // A KOI8-R reply in a KOI8-R locale, with the Unicode build.
        {"reply.msg", " AB> \xF0\xD2\xC9\xD7\xC5\xD4\n", engine::CodePage::Koi8r,
         MARTEN_UNICODE_PLUGIN_DIR, engine::CodePage::Koi8r, TableReason::EightBit},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " in " + c.plugins);
        if (!c.bytes.empty()) std::ofstream(Path(c.name), std::ios::binary) << c.bytes;
        CommandLine options;
        options.file = Path(c.name);
        Session session;
        std::string error;
        ASSERT_TRUE(session.Open(options, c.plugins, &error, c.locale)) << error;
        EXPECT_EQ(session.Editor().Table(), c.table);
        EXPECT_EQ(session.ReadAs(), c.reason);
        EXPECT_EQ(session.Editor().Bytes(), c.bytes);
        fs::remove(Path(c.name));
    }
}

// Replies that FTN readers write in 866 or KOI8-R carry no mark and open in
// their table, even where the bytes happen to be valid UTF-8 as well: by
// --codepage, and without it in the locale that names the table (866 where
// the locale's set is UTF-8).
TEST_F(SessionTest, ReaderRepliesInAnEightBitTableAreNeverTakenForUtf8) {
    struct Reply {
        const char* name;
        engine::CodePage table;
        std::string bytes;
    };
    const Reply replies[] = {
        // " AB> Привет!" quoted, and the answer "сам" (E1 A0 AC: valid UTF-8).
        {"golded866.msg", engine::CodePage::Oem866,
         "\x01MSGID: 2:5020/1 1a2b3c4d\r\n AB> \x8F\xE0\xA8\xA2\xA5\xE2!\r\n\r\n\xE1\xA0\xAC\r\n"},
        {"short866.msg", engine::CodePage::Oem866, "\xE1\xA0\xAC\r\n"},
        {"goldedkoi.msg", engine::CodePage::Koi8r,
         "\x01MSGID: 2:5020/1 1a2b3c4d\r\n AB> \xF0\xD2\xC9\xD7\xC5\xD4!\r\n\r\n\xD3\xC1\xCD\r\n"},
    };
    for (const Reply& reply : replies) {
        std::ofstream(Path(reply.name), std::ios::binary) << reply.bytes;
        for (const bool named : {true, false}) {
            CommandLine options;
            options.file = Path(reply.name);
            if (named) options.codePage = reply.table;
            const auto locale = reply.table == engine::CodePage::Koi8r ? engine::CodePage::Koi8r
                                                                       : engine::CodePage::Utf8;
            Session session;
            std::string error;
            ASSERT_TRUE(session.Open(options, MARTEN_UNICODE_PLUGIN_DIR, &error, locale))
                << reply.name << ": " << error;
            EXPECT_EQ(session.Editor().Table(), reply.table) << reply.name;
            EXPECT_EQ(session.Editor().Bytes(), reply.bytes) << reply.name;
        }
    }
}

// The first load of the Unicode build takes over the 1.x build's values and
// field histories when the registry file was written after the store (or
// the store holds none), and marks the store, so that it happens once.
TEST_F(SessionTest, TheUnicodeBuildTakesOverThe1xSettingsOnceWhenTheyAreNewer) {
    const std::string store = Path("settings/{29117A56-E534-48E4-AD93-3178D955845F}.reg");
    const std::string history = Path("config/marten/history/Tansy%5CMarten%5CFileMask");
    const auto write = [](const std::string& path, const std::string& text, int age) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(age));
    };
    const auto registry = [&](int age) {
        write(Path("registry.reg"),
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Far\\Plugins\\Tansy\\Marten]"
              "\r\n\"RIndent\"=dword:00000014\r\n",
              age);
    };
    const auto storeHolding = [&](int age) {
        write(store,
              "REGEDIT4\r\n\r\n[{29117A56-E534-48E4-AD93-3178D955845F}]\r\n"
              "\"RIndent\"=hex(b):28,00,00,00,00,00,00,00\r\n",
              age);
    };
    const auto open = [&] {
        std::ofstream(Path("reply.msg"), std::ios::binary) << "hello\r\n";
        CommandLine options;
        options.file = Path("reply.msg");
        Session session;
        std::string error;
        ASSERT_TRUE(session.Open(options, MARTEN_UNICODE_PLUGIN_DIR, &error)) << error;
        EXPECT_EQ(session.SettingsProblems(), "");
    };
    const std::string taken = "\"RIndent\"=hex(b):14,00,00,00,00,00,00,00";
    const std::string kept = "\"RIndent\"=hex(b):28,00,00,00,00,00,00,00";
    const std::string mark = "[marten-edit]\r\n\"TookOver1xSettings\"=dword:00000001";

    // The registry written after the store: its value and history go over.
    storeHolding(2);
    registry(1);
    write(history, "*.msg,*.\xAE\xE2\xA2\n", 1);  // *.msg,*.отв in 866
    open();
    EXPECT_NE(Slurp(store).find(taken), std::string::npos) << Slurp(store);
    EXPECT_NE(Slurp(store).find(mark), std::string::npos) << Slurp(store);
    EXPECT_EQ(Slurp(Path("config/marten/history/unicode/Tansy%5CMarten%5CFileMask")),
              "*.msg,*.отв\n");
    // Once: a registry written later still leaves the store's values.
    storeHolding(2);
    registry(1);
    std::string again = Slurp(store) + "\r\n" + mark + "\r\n";
    write(store, again, 2);
    open();
    EXPECT_NE(Slurp(store).find(kept), std::string::npos) << Slurp(store);

    // The store written after the registry: its values stay, and it is marked.
    fs::remove_all(Path("config/marten/history/unicode"));
    registry(2);
    storeHolding(1);
    open();
    EXPECT_NE(Slurp(store).find(kept), std::string::npos) << Slurp(store);
    EXPECT_NE(Slurp(store).find(mark), std::string::npos) << Slurp(store);
    EXPECT_FALSE(fs::exists(Path("config/marten/history/unicode/Tansy%5CMarten%5CFileMask")));

    // A store that holds none takes the registry's values, whatever their age.
    fs::remove(store);
    registry(3);
    open();
    EXPECT_NE(Slurp(store).find(taken), std::string::npos) << Slurp(store);
}

}  // namespace
}  // namespace edit
