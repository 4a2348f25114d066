// marten-edit in a real terminal: files, dialogs, tables, signals and the
// plug-in's settings, through the tmux fixture.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/edit/terminal_session.hpp"

namespace edit_e2e {
namespace {

TEST_F(Terminal, WriteAReplyConfigureTheMarginAndSave) {
    auto [scratch, file] = ScratchFile("session", "reply.msg", " AB> alpha beta gamma\r\n\r\nend");
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor("Line 1/3"));
    EXPECT_TRUE(term.WaitFor("1Help"));

    // Type at the end of the quoted line, then break it inside the quote.
    term.Keys("End");
    term.Type(" delta");
    ASSERT_TRUE(term.WaitFor("gamma delta"));
    term.Keys("Home");
    for (int i = 0; i < 11; ++i) term.Keys("Right");
    ASSERT_TRUE(term.WaitFor("Col 12"));
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitFor("AB> beta gamma delta"));
    EXPECT_TRUE(term.WaitFor("Line 2/4"));

    // F11: the plug-in menu, Marten's menu, the settings dialog.
    term.Keys("F11");
    ASSERT_TRUE(term.WaitFor("Plugin commands"));
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitFor("About Marten"));
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitFor("Right margin"));
    EXPECT_TRUE(term.WaitFor("{ OK }"));
    // From OK: Cancel, the four checkboxes, the left indent, the right margin.
    for (int i = 0; i < 7; ++i) term.Keys("Tab");
    term.Keys("C-y");
    term.Type("20");
    ASSERT_TRUE(term.WaitFor("20 ↓Right margin"));
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitFor("About Marten"));  // the menu again
    term.Keys("Escape");

    // Typing past the new margin wraps the quoted line.
    term.Keys("End");
    term.Type(" epsilon zeta");
    ASSERT_TRUE(term.WaitFor("zeta"));
    EXPECT_FALSE(term.Screen().find("AB> beta gamma delta epsilon") != std::string::npos);

    term.Keys("F2");
    ASSERT_TRUE(term.WaitFor("Saved"));
    term.Keys("Escape");
    EXPECT_EQ(term.WaitForExit(), 0);

    std::string bytes = ReadFile(file);
    EXPECT_EQ(bytes.rfind(" AB> alpha \r\nAB> beta", 0), 0u) << bytes;
    EXPECT_EQ(bytes.substr(bytes.size() - 7), "\r\n\r\nend") << bytes;
    EXPECT_NE(bytes.find("zeta"), std::string::npos);
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        EXPECT_LE(end - start, 22u) << bytes.substr(start, end - start);
    }
    std::string registry = ReadFile(scratch.Path("registry.reg"));
    EXPECT_NE(registry.find("\"RIndent\"=dword:00000014"), std::string::npos) << registry;
    // The margin typed is remembered in the field's history.
    EXPECT_EQ(ReadFile(scratch.Path("config/marten/history/Tansy%5CMarten%5CRIndent")).rfind("20\n", 0), 0u);
}

TEST_F(Terminal, ModifiedEnterReachesTheModuleWithItsModifier) {
    auto [scratch, file] = ScratchFile("shift-enter", "reply.msg", " AB> one two\r\n");
    TerminalSession term(scratch, {"--at", "1:10", file});
    ASSERT_TRUE(term.WaitFor("Col 10"));
    // Shift+Enter breaks the line without carrying the quote over.
    term.Keys("S-Enter");
    ASSERT_TRUE(term.WaitFor("Line 2/3"));
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), " AB> one \r\ntwo\r\n");
}

