// Runs a piece of a test in a forked child and keeps what a fatal report
// leaves behind: the child's exit code and the bytes it wrote to stderr.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace testsupport {

struct ChildOutcome {
    int exitCode = -1;  // -1 when the child did not exit normally
    std::string stderrBytes;
};

// Runs `body` in a forked child with stderr caught; a body that returns
// exits with 0.
inline ChildOutcome RunInChild(const std::function<void()>& body) {
    int ends[2];
    if (::pipe(ends) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        ::dup2(ends[1], STDERR_FILENO);
        body();
        ::_exit(0);
    }
    ::close(ends[1]);
    ChildOutcome outcome;
    char buffer[512];
    ssize_t n;
    while ((n = ::read(ends[0], buffer, sizeof buffer)) > 0) outcome.stderrBytes.append(buffer, n);
    ::close(ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status)) outcome.exitCode = WEXITSTATUS(status);
    return outcome;
}

}  // namespace testsupport
