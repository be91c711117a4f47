#include "engine/data/EnginePagePool.h"

#include <sys/mman.h>

#include <cstddef>
#include <cstring>

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
    if (regionCount_ == 1 && used_ < committed_) {
        std::memset(page, 0, kPageSize);  // a recycled page: committed, but used before
    } else {
        if (mprotect(page, kPageSize, PROT_READ | PROT_WRITE) != 0) {
            raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
        }
        if (regionCount_ == 1 && used_ == committed_) {
            committed_ += kPageSize;
        }
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
    // A recycled first region is committed only up to its first decommitted page.
    const auto* first = static_cast<const char*>(regions_[0]);
    if (p >= first && p < first + committed_) {
        committed_ = static_cast<std::uint32_t>(p - first);
    }
}

void EnginePagePool::releaseAll() noexcept {
    for (std::uint32_t r = 0; r < regionCount_; ++r) {
        munmap(regions_[r], regionSize_);
        regions_[r] = nullptr;
    }
    regionCount_ = 0;
    used_ = regionSize_;
    committed_ = 0;
}

void EnginePagePool::recycle(std::uint32_t keepBytes) noexcept {
    if (regionCount_ == 0) {
        return;
    }
    // Pages of the first region after a decommitted one are handed out the ordinary way, so
    // they must come back zero-filled: their contents are dropped.
    const std::uint32_t inFirst = regionCount_ == 1 ? used_ : regionSize_;
    if (committed_ < inFirst) {
        madvise(static_cast<char*>(regions_[0]) + committed_, inFirst - committed_, MADV_DONTNEED);
    }
    const std::uint32_t keep = keepBytes / kPageSize * kPageSize;
    if (committed_ > keep) {
        madvise(static_cast<char*>(regions_[0]) + keep, committed_ - keep, MADV_DONTNEED);
    }
    for (std::uint32_t r = 1; r < regionCount_; ++r) {
        munmap(regions_[r], regionSize_);
        regions_[r] = nullptr;
    }
    regionCount_ = 1;
    used_ = 0;
    highWaterMark_ = 0;
}

}  // namespace trasovnik