TEST_F(Terminal, DialogCheckboxesAndFieldHistory) {
    auto [scratch, file] = ScratchFile("history", "reply.msg", "text\r\n");
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor("Line 1/2"));
    // First showing: a margin of 33 confirmed, which goes into the history.
    ASSERT_TRUE(term.OpenSettings());
    for (int i = 0; i < 7; ++i) term.Keys("Tab");
    term.Keys("C-y");
    term.Type("33");
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitForGone("Right margin"));
    // Second: tick off the letter fix (the fourth checkbox), type 44 as the
    // margin, then take 33 back from the history.
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitFor("Right margin"));
    for (int i = 0; i < 5; ++i) term.Keys("Tab");
    term.Type(" ");
    ASSERT_TRUE(term.WaitFor("[ ] Fix Cyrillic"));
    term.Keys("Tab");
    term.Keys("Tab");
    term.Keys("C-y");
    term.Type("44");
    ASSERT_TRUE(term.WaitFor("44 ↓Right margin"));
    term.Keys("C-Down");
    ASSERT_TRUE(term.WaitFor("History"));
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitFor("33 ↓Right margin"));
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitForGone("Right margin"));
    term.Keys("Escape");
    ASSERT_TRUE(term.WaitForGone("About Marten"));
    term.Keys("F10");
    EXPECT_EQ(term.WaitForExit(), 0);
    std::string registry = ReadFile(scratch.Path("registry.reg"));
    EXPECT_NE(registry.find("\"RIndent\"=dword:00000021"), std::string::npos) << registry;
    EXPECT_NE(registry.find("\"EnableHPChange\"=hex:00"), std::string::npos) << registry;
    EXPECT_NE(registry.find("\"EnableQuote\"=hex:01"), std::string::npos) << registry;
}

TEST_F(Terminal, CtrlDeleteAndCtrlBackspaceJoinQuotedLines) {
    auto [scratch, file] = ScratchFile("join", "reply.msg", " AB> one \r\n AB> two \r\n AB> three\r\n");
    TerminalSession term(scratch, {"--at", "1:10", file});
    ASSERT_TRUE(term.WaitFor("Line 1/4"));
    term.Keys("C-Delete");
    ASSERT_TRUE(term.WaitFor("Line 1/3"));
    EXPECT_TRUE(term.WaitFor(" AB> one two\n AB> three"));  // the capture drops trailing blanks
    term.Keys("Down");
    term.Keys("Home");
    ASSERT_TRUE(term.WaitFor("Line 2/3  Col 1"));
    term.Keys("C-BSpace");
    ASSERT_TRUE(term.WaitFor(" AB> one two three"));
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), " AB> one two three\r\n");
}

TEST_F(Terminal, ResizeRedrawsAtTheNewSize) {
    auto [scratch, file] = ScratchFile("resize", "reply.msg", " AB> a quoted line\r\nplain\r\n");
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor("Line 1/3"));
    term.Tmux("resize-window -t edit -x 60 -y 16");
    // The key bar moves to the new last row.
    auto until = std::chrono::steady_clock::now() + 10s;
    std::string screen;
    bool redrawn = false;
    while (!redrawn && std::chrono::steady_clock::now() < until) {
        screen = term.Screen();
        std::vector<std::string> rows;
        std::size_t at = 0;
        for (std::size_t end; (end = screen.find('\n', at)) != std::string::npos; at = end + 1) {
            rows.push_back(screen.substr(at, end - at));
        }
        redrawn = rows.size() == 16 && rows.back().rfind("1Help", 0) == 0 &&
                  rows.front().find("Line 1/3") != std::string::npos && rows.front().size() <= 60;
        if (!redrawn) std::this_thread::sleep_for(50ms);
    }
    EXPECT_TRUE(redrawn) << screen;
    // A menu opened after the resize is centred in the smaller window too.
    term.Keys("F11");
    EXPECT_TRUE(term.WaitFor("Plugin commands"));
    term.Tmux("resize-window -t edit -x 90 -y 24");
    EXPECT_TRUE(term.WaitFor("Plugin commands"));
    term.Keys("Escape");
    term.Keys("Escape");
    EXPECT_EQ(term.WaitForExit(), 0);
}

TEST_F(Terminal, LeavingWithUnsavedChangesAsks) {
    auto [scratch, file] = ScratchFile("leave", "reply.msg", "keep\r\n");
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor("Line 1/2"));
    term.Type("x");
    ASSERT_TRUE(term.WaitFor("xkeep"));
    term.Keys("F10");
    ASSERT_TRUE(term.WaitFor("has been modified"));
    // An Esc and a key right after it read as Alt with the key, as in any
    // terminal; so each key waits for the screen to answer the one before.
    term.Keys("Escape");  // go on editing
    ASSERT_TRUE(term.WaitForGone("has been modified"));
    term.Keys("Escape");
    ASSERT_TRUE(term.WaitFor("has been modified"));
    term.Type("d");  // don't save
    EXPECT_EQ(term.WaitForExit(), 3);
    EXPECT_EQ(ReadFile(file), "keep\r\n");
}

