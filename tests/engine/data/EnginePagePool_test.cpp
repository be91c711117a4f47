#include "engine/data/EnginePagePool.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstring>
#include <vector>

#include "engine/data/EngineException.h"

namespace trasovnik {
namespace {

constexpr std::uint32_t kPagesPerRegion = EnginePagePool::kRegionSize / EnginePagePool::kPageSize;

template <typename F>
EngineCode codeOf(F f) {
    try {
        f();
    } catch (...) {
        return currentEngineCode();
    }
    return static_cast<EngineCode>(0);
}

bool allZero(const void* page) {
    const auto* p = static_cast<const unsigned char*>(page);
    for (std::uint32_t i = 0; i < EnginePagePool::kPageSize; ++i) {
        if (p[i] != 0) {
            return false;
        }
    }
    return true;
}

TEST(EnginePagePool, NewPoolReservesOnFirstPage) {
    EnginePagePool pool;
    EXPECT_EQ(pool.regionCount(), 0u);
    EXPECT_EQ(pool.used(), pool.regionSize());
    EXPECT_EQ(pool.regionSize(), 0x400000u);
    EXPECT_EQ(pool.highWaterMark(), 0u);

    void* first = pool.nextPage();
    EXPECT_EQ(pool.regionCount(), 1u);
    EXPECT_EQ(pool.used(), 4096u);
    EXPECT_EQ(pool.highWaterMark(), 0u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(first) % 4096, 0u);
    EXPECT_TRUE(allZero(first));
    std::memset(first, 0xAB, EnginePagePool::kPageSize);  // writable

    void* second = pool.nextPage();
    EXPECT_EQ(static_cast<char*>(second), static_cast<char*>(first) + 4096);
    EXPECT_EQ(pool.highWaterMark(), 4096u);
    EXPECT_TRUE(allZero(second));
}

TEST(EnginePagePool, SecondRegionCountsInTheHighWaterMark) {
    EnginePagePool pool;
    for (std::uint32_t i = 0; i < kPagesPerRegion; ++i) {
        pool.nextPage();
    }
    EXPECT_EQ(pool.regionCount(), 1u);
    EXPECT_EQ(pool.used(), pool.regionSize());
    EXPECT_EQ(pool.highWaterMark(), pool.regionSize() - 4096);
    void* page = pool.nextPage();
    EXPECT_TRUE(allZero(page));
    EXPECT_EQ(pool.regionCount(), 2u);
    EXPECT_EQ(pool.used(), 4096u);
    EXPECT_EQ(pool.highWaterMark(), pool.regionSize());
}

TEST(EnginePagePool, PageAfterSixtyFourFullRegionsIsOutOfMemory) {
    EnginePagePool pool;
    const std::uint32_t limit = EnginePagePool::kMaxRegions * kPagesPerRegion;
    ASSERT_EQ(limit, 65536u);
    for (std::uint32_t i = 0; i < limit; ++i) {
        pool.nextPage();
    }
    EXPECT_EQ(pool.regionCount(), 64u);
    EXPECT_EQ(pool.highWaterMark(), 64u * pool.regionSize() - 4096);
    EXPECT_EQ(codeOf([&] { pool.nextPage(); }), ENGINE_EXC_OUT_OF_MEMORY);
    // The failure leaves the pool as it was, and it stays full.
    EXPECT_EQ(pool.regionCount(), 64u);
    EXPECT_EQ(codeOf([&] { pool.nextPage(); }), ENGINE_EXC_OUT_OF_MEMORY);
    // Releasing makes it usable again.
    pool.releaseAll();
    EXPECT_NE(pool.nextPage(), nullptr);
    EXPECT_EQ(pool.regionCount(), 1u);
}

TEST(EnginePagePool, ReleaseAllStartsAgainFromAFirstRegion) {
    EnginePagePool pool;
    for (int i = 0; i < 5; ++i) {
        pool.nextPage();
    }
    pool.releaseAll();
    EXPECT_EQ(pool.regionCount(), 0u);
    EXPECT_EQ(pool.used(), pool.regionSize());
    void* page = pool.nextPage();
    EXPECT_TRUE(allZero(page));
    EXPECT_EQ(pool.regionCount(), 1u);
    EXPECT_EQ(pool.highWaterMark(), 0u);  // reset when the first region is reserved again
    pool.releaseAll();
    pool.releaseAll();  // releasing an empty pool is harmless
    EXPECT_EQ(pool.regionCount(), 0u);
}

TEST(EnginePagePool, RecycleHandsOutTheFirstRegionsPagesAgainZeroFilled) {
    EnginePagePool pool;
    std::vector<char*> first;
    for (std::uint32_t i = 0; i < kPagesPerRegion + 3; ++i) {
        auto* page = static_cast<char*>(pool.nextPage());
        std::memset(page, 0xAB, EnginePagePool::kPageSize);
        if (i < 4) {
            first.push_back(page);
        }
    }
    ASSERT_EQ(pool.regionCount(), 2u);
    pool.recycle();
    EXPECT_EQ(pool.regionCount(), 1u);  // the second region is released
    EXPECT_EQ(pool.highWaterMark(), 0u);
    for (char* expected : first) {
        void* page = pool.nextPage();
        EXPECT_EQ(page, expected);
        EXPECT_TRUE(allZero(page));
    }
    pool.recycle();
    pool.recycle();  // recycling twice, or an empty pool, is harmless
    EnginePagePool empty;
    empty.recycle();
    EXPECT_EQ(empty.regionCount(), 0u);
    EXPECT_TRUE(allZero(empty.nextPage()));
}

// Recycling with a limit gives back the memory of the pages after it: they are no longer
// resident, and they come back at their addresses, zero-filled, like the kept ones.
TEST(EnginePagePool, RecycleKeepsOnlyTheMemoryOfTheFirstPages) {
    EnginePagePool pool;
    constexpr std::uint32_t kPages = 64, kKept = 16;
    std::vector<char*> pages;
    for (std::uint32_t i = 0; i < kPages; ++i) {
        pages.push_back(static_cast<char*>(pool.nextPage()));
        std::memset(pages.back(), 0xCD, EnginePagePool::kPageSize);
    }
    pool.recycle(kKept * EnginePagePool::kPageSize);
    std::vector<unsigned char> resident(kPages);
    ASSERT_EQ(mincore(pages.front(), kPages * EnginePagePool::kPageSize, resident.data()), 0);
    for (std::uint32_t i = 0; i < kPages; ++i) {
        EXPECT_EQ((resident[i] & 1) != 0, i < kKept) << "page " << i;
    }
    for (char* expected : pages) {
        void* page = pool.nextPage();
        EXPECT_EQ(page, expected);
        EXPECT_TRUE(allZero(page));
    }
}

TEST(EnginePagePool, RecycledPoolStaysUsableAfterADecommittedPage) {
    EnginePagePool pool;
    auto* a = static_cast<char*>(pool.nextPage());
    auto* b = static_cast<char*>(pool.nextPage());
    auto* c = static_cast<char*>(pool.nextPage());
    c[0] = 1;
    pool.decommitPage(b);
    pool.recycle();
    EXPECT_EQ(pool.nextPage(), a);
    // The decommitted page is committed again before it is handed out, and so is the rest.
    auto* again = static_cast<char*>(pool.nextPage());
    ASSERT_EQ(again, b);
    again[0] = 2;
    EXPECT_TRUE(allZero(pool.nextPage()));
}

TEST(EnginePagePool, DecommitOnlyAcceptsPagesOfThePool) {
    EnginePagePool pool;
    char* page = static_cast<char*>(pool.nextPage());
    char* next = static_cast<char*>(pool.nextPage());
    std::vector<char> heap(8192);
    EXPECT_EQ(codeOf([&] { pool.decommitPage(heap.data()); }), ENGINE_EXC_BAD_ARGUMENT);
    EXPECT_EQ(codeOf([&] { pool.decommitPage(page + 1); }), ENGINE_EXC_BAD_ARGUMENT);
    EXPECT_EQ(codeOf([&] { pool.decommitPage(next + 4096); }), ENGINE_EXC_BAD_ARGUMENT);
    next[0] = 1;
    pool.decommitPage(page);
    // The neighbour is untouched and the pool goes on after the decommitted page.
    EXPECT_EQ(next[0], 1);
    EXPECT_EQ(static_cast<char*>(pool.nextPage()), next + 4096);
}

TEST(EnginePagePoolDeathTest, DecommittedPageIsNoLongerAccessible) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            EnginePagePool pool;
            auto* page = static_cast<volatile char*>(pool.nextPage());
            page[0] = 1;
            pool.decommitPage(const_cast<char*>(page));
            page[0] = 2;
        },
        "");
}

}  // namespace
}  // namespace trasovnik
