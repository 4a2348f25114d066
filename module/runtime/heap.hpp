// The module's heap: every text and record that the module owns is allocated
// here. A request that cannot be met, and the release of a block that the
// heap never handed out (or already took back), end the process through the
// fatal error report; nothing of the module sees a failed allocation.
#pragma once

#include <cstddef>
#include <source_location>
#include <string>

namespace marten {

// A new block of at least `size` bytes; never null.
void* HeapAllocate(std::size_t size,
                   std::source_location where = std::source_location::current());

// Gives a block back to the heap; a null block is ignored.
void HeapRelease(void* block, std::source_location where = std::source_location::current());

// Grows or shrinks a block (a null block is a new one), keeping its bytes up
// to the smaller size; the block may move. Never null.
void* HeapResize(void* block, std::size_t size,
                 std::source_location where = std::source_location::current());

// Number of blocks handed out and not yet released, for leak checks.
std::size_t HeapLiveBlocks();

// Standard allocator over the module's heap, for the strings and containers in use.
template <class T>
struct ModuleAllocator {
    using value_type = T;

    ModuleAllocator() noexcept = default;
    template <class U>
    ModuleAllocator(const ModuleAllocator<U>&) noexcept {}

    T* allocate(std::size_t n, std::source_location where = std::source_location::current()) {
        // A count whose byte size does not fit is a request that cannot be met.
        const std::size_t bytes = n > static_cast<std::size_t>(-1) / sizeof(T)
                                      ? static_cast<std::size_t>(-1)
                                      : n * sizeof(T);
        return static_cast<T*>(HeapAllocate(bytes, where));
    }
    void deallocate(T* block, std::size_t) noexcept { HeapRelease(block); }

    template <class U>
    bool operator==(const ModuleAllocator<U>&) const noexcept { return true; }
};

// Text: a byte string of single-byte characters with an explicit length.
using Text = std::basic_string<char, std::char_traits<char>, ModuleAllocator<char>>;

}  // namespace marten