TEST_F(Terminal, TerminationInAClosedFolderKeepsTheTextInTheTemporaryFolder) {
    ScratchFolder scratch("signal-tmp");
    std::string file = scratch.Path("gone/rescue-test.msg");
    std::filesystem::create_directories(scratch.Path("tmp"));
    TerminalSession term(scratch, {file}, 100, 30, kUtf8Locale + " TMPDIR=" + Quote(scratch.Path("tmp")));
    ASSERT_TRUE(term.WaitFor("Line 1/1"));
    term.Type("words");
    ASSERT_TRUE(term.WaitFor("words"));
    int pid = term.EditorPid();
    ASSERT_GT(pid, 0);
    ::kill(pid, SIGHUP);
    EXPECT_EQ(term.WaitForExit(), 1);
    EXPECT_EQ(ReadFile(scratch.Path("tmp/rescue-test.msg.unsaved")), "words");
}

TEST_F(Terminal, AFailedSaveKeepsTheTextAndSaysWhy) {
    ScratchFolder scratch("unwritable");
    std::string file = scratch.Path("gone/reply.msg");
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor("Line 1/1"));
    term.Type("text");
    term.Keys("F2");
    ASSERT_TRUE(term.WaitFor("cannot write " + file));
    EXPECT_TRUE(term.WaitFor("The file was not saved"));
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitForGone("The file was not saved"));
    EXPECT_TRUE(term.WaitFor("text"));
    EXPECT_TRUE(term.WaitFor("*  866"));  // still modified
    // Once the folder exists, the same text saves.
    std::filesystem::create_directories(scratch.Path("gone"));
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), "text");
}

TEST_F(Terminal, HelpAndTheConfigurationList) {
    auto [scratch, file] = ScratchFile("help", "reply.msg", "text\r\n");
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor("Line 1/2"));
    term.Keys("F1");
    ASSERT_TRUE(term.WaitFor("Moving the cursor"));  // the editor's own help
    term.Keys("Escape");
    term.Keys("M-S-F9");
    ASSERT_TRUE(term.WaitFor("Plugins configuration"));
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitFor("About Marten"));
    term.Keys("Down");
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitFor("FidoNet"));  // the About box
    EXPECT_TRUE(term.WaitFor("About Marten " MARTEN_VERSION));  // its title names the version
    term.Keys("Enter");
    term.Keys("Escape");
    ASSERT_TRUE(term.WaitFor("1Help"));
    term.Keys("Escape");
    EXPECT_EQ(term.WaitForExit(), 0);
}

TEST_F(Terminal, TerminationKeepsTheUnsavedText) {
    auto [scratch, file] = ScratchFile("signal", "reply.msg", "keep\r\n");
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor("Line 1/2"));
    term.Type("new ");
    ASSERT_TRUE(term.WaitFor("new keep"));
    int pid = term.EditorPid();
    ASSERT_GT(pid, 0);
    ::kill(pid, SIGTERM);
    EXPECT_EQ(term.WaitForExit(), 1);
    EXPECT_EQ(ReadFile(file), "keep\r\n");
    EXPECT_EQ(ReadFile(file + ".unsaved"), "new keep\r\n");
    EXPECT_NE(ReadFile(scratch.Path("stderr")).find("the unsaved text is in " + file + ".unsaved"),
              std::string::npos);
}

