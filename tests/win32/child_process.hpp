// Runs the runner itself as a child process with extra environment variables
// and collects its exit code and the bytes it wrote to stdout and stderr.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace win32_tests {

struct ChildOutcome {
    bool started = false;
    bool hung = false;  // killed after the time limit
    unsigned long exitCode = 0;
    std::string out;  // stdout, byte for byte
    std::string err;  // stderr, byte for byte
    std::string problem;  // why it could not be run
};

// "runner --child <scenario>" with `environment` added to (or, with a null
// value, removed from) the runner's own environment for the child.
ChildOutcome RunChild(const std::string& scenario,
                      const std::vector<std::pair<std::string, std::optional<std::string>>>& environment,
                      unsigned long timeoutMs = 30000);

}  // namespace win32_tests
