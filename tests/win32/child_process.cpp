#include "tests/win32/child_process.hpp"

#include <windows.h>

#include <thread>

namespace win32_tests {

namespace {

class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE* Out() { return &h_; }
    HANDLE get() const { return h_; }
    void Close() {
        if (h_ != nullptr && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
        h_ = nullptr;
    }

private:
    HANDLE h_ = nullptr;
};

// A pipe whose write end the child inherits and whose read end stays here.
bool MakePipe(Handle& read, Handle& write) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    if (!CreatePipe(read.Out(), write.Out(), &inherit, 0)) return false;
    return SetHandleInformation(read.get(), HANDLE_FLAG_INHERIT, 0) != 0;
}

std::string ReadAll(HANDLE pipe) {
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

// Sets environment variables for the time of one child start.
class EnvironmentFor {
public:
    explicit EnvironmentFor(
        const std::vector<std::pair<std::string, std::optional<std::string>>>& changes) {
        for (const auto& [name, value] : changes) {
            char old[32768];
            const DWORD length = GetEnvironmentVariableA(name.c_str(), old, sizeof old);
            saved_.emplace_back(name, length > 0 && length < sizeof old
                                          ? std::optional<std::string>(std::string(old, length))
                                          : std::nullopt);
            SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);
        }
    }
    ~EnvironmentFor() {
        for (const auto& [name, value] : saved_)
            SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace

ChildOutcome RunChild(const std::string& scenario,
                      const std::vector<std::pair<std::string, std::optional<std::string>>>& environment,
                      unsigned long timeoutMs) {
    ChildOutcome outcome;
    char self[MAX_PATH];
    const DWORD selfLength = GetModuleFileNameA(nullptr, self, sizeof self);
    if (selfLength == 0 || selfLength >= sizeof self) {
        outcome.problem = "GetModuleFileNameA failed";
        return outcome;
    }
    std::string commandLine = "\"" + std::string(self) + "\" --child " + scenario;

    Handle outRead, outWrite, errRead, errWrite;
    if (!MakePipe(outRead, outWrite) || !MakePipe(errRead, errWrite)) {
        outcome.problem = "CreatePipe failed, error " + std::to_string(GetLastError());
        return outcome;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite.get();
    startup.hStdError = errWrite.get();
    PROCESS_INFORMATION process{};
    {
        EnvironmentFor scope(environment);
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                            nullptr, &startup, &process)) {
            outcome.problem = "CreateProcessA failed, error " + std::to_string(GetLastError());
            return outcome;
        }
    }
    outcome.started = true;
    Handle processHandle(process.hProcess), threadHandle(process.hThread);
    // Only the child holds the write ends now, so the reads end with it.
    outWrite.Close();
    errWrite.Close();

    // Readers on both pipes at once, so that neither fills up, and the wait
    // below can still end a child that hangs.
    std::thread outReader([&] { outcome.out = ReadAll(outRead.get()); });
    std::thread errReader([&] { outcome.err = ReadAll(errRead.get()); });
    if (WaitForSingleObject(processHandle.get(), timeoutMs) != WAIT_OBJECT_0) {
        outcome.hung = true;
        TerminateProcess(processHandle.get(), 1);
        WaitForSingleObject(processHandle.get(), INFINITE);
    }
    outReader.join();
    errReader.join();
    DWORD code = 0;
    GetExitCodeProcess(processHandle.get(), &code);
    outcome.exitCode = code;
    return outcome;
}

}  // namespace win32_tests