// Started outside the terminal's session (setsid), marten-edit gets no SIGHUP
// when the terminal goes away; it must still see the hang-up, keep the text
// and end, rather than wait on a terminal that answers every read at once.
TEST_F(Terminal, AVanishedTerminalKeepsTheTextAndEnds) {
    auto [scratch, file] = ScratchFile("hang-up", "reply.msg", "keep\r\n");
    TerminalSession term(scratch, {file}, 100, 30, kUtf8Locale, "setsid");
    ASSERT_TRUE(term.WaitFor("Line 1/2"));
    term.Type("new ");
    ASSERT_TRUE(term.WaitFor("new keep"));
    const int pid = term.EditorPid();
    ASSERT_GT(pid, 0);
    term.Tmux("kill-server");
    const std::string stat = "/proc/" + std::to_string(pid) + "/stat";
    auto running = [&] {
        std::string fields = ReadFile(stat);  // empty once the process is gone
        auto close = fields.rfind(')');
        return close != std::string::npos && fields.compare(close, 3, ") Z") != 0;
    };
    auto until = std::chrono::steady_clock::now() + 10s;
    while (running() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(50ms);
    if (running()) {
        ::kill(pid, SIGKILL);  // no stray process spinning after the suite
        ADD_FAILURE() << "marten-edit was still running 10 s after its terminal went away";
    }
    EXPECT_EQ(ReadFile(file), "keep\r\n");
    EXPECT_EQ(ReadFile(file + ".unsaved"), "new keep\r\n");
}

// No locale at all, as after an ssh login without LANG: the text and the
// dialog's history arrow are drawn all the same (in C.UTF-8).
TEST_F(Terminal, CyrillicIsDrawnWithNoLocaleSet) {
    ScratchFolder scratch("no-locale");
    std::string file = scratch.Path("reply.msg");
    WriteFile(file, " AB> \x8F\xE0\xA8\xA2\xA5\xE2, \xAC\xA8\xE0\r\n");  // Привет, мир in 866
    TerminalSession term(scratch, {file}, 100, 30, "");
    ASSERT_TRUE(term.WaitFor(" AB> Привет, мир"));
    ASSERT_TRUE(term.OpenSettings());
    EXPECT_TRUE(term.WaitFor("↓Right margin"));
    ASSERT_TRUE(term.LeaveSettings());
    term.Keys("F10");
    EXPECT_EQ(term.WaitForExit(), 0);
}

// A reply that a mail reader keeps in KOI8-R, opened in the default table:
// Shift+F8 picks KOI8-R from the list, typed Cyrillic is stored in KOI8-R,
// and the plug-in fixes the three letters.
TEST_F(Terminal, AKoi8rReplyWithThePluginsHelp) {
    ScratchFolder scratch("koi8r");
    std::string file = scratch.Path("golded.msg");
    WriteFile(file, " AB> \xF0\xD2\xC9\xD7\xC5\xD4\n\n");  // Привет in KOI8-R
    TerminalSession term(scratch, {"+2", file});
    ASSERT_TRUE(term.WaitFor("Line 2/3"));
    EXPECT_TRUE(term.WaitFor("81251"));  // the key bar names the table F8 gives
    term.Keys("S-F8");
    ASSERT_TRUE(term.WaitFor("Character table"));
    EXPECT_TRUE(term.WaitFor("√ OEM 866 (DOS)"));
    term.Type("k");
    ASSERT_TRUE(term.WaitForGone("Character table"));
    EXPECT_TRUE(term.WaitFor("KOI8-R  Line 2/3"));
    EXPECT_TRUE(term.WaitFor(" AB> Привет"));
    term.Type("Нерпа Ромео");
    ASSERT_TRUE(term.WaitFor("Hеpпа Pомео"));
    // The list marks the table in use; F8 still switches OEM and ANSI.
    term.Keys("S-F8");
    ASSERT_TRUE(term.WaitFor("√ KOI8-R"));
    term.Keys("Escape");
    ASSERT_TRUE(term.WaitForGone("Character table"));
    term.Keys("F2");
    ASSERT_TRUE(term.WaitFor("Saved"));
    term.Keys("F8");
    EXPECT_TRUE(term.WaitFor("   866  Line 2/3"));
    term.Keys("F10");
    EXPECT_EQ(term.WaitForExit(), 0);
    EXPECT_EQ(ReadFile(file), " AB> \xF0\xD2\xC9\xD7\xC5\xD4\nH\xC5p\xD0\xC1 P\xCF\xCD\xC5\xCF\n");
}

// A terminal in KOI8-R (a KOI8-R locale under luit): what it sends and shows
// is KOI8-R, which the editor reads and draws.
TEST_F(Terminal, AKoi8rLocaleUnderLuit) {
    ScratchFolder scratch("luit");
    std::string locales = scratch.Path("locale");
    std::filesystem::create_directories(locales);
    ASSERT_EQ(std::system(("localedef -i ru_RU -f KOI8-R " + Quote(locales + "/ru_RU.KOI8-R") +
                           " >/dev/null 2>&1").c_str()), 0) << "localedef (package locales) made no KOI8-R locale";
    ASSERT_EQ(std::system("command -v luit >/dev/null"), 0) << "luit is not installed (scripts/install-deps.sh)";
    std::string file = scratch.Path("reply.msg");
    WriteFile(file, " AB> \x8F\xE0\xA8\xA2\xA5\xE2\r\n\r\n");  // Привет in 866
    TerminalSession term(scratch, {"--codepage", "866", "+2", file}, 100, 30,
                         "LOCPATH=" + Quote(locales) + " LC_ALL=ru_RU.KOI8-R",
                         "luit -encoding KOI8-R --");
    ASSERT_TRUE(term.WaitFor(" AB> Привет"));
    term.Type("Нерпа");
    ASSERT_TRUE(term.WaitFor("Hеpпа"));
    // A character the terminal's set lacks is drawn as an ASCII look-alike.
    ASSERT_TRUE(term.OpenSettings());
    EXPECT_TRUE(term.WaitFor("vRight margin"));
    ASSERT_TRUE(term.LeaveSettings());
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), " AB> \x8F\xE0\xA8\xA2\xA5\xE2\r\nH\xA5p\xAF\xA0\r\n");
}

