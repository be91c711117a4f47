#pragma once
// The engine's page memory: reserves address space in 4 MB regions and commits it one 4 KB page
// at a time, so that large model arrays never need contiguous heap. Pages come zero-filled and
// stay at their address until the pool releases its regions. At most 64 regions are reserved;
// every failure to reserve or commit raises ENGINE_EXC_OUT_OF_MEMORY.

#include <cstdint>

namespace trasovnik {

class EnginePagePool {
public:
    static constexpr std::uint32_t kPageSize = 4096;
    static constexpr std::uint32_t kRegionSize = 0x400000;
    static constexpr std::uint32_t kMaxRegions = 64;

    EnginePagePool() = default;
    // Releases every region.
    ~EnginePagePool();
    EnginePagePool(const EnginePagePool&) = delete;
    EnginePagePool& operator=(const EnginePagePool&) = delete;

    // A committed, zero-filled, writable page of kPageSize bytes.
    void* nextPage();
    // Returns the page's memory to the system and makes it inaccessible. The pool does not hand
    // the page out again; its address space returns with releaseAll. A pointer that is not a
    // page of this pool raises ENGINE_EXC_BAD_ARGUMENT.
    void decommitPage(void* page);
    // Releases every region; the pool can be used again afterwards (the next page reserves a new
    // first region).
    void releaseAll() noexcept;
    // Takes every page back: the first region stays reserved and its pages committed, and the
    // next pages handed out are those again (zero-filled anew), so a user that takes and returns
    // its pages over and over does not pay for committing them each time. The other regions
    // are released, and so is the memory of the first region's pages after the first
    // `keepBytes` (they stay committed and come back zero-filled when touched again).
    void recycle(std::uint32_t keepBytes = kRegionSize) noexcept;

    std::uint32_t regionCount() const { return regionCount_; }
    // Bytes of the newest region already handed out as pages.
    std::uint32_t used() const { return used_; }
    std::uint32_t regionSize() const { return regionSize_; }
    // Largest offset of a page handed out, counted over all regions as
    // (region number * region size + offset in the region); 0 when only the first page was
    // handed out.
    std::uint32_t highWaterMark() const { return highWaterMark_; }

private:
    void* regions_[kMaxRegions] = {};
    std::uint32_t regionCount_ = 0;
    std::uint32_t used_ = kRegionSize;  // so that the first page reserves a region
    std::uint32_t regionSize_ = kRegionSize;
    std::uint32_t highWaterMark_ = 0;
    // Bytes at the start of the first region that are committed without a gap: recycle hands
    // them out again without committing them anew.
    std::uint32_t committed_ = 0;
};

}  // namespace trasovnik
