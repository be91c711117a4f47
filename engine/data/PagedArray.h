#pragma once
// cStrankovanePole: the engine's growable array. Elements live in 4 KB pages taken from an
// EnginePagePool and never move once stored (adding never copies elements; only the table of
// page pointers grows). Removing closes the gap within the element's page only, so pages may be
// partly filled; indexing follows the per-page counts. Every index outside the array raises
// ENGINE_EXC_INDEX.
//
// Elements may be any C++ object type: they are constructed in place and destroyed explicitly.

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

#include "engine/data/EngineException.h"
#include "engine/data/EnginePagePool.h"

namespace trasovnik {

// Entries per page for the kinds of array the engine keeps (4096 divided by the record size).
inline constexpr std::uint32_t pagedPerPage(std::uint32_t recordBytes) {
    return EnginePagePool::kPageSize / recordBytes;
}
inline constexpr std::uint32_t kPagedPerPage32 = 1024;        // 32-bit values
inline constexpr std::uint32_t kPagedPerPage64 = 512;         // 8-byte values, set list, marks
inline constexpr std::uint32_t kPagedPerPageResult = 341;     // stored search results
inline constexpr std::uint32_t kPagedPerPageCatalogue = 256;  // header catalogue entries
inline constexpr std::uint32_t kPagedPerPageSet = 204;        // loaded timetable sets
inline constexpr std::uint32_t kPagedPerPageStopHit = 170;    // stops near a point
inline constexpr std::uint32_t kPagedPerPageTimetable = 44;   // loaded timetable files

template <typename T, std::uint32_t kPerPage>
class cStrankovanePole {
    static_assert(kPerPage > 0, "a page holds at least one entry");
    static_assert(sizeof(T) * kPerPage <= EnginePagePool::kPageSize, "entries exceed a page");
    static_assert(alignof(T) <= EnginePagePool::kPageSize, "entries need a larger alignment");

public:
    static constexpr std::uint32_t kInitialPageTable = 1024;
    static constexpr std::uint32_t kEntriesPerPage = kPerPage;

    // An array with a pool of its own, released by destroy().
    cStrankovanePole() : ownPool_(new (std::nothrow) EnginePagePool()), pool_(ownPool_.get()) {
        if (!ownPool_) {
            raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
        }
        allocateTables(kInitialPageTable);
    }
    // An array whose pages come from `pool`, which must outlive it.
    explicit cStrankovanePole(EnginePagePool& pool) : pool_(&pool) {
        allocateTables(kInitialPageTable);
    }
    ~cStrankovanePole() { destroy(); }

    cStrankovanePole(const cStrankovanePole&) = delete;
    cStrankovanePole& operator=(const cStrankovanePole&) = delete;
    cStrankovanePole(cStrankovanePole&& other) noexcept { takeFrom(other); }
    cStrankovanePole& operator=(cStrankovanePole&& other) noexcept {
        if (this != &other) {
            destroy();
            takeFrom(other);
        }
        return *this;
    }

    // Appends at the end; returns the stored element.
    T& add(const T& element) { return emplace(element); }
    T& add(T&& element) { return emplace(std::move(element)); }
    template <typename... Args>
    T& emplace(Args&&... args) {
        if (pagesInUse_ == 0 || counts_[pagesInUse_ - 1] == kPerPage) {
            appendPage();
        }
        const std::uint32_t last = pagesInUse_ - 1;
        T* slot = pages_[last] + counts_[last];
        ::new (static_cast<void*>(slot)) T(std::forward<Args>(args)...);
        ++counts_[last];
        ++total_;
        return *slot;
    }

    T& getAt(std::int64_t i) { return *locate(i); }
    const T& getAt(std::int64_t i) const { return *locate(i); }
    void setAt(std::int64_t i, const T& element) { *locate(i) = element; }
    void setAt(std::int64_t i, T&& element) { *locate(i) = std::move(element); }

    // Destroys element i and moves the following elements of its page down by one.
    void removeAt(std::int64_t i) {
        std::uint32_t page = 0;
        T* slot = locate(i, &page);
        T* end = pages_[page] + counts_[page];
        if constexpr (std::is_trivially_copyable_v<T>) {
            std::memmove(static_cast<void*>(slot), slot + 1,
                         static_cast<std::size_t>(end - slot - 1) * sizeof(T));
        } else {
            for (T* p = slot; p + 1 < end; ++p) {
                *p = std::move(p[1]);
            }
            (end - 1)->~T();
        }
        --counts_[page];
        --total_;
        if (page + 1 != pagesInUse_) {
            compact_ = false;
        }
    }

    std::uint32_t count() const { return total_; }
    bool empty() const { return total_ == 0; }