// As the file manager's editor asks about a read-only file, root is asked too.
TEST_F(Terminal, AReadOnlyFileIsSavedOnlyWhenTheUserSaysSo) {
    auto [scratch, file] = ScratchFile("readonly", "reply.msg", "text\r\n");
    ::chmod(file.c_str(), 0444);
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor("Line 1/2"));
    term.Type("new ");
    term.Keys("F2");
    ASSERT_TRUE(term.WaitFor("The file is read-only."));
    EXPECT_TRUE(term.WaitFor("Do you want to save it anyway?"));
    term.Type("c");
    ASSERT_TRUE(term.WaitForGone("The file is read-only."));
    EXPECT_EQ(ReadFile(file), "text\r\n");
    term.Keys("F2");
    ASSERT_TRUE(term.WaitFor("The file is read-only."));
    term.Type("s");
    ASSERT_TRUE(term.WaitFor("Saved"));
    term.Keys("F10");
    EXPECT_EQ(term.WaitForExit(), 0);
    EXPECT_EQ(ReadFile(file), "new text\r\n");
    struct stat st;
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
}

// A UTF-8 file is named as such when it opens, with the table to choose.
TEST_F(Terminal, AUtf8FileIsNamedWhenItOpens) {
    ScratchFolder scratch("utf8");
    std::string file = scratch.Path("reply.msg");
    const std::string text = " AB> \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\n";  // Привет
    WriteFile(file, text);
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor("holds UTF-8 text."));
    EXPECT_TRUE(term.WaitFor("Its text fits 866: convert it with iconv -f UTF-8 -t CP866"));
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitForGone("holds UTF-8 text."));
    EXPECT_TRUE(term.WaitFor("UTF-8 text     866  Line 1/2"));
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), text);
}

// ---- The editor's dialogs: search, replace, go to, save as, help ----------

// Opens an editor's dialog with `key`, waits for `prompt`, puts `text` in
// the focused field in place of what it held, and confirms with Enter.
::testing::AssertionResult Answer(const TerminalSession& term, const std::string& key,
                                  const std::string& prompt, const std::string& text) {
    term.Keys(key);
    if (auto shown = term.WaitFor(prompt); !shown) return shown;
    term.Keys("C-y");
    term.Type(text);
    term.Keys("Enter");
    return ::testing::AssertionSuccess();
}

TEST_F(Terminal, SearchFindsForwardAndBackAndSaysWhatItCannotFind) {
    auto [scratch, file] = ScratchFile("search", "notes.txt", "a cat\r\nCat two\r\nconcat\r\n");
    TerminalSession term(scratch, {"--codepage", "1251", "--at", "1:4", file});
    ASSERT_TRUE(term.WaitFor(At(1, 4, 4)));
    ASSERT_TRUE(Answer(term, "F7", "Reverse search", "cat"));
    ASSERT_TRUE(term.WaitFor(At(2, 4, 1)));  // from the cursor on, case ignored
    term.Keys("S-F7");
    ASSERT_TRUE(term.WaitFor(At(3, 4, 4)));
    term.Keys("M-F7");  // the other way
    ASSERT_TRUE(term.WaitFor(At(2, 4, 1)));
    term.Keys("S-F7");
    ASSERT_TRUE(term.WaitFor(At(3, 4, 4)));
    term.Keys("S-F7");
    ASSERT_TRUE(term.WaitFor("Could not find the string"));
    EXPECT_TRUE(term.WaitFor("\"cat\""));
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitForGone("Could not find"));

    // Whole words and case: only the second line's "Cat".
    term.Keys("C-Home");
    term.Keys("F7");
    ASSERT_TRUE(term.WaitFor("║ cat "));  // the field starts with the last text
    term.Keys("C-y");
    term.Type("Cat");
    term.Keys("M-c");
    term.Keys("M-w");
    ASSERT_TRUE(term.WaitFor("[x] Whole words"));
    EXPECT_TRUE(term.WaitFor("[x] Case sensitive"));
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitFor(At(2, 4, 1)));

    // A text that the file's table cannot hold is named, not looked for.
    ASSERT_TRUE(Answer(term, "F7", "Reverse search", "╔═"));
    ASSERT_TRUE(term.WaitFor("The 1251 table has no place for \"╔═\","));
    EXPECT_TRUE(term.WaitFor("so the text to find cannot be in this file."));
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitForGone("no place for"));

    // The field remembers what was looked for, newest first.
    term.Keys("F10");
    EXPECT_EQ(term.WaitForExit(), 0);
    EXPECT_EQ(ReadFile(scratch.Path("config/marten/history/marten-edit%5CSearchText")), "╔═\nCat\ncat\n");
}

