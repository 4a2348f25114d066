// The module's heap: blocks from the C library's allocator, each recorded in
// the table of live blocks so that a release can be checked before anything
// is given back. Every failure ends in the fatal error report.
#include "module/runtime/heap.hpp"

#include <cstdint>
#include <cstdlib>
#include <mutex>

#include "module/runtime/process_lock.hpp"

#include "module/runtime/code_address.hpp"
#include "module/runtime/fatal_report.hpp"
#include "module/runtime/live_blocks.hpp"

namespace marten {
namespace {

constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);

// No block is ever larger than this: sizes beyond it cannot be met on any
// platform, and keeping below it leaves the byte count free of overflow.
constexpr std::size_t kLargestBlock = static_cast<std::size_t>(PTRDIFF_MAX);

struct HeapState {
    LiveBlocks blocks;
    std::size_t bytesInUse = 0;
    std::size_t limit = kNoLimit;
    bool limitRead = false;
};

// Constant-initialised and trivially destructible: usable by any other
// static object of the module, during start-up and shut-down alike.
constinit HeapState heap;

struct HeapTag;
std::mutex& HeapLock() { return ProcessLock<HeapTag>(); }

// MARTEN_HEAP_LIMIT=<bytes> caps the bytes in use, for tests of the failure
// path; anything but a plain decimal number leaves the heap unlimited.
std::size_t LimitFromEnvironment() {
    const char* text = std::getenv("MARTEN_HEAP_LIMIT");
    if (text == nullptr || *text == '\0') return kNoLimit;
    std::size_t value = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9') return kNoLimit;
        const auto digit = static_cast<std::size_t>(*p - '0');
        if (value > (kNoLimit - digit) / 10) return kNoLimit;
        value = value * 10 + digit;
    }
    return value;
}

void ReadLimitOnce() {
    if (!heap.limitRead) {
        heap.limit = LimitFromEnvironment();
        heap.limitRead = true;
    }
}

// Whether `more` bytes may be added to the bytes in use.
bool WithinLimit(std::size_t more) {
    if (more > kLargestBlock) return false;
    if (heap.limit == kNoLimit) return true;
    return heap.bytesInUse <= heap.limit && more <= heap.limit - heap.bytesInUse;
}

// The lock is given up first: on Windows, ExitProcess still runs the
// module's static destructors, whose releases would otherwise wait on it.
[[noreturn]] void Fail(std::unique_lock<std::mutex>& guard, ErrorNumber error, const void* caller,
                       const SourceSite& where) {
    guard.unlock();
    FatalReport(error, ReportedCodeAddress(caller),
                SourcePlace{where.file_name(), static_cast<std::uint32_t>(where.line())});
}

// Read when the module loads, as its static initialisation runs.
const bool limitReadAtLoad = [] {
    std::lock_guard<std::mutex> guard(HeapLock());
    ReadLimitOnce();
    return true;
}();

// A new block, with the heap's lock held.
void* AllocateLocked(std::unique_lock<std::mutex>& guard, std::size_t size, const void* caller,
                     const SourceSite& where) {
    ReadLimitOnce();
    if (!WithinLimit(size)) Fail(guard, kErrorNoMemory, caller, where);
    void* block = std::malloc(size == 0 ? 1 : size);  // every block has its own address
    if (block == nullptr) Fail(guard, kErrorNoMemory, caller, where);
    if (!heap.blocks.Insert(block, size)) {
        std::free(block);
        Fail(guard, kErrorNoMemory, caller, where);
    }
    heap.bytesInUse += size;
    return block;
}

}  // namespace

// The entry points are kept out of line so that the return address names the
// caller's code, right behind its call.
__attribute__((noinline)) void* HeapAllocate(std::size_t size, SourceSite where) {
    const void* caller = __builtin_return_address(0);
    std::unique_lock<std::mutex> guard(HeapLock());
    return AllocateLocked(guard, size, caller, where);
}

__attribute__((noinline)) void HeapRelease(void* block, SourceSite where) {
    const void* caller = __builtin_return_address(0);
    if (block == nullptr) return;
    std::unique_lock<std::mutex> guard(HeapLock());
    std::size_t size = 0;
    if (!heap.blocks.Erase(block, &size)) Fail(guard, kErrorInvalidBlock, caller, where);
    heap.bytesInUse -= size;
    std::free(block);
    heap.blocks.ReleaseStorageIfEmpty();
}

__attribute__((noinline)) void* HeapResize(void* block, std::size_t size, SourceSite where) {
    const void* caller = __builtin_return_address(0);
    std::unique_lock<std::mutex> guard(HeapLock());
    if (block == nullptr) return AllocateLocked(guard, size, caller, where);
    std::size_t oldSize = 0;
    if (!heap.blocks.Find(block, &oldSize)) Fail(guard, kErrorInvalidBlock, caller, where);
    ReadLimitOnce();
    // Every way out leaves the table true to what is allocated.
    heap.bytesInUse -= oldSize;
    const bool fits = WithinLimit(size);
    heap.bytesInUse += oldSize;
    if (!fits) Fail(guard, kErrorNoMemory, caller, where);
    // Erasing and inserting one block leaves the count as it was: neither
    // can fail for want of room.
    heap.blocks.Erase(block, nullptr);
    void* moved = std::realloc(block, size == 0 ? 1 : size);
    if (moved == nullptr) {
        heap.blocks.Insert(block, oldSize);  // realloc left it as it was
        Fail(guard, kErrorNoMemory, caller, where);
    }
    heap.blocks.Insert(moved, size);
    heap.bytesInUse = heap.bytesInUse - oldSize + size;
    return moved;
}

std::size_t HeapLiveBlocks() {
    std::lock_guard<std::mutex> guard(HeapLock());
    return heap.blocks.Count();
}

}  // namespace marten
