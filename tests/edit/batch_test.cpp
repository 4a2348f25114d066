// The batch mode end to end: key scripts through the module and the editor,
// files created, kept and refused.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sstream>

#include "tests/edit/edit_run.hpp"

namespace edit_e2e {
namespace {

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(bytes);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Words(const std::vector<std::string>& lines, const std::string& prefix) {
    std::vector<std::string> words;
    for (std::string line : lines) {
        auto at = line.find(prefix);
        if (at != std::string::npos && at <= 1) line = line.substr(at + prefix.size());
        std::istringstream in(line);
        for (std::string w; in >> w;) words.push_back(w);
    }
    return words;
}

void WriteSettings(const ScratchFolder& scratch, const std::string& values) {
    WriteFile(
        scratch.Path("registry.reg"),
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Far\\Plugins\\Tansy\\Marten]\r\n" + values);
}

TEST(Batch, EnterInsideAQuoteCarriesThePrefixOver) {
    auto [scratch, file] =
        ScratchFile("quote", "reply.msg", " AB> Hello world, how are you?\r\nsecond\n");
    RunResult run = RunEdit(scratch, {"--keys", "{Enter}", "--at", "1:19", file});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadFile(file), " AB> Hello world, \r\nAB> how are you?\r\nsecond\n");
}

// A folder of the Unicode build serves as well, with the same outcome.
TEST(Batch, TheUnicodeBuildFromItsOwnFolder) {
    auto [scratch, file] =
        ScratchFile("unicode", "reply.msg", " AB> Hello world, how are you?\r\nsecond\n");
    RunResult run = RunEdit(scratch, {"--plugins", MARTEN_UNICODE_PLUGIN_DIR, "--keys", "{Enter}",
                                      "--at", "1:19", file});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadFile(file), " AB> Hello world, \r\nAB> how are you?\r\nsecond\n");
}

// A file marked or named UTF-8 is edited with the Unicode build, its mark
// kept, and refused whole by the 1.x build.
TEST(Batch, AUtf8FileIsEditedByTheUnicodeBuildAndRefusedByThe1xOne) {
    const std::string marked = "\xEF\xBB\xBF AB> \xD0\x9D\xD1\x83\r\n";  // Ну
    auto [scratch, file] = ScratchFile("utf8", "reply.msg", marked);
    RunResult run = RunEdit(scratch, {"--plugins", MARTEN_PLUGIN_DIR, "--keys", "x", file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "marten-edit: " + file +
                           " begins with a UTF-8 byte-order mark: it is not opened with the 1.x "
                           "Marten in " MARTEN_PLUGIN_DIR
                           ", whose interface carries one byte per character and would mangle "
                           "UTF-8 text. Open it with the Unicode build (--plugins naming its "
                           "MartenW folder, or no --plugins). Or: Its text fits 866: convert it "
                           "with iconv -f UTF-8 -t CP866 and open it with --codepage 866.\n");
    EXPECT_EQ(ReadFile(file), marked);

    // Typed Cyrillic goes in as UTF-8; the Н typed right after the quote's
    // '>' stays, the one after a blank becomes H; the cursor moves by letters.
    run = RunEdit(scratch, {"--plugins", MARTEN_UNICODE_PLUGIN_DIR, "--keys",
                            "{End}{Left}{Left}\xD0\x96{End} \xD0\x9D", file});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(file), "\xEF\xBB\xBF AB> \xD0\x96\xD0\x9D\xD1\x83 H\r\n");

    WriteFile(file, "plain\r\n");
    run = RunEdit(scratch, {"--codepage", "utf-8", "--keys", "x", file});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(" is named UTF-8 by --codepage: it is not opened"), std::string::npos)
        << run.err;
    EXPECT_EQ(ReadFile(file), "plain\r\n");
    run = RunEdit(scratch, {"--plugins", MARTEN_UNICODE_PLUGIN_DIR, "--codepage", "utf-8", "--keys",
                            "{End}\xE2\x82\xAC", file});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(file), "plain\xE2\x82\xAC\r\n");  // no mark where there was none

    // In an 8-bit table a character it lacks is not typed, and the run says so.
    WriteFile(file, "plain\r\n");
    run = RunEdit(scratch, {"--keys", "{End}\xE2\x82\xAC!", file});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err,
              "marten-edit: warning: 1 character of the key script was not typed: the "
              "866 table lacks it\n");
    EXPECT_EQ(ReadFile(file), "plain!\r\n");
}