TEST_F(Terminal, ReplaceAsksAboutEachMatchAndOneUndoTakesBackAll) {
    ScratchFolder scratch("replace");
    std::string file = scratch.Path("notes.txt");
    std::string text = "cat one\r\n";
    for (int i = 2; i <= 13; ++i) text += "line " + std::to_string(i) + "\r\n";
    text += "cat two\r\ncat three\r\nlast cat\r\n";  // lines 14 to 16
    WriteFile(file, text);
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor(At(1, 17, 1)));
    term.Keys("C-F7");
    ASSERT_TRUE(term.WaitFor("Replace with"));
    term.Type("cat");
    term.Keys("Tab");
    term.Type("dog");
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitFor("\"dog\""));
    EXPECT_TRUE(term.WaitFor(At(1, 17, 1)));
    term.Type("r");  // Replace
    ASSERT_TRUE(term.WaitFor(At(14, 17, 1)));
    // The box leaves the match in sight: line 14 stands in the middle of
    // the screen, where a centred box would be.
    EXPECT_TRUE(term.WaitFor("\ncat two\ncat three\nlast cat "));
    EXPECT_TRUE(term.WaitFor("\"dog\""));
    term.Type("s");  // Skip
    ASSERT_TRUE(term.WaitFor(At(15, 17, 1)));
    term.Type("a");  // All: this one and the rest
    ASSERT_TRUE(term.WaitFor("3 occurrences replaced"));  // with the first one
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitForGone("occurrences replaced"));
    EXPECT_TRUE(term.WaitFor("last dog"));
    term.Keys("F2");
    ASSERT_TRUE(term.WaitFor("Saved"));
    std::string replaced = text;
    replaced.replace(0, 3, "dog");
    replaced.replace(replaced.find("cat three"), 3, "dog");
    replaced.replace(replaced.find("last cat"), 8, "last dog");
    EXPECT_EQ(ReadFile(file), replaced);

    // One undo takes back everything All replaced, and only that.
    term.Keys("C-z");
    ASSERT_TRUE(term.WaitFor("last cat"));
    EXPECT_TRUE(term.WaitFor("\ncat three\n"));
    EXPECT_EQ(term.SaveAndQuit(), 0);
    std::string undone = text;
    undone.replace(0, 3, "dog");
    EXPECT_EQ(ReadFile(file), undone);
}

TEST_F(Terminal, GoToALineOrALineAndColumn) {
    auto [scratch, file] = ScratchFile("goto", "notes.txt", "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n");
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor(At(1, 11, 1)));
    const struct {
        const char* typed;
        std::string at;
    } cases[] = {
        {"7:3", At(7, 11, 3)},
        {"2,4", At(2, 11, 4)},
        {" 5 ", At(5, 11, 1)},
        {"99", At(11, 11, 1)},  // past the end: the last line
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Answer(term, "M-F8", "Line or line:column", c.typed));
        EXPECT_TRUE(term.WaitFor(c.at)) << c.typed;
    }
    ASSERT_TRUE(Answer(term, "M-F8", "Line or line:column", "3:x"));
    ASSERT_TRUE(term.WaitFor("\"3:x\" is not a position."));
    EXPECT_TRUE(term.WaitFor("Type a line number, or line:column (from 1)."));
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitForGone("is not a position"));
    EXPECT_TRUE(term.WaitFor(At(11, 11, 1)));
    term.Keys("F10");
    EXPECT_EQ(term.WaitForExit(), 0);
}

