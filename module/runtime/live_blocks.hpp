// The table of live blocks: every address the module's heap has handed out
// and not yet taken back, with its size. A release is validated by looking
// the address up here, never by reading memory around the pointer, so a
// forged or stale pointer is recognised without touching it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace marten {

// Open addressing with linear probing and backward-shift deletion: O(1)
// average insert, find and erase. Trivially destructible and constant-
// initialised, so it is usable during the static initialisation and the
// shut-down of the module in whatever order the other objects run.
class LiveBlocks {
public:
    constexpr LiveBlocks() = default;

    // Adds a block; false when the table could not grow (no memory).
    bool Insert(const void* block, std::size_t size);
    // Removes a block and gives its size; false when the table has no such block.
    bool Erase(const void* block, std::size_t* size);
    bool Contains(const void* block) const { return Find(block, nullptr); }
    // Gives the size of a live block; false when the table has no such block.
    bool Find(const void* block, std::size_t* size) const;
    std::size_t Count() const { return count_; }

    // Gives back the grown table (only when it is empty) so that unloading
    // the module leaves no memory of its own behind.
    void ReleaseStorageIfEmpty();

private:
    struct Slot {
        std::uintptr_t address;  // 0 marks a free slot
        std::size_t size;
    };
    static constexpr std::size_t kInlineCapacity = 256;  // a power of two

    Slot* Slots() { return grown_ ? grown_ : inline_; }
    const Slot* Slots() const { return grown_ ? grown_ : inline_; }
    std::size_t Home(std::uintptr_t address) const;
    bool Grow();

    Slot inline_[kInlineCapacity] = {};
    Slot* grown_ = nullptr;  // malloc'd once the inline slots are half full
    std::size_t capacity_ = kInlineCapacity;
    std::size_t count_ = 0;
};

}  // namespace marten
