#include "module/runtime/live_blocks.hpp"

#include <cstdlib>

namespace marten {

std::size_t LiveBlocks::Home(std::uintptr_t address) const {
    // Fibonacci hashing: blocks are aligned, so the low bits alone would cluster.
    const auto mixed = static_cast<std::uint64_t>(address) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(mixed >> 32) & (capacity_ - 1);
}

bool LiveBlocks::Insert(const void* block, std::size_t size) {
    if ((count_ + 1) * 2 > capacity_ && !Grow()) return false;
    const auto address = reinterpret_cast<std::uintptr_t>(block);
    Slot* slots = Slots();
    std::size_t i = Home(address);
    while (slots[i].address != 0) {
        if (slots[i].address == address) {  // cannot happen for live blocks; keep the table sane
            slots[i].size = size;
            return true;
        }
        i = (i + 1) & (capacity_ - 1);
    }
    slots[i] = {address, size};
    ++count_;
    return true;
}

bool LiveBlocks::Find(const void* block, std::size_t* size) const {
    const auto address = reinterpret_cast<std::uintptr_t>(block);
    if (address == 0) return false;
    const Slot* slots = Slots();
    for (std::size_t i = Home(address); slots[i].address != 0; i = (i + 1) & (capacity_ - 1)) {
        if (slots[i].address == address) {
            if (size) *size = slots[i].size;
            return true;
        }
    }
    return false;
}

bool LiveBlocks::Erase(const void* block, std::size_t* size) {
    const auto address = reinterpret_cast<std::uintptr_t>(block);
    if (address == 0) return false;
    Slot* slots = Slots();
    const std::size_t mask = capacity_ - 1;
    std::size_t i = Home(address);
    while (slots[i].address != address) {
        if (slots[i].address == 0) return false;
        i = (i + 1) & mask;
    }
    if (size) *size = slots[i].size;
    // Backward shift: move later members of the probe run into the hole so
    // that every lookup still finds its block before the first free slot.
    std::size_t hole = i;
    for (std::size_t j = (i + 1) & mask; slots[j].address != 0; j = (j + 1) & mask) {
        const std::size_t home = Home(slots[j].address);
        // slots[j] may move to the hole unless its home lies cyclically in (hole, j].
        const bool homeBetween = hole <= j ? (hole < home && home <= j) : (hole < home || home <= j);
        if (!homeBetween) {
            slots[hole] = slots[j];
            hole = j;
        }
    }
    slots[hole] = {0, 0};
    --count_;
    return true;
}

bool LiveBlocks::Grow() {
    const std::size_t newCapacity = capacity_ * 2;
    auto* fresh = static_cast<Slot*>(std::calloc(newCapacity, sizeof(Slot)));
    if (!fresh) return false;
    Slot* old = Slots();
    const std::size_t oldCapacity = capacity_;
    capacity_ = newCapacity;
    for (std::size_t k = 0; k < oldCapacity; ++k) {
        if (old[k].address == 0) continue;
        std::size_t i = Home(old[k].address);
        while (fresh[i].address != 0) i = (i + 1) & (capacity_ - 1);
        fresh[i] = old[k];
    }
    if (grown_) std::free(grown_);
    grown_ = fresh;
    return true;
}

void LiveBlocks::ReleaseStorageIfEmpty() {
    if (count_ != 0 || !grown_) return;
    std::free(grown_);
    grown_ = nullptr;
    capacity_ = kInlineCapacity;
    // The inline slots were left behind at the first growth; clear them.
    for (Slot& slot : inline_) slot = {0, 0};
}

}  // namespace marten
