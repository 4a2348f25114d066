// marten-edit in a real terminal, through the tmux fixture: what only a
// terminal shows (modified keys, a resize, signals and a vanished terminal,
// the locale's character set). What is drawn and what keys do in the
// editor's boxes is tested on the in-memory screen (edit/view/).
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/edit/terminal_session.hpp"

namespace edit_e2e {
namespace {

// The keys whose sequences a terminal sends in more than one way, or only
// when asked (tmux's extended keys), each checked by the text it leaves.
TEST_F(Terminal, ModifiedKeysReachTheEditorAndThePlugin) {
    const struct {
        const char* text;
        const char* at;
        const char* typed;  // sent first, as typed text
        const char* keys;   // then these, as tmux names them
        const char* saved;
    } cases[] = {
        // Shift+Enter breaks the line without carrying the quote over.
        {" AB> one two\r\n", "1:10", "", "S-Enter", " AB> one \r\ntwo\r\n"},
        // Ctrl+Del and Ctrl+BkSp join quoted lines, the second prefix left out.
        {" AB> one \r\n AB> two \r\n AB> three\r\n", "1:10", "", "C-Delete Down Home C-BSpace",
         " AB> one two three\r\n"},
        // Alt+BkSp undoes the carried quote, Alt+Shift+BkSp redoes it.
        {" AB> alpha beta\r\n", "1:12", "", "Enter M-BSpace", " AB> alpha beta\r\n"},
        {" AB> alpha beta\r\n", "1:12", "", "Enter M-BSpace M-S-BSpace",
         " AB> alpha \r\nAB> beta\r\n"},
        // Ctrl+Z undoes the letter the plug-in replaced; Ctrl+R and
        // Ctrl+Shift+Z redo it.
        {" MK>> one\r\n\r\n", "2:1", "р", "C-z", " MK>> one\r\n\r\n"},
        {" MK>> one\r\n\r\n", "2:1", "р", "C-z C-r", " MK>> one\r\np\r\n"},
        {" MK>> one\r\n\r\n", "2:1", "р", "C-z C-S-z", " MK>> one\r\np\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " " + c.keys);
        auto [scratch, file] = ScratchFile("keys", "reply.msg", c.text);
        TerminalSession term(scratch, {"--at", c.at, file});
        ASSERT_TRUE(term.WaitFor("Col "));
        if (*c.typed) term.Type(c.typed);
        term.Keys(c.keys);
        EXPECT_EQ(term.SaveAndQuit(), 0);
        EXPECT_EQ(ReadFile(file), c.saved);
    }
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

TEST_F(Terminal, TerminationInAClosedFolderKeepsTheTextInTheTemporaryFolder) {
    ScratchFolder scratch("signal-tmp");
    std::string file = scratch.Path("gone/rescue-test.msg");
    std::filesystem::create_directories(scratch.Path("tmp"));
    TerminalSession term(scratch, {file}, 100, 30,
                         kUtf8Locale + " TMPDIR=" + Quote(scratch.Path("tmp")));
    ASSERT_TRUE(term.WaitFor("Line 1/1"));
    term.Type("words");
    ASSERT_TRUE(term.WaitFor("words"));
    int pid = term.EditorPid();
    ASSERT_GT(pid, 0);
    ::kill(pid, SIGHUP);
    EXPECT_EQ(term.WaitForExit(), 1);
    EXPECT_EQ(ReadFile(scratch.Path("tmp/rescue-test.msg.unsaved")), "words");
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

// A terminal in KOI8-R (a KOI8-R locale under luit): what it sends and shows
// is KOI8-R, which the editor reads and draws.
TEST_F(Terminal, AKoi8rLocaleUnderLuit) {
    ScratchFolder scratch("luit");
    std::string locales = scratch.Path("locale");
    std::filesystem::create_directories(locales);
    ASSERT_EQ(std::system(("localedef -i ru_RU -f KOI8-R " + Quote(locales + "/ru_RU.KOI8-R") +
                           " >/dev/null 2>&1")
                              .c_str()),
              0)
        << "localedef (package locales) made no KOI8-R locale";
    ASSERT_EQ(std::system("command -v luit >/dev/null"), 0)
        << "luit is not installed (scripts/install-deps.sh)";
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

}  // namespace
}  // namespace edit_e2e
