// The terminal session: takes the terminal over (full screen, raw keys, the
// locale's character set, UTF-8 without one) and gives it back on every way out, including the
// signals that end the program; their handlers only set a flag that the reader reports.
#pragma once

#include <string>
#include <string_view>

#include "edit/terminal/terminal_event.hpp"

namespace edit {

class Terminal {
public:
    // Starts full-screen mode; at most one Terminal is active at a time.
    // When the terminal cannot be used, Started() is false and Problem() says why.
    Terminal();
    bool Started() const { return problem_.empty(); }
    const std::string& Problem() const { return problem_; }
    // The character set the terminal sends and shows ("UTF-8", "KOI8-R").
    const std::string& Charset() const { return charset_; }
    // Restores the terminal as it was.
    ~Terminal();
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    // Waits up to `timeoutMs` (-1: until something happens) for the next event.
    static TerminalEvent Read(int timeoutMs);
    // Hands `utf8` to the terminal's clipboard (OSC 52); a terminal that
    // does not take it ignores the sequence.
    static void SendToClipboard(std::string_view utf8);
    // True once a terminating signal arrived.
    static bool QuitRequested();
    // Leaves full-screen mode for good; safe to call more than once.
    static void Restore();

private:
    std::string problem_;
    std::string charset_;
};

}  // namespace edit
