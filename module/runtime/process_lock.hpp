// Locks that exist before the module's static objects and outlive them:
// built on first use and never destroyed, so static initialisation and
// shut-down may use them in any order. (std::mutex is not constexpr on
// every platform the module is built for, so it cannot be constinit.)
#pragma once

#include <mutex>
#include <new>

namespace marten {

template <class Tag>
std::mutex& ProcessLock() {
    alignas(std::mutex) static unsigned char storage[sizeof(std::mutex)];
    static std::mutex* const lock = new (storage) std::mutex;
    return *lock;
}

}  // namespace marten
