#include "engine/data/PagedArray.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/data/EngineException.h"

namespace trasovnik {
namespace {

template <typename F>
EngineCode codeOf(F f) {
    try {
        f();
    } catch (...) {
        return currentEngineCode();
    }
    return static_cast<EngineCode>(0);
}

// Counts the live instances, so that every construction is matched by a destruction.
struct Tracked {
    static inline int live = 0;
    int value;
    std::unique_ptr<std::string> owned;  // a buffer the element owns
    explicit Tracked(int v) : value(v), owned(std::make_unique<std::string>(64, 'x')) { ++live; }
    Tracked(const Tracked& o) : value(o.value), owned(std::make_unique<std::string>(*o.owned)) {
        ++live;
    }
    Tracked(Tracked&& o) noexcept : value(o.value), owned(std::move(o.owned)) { ++live; }
    Tracked& operator=(const Tracked& o) {
        value = o.value;
        owned = std::make_unique<std::string>(*o.owned);
        return *this;
    }
    Tracked& operator=(Tracked&& o) noexcept {
        value = o.value;
        owned = std::move(o.owned);
        return *this;
    }
    ~Tracked() { --live; }
};

TEST(PagedArray, EveryAccessOutsideTheArrayIsAnIndexError) {
    cStrankovanePole<int, kPagedPerPage32> a;
    EXPECT_EQ(codeOf([&] { a.getAt(0); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(codeOf([&] { a.getAt(-1); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(codeOf([&] { a.setAt(0, 1); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(codeOf([&] { a.removeAt(0); }), ENGINE_EXC_INDEX);
    a.add(10);
    a.add(11);
    for (std::int64_t i : {std::int64_t{-1}, std::int64_t{2}, std::int64_t{1} << 40}) {
        EXPECT_EQ(codeOf([&] { a.getAt(i); }), ENGINE_EXC_INDEX) << i;
        EXPECT_EQ(codeOf([&] { a.setAt(i, 0); }), ENGINE_EXC_INDEX) << i;
        EXPECT_EQ(codeOf([&] { a.removeAt(i); }), ENGINE_EXC_INDEX) << i;
    }
    EXPECT_EQ(a.count(), 2u);
    EXPECT_EQ(a.getAt(1), 11);
}

TEST(PagedArray, AddsAcrossPagesAndSetsInPlace) {
    cStrankovanePole<std::uint32_t, kPagedPerPage32> a;
    for (std::uint32_t i = 0; i < 3000; ++i) {
        a.add(i * 7);
    }
    EXPECT_EQ(a.count(), 3000u);
    EXPECT_EQ(a.pagesInUse(), 3u);
    a.setAt(2048, 1);
    for (std::uint32_t i = 0; i < 3000; ++i) {
        ASSERT_EQ(a.getAt(i), i == 2048 ? 1u : i * 7) << i;
    }
}

TEST(PagedArray, RemoveInTheMiddleOfAFullPageThenAdd) {
    cStrankovanePole<int, 4> a;
    for (int i = 0; i < 12; ++i) {
        a.add(i);  // pages {0..3} {4..7} {8..11}
    }
    const int* lastPageFirst = &a.getAt(8);
    a.removeAt(5);  // page 1 becomes {4, 6, 7}
    EXPECT_EQ(a.count(), 11u);
    EXPECT_EQ(a.pagesInUse(), 3u);
    EXPECT_EQ(&a.getAt(7), lastPageFirst);  // other pages are not touched
    a.add(12);                              // the last page is full, so a fourth page starts
    EXPECT_EQ(a.pagesInUse(), 4u);
    const int expected[] = {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(a.getAt(i), expected[i]) << i;
    }
    // Empty a page completely; the walk skips it.
    a.removeAt(4);
    a.removeAt(4);
    a.removeAt(4);
    const int rest[] = {0, 1, 2, 3, 8, 9, 10, 11, 12};
    ASSERT_EQ(a.count(), 9u);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(a.getAt(i), rest[i]) << i;
    }
    EXPECT_EQ(codeOf([&] { a.getAt(9); }), ENGINE_EXC_INDEX);
}

TEST(PagedArray, RemoveOnTheLastPage) {
    cStrankovanePole<int, 4> a;
    for (int i = 0; i < 6; ++i) {
        a.add(i);
    }
    a.removeAt(5);
    a.removeAt(4);
    a.add(40);
    a.add(50);
    const int expected[] = {0, 1, 2, 3, 40, 50};
    ASSERT_EQ(a.count(), 6u);
    EXPECT_EQ(a.pagesInUse(), 2u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(a.getAt(i), expected[i]) << i;
    }
}

TEST(PagedArray, PageTableGrowsAndElementsStayInPlace) {
    cStrankovanePole<int, 1> a;  // one element per page, so 1025 elements need 1025 pages
    std::vector<const int*> addresses;
    for (int i = 0; i < 1024; ++i) {
        addresses.push_back(&a.add(i));
    }
    EXPECT_EQ(a.pageTableCapacity(), 1024u);
    a.add(1024);
    EXPECT_EQ(a.pagesInUse(), 1025u);
    EXPECT_EQ(a.pageTableCapacity(), 2048u);
    for (int i = 0; i < 1024; ++i) {
        ASSERT_EQ(&a.getAt(i), addresses[i]) << i;
        ASSERT_EQ(*addresses[i], i);
    }
    EXPECT_EQ(a.getAt(1024), 1024);
}

TEST(PagedArray, PoolExhaustionIsOutOfMemoryAndKeepsTheElements) {
    EnginePagePool pool;
    const std::uint32_t pages =
        EnginePagePool::kMaxRegions * (EnginePagePool::kRegionSize / EnginePagePool::kPageSize);
    // Leave the array the last two pages of a pool that is otherwise used up.
    for (std::uint32_t i = 0; i + 2 < pages; ++i) {
        pool.nextPage();
    }
    cStrankovanePole<std::uint16_t, 1> a(pool);
    a.add(7);
    a.add(8);
    EXPECT_EQ(codeOf([&] { a.add(9); }), ENGINE_EXC_OUT_OF_MEMORY);
    EXPECT_EQ(a.count(), 2u);
    EXPECT_EQ(a.pagesInUse(), 2u);
    EXPECT_EQ(a.getAt(1), 8);
    a.removeAt(0);
    EXPECT_EQ(a.getAt(0), 8);
    // The freed slot of the first page is not reused by add: it still needs a new page.
    EXPECT_EQ(codeOf([&] { a.add(9); }), ENGINE_EXC_OUT_OF_MEMORY);
}

TEST(PagedArray, OwningElementsAreDestroyedExactlyOnce) {
    Tracked::live = 0;
    {
        cStrankovanePole<Tracked, 8> a;
        for (int i = 0; i < 20; ++i) {
            a.emplace(i);
        }
        EXPECT_EQ(Tracked::live, 20);
        a.removeAt(3);
        a.removeAt(10);
        EXPECT_EQ(Tracked::live, 18);
        EXPECT_EQ(a.getAt(3).value, 4);
        EXPECT_EQ(*a.getAt(3).owned, std::string(64, 'x'));
        a.setAt(0, Tracked(100));
        EXPECT_EQ(Tracked::live, 18);
        EXPECT_EQ(a.getAt(0).value, 100);
        a.add(Tracked(200));
        const Tracked copy(300);
        a.add(copy);
        EXPECT_EQ(Tracked::live, 21);
        a.clear();
        EXPECT_EQ(Tracked::live, 1);
        EXPECT_EQ(a.count(), 0u);
        a.emplace(1);
        a.emplace(2);
        EXPECT_EQ(a.getAt(1).value, 2);
    }
    EXPECT_EQ(Tracked::live, 0);
}

TEST(PagedArray, ClearAndDestroyLeaveAUsableArray) {
    cStrankovanePole<std::string, 64> a;
    for (int i = 0; i < 200; ++i) {
        a.add(std::string(100, static_cast<char>('a' + i % 26)));
    }
    a.clear();
    EXPECT_EQ(a.count(), 0u);
    EXPECT_EQ(a.pagesInUse(), 0u);
    EXPECT_EQ(codeOf([&] { a.getAt(0); }), ENGINE_EXC_INDEX);
    a.add("after clear");
    EXPECT_EQ(a.getAt(0), "after clear");
    a.destroy();
    EXPECT_EQ(a.count(), 0u);
    EXPECT_EQ(a.pageTableCapacity(), 0u);
    a.add("after destroy");
    EXPECT_EQ(a.getAt(0), "after destroy");
    EXPECT_EQ(a.pageTableCapacity(), 1024u);
}

TEST(PagedArray, ArraysShareAPool) {
    EnginePagePool pool;
    cStrankovanePole<int, kPagedPerPage32> a(pool);
    cStrankovanePole<double, kPagedPerPage64> b(pool);
    for (int i = 0; i < 2000; ++i) {
        a.add(i);
        b.add(i * 0.5);
    }
    EXPECT_EQ(pool.used(), 6u * 4096);  // two pages for a, four for b
    a.clear();
    // The other array's pages are untouched; the pool does not hand out a's pages again.
    for (int i = 0; i < 2000; ++i) {
        ASSERT_EQ(b.getAt(i), i * 0.5);
    }
    a.add(5);
    EXPECT_EQ(pool.used(), 7u * 4096);
    EXPECT_EQ(a.getAt(0), 5);
}

TEST(PagedArray, MovedArrayKeepsItsElements) {
    cStrankovanePole<std::string, 16> a;
    for (int i = 0; i < 40; ++i) {
        a.add(std::to_string(i));
    }
    const std::string* address = &a.getAt(39);
    cStrankovanePole<std::string, 16> b(std::move(a));
    EXPECT_EQ(b.count(), 40u);
    EXPECT_EQ(&b.getAt(39), address);
    EXPECT_EQ(a.count(), 0u);  // NOLINT(bugprone-use-after-move): the moved-from array is empty
    a.add("again");
    EXPECT_EQ(a.getAt(0), "again");
    a = std::move(b);
    EXPECT_EQ(a.count(), 40u);
    EXPECT_EQ(a.getAt(17), "17");
}

TEST(PagedArray, EntriesPerPageFollowTheRecordSize) {
    EXPECT_EQ(pagedPerPage(4), kPagedPerPage32);
    EXPECT_EQ(pagedPerPage(8), kPagedPerPage64);
    EXPECT_EQ(pagedPerPage(12), kPagedPerPageResult);
    EXPECT_EQ(pagedPerPage(16), kPagedPerPageCatalogue);
    EXPECT_EQ(pagedPerPage(20), kPagedPerPageSet);
    EXPECT_EQ(pagedPerPage(24), kPagedPerPageStopHit);
    EXPECT_EQ(kPagedPerPageTimetable, 44u);
}

}  // namespace
}  // namespace trasovnik
