// The standard handles: every byte reaches the descriptor, and ExitProcess
// ends the process at once.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <unistd.h>

#include "winapi/win32.hpp"

namespace {

TEST(StdHandles, WriteFileWritesEveryByteThroughAFullPipe) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    // Far more than a pipe holds, so write(2) takes it in several pieces.
    std::string sent(1 << 20, '\0');
    for (std::size_t i = 0; i < sent.size(); ++i) sent[i] = static_cast<char>(i * 31);
    std::string received;
    std::thread reader([&] {
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(ends[0], buffer, sizeof buffer)) > 0) received.append(buffer, n);
    });
    // The handle for descriptor 2 writes to whatever descriptor 2 is.
    const int savedError = ::dup(STDERR_FILENO);
    ::dup2(ends[1], STDERR_FILENO);
    DWORD written = 0;
    const BOOL ok = WriteFile(GetStdHandle(STD_ERROR_HANDLE), sent.data(),
                              static_cast<DWORD>(sent.size()), &written, nullptr);
    ::dup2(savedError, STDERR_FILENO);
    ::close(savedError);
    ::close(ends[1]);
    reader.join();
    ::close(ends[0]);
    EXPECT_TRUE(ok);
    EXPECT_EQ(written, sent.size());
    EXPECT_TRUE(received == sent);
}

TEST(StdHandles, BadHandlesWriteNothing) {
    DWORD written = 5;
    EXPECT_FALSE(WriteFile(INVALID_HANDLE_VALUE, "x", 1, &written, nullptr));
    EXPECT_EQ(written, 0u);
    EXPECT_FALSE(WriteFile(nullptr, "x", 1, &written, nullptr));
    EXPECT_EQ(GetStdHandle(12345), INVALID_HANDLE_VALUE);
    EXPECT_NE(GetStdHandle(STD_OUTPUT_HANDLE), GetStdHandle(STD_ERROR_HANDLE));
}

TEST(StdHandlesDeathTest, ExitProcessSkipsAtexitHandlers) {
    // Were the handlers run, the process would end with 99 instead.
    EXPECT_EXIT(
        {
            std::atexit([] { ::_exit(99); });
            ExitProcess(203);
        },
        ::testing::ExitedWithCode(203), "");
}

}  // namespace