TEST(Batch, TypingPastTheMarginWrapsWithThePrefixRepeated) {
    ScratchFolder scratch("wrap");
    WriteSettings(scratch, "\"RIndent\"=dword:00000014\r\n");
    std::string file = scratch.Path("reply.msg");
    std::string quoted = " AB> one two three four five six seven";
    WriteFile(file, quoted + "\r\nend\r\n");
    RunResult run = RunEdit(
        scratch, {"--keys", " eight", "--at", "1:" + std::to_string(quoted.size() + 1), file});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string bytes = ReadFile(file);
    std::vector<std::string> lines = Lines(bytes);
    ASSERT_GE(lines.size(), 4u) << bytes;
    EXPECT_EQ(lines.back(), "end");
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_NE(lines[i].find("AB> "), std::string::npos) << "line " << i << ": " << lines[i];
        EXPECT_LE(lines[i].size(), 22u) << "line " << i << ": " << lines[i];
    }
    std::vector<std::string> expected = {"one", "two",   "three", "four", "five",
                                         "six", "seven", "eight", "end"};
    EXPECT_EQ(Words(lines, "AB> "), expected);
    // Every line, the new ones too, ends as the file's lines do.
    EXPECT_EQ(bytes.find("\n"), bytes.find("\r\n") + 1);
    for (std::size_t at = 0; (at = bytes.find('\n', at)) != std::string::npos; ++at) {
        EXPECT_EQ(bytes[at - 1], '\r') << "a bare LF at byte " << at;
    }
}

// The editor's own auto-indent is off unless asked for, as in the file
// manager; with it, Enter and the wrap's continuation lines are indented.
TEST(Batch, AutoIndentIsTheEditorsSwitch) {
    ScratchFolder scratch("indent");
    std::string file = scratch.Path("note.txt");
    for (const bool on : {false, true}) {
        WriteFile(file, "    one\n");
        std::vector<std::string> args{"--keys", "{End}{Enter}two", file};
        if (on) args.insert(args.begin(), "--auto-indent");
        RunResult run = RunEdit(scratch, args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ReadFile(file), on ? "    one\n    two\n" : "    one\ntwo\n");
    }
}

TEST(Batch, CyrillicLettersAreFixedInTheAnsiAndKoi8rTables) {
    ScratchFolder scratch("letters");
    std::string file = scratch.Path("letter.msg");
    // Capital EN, small ER and capital ER become H, p and P; the other
    // letters go in in the file's table (small EN is 0xED in 1251).
    struct Case {
        const char* table;
        const char* keys;
        const char* bytes;
    };
    for (const Case& c : {Case{"1251", "Нрн", "Hp\xED"},
                          Case{"koi8-r", "Нерпа Ромео", "H\xC5p\xD0\xC1 P\xCF\xCD\xC5\xCF"}}) {
        WriteFile(file, "");
        RunResult run = RunEdit(scratch, {"--codepage", c.table, "--keys", c.keys, file});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ReadFile(file), c.bytes) << c.table;
    }
    // The same letters in an OEM file, with the fix turned off, stay as typed.
    WriteSettings(scratch, "\"EnableHPChange\"=hex:00\r\n");
    WriteFile(file, "");
    RunResult run = RunEdit(scratch, {"--keys", "Нр", file});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(file), "\x8D\xE0");
}

