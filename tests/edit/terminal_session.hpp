// The tmux fixture of the terminal tests: marten-edit runs in a tmux server
// of the test's own, which sends it keys and reads its screen back. Every
// wait polls the screen with a bound; nothing relies on a fixed sleep alone.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/edit/edit_run.hpp"

namespace edit_e2e {

using namespace std::chrono_literals;

inline std::string Output(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

// tmux runs with an empty environment, as after a login without LANG, so
// that nothing of the caller's reaches the terminal; each test says which
// locale marten-edit runs in. Only the sanitizers' settings pass.
inline std::string TmuxCommand() {
    std::string command = "env -i PATH=/usr/local/bin:/usr/bin:/bin";
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
        if (const char* value = std::getenv(name))
            command += std::string(" ") + name + "=" + Quote(value);
    }
    return command + " tmux -u";
}

inline bool HaveTmux() { return std::system((TmuxCommand() + " -V >/dev/null 2>&1").c_str()) == 0; }

// The locale of most tests: UTF-8, which every Debian has.
inline const std::string kUtf8Locale = "LANG=C.UTF-8 LC_ALL=C.UTF-8";

// One tmux server of the test's own, so nothing else is disturbed.
// `environment` holds the assignments marten-edit runs with, `wrapper` a
// command that runs it (such as luit).
class TerminalSession {
public:
    // `serverOptions` are tmux commands run on the server before the session
    // starts ("set -g set-clipboard on"); `plugins` is the folder --plugins names.
    TerminalSession(const ScratchFolder& scratch, const std::vector<std::string>& args,
                    int width = 100, int height = 30, const std::string& environment = kUtf8Locale,
                    const std::string& wrapper = "", const std::string& serverOptions = "",
                    const std::string& plugins = kAnsiPlugins)
        : scratch_(scratch), socket_("marten-edit-test-" + std::to_string(::getpid())) {
        std::string inner = environment + " XDG_CONFIG_HOME=" + Quote(scratch.Path("config")) +
                            " " + wrapper + " " + EditCommand(scratch, args, plugins) + " 2>" +
                            Quote(scratch.Path("stderr")) + "; echo $? >" +
                            Quote(scratch.Path("status"));
        // extended-keys lets modified keys through to an application that asks
        // for them; the option is set on the server before the session starts.
        Tmux("-f /dev/null start-server \\; set -g extended-keys on \\; " +
             (serverOptions.empty() ? "" : serverOptions + " \\; ") + "new-session -d -s edit -x " +
             std::to_string(width) + " -y " + std::to_string(height) + " " + Quote(inner));
    }
    ~TerminalSession() { Tmux("kill-server 2>/dev/null"); }

    std::string Tmux(const std::string& arguments) const {
        return Output(TmuxCommand() + " -L " + socket_ + " " + arguments);
    }
    void Keys(const std::string& keys) const { Tmux("send-keys -t edit " + keys); }
    void Type(const std::string& text) const { Tmux("send-keys -t edit -l " + Quote(text)); }
    std::string Screen() const { return Tmux("capture-pane -p -t edit"); }

    // Polls the screen until `text` is on it; the last screen in the failure otherwise.
    ::testing::AssertionResult WaitFor(const std::string& text,
                                       std::chrono::milliseconds bound = 10s) const {
        auto until = std::chrono::steady_clock::now() + bound;
        std::string screen;
        do {
            screen = Screen();
            if (screen.find(text) != std::string::npos) return ::testing::AssertionSuccess();
            std::this_thread::sleep_for(50ms);
        } while (std::chrono::steady_clock::now() < until);
        return ::testing::AssertionFailure() << "\"" << text << "\" did not appear; the screen:\n"
                                             << screen;
    }

    // Polls the screen until `text` is gone from it.
    ::testing::AssertionResult WaitForGone(const std::string& text,
                                           std::chrono::milliseconds bound = 10s) const {
        auto until = std::chrono::steady_clock::now() + bound;
        std::string screen;
        do {
            screen = Screen();
            if (screen.find(text) == std::string::npos) return ::testing::AssertionSuccess();
            std::this_thread::sleep_for(50ms);
        } while (std::chrono::steady_clock::now() < until);
        return ::testing::AssertionFailure() << "\"" << text << "\" stayed; the screen:\n"
                                             << screen;
    }

    // F11, Marten's menu, its settings dialog.
    ::testing::AssertionResult OpenSettings() const {
        Keys("F11");
        if (auto shown = WaitFor("Plugin commands"); !shown) return shown;
        Keys("Enter");
        if (auto shown = WaitFor("About Marten"); !shown) return shown;
        Keys("Enter");
        return WaitFor("Right margin");
    }
    // Esc out of the settings dialog and Marten's menu, back to the text.
    ::testing::AssertionResult LeaveSettings() const {
        Keys("Escape");
        if (auto gone = WaitForGone("Right margin"); !gone) return gone;
        Keys("Escape");
        return WaitForGone("About Marten");
    }
    // F2, then F10; the exit status (-1 when the save was not reported).
    int SaveAndQuit() const {
        Keys("F2");
        if (!WaitFor("Saved")) return -1;
        Keys("F10");
        return WaitForExit();
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

    // Pastes `bytes` as a terminal does: through a tmux buffer, bracketed
    // when the application asked for bracketed pastes. Unless `keepLineFeeds`,
    // tmux sends each LF as CR, as a terminal's paste key does.
    void Paste(const std::string& bytes, bool keepLineFeeds = false) const {
        std::string path = scratch_.Path("paste-buffer");
        WriteFile(path, bytes);
        Tmux("load-buffer -b paste " + Quote(path) + " \\; paste-buffer -p -d " +
             (keepLineFeeds ? "-r " : "") + "-b paste -t edit");
    }

    // The process id of marten-edit itself (the child of the pane's shell).
    int EditorPid() const {
        std::string shell = Tmux("list-panes -t edit -F '#{pane_pid}'");
        std::string children =
            ReadFile("/proc/" + std::to_string(std::atoi(shell.c_str())) + "/task/" +
                     std::to_string(std::atoi(shell.c_str())) + "/children");
        return std::atoi(children.c_str());
    }

private:
    const ScratchFolder& scratch_;
    std::string socket_;
};

// The title line's part that names the cursor's place.
inline std::string At(int line, int lines, int column) {
    return "Line " + std::to_string(line) + "/" + std::to_string(lines) + "  Col " +
           std::to_string(column);
}

class Terminal : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(HaveTmux()) << "tmux is not installed (scripts/install-deps.sh)";
    }
};

}  // namespace edit_e2e
