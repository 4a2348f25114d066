// The standard handles, WriteFile and ExitProcess over POSIX descriptors.
// A handle carries its descriptor plus one, so that no valid handle is null
// and INVALID_HANDLE_VALUE maps to no descriptor.
#include "winapi/win32.hpp"

#include <cerrno>
#include <cstdint>
#include <unistd.h>

namespace {

HANDLE HandleOfDescriptor(int fd) {
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(fd) + 1);
}

// The descriptor behind a handle, or -1 for one that names none.
int DescriptorOfHandle(HANDLE handle) {
    const auto value = reinterpret_cast<std::intptr_t>(handle);
    if (value < 1 || value > 0x7fffffff) return -1;
    return static_cast<int>(value - 1);
}

}  // namespace

HANDLE GetStdHandle(DWORD which) {
    switch (which) {
        case STD_INPUT_HANDLE: return HandleOfDescriptor(STDIN_FILENO);
        case STD_OUTPUT_HANDLE: return HandleOfDescriptor(STDOUT_FILENO);
        case STD_ERROR_HANDLE: return HandleOfDescriptor(STDERR_FILENO);
        default: return INVALID_HANDLE_VALUE;
    }
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD size, LPDWORD written, void* /*overlapped*/) {
    if (written) *written = 0;
    const int fd = DescriptorOfHandle(file);
    if (fd < 0 || (buffer == nullptr && size != 0)) return 0;
    const auto* bytes = static_cast<const char*>(buffer);
    DWORD done = 0;
    // write(2) may take fewer bytes than asked, or be interrupted by a signal.
    while (done < size) {
        const ssize_t n = ::write(fd, bytes + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (n == 0) break;
        done += static_cast<DWORD>(n);
    }
    if (written) *written = done;
    return done == size ? 1 : 0;
}

// The host's process ends here and now: no atexit handlers, no destructors,
// no flushing of stdio buffers that the host may hold half-written.
void ExitProcess(UINT exitCode) {
    ::_exit(static_cast<int>(exitCode));
}