TEST_F(Terminal, SaveUnderAnotherNameGoesOnWithTheNewFile) {
    ScratchFolder scratch("save-as");
    std::string file = scratch.Path("reply.msg");
    std::string notes = scratch.Path("заметки.txt");
    std::string other = scratch.Path("other.txt");
    WriteFile(file, "old\r\n");
    WriteFile(other, "keep\r\n");
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor(At(1, 2, 1)));
    term.Type("Нр ");  // in a .msg file the plug-in makes it Hp
    ASSERT_TRUE(term.WaitFor("Hp old"));

    term.Keys("S-F2");
    ASSERT_TRUE(term.WaitFor(file + " "));  // the current name to start from
    term.Keys("Escape");
    ASSERT_TRUE(term.WaitForGone("Name of the file"));
    ASSERT_TRUE(Answer(term, "S-F2", "Name of the file", notes));
    ASSERT_TRUE(term.WaitFor(" " + notes + " "));
    EXPECT_TRUE(term.WaitFor("Saved"));
    EXPECT_EQ(ReadFile(notes), "Hp old\r\n");
    EXPECT_EQ(ReadFile(file), "old\r\n");

    // The plug-in sees the new name, which its masks do not take.
    term.Type("Нр ");
    ASSERT_TRUE(term.WaitFor("Hp Нр old"));

    // An existing file is replaced only when the user says so.
    ASSERT_TRUE(Answer(term, "S-F2", "Name of the file", other));
    ASSERT_TRUE(term.WaitFor("already exists. Do you want to replace it?"));
    term.Type("c");
    ASSERT_TRUE(term.WaitForGone("already exists"));
    EXPECT_EQ(ReadFile(other), "keep\r\n");
    EXPECT_TRUE(term.WaitFor(" " + notes + " "));
    term.Keys("F2");
    ASSERT_TRUE(term.WaitFor("Saved"));
    term.Keys("F10");
    EXPECT_EQ(term.WaitForExit(), 0);
    EXPECT_EQ(ReadFile(notes), "Hp \x8D\xE0 old\r\n");
    EXPECT_EQ(ReadFile(file), "old\r\n");
    // Both names given are in the field's history, newest first.
    EXPECT_EQ(ReadFile(scratch.Path("config/marten/history/marten-edit%5CSaveAs")), other + "\n" + notes + "\n");
}

TEST_F(Terminal, TheEditorsHelpLeadsIntoThePluginsHelp) {
    auto [scratch, file] = ScratchFile("editor-help", "reply.msg", "text\r\n");
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor(At(1, 2, 1)));
    term.Keys("F1");
    ASSERT_TRUE(term.WaitFor("═ marten-edit ═"));
    EXPECT_TRUE(term.WaitFor("Moving the cursor"));
    // The last link of the contents is the plug-in's help.
    term.Keys("BTab");
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitFor("file masks"));
    EXPECT_TRUE(term.WaitFor("═ Marten ═"));
    term.Keys("BSpace");
    ASSERT_TRUE(term.WaitFor("Moving the cursor"));
    term.Keys("Escape");
    ASSERT_TRUE(term.WaitForGone("Moving the cursor"));
    // F1 in a dialog of the editor shows that dialog's topic.
    term.Keys("C-F7");
    ASSERT_TRUE(term.WaitFor("Replace with"));
    term.Keys("F1");
    ASSERT_TRUE(term.WaitFor("Ctrl+F7 asks for the text to find"));
    term.Keys("Escape");
    ASSERT_TRUE(term.WaitForGone("Ctrl+F7 asks"));
    term.Keys("Escape");
    ASSERT_TRUE(term.WaitForGone("Replace with"));
    // F1 in the plug-in's dialog shows the plug-in's help, as before.
    ASSERT_TRUE(term.OpenSettings());
    term.Keys("F1");
    ASSERT_TRUE(term.WaitFor("Marten settings"));
    EXPECT_TRUE(term.WaitFor("Enter inside a quoted line repeats its prefix"));
    term.Keys("Escape");
    ASSERT_TRUE(term.WaitForGone("Marten settings"));
    ASSERT_TRUE(term.LeaveSettings());
    term.Keys("F10");
    EXPECT_EQ(term.WaitForExit(), 0);
}

}  // namespace
}  // namespace edit_e2e