TEST(Batch, AMalformedScriptIsNamedAndTheFileIsLeftAlone) {
    auto [scratch, file] = ScratchFile("malformed", "reply.msg", "keep\r\n");
    struct stat before;
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    for (const char* script : {"ab{Nope}", "ab{Enter", "{Ctrl+}"}) {
        RunResult run = RunEdit(scratch, {"--keys", script, file});
        EXPECT_EQ(run.status, 1) << script;
        EXPECT_EQ(run.err.rfind("marten-edit: bad key script: position ", 0), 0u) << run.err;
        EXPECT_EQ(run.err.back(), '\n');
    }
    RunResult named = RunEdit(scratch, {"--keys", "ab{Nope}", file});
    EXPECT_NE(named.err.find("position 3"), std::string::npos) << named.err;
    struct stat after;
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_EQ(ReadFile(file), "keep\r\n");
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST(Batch, AMissingFileIsCreated) {
    ScratchFolder scratch("create");
    std::string file = scratch.Path("new.msg");
    RunResult run = RunEdit(scratch, {"--keys", "Hello", file});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(file), "Hello");
    // Even with nothing typed, the file the user asked for comes to be.
    std::string empty = scratch.Path("empty.msg");
    ASSERT_EQ(RunEdit(scratch, {"--keys", "", empty}).status, 0);
    EXPECT_TRUE(std::filesystem::exists(empty));
}

TEST(Batch, EveryByteAndEveryLineEndRoundTrips) {
    ScratchFolder scratch("bytes");
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
    bytes += "\r\nCRLF\nLF\rCR\r\n\r\n\n\rtail";
    for (const char* name : {"data.msg", "data.bin"}) {
        std::string file = scratch.Path(name);
        WriteFile(file, bytes);
        // An edit undone on the last line: the document is saved, every byte as it was.
        RunResult run = RunEdit(scratch, {"--keys", "x{BS}", "--at", "end", file});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ReadFile(file), bytes) << name;
    }
}

// Permissions bind an ordinary user; run as root, these run as nobody.
TEST(Batch, UnreadableFilesAreReportedAndNotTouched) {
    ScratchFolder scratch("unreadable");
    RunResult run = RunEdit(scratch, {"--keys", "x", scratch.Root().string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "marten-edit: cannot read " + scratch.Root().string() + ": Is a directory\n");
    std::string file = scratch.Path("locked.msg");
    WriteFile(file, "secret");
    ::chmod(file.c_str(), 0200);
    run = RunEditUnprivileged(scratch, {"--keys", "x", file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "marten-edit: cannot read " + file + ": Permission denied\n");
    ::chmod(file.c_str(), 0600);
    EXPECT_EQ(ReadFile(file), "secret");
}

TEST(Batch, UnwritableFilesAreReportedAndKept) {
    ScratchFolder scratch("unwritable");
    std::string nowhere = scratch.Path("no/such/folder/x.msg");
    RunResult run = RunEdit(scratch, {"--keys", "x", nowhere});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "marten-edit: cannot write " + nowhere + ": No such file or directory\n");
    // A read-only file is refused, by an ordinary user and by root alike.
    std::string file = scratch.Path("readonly.msg");
    WriteFile(file, "keep");
    ::chmod(file.c_str(), 0444);
    for (bool unprivileged : {true, false}) {
        run = unprivileged ? RunEditUnprivileged(scratch, {"--keys", "x", file})
                           : RunEdit(scratch, {"--keys", "x", file});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "marten-edit: cannot write " + file + ": the file is read-only\n");
        EXPECT_EQ(ReadFile(file), "keep");
    }
}

// A mail reader may keep the reply under a second name; both see the text.
TEST(Batch, AHardLinkedFileIsSavedThroughEitherName) {
    ScratchFolder scratch("hardlink");
    std::string reply = scratch.Path("reply.msg"), other = scratch.Path("golded.msg");
    WriteFile(reply, "text\n");
    ASSERT_EQ(::link(reply.c_str(), other.c_str()), 0);
    RunResult run = RunEdit(scratch, {"--keys", "{End} one", reply});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(other), "text one\n");
    run = RunEdit(scratch, {"--keys", "{End} two", other});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(reply), "text one two\n");
    struct stat st;
    ASSERT_EQ(::stat(reply.c_str(), &st), 0);
    EXPECT_EQ(st.st_nlink, 2u);
}

// As vi and nano: +LINE past the end is the last line; +LINE:COL takes a column.
TEST(Batch, StartLineOfAMailReader) {
    auto [scratch, file] = ScratchFile("start", "golded.msg", "one\ntwo\n");
    RunResult run = RunEdit(scratch, {"+999", "--keys", "x", file});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(file), "one\ntwo\nx");
    run = RunEdit(scratch, {"+2:3", "--keys", "-", file});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(file), "one\ntw-o\nx");
}

