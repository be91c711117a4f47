#include "platform/draw/PixelMemory.h"

#include "platform/draw/Bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

namespace platform::draw {
namespace {

struct Block {
    unsigned char* at;
    std::size_t size;
    unsigned char mark;
};

bool holdsMark(const Block& b) {
    return std::all_of(b.at, b.at + b.size, [&](unsigned char c) { return c == b.mark; });
}

// Blocks of every kind (small from the heap, large from the chunks, one larger than a chunk)
// are aligned, never overlap and keep what was written into them while others come and go.
TEST(PixelMemory, BlocksKeepTheirPixelsWhileOthersComeAndGo) {
    const std::size_t sizes[] = {1,       100,         kLargePixelBlock - 1, kLargePixelBlock,
                                 1228800, 3 * 1228800, 40u * 1024 * 1024,    777777};
    std::vector<Block> kept;
    unsigned char mark = 1;
    for (std::size_t size : sizes) {
        auto* at = static_cast<unsigned char*>(allocatePixels(size));
        ASSERT_NE(at, nullptr) << size;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(at) % 64, 0u) << size;
        std::memset(at, mark, size);
        kept.push_back({at, size, mark++});
        // One that goes at once, between the ones kept.
        void* passing = allocatePixels(size);
        ASSERT_NE(passing, nullptr);
        std::memset(passing, 0xEE, size);
        freePixels(passing);
    }
    for (const Block& b : kept)
        EXPECT_TRUE(holdsMark(b)) << b.size;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        for (std::size_t j = i + 1; j < kept.size(); ++j) {
            const bool apart =
                kept[i].at + kept[i].size <= kept[j].at || kept[j].at + kept[j].size <= kept[i].at;
            EXPECT_TRUE(apart) << kept[i].size << " and " << kept[j].size;
        }
    }
    for (const Block& b : kept)
        freePixels(b.at);
    freePixels(nullptr);
}

// A freed large block is used again: a window surface made and dropped over and over, as
// while a window is laid out, takes no new memory each time.
TEST(PixelMemory, FreedLargeBlockIsUsedAgain) {
    void* first = allocatePixels(2 * kLargePixelBlock);
    ASSERT_NE(first, nullptr);
    freePixels(first);
    std::vector<void*> seen;
    for (int i = 0; i < 50; ++i) {
        void* again = allocatePixels(2 * kLargePixelBlock);
        ASSERT_NE(again, nullptr);
        if (std::find(seen.begin(), seen.end(), again) == seen.end())
            seen.push_back(again);
        freePixels(again);
    }
    EXPECT_EQ(seen.size(), 1u);
}

// Bitmaps on other threads (the screen composed while images are read) share the chunks.
TEST(PixelMemory, ThreadsShareTheChunks) {
    std::vector<std::thread> threads;
    std::vector<int> wrong(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &wrong] {
            for (int i = 0; i < 40; ++i) {
                const Color c = rgb(t * 40, i, 7);
                Bitmap b(300 + t, 280 + i, c);
                if (b.width() != 300 + t || b.pixel(b.width() - 1, b.height() - 1) != c)
                    ++wrong[t];
            }
        });
    }
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace platform::draw
