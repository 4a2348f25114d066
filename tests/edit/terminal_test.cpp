// marten-edit in a real terminal: tmux runs it, sends keys and reads the
// screen back. Every wait polls the screen with a bound; nothing relies on
// a fixed sleep alone.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "tests/edit/edit_run.hpp"

namespace edit_e2e {
namespace {

using namespace std::chrono_literals;

std::string Output(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

bool HaveTmux() { return std::system("tmux -V >/dev/null 2>&1") == 0; }

// One tmux server of the test's own, so nothing else is disturbed.
class TerminalSession {
public:
    TerminalSession(const ScratchFolder& scratch, const std::vector<std::string>& args, int width = 100,
                    int height = 30, const std::string& environment = "")
        : scratch_(scratch), socket_("marten-edit-test-" + std::to_string(::getpid())) {
        std::string inner = environment + " XDG_CONFIG_HOME=" + Quote(scratch.Path("config")) + " " +
                            EditCommand(scratch, args) + " 2>" + Quote(scratch.Path("stderr")) +
                            "; echo $? >" + Quote(scratch.Path("status"));
        // extended-keys lets modified keys through to an application that asks
        // for them; the option is set on the server before the session starts.
        Tmux("-f /dev/null start-server \\; set -g extended-keys on \\; new-session -d -s edit -x " +
             std::to_string(width) + " -y " + std::to_string(height) + " " + Quote(inner));
    }
    ~TerminalSession() { Tmux("kill-server 2>/dev/null"); }

    std::string Tmux(const std::string& arguments) const {
        return Output("tmux -L " + socket_ + " " + arguments);
    }
    void Keys(const std::string& keys) const { Tmux("send-keys -t edit " + keys); }
    void Type(const std::string& text) const { Tmux("send-keys -t edit -l " + Quote(text)); }
    std::string Screen() const { return Tmux("capture-pane -p -t edit"); }

    // Polls the screen until `text` is on it; the last screen in the failure otherwise.
    ::testing::AssertionResult WaitFor(const std::string& text, std::chrono::milliseconds bound = 10s) const {
        auto until = std::chrono::steady_clock::now() + bound;
        std::string screen;
        do {
            screen = Screen();
            if (screen.find(text) != std::string::npos) return ::testing::AssertionSuccess();
            std::this_thread::sleep_for(50ms);
        } while (std::chrono::steady_clock::now() < until);
        return ::testing::AssertionFailure() << "\"" << text << "\" did not appear; the screen:\n" << screen;
    }

    // Polls the screen until `text` is gone from it.
    ::testing::AssertionResult WaitForGone(const std::string& text, std::chrono::milliseconds bound = 10s) const {
        auto until = std::chrono::steady_clock::now() + bound;
        std::string screen;
        do {
            screen = Screen();
            if (screen.find(text) == std::string::npos) return ::testing::AssertionSuccess();
            std::this_thread::sleep_for(50ms);
        } while (std::chrono::steady_clock::now() < until);
        return ::testing::AssertionFailure() << "\"" << text << "\" stayed; the screen:\n" << screen;
    }

    // Waits for marten-edit to end and gives its exit status (-1 on time-out).
    int WaitForExit(std::chrono::milliseconds bound = 10s) const {
        auto until = std::chrono::steady_clock::now() + bound;
        do {
            std::ifstream in(scratch_.Path("status"));
            int status;
            if (in >> status) return status;
            std::this_thread::sleep_for(50ms);
        } while (std::chrono::steady_clock::now() < until);
        return -1;
    }

    // The process id of marten-edit itself (the child of the pane's shell).
    int EditorPid() const {
        std::string shell = Tmux("list-panes -t edit -F '#{pane_pid}'");
        std::string children = ReadFile("/proc/" + std::to_string(std::atoi(shell.c_str())) + "/task/" +
                                        std::to_string(std::atoi(shell.c_str())) + "/children");
        return std::atoi(children.c_str());
    }

private:
    const ScratchFolder& scratch_;
    std::string socket_;
};

class Terminal : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveTmux()) GTEST_SKIP() << "tmux is not installed";
    }
};