    // Destroys every element and gives the pages back to the system. An array with its own
    // pool releases the pool's regions too; on a shared pool each page is decommitted.
    void clear() noexcept {
        for (std::uint32_t p = 0; p < pagesInUse_; ++p) {
            if constexpr (!std::is_trivially_destructible_v<T>) {
                for (std::uint32_t k = 0; k < counts_[p]; ++k) {
                    pages_[p][k].~T();
                }
            }
            counts_[p] = 0;
        }
        if (ownPool_) {
            ownPool_->releaseAll();
        } else if (pool_ != nullptr) {
            for (std::uint32_t p = 0; p < pagesInUse_; ++p) {
                decommitQuietly(pages_[p]);
            }
        }
        pagesInUse_ = 0;
        total_ = 0;
        compact_ = true;
    }

    // clear(), then frees both tables. The array stays usable: the next add starts a new page
    // table.
    void destroy() noexcept {
        clear();
        pages_.reset();
        counts_.reset();
        capacity_ = 0;
    }

    // Number of pages holding elements, and the capacity of the page table.
    std::uint32_t pagesInUse() const { return pagesInUse_; }
    std::uint32_t pageTableCapacity() const { return capacity_; }

private:
    void allocateTables(std::uint32_t capacity) {
        pages_.reset(new (std::nothrow) T*[capacity]);
        counts_.reset(new (std::nothrow) std::uint32_t[capacity]);
        if (!pages_ || !counts_) {
            pages_.reset();
            counts_.reset();
            capacity_ = 0;
            raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
        }
        capacity_ = capacity;
    }

    void growPageTable() {
        if (capacity_ == 0) {
            allocateTables(kInitialPageTable);
            return;
        }
        if (capacity_ > UINT32_MAX / 2) {
            raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
        }
        const std::uint32_t bigger = capacity_ * 2;
        std::unique_ptr<T*[]> pages(new (std::nothrow) T*[bigger]);
        std::unique_ptr<std::uint32_t[]> counts(new (std::nothrow) std::uint32_t[bigger]);
        if (!pages || !counts) {
            raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
        }
        std::memcpy(pages.get(), pages_.get(), sizeof(T*) * pagesInUse_);
        std::memcpy(counts.get(), counts_.get(), sizeof(std::uint32_t) * pagesInUse_);
        pages_ = std::move(pages);
        counts_ = std::move(counts);
        capacity_ = bigger;
    }

    void appendPage() {
        if (pagesInUse_ == capacity_) {
            growPageTable();
        }
        if (pool_ == nullptr) {
            ownPool_.reset(new (std::nothrow) EnginePagePool());
            if (!ownPool_) {
                raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
            }
            pool_ = ownPool_.get();
        }
        void* page = pool_->nextPage();
        pages_[pagesInUse_] = static_cast<T*>(page);
        counts_[pagesInUse_] = 0;
        ++pagesInUse_;
    }

    T* locate(std::int64_t i, std::uint32_t* pageOut = nullptr) const {
        if (i < 0 || i >= static_cast<std::int64_t>(total_)) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
        auto rest = static_cast<std::uint64_t>(i);
        std::uint32_t page = 0;
        if (compact_) {
            // Every page but the last is full: the page follows by division.
            page = static_cast<std::uint32_t>(rest / kPerPage);
            rest %= kPerPage;
        } else {
            while (rest >= counts_[page]) {
                rest -= counts_[page];
                ++page;
            }
        }
        if (pageOut) {
            *pageOut = page;
        }
        return pages_[page] + rest;
    }

    void decommitQuietly(void* page) noexcept {
        try {
            pool_->decommitPage(page);
        } catch (...) {
            // Not a page of the pool: nothing of ours to give back.
        }
    }

    void takeFrom(cStrankovanePole& other) noexcept {
        pages_ = std::move(other.pages_);
        counts_ = std::move(other.counts_);
        pagesInUse_ = std::exchange(other.pagesInUse_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        total_ = std::exchange(other.total_, 0);
        compact_ = std::exchange(other.compact_, true);
        ownPool_ = std::move(other.ownPool_);
        pool_ = other.pool_;
        if (ownPool_) {
            // The moved-from array makes a new pool of its own when it is used again.
            other.pool_ = nullptr;
        }
    }

    std::unique_ptr<T*[]> pages_;
    std::uint32_t pagesInUse_ = 0;
    std::unique_ptr<std::uint32_t[]> counts_;
    std::uint32_t capacity_ = 0;
    std::uint32_t total_ = 0;
    bool compact_ = true;  // no page before the last is partly filled
    std::unique_ptr<EnginePagePool> ownPool_;
    EnginePagePool* pool_ = nullptr;
};

}  // namespace trasovnik
