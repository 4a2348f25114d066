// The module's heap: every text and record that the module owns is allocated
// here. A request that cannot be met, and the release of a block that the
// heap never handed out (or already took back), end the process through the
// fatal error report; nothing of the module sees a failed allocation.
#pragma once

#include <cstddef>
#include <source_location>

namespace marten {

// Where an allocation was asked for: std::source_location where the library
// has it; clang 14 with libstdc++ lacks the builtin it needs, so there the
// same two facts come from __builtin_FILE and __builtin_LINE.
#if defined(__cpp_lib_source_location)
using SourceSite = std::source_location;
#else
struct SourceSite {
    static constexpr SourceSite current(const char* file = __builtin_FILE(),
                                        unsigned line = __builtin_LINE()) noexcept {
        SourceSite site;
        site.file_ = file;
        site.line_ = line;
        return site;
    }
    constexpr const char* file_name() const noexcept { return file_; }
    constexpr unsigned line() const noexcept { return line_; }

private:
    const char* file_ = "";
    unsigned line_ = 0;
};
#endif

// A new block of at least `size` bytes; never null.
void* HeapAllocate(std::size_t size,
                   SourceSite where = SourceSite::current());

// Gives a block back to the heap; a null block is ignored.
void HeapRelease(void* block, SourceSite where = SourceSite::current());

// Grows or shrinks a block (a null block is a new one), keeping its bytes up
// to the smaller size; the block may move. Never null.
void* HeapResize(void* block, std::size_t size,
                 SourceSite where = SourceSite::current());

// Number of blocks handed out and not yet released, for leak checks.
std::size_t HeapLiveBlocks();

// Standard allocator over the module's heap, for the strings and containers in use.
template <class T>
struct ModuleAllocator {
    using value_type = T;

    ModuleAllocator() noexcept = default;
    template <class U>
    ModuleAllocator(const ModuleAllocator<U>&) noexcept {}

    // The containers call this from the standard library's own headers, so
    // the site reported is this line: a request through the allocator. The
    // failure address still names the module's code that made it.
    T* allocate(std::size_t n) {
        // A count whose byte size does not fit is a request that cannot be met.
        const std::size_t bytes = n > static_cast<std::size_t>(-1) / sizeof(T)
                                      ? static_cast<std::size_t>(-1)
                                      : n * sizeof(T);
        return static_cast<T*>(HeapAllocate(bytes));
    }
    void deallocate(T* block, std::size_t) noexcept { HeapRelease(block); }

    template <class U>
    bool operator==(const ModuleAllocator<U>&) const noexcept { return true; }
};

}  // namespace marten
