#pragma once
// Fixed-size records of one search run taken from 4096-byte pages of an engine page pool, with
// a free list: a released record is handed out again before a new page is taken. Records are
// never destroyed one by one; the pages go back when the pool's owner releases them.

#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>

#include "engine/data/EngineException.h"
#include "engine/data/EnginePagePool.h"

namespace trasovnik {

// The pages one search run takes, with an optional limit beyond which taking a page fails as
// out of memory (as when the pool's regions are exhausted).
class RunPages {
public:
    static constexpr std::uint32_t kNoLimit = 0xFFFFFFFFu;

    RunPages(EnginePagePool& pool, std::uint32_t limit) : pool_(pool), limit_(limit) {}

    void* nextPage() {
        if (taken_ >= limit_) {
            raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
        }
        void* page = pool_.nextPage();
        ++taken_;
        return page;
    }
    std::uint32_t taken() const { return taken_; }

private:
    EnginePagePool& pool_;
    std::uint32_t limit_;
    std::uint32_t taken_ = 0;
};

template <class T>
class RecordPool {
    static_assert(std::is_trivially_destructible_v<T>);
    static_assert(sizeof(T) >= sizeof(void*));

public:
    static constexpr std::size_t kPerPage = EnginePagePool::kPageSize / sizeof(T);

    explicit RecordPool(RunPages& pages) : pages_(pages) {}

    // A value-initialised record; ENGINE_EXC_OUT_OF_MEMORY when no page can be had.
    T* make() { return new (take()) T{}; }
    // A copy of `from`, without clearing it first; the same failure.
    T* make(const T& from) { return new (take()) T(from); }

    // Puts the record at the front of the free list.
    void release(T* record) {
        auto* f = reinterpret_cast<FreeRecord*>(record);
        f->next = free_;
        free_ = f;
    }

    // Forgets every record; the caller gives the pages back to the page pool.
    void reset() {
        free_ = nullptr;
        cursor_ = nullptr;
        left_ = 0;
        pagesTaken_ = 0;
    }

    std::size_t pagesTaken() const { return pagesTaken_; }

private:
    // Room for one record: from the free list, else from the current page or a new one.
    void* take() {
        void* p = nullptr;
        if (free_ != nullptr) {
            p = free_;
            free_ = free_->next;
        } else {
            if (left_ == 0) {
                cursor_ = static_cast<unsigned char*>(pages_.nextPage());
                left_ = kPerPage;
                ++pagesTaken_;
            }
            p = cursor_;
            cursor_ += sizeof(T);
            --left_;
        }
        return p;
    }

    struct FreeRecord {
        FreeRecord* next;
    };
    RunPages& pages_;
    FreeRecord* free_ = nullptr;
    unsigned char* cursor_ = nullptr;
    std::size_t left_ = 0;
    std::size_t pagesTaken_ = 0;
};

}  // namespace trasovnik
