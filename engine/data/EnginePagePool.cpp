#include "engine/data/EnginePagePool.h"

#include <sys/mman.h>

#include <cstddef>

#include "engine/data/EngineException.h"

namespace trasovnik {

EnginePagePool::~EnginePagePool() {
    releaseAll();
}

void* EnginePagePool::nextPage() {
    if (used_ >= regionSize_) {
        if (regionCount_ == 0) {
            highWaterMark_ = 0;
        }
        if (regionCount_ >= kMaxRegions) {
            raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
        }
        void* region = mmap(nullptr, regionSize_, PROT_NONE,
                            MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (region == MAP_FAILED) {
            raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
        }
        regions_[regionCount_++] = region;
        used_ = 0;
    }
    char* page = static_cast<char*>(regions_[regionCount_ - 1]) + used_;
    if (mprotect(page, kPageSize, PROT_READ | PROT_WRITE) != 0) {
        raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
    }
    const std::uint32_t offset = (regionCount_ - 1) * regionSize_ + used_;
    if (offset > highWaterMark_) {
        highWaterMark_ = offset;
    }
    used_ += kPageSize;
    return page;
}

void EnginePagePool::decommitPage(void* page) {
    const auto* p = static_cast<const char*>(page);
    bool ours = false;
    for (std::uint32_t r = 0; r < regionCount_ && !ours; ++r) {
        const auto* base = static_cast<const char*>(regions_[r]);
        const std::uint32_t limit = r + 1 == regionCount_ ? used_ : regionSize_;
        ours = p >= base && p < base + limit && (p - base) % kPageSize == 0;
    }
    if (!ours) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    // Dropping the contents gives the memory back; a failure here loses nothing, since the
    // address space is released with the region in any case.
    madvise(page, kPageSize, MADV_DONTNEED);
    mprotect(page, kPageSize, PROT_NONE);
}

void EnginePagePool::releaseAll() noexcept {
    for (std::uint32_t r = 0; r < regionCount_; ++r) {
        munmap(regions_[r], regionSize_);
        regions_[r] = nullptr;
    }
    regionCount_ = 0;
    used_ = regionSize_;
}

}  // namespace trasovnik
