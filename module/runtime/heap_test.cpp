// The module's heap: blocks, the live count, and every failure ending the
// process with the report and its error number. Failures run in a child
// process whose stderr bytes and exit code are checked.
#include "module/runtime/heap.hpp"
#include "module/runtime/text.hpp"

#include "tests/support/child_process.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <regex>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace marten {
namespace {

using testsupport::ChildOutcome;
using testsupport::RunInChild;


// The report's shape: header, number, eight upper-case hex digits, the
// source place, the thread number, and nothing else.
void ExpectReport(const ChildOutcome& outcome, int error, const std::string& place,
                  const std::string& thread = "1") {
    EXPECT_EQ(outcome.exitCode, error);
    const std::string& report = outcome.stderrBytes;
    EXPECT_LE(report.size(), 255u);
    EXPECT_EQ(report.find('\0'), std::string::npos);
    const std::regex shape("\r\nWarning! Please report to 2:5020/9999!!!\r\n"
                           "Found bug number " + std::to_string(error) + " at [0-9A-F]{8} \\(" +
                           place + "\\) TID=" + thread + "\\.\r\n");
    EXPECT_TRUE(std::regex_match(report, shape)) << report;
    EXPECT_EQ(report.find(" at 00000000"), std::string::npos) << report;
}

TEST(Heap, BlocksAreUsableAndCounted) {
    const std::size_t before = HeapLiveBlocks();
    char* a = static_cast<char*>(HeapAllocate(10));
    void* empty = HeapAllocate(0);
    void* other = HeapAllocate(0);
    EXPECT_NE(empty, other);  // every block has an address of its own
    std::memcpy(a, "123456789", 10);
    a = static_cast<char*>(HeapResize(a, 100000));
    EXPECT_STREQ(a, "123456789");
    EXPECT_EQ(HeapLiveBlocks(), before + 3);
    HeapRelease(a);
    HeapRelease(empty);
    HeapRelease(other);
    HeapRelease(nullptr);
    EXPECT_EQ(HeapLiveBlocks(), before);

    {
        Text text(1000, 'x');
        text += text;
        EXPECT_EQ(HeapLiveBlocks(), before + 1);
    }
    EXPECT_EQ(HeapLiveBlocks(), before);
}

TEST(Heap, ManyBlocksInAnyOrder) {
    const std::size_t before = HeapLiveBlocks();
    std::vector<void*> blocks;
    for (int i = 0; i < 5000; ++i) blocks.push_back(HeapAllocate(static_cast<std::size_t>(i % 64)));
    for (std::size_t i = 0; i < blocks.size(); i += 2) HeapRelease(blocks[i]);
    for (std::size_t i = 1; i < blocks.size(); i += 2) HeapRelease(blocks[i]);
    EXPECT_EQ(HeapLiveBlocks(), before);
}

TEST(HeapFailure, AnImpossibleRequestIs203) {
    // The report names the line of the failing call.
    const int line = __LINE__ + 1;
    const ChildOutcome outcome = RunInChild([] { HeapAllocate(SIZE_MAX); });
    ExpectReport(outcome, 203, "heap_test\\.cpp#" + std::to_string(line));
}

TEST(HeapFailure, AnAllocatorCountTooLargeForBytesIs203) {
    const ChildOutcome outcome = RunInChild([] {
        ModuleAllocator<std::uint64_t>().allocate(SIZE_MAX / 4);
    });
    ExpectReport(outcome, 203, "heap\\.hpp#[0-9]+");
}

TEST(HeapFailure, ReleasingABlockNeverHandedOutIs204) {
    const ChildOutcome foreign = RunInChild([] {
        void* block = std::malloc(16);
        HeapRelease(block);
    });
    ExpectReport(foreign, 204, "heap_test\\.cpp#[0-9]+");
    // Not even a pointer into a live block passes.
    const ChildOutcome inside = RunInChild([] {
        char* block = static_cast<char*>(HeapAllocate(16));
        HeapRelease(block + 8);
    });
    ExpectReport(inside, 204, "heap_test\\.cpp#[0-9]+");
    const ChildOutcome resized = RunInChild([] {
        int local = 0;
        HeapResize(&local, 8);
    });
    ExpectReport(resized, 204, "heap_test\\.cpp#[0-9]+");
}

TEST(HeapFailure, ADoubleReleaseIs204) {
    const ChildOutcome outcome = RunInChild([] {
        void* block = HeapAllocate(16);
        HeapRelease(block);
        HeapRelease(block);
    });
    ExpectReport(outcome, 204, "heap_test\\.cpp#[0-9]+");
}

TEST(HeapFailure, AnotherThreadHasAHigherNumber) {
    const ChildOutcome outcome = RunInChild([] {
        std::thread([] {
            int local = 0;
            HeapRelease(&local);
        }).join();
    });
    ExpectReport(outcome, 204, "heap_test\\.cpp#[0-9]+", "([2-9]|[1-9][0-9]+)");
}

// Run only as a child of the tests below, with MARTEN_HEAP_LIMIT set before
// the program starts: the limit is read as the module loads.
TEST(HeapLimitProbe, DISABLED_RefusesRequestsPastTheLimit) {
    if (std::getenv("MARTEN_HEAP_LIMIT") == nullptr) GTEST_SKIP();
    const bool grow = std::getenv("MARTEN_HEAP_PROBE_GROW") != nullptr;
    // Bytes in use count, and released bytes come back.
    void* a = HeapAllocate(60000);
    void* b = HeapAllocate(30000);
    HeapRelease(a);
    a = HeapAllocate(60000);
    b = HeapResize(b, 35000);  // 95000 in use
    if (grow) {
        HeapResize(a, 70000);  // 105000 > 100000: ends the process
    } else {
        HeapAllocate(10000);  // likewise
    }
    HeapRelease(a);
    HeapRelease(b);
}

ChildOutcome RunProbe(bool grow) {
    return RunInChild([grow] {
        ::setenv("MARTEN_HEAP_LIMIT", "100000", 1);
        if (grow) ::setenv("MARTEN_HEAP_PROBE_GROW", "1", 1);
        const int devNull = ::open("/dev/null", O_WRONLY);
        ::dup2(devNull, STDOUT_FILENO);
        ::execl("/proc/self/exe", "module_tests", "--gtest_also_run_disabled_tests",
                "--gtest_filter=HeapLimitProbe.*", static_cast<char*>(nullptr));
        ::_exit(127);
    });
}

TEST(HeapFailure, TheLimitFromTheEnvironmentIs203) {
    ExpectReport(RunProbe(false), 203, "heap_test\\.cpp#[0-9]+");
    ExpectReport(RunProbe(true), 203, "heap_test\\.cpp#[0-9]+");
}

}  // namespace
}  // namespace marten