// A file keeps its bytes when saved unchanged, whatever table it is read
// in; valid UTF-8 read in an 8-bit table is told, and --codepage decides
// without a word.
TEST(Batch, ValidUtf8ReadInAnEightBitTableIsToldAndKeptByteForByte) {
    ScratchFolder scratch("utf8");
    std::string file = scratch.Path("notes.txt");
    const std::string russian = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\n";  // Привет
    WriteFile(file, russian);
    RunResult run = RunEdit(scratch, {"--codepage", "koi8-r", "--keys", "x{BS}", file});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadFile(file), russian);

    const std::string chinese = "\xE4\xB8\xAD\xE6\x96\x87\n";  // 中文: far from mail
    WriteFile(file, chinese);
    run = RunEdit(scratch, {"--keys", "x{BS}", file}, kDefaultPlugins);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "marten-edit: note: " + file +
                           " is read in 866 although its bytes are valid UTF-8, as more than 1 in "
                           "10 of its characters lie beyond the scripts of mail; --codepage utf-8 "
                           "reads it as UTF-8\n");
    EXPECT_EQ(ReadFile(file), chinese);
}

// marten-edit loads the Unicode build for a file of any table (it keeps its
// settings in its own store, which it writes on its first start): typed
// Cyrillic goes in as the table holds it, and Н after a blank becomes H.
TEST(Batch, TheUnicodeBuildServesEveryTable) {
    const struct {
        const char* codepage;  // none: read by its bytes
        std::string text, typed;
    } cases[] = {
        {nullptr, " AB> \x8F\xE0\xA8\xA2\xA5\xE2\r\n", "H\xA5p\xAF\xA0"},  // 866
        {"1251", " AB> \xCF\xF0\xE8\xE2\xE5\xF2\r\n", "H\xE5p\xEF\xE0"},
        {"koi8-r", " AB> \xF0\xD2\xC9\xD7\xC5\xD4\r\n", "H\xC5p\xD0\xC1"},
        {nullptr, " AB> \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\r\n",  // UTF-8
         "H\xD0\xB5p\xD0\xBF\xD0\xB0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.codepage ? c.codepage : "by its bytes");
        auto [scratch, file] = ScratchFile("every-table", "reply.msg", c.text);
        std::vector<std::string> args = {"--keys", "{Ctrl+End} Нерпа", file};
        if (c.codepage) args.insert(args.begin(), {"--codepage", c.codepage});
        RunResult run = RunEdit(scratch, args, kDefaultPlugins);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ReadFile(file), c.text + " " + c.typed);
        EXPECT_TRUE(std::filesystem::exists(scratch.Path("config/marten/PluginsData")));
    }
}

TEST(Batch, CommandLineErrors) {
    auto [scratch, file] = ScratchFile("usage", "x.msg", "one\r\ntwo");
    RunResult run = RunEdit(scratch, {"--keys", "x", "--at", "5:1", file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "marten-edit: line 5 is beyond the end of the file (2 lines)\n");
    EXPECT_EQ(ReadFile(file), "one\r\ntwo");
    run = RunEdit(scratch, {"--bogus", file});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "marten-edit: unknown option --bogus (see --help)\n");
    run = RunEdit(scratch, {"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Usage: marten-edit"), std::string::npos);
    // Without a terminal and without a script there is nothing to do.
    run = RunEdit(scratch, {file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "marten-edit: needs a terminal (use --keys SCRIPT for the batch mode)\n");
}

TEST(Batch, AMissingPluginFolderIsReported) {
    auto [scratch, file] = ScratchFile("plugins", "x.msg", "keep");
    std::string command = Quote(MARTEN_EDIT_PATH) + " --plugins " + Quote(scratch.Path("none")) +
                          " --keys x " + Quote(file) + " 2>" + Quote(scratch.Path("err"));
    int raw = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(raw), 1);
    EXPECT_EQ(ReadFile(scratch.Path("err"))
                  .rfind("marten-edit: cannot load the Marten plug-in from " +
                             scratch.Path("none") + "/marten.so: ",
                         0),
              0u);
    EXPECT_EQ(ReadFile(file), "keep");
}

}  // namespace
}  // namespace edit_e2e