TEST_F(Terminal, WriteAReplyConfigureTheMarginAndSave) {
    ScratchFolder scratch("session");
    std::string file = scratch.Path("reply.msg");
    WriteFile(file, " AB> alpha beta gamma\r\n\r\nend");
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
    ScratchFolder scratch("shift-enter");
    std::string file = scratch.Path("reply.msg");
    WriteFile(file, " AB> one two\r\n");
    TerminalSession term(scratch, {"--at", "1:10", file});
    ASSERT_TRUE(term.WaitFor("Col 10"));
    // Shift+Enter breaks the line without carrying the quote over.
    term.Keys("S-Enter");
    ASSERT_TRUE(term.WaitFor("Line 2/3"));
    term.Keys("F2");
    ASSERT_TRUE(term.WaitFor("Saved"));
    term.Keys("F10");
    EXPECT_EQ(term.WaitForExit(), 0);
    EXPECT_EQ(ReadFile(file), " AB> one \r\ntwo\r\n");
}

TEST_F(Terminal, DialogCheckboxesAndFieldHistory) {
    ScratchFolder scratch("history");
    std::string file = scratch.Path("reply.msg");
    WriteFile(file, "text\r\n");
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor("Line 1/2"));
    auto openDialog = [&] {
        term.Keys("F11");
        ASSERT_TRUE(term.WaitFor("Plugin commands"));
        term.Keys("Enter");
        ASSERT_TRUE(term.WaitFor("About Marten"));
        term.Keys("Enter");
        ASSERT_TRUE(term.WaitFor("Right margin"));
    };
    // First showing: a margin of 33 confirmed, which goes into the history.
    openDialog();
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
    ScratchFolder scratch("join");
    std::string file = scratch.Path("reply.msg");
    WriteFile(file, " AB> one \r\n AB> two \r\n AB> three\r\n");
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
    term.Keys("F2");
    ASSERT_TRUE(term.WaitFor("Saved"));
    term.Keys("F10");
    EXPECT_EQ(term.WaitForExit(), 0);
    EXPECT_EQ(ReadFile(file), " AB> one two three\r\n");
}

TEST_F(Terminal, ResizeRedrawsAtTheNewSize) {
    ScratchFolder scratch("resize");
    std::string file = scratch.Path("reply.msg");
    WriteFile(file, " AB> a quoted line\r\nplain\r\n");
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
    ScratchFolder scratch("leave");
    std::string file = scratch.Path("reply.msg");
    WriteFile(file, "keep\r\n");
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
    TerminalSession term(scratch, {file}, 100, 30, "TMPDIR=" + Quote(scratch.Path("tmp")));
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
    EXPECT_TRUE(term.WaitFor("*   866"));  // still modified
    // Once the folder exists, the same text saves.
    std::filesystem::create_directories(scratch.Path("gone"));
    term.Keys("F2");
    ASSERT_TRUE(term.WaitFor("Saved"));
    term.Keys("F10");
    EXPECT_EQ(term.WaitForExit(), 0);
    EXPECT_EQ(ReadFile(file), "text");
}

TEST_F(Terminal, HelpAndTheConfigurationList) {
    ScratchFolder scratch("help");
    std::string file = scratch.Path("reply.msg");
    WriteFile(file, "text\r\n");
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor("Line 1/2"));
    term.Keys("F1");
    ASSERT_TRUE(term.WaitFor("file masks"));
    term.Keys("Escape");
    term.Keys("M-S-F9");
    ASSERT_TRUE(term.WaitFor("Plugins configuration"));
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitFor("About Marten"));
    term.Keys("Down");
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitFor("FidoNet"));  // the About box
    term.Keys("Enter");
    term.Keys("Escape");
    ASSERT_TRUE(term.WaitFor("1Help"));
    term.Keys("Escape");
    EXPECT_EQ(term.WaitForExit(), 0);
}

TEST_F(Terminal, TerminationKeepsTheUnsavedText) {
    ScratchFolder scratch("signal");
    std::string file = scratch.Path("reply.msg");
    WriteFile(file, "keep\r\n");
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

}  // namespace
}  // namespace edit_e2e
