#include "platform/draw/PixelMemory.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <map>
#include <mutex>

#include <sys/mman.h>

namespace platform::draw {
namespace {

constexpr std::size_t kHugePage = 2 * 1024 * 1024;
constexpr std::size_t kChunk = 16 * kHugePage;
constexpr std::size_t kAlignment = 64;

std::size_t roundUp(std::size_t value, std::size_t to) {
    return (value + to - 1) / to * to;
}

class LargeBlocks {
public:
    void* allocate(std::size_t bytes) {
        bytes = roundUp(bytes, kAlignment);
        std::lock_guard<std::mutex> hold(lock_);
        for (auto it = free_.begin(); it != free_.end(); ++it) {
            if (it->second >= bytes)
                return take(it, bytes);
        }
        if (!addChunk(bytes))
            return nullptr;
        for (auto it = free_.begin(); it != free_.end(); ++it) {
            if (it->second >= bytes)
                return take(it, bytes);
        }
        return nullptr;
    }

    // False when the block is not one of these.
    bool release(void* block) {
        std::lock_guard<std::mutex> hold(lock_);
        auto used = used_.find(static_cast<char*>(block));
        if (used == used_.end())
            return false;
        char* start = used->first;
        std::size_t size = used->second;
        used_.erase(used);
        auto next = free_.lower_bound(start);
        // Joined with the free neighbours (of two chunks too, where the kernel placed them
        // side by side: the memory is one).
        if (next != free_.end() && start + size == next->first) {
            size += next->second;
            next = free_.erase(next);
        }
        if (next != free_.begin()) {
            auto before = std::prev(next);
            if (before->first + before->second == start) {
                before->second += size;
                return true;
            }
        }
        free_.emplace(start, size);
        return true;
    }

private:
    void* take(std::map<char*, std::size_t>::iterator it, std::size_t bytes) {
        char* start = it->first;
        const std::size_t left = it->second - bytes;
        free_.erase(it);
        if (left > 0)
            free_.emplace(start + bytes, left);
        used_.emplace(start, bytes);
        return start;
    }

    bool addChunk(std::size_t atLeast) {
        const std::size_t size = roundUp(std::max(atLeast, kChunk), kHugePage);
        // Mapped one huge page larger, so the chunk can start on a huge-page boundary.
        void* mapped = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE,
                              MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            return false;
        const auto address = reinterpret_cast<std::uintptr_t>(mapped);
        char* start = reinterpret_cast<char*>(roundUp(address, kHugePage));
        // What lies before and after the aligned chunk goes back.
        if (start != mapped)
            ::munmap(mapped, static_cast<std::size_t>(start - static_cast<char*>(mapped)));
        char* end = start + size;
        char* mappedEnd = static_cast<char*>(mapped) + size + kHugePage;
        if (end != mappedEnd)
            ::munmap(end, static_cast<std::size_t>(mappedEnd - end));
        // Only a wish: without huge pages the chunk works as well, page by page.
        ::madvise(start, size, MADV_HUGEPAGE);
        free_.emplace(start, size);
        return true;
    }

    std::mutex lock_;
    std::map<char*, std::size_t> free_;  // by address, so neighbours can be joined
    std::map<char*, std::size_t> used_;
};

LargeBlocks& largeBlocks() {
    // Never destroyed: bitmaps may be freed by other static objects' destructors.
    static LargeBlocks* blocks = new LargeBlocks;
    return *blocks;
}

}  // namespace

void* allocatePixels(std::size_t bytes) {
    if (bytes < kLargePixelBlock)
        return std::aligned_alloc(kAlignment, roundUp(std::max<std::size_t>(bytes, 1), kAlignment));
    return largeBlocks().allocate(bytes);
}

void freePixels(void* block) {
    if (block == nullptr)
        return;
    if (!largeBlocks().release(block))
        std::free(block);
}

}  // namespace platform::draw
