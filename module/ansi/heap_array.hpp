// A zeroed array of host records on the module's heap, released when the
// holder goes out of scope, so every way out of a host call gives it back.
#pragma once

#include <cstddef>
#include <cstring>
#include <new>
#include <type_traits>

#include "module/runtime/heap.hpp"

namespace marten::ansi {

template <class T>
class HeapArray {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>,
                  "only plain host records live in a HeapArray");

public:
    explicit HeapArray(std::size_t count)
        : items_(static_cast<T*>(HeapAllocate(Bytes(count)))), count_(count) {
        for (std::size_t i = 0; i < count_; ++i) new (items_ + i) T();
        std::memset(static_cast<void*>(items_), 0, count_ * sizeof(T));
    }
    ~HeapArray() { HeapRelease(items_); }
    HeapArray(const HeapArray&) = delete;
    HeapArray& operator=(const HeapArray&) = delete;

    T* data() { return items_; }
    std::size_t size() const { return count_; }
    T& operator[](std::size_t i) { return items_[i]; }

private:
    // A count whose byte size does not fit is a request that cannot be met.
    static std::size_t Bytes(std::size_t count) {
        return count > static_cast<std::size_t>(-1) / sizeof(T) ? static_cast<std::size_t>(-1)
                                                                : count * sizeof(T);
    }

    T* items_;
    std::size_t count_;
};

}  // namespace marten::ansi
