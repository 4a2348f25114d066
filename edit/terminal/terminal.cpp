#include "edit/terminal/terminal.hpp"

#include <ncursesw/curses.h>

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include <cstdio>
#include <cstring>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <string>

#include "edit/terminal/clipboard_sequence.hpp"
#include "edit/terminal/key_table.hpp"
#include "engine/utf8.hpp"
#include "edit/terminal/locale.hpp"

namespace edit {
namespace {

volatile std::sig_atomic_t g_quit = 0;
bool g_active = false;
SCREEN* g_screen = nullptr;

// How long the rest of an escape sequence may take to arrive.
constexpr int kEscapeWaitMs = 40;

// Asks xterm and terminals like it (tmux with extended-keys) to report keys
// such as Shift+Enter and Ctrl+Enter, which plain terminals send as Enter.
constexpr char kReportModifiedKeys[] = "\x1b[>4;1m";
constexpr char kPlainKeys[] = "\x1b[>4m";
// Bracketed paste: the terminal wraps what it pastes in ESC [200~ and
// ESC [201~, so a paste is told from typing and inserted as one block.
constexpr char kBracketedPaste[] = "\x1b[?2004h";
constexpr char kPlainPaste[] = "\x1b[?2004l";
constexpr std::u32string_view kPasteStart = U"[200~";
constexpr std::u32string_view kPasteEnd = U"\x1b[201~";
// A terminal that never ends its paste: what came is taken after this much silence.
constexpr int kPasteSilenceMs = 2000;

void Send(std::string_view sequence) {
    std::fflush(stdout);
    while (!sequence.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, sequence.data(), sequence.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;
        sequence.remove_prefix(static_cast<std::size_t>(written));
    }
}

// What the terminal pastes after ESC [200~, up to ESC [201~ (left out).
TerminalEvent ReadPaste() {
    std::u32string text;
    timeout(kPasteSilenceMs);
    for (;;) {
        wint_t ch;
        const int kind = get_wch(&ch);
        if (kind == ERR) break;  // silence, or a signal: keep what came
        if (kind == KEY_CODE_YES) continue;  // no key belongs in pasted text
        text.push_back(static_cast<char32_t>(ch));
        if (text.ends_with(kPasteEnd)) {
            text.erase(text.size() - kPasteEnd.size());
            break;
        }
    }
    TerminalEvent event;
    event.kind = TerminalEvent::Kind::Paste;
    for (char32_t c : text) engine::AppendUtf8(event.text, c);
    return event;
}

void OnTerminatingSignal(int) { g_quit = 1; }

// True when the terminal has gone away (its other end closed): no input will
// come again, and each wait would return at once. A process outside the
// terminal's session (started by setsid, or under a tracer) gets no SIGHUP
// when that happens, so the editor must see it here or spin.
bool TerminalGone() {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (::poll(&input, 1, 0) < 0) return false;
    return (input.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

void InstallHandlers() {
    struct sigaction action{};
    action.sa_handler = OnTerminatingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a waiting read returns and sees the flag
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

void RestoreAtExit() { Terminal::Restore(); }

// An exception nobody caught still gives the terminal back before the abort.
std::terminate_handler g_previousTerminate = nullptr;
[[noreturn]] void RestoreAndTerminate() {
    Terminal::Restore();
    if (g_previousTerminate) g_previousTerminate();
    std::abort();
}

// True when the terminal sends the key `code` as a sequence that begins
// with ESC (the arrows, F-keys); false for a single byte such as DEL.
bool SequenceBeginsWithEscape(int code) {
    char* sequence = keybound(code, 0);
    const bool escape = sequence == nullptr || sequence[0] == '\x1b';
    std::free(sequence);
    return escape;
}

// After an ESC: gather what follows until it forms a sequence or stops coming.
TerminalEvent ReadEscape() {
    std::u32string rest;
    timeout(kEscapeWaitMs);
    while (rest.size() < 16) {
        wint_t ch;
        int kind = get_wch(&ch);
        if (kind == ERR) break;
        if (kind == KEY_CODE_YES) {
            // A key whose sequence does not begin with ESC (DEL is Backspace
            // where kbs=^?) comes right after it: Alt with that key, as
            // xterm and tmux send Alt+BkSp.
            if (rest.empty() && ch != KEY_RESIZE && !SequenceBeginsWithEscape(static_cast<int>(ch))) {
                const char* name = keyname(static_cast<int>(ch));
                if (auto stroke = StrokeForKeyName(name ? name : "")) {
                    stroke->controlState |= LEFT_ALT_PRESSED;
                    TerminalEvent event;
                    event.kind = TerminalEvent::Kind::Key;
                    event.stroke = *stroke;
                    return event;
                }
            }
            ungetch(static_cast<int>(ch));  // a key of its own: the ESC stands alone
            break;
        }
        if (ch == 27) {
            unget_wch(ch);  // the next key begins: this ESC was Esc itself
            break;
        }
        rest.push_back(static_cast<char32_t>(ch));
        if (EscapeComplete(rest)) break;
    }
    if (rest == kPasteStart) return ReadPaste();
    TerminalEvent event;
    if (auto stroke = StrokeForEscape(rest)) {
        event.kind = TerminalEvent::Kind::Key;
        event.stroke = *stroke;
    }
    return event;
}

}  // namespace

Terminal::Terminal() {
    charset_ = UseTerminalLocale();
    InstallHandlers();
    static bool registered = false;
    if (!registered) {
        std::atexit(RestoreAtExit);
        g_previousTerminate = std::set_terminate(RestoreAndTerminate);
        registered = true;
    }
    set_escdelay(kEscapeWaitMs);
    // newterm, unlike initscr, answers an unknown terminal instead of exiting.
    g_screen = newterm(nullptr, stdout, stdin);
    if (g_screen == nullptr) {
        const char* term = std::getenv("TERM");
        problem_ = std::string("cannot use the terminal (TERM=") + (term ? term : "") + ")";
        return;
    }
    g_active = true;
    Send(kReportModifiedKeys);
    Send(kBracketedPaste);
    raw();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    meta(stdscr, TRUE);
    intrflush(stdscr, FALSE);
    // The editor handles all waiting input before it draws (ncurses would
    // look for it again before every update).
    typeahead(-1);
    if (has_colors()) {
        start_color();
        use_default_colors();
    }
}

Terminal::~Terminal() { Restore(); }

void Terminal::Restore() {
    if (!g_active) return;
    g_active = false;
    curs_set(1);
    endwin();
    Send(kPlainKeys);
    Send(kPlainPaste);
    delscreen(g_screen);
    g_screen = nullptr;
}

bool Terminal::QuitRequested() { return g_quit != 0; }

void Terminal::SendToClipboard(std::string_view utf8) {
    if (!g_active) return;
    if (auto sequence = ClipboardSequence(utf8)) Send(*sequence);
}

TerminalEvent Terminal::Read(int timeoutMs) {
    TerminalEvent event;
    if (g_quit) {
        event.kind = TerminalEvent::Kind::Quit;
        return event;
    }
    timeout(timeoutMs);
    wint_t ch;
    int kind = get_wch(&ch);
    if (g_quit) {
        event.kind = TerminalEvent::Kind::Quit;
        return event;
    }
    if (kind == ERR) {
        // Handled as a hang-up: unsaved text is kept, and the editor ends.
        if (TerminalGone()) {
            g_quit = 1;
            event.kind = TerminalEvent::Kind::Quit;
        }
        return event;
    }
    if (kind == KEY_CODE_YES) {
        if (ch == KEY_RESIZE) {
            event.kind = TerminalEvent::Kind::Resize;
            return event;
        }
        const char* name = keyname(static_cast<int>(ch));
        if (auto stroke = StrokeForKeyName(name ? name : "")) {
            event.kind = TerminalEvent::Kind::Key;
            event.stroke = *stroke;
        }
        return event;
    }
    if (ch == 27) return ReadEscape();
    const auto typed = static_cast<char32_t>(ch);
    const bool printable = typed >= 0x20 && typed != 0x7F;
    auto stroke = StrokeForCharacter(typed);
    // A character that code page 866 lacks still reaches the editor, which
    // knows whether the file's table holds it.
    if (!stroke && printable) stroke = StrokeForCharacter(U'?');
    if (stroke) {
        event.kind = TerminalEvent::Kind::Key;
        event.stroke = *stroke;
        if (printable) event.character = typed;
    }
    return event;
}

}  // namespace edit
