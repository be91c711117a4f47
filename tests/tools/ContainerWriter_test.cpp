#include "tools/jzwriter/ContainerWriter.h"

#include <gtest/gtest.h>
#include <lzo/lzo1x.h>

#include <stdexcept>
#include <vector>

namespace jz {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t getU32(const Bytes& b, std::size_t at) {
    return (std::uint32_t{b.at(at)} << 24) | (std::uint32_t{b.at(at + 1)} << 16) |
           (std::uint32_t{b.at(at + 2)} << 8) | b.at(at + 3);
}

Bytes slice(const Bytes& b, std::size_t at, std::size_t n) {
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(at),
                 b.begin() + static_cast<std::ptrdiff_t>(at + n));
}

// The container taken apart by its tables, independently of the engine's reader.
struct Parsed {
    std::uint32_t magic, major, minor;
    std::uint32_t plainBuffer;
    std::vector<Bytes> plainBlocks;
    std::uint32_t maxUnpacked, maxPacked;
    std::vector<Bytes> unpackedBlocks;  // decompressed, flag bytes included
    std::size_t end;                    // offset after the last block
};

Parsed parse(const Bytes& f) {
    Parsed p{};
    p.magic = getU32(f, 0);
    p.major = getU32(f, 4);
    p.minor = getU32(f, 8);
    std::uint32_t l1 = getU32(f, 12);
    p.plainBuffer = getU32(f, 16);
    std::uint32_t n = getU32(f, 20);
    EXPECT_EQ(l1, 8 + 4 * n);
    std::size_t at = 16 + l1;
    for (std::uint32_t i = 0; i < n; ++i) {
        std::uint32_t len = getU32(f, 24 + 4 * i);
        p.plainBlocks.push_back(slice(f, at, len));
        at += len;
    }
    std::uint32_t l2 = getU32(f, at);
    std::size_t table = at + 4;
    p.maxUnpacked = getU32(f, table);
    p.maxPacked = getU32(f, table + 4);
    std::uint32_t m = getU32(f, table + 8);
    EXPECT_EQ(l2, 12 + 8 * m);
    at = table + l2;
    EXPECT_EQ(lzo_init(), LZO_E_OK);
    for (std::uint32_t i = 0; i < m; ++i) {
        std::uint32_t unpacked = getU32(f, table + 12 + 8 * i);
        std::uint32_t packed = getU32(f, table + 16 + 8 * i);
        EXPECT_LE(unpacked, p.maxUnpacked);
        EXPECT_LE(packed, p.maxPacked);
        Bytes out(unpacked);
        lzo_uint outLength = unpacked;
        Bytes in = slice(f, at, packed);
        EXPECT_EQ(lzo1x_decompress_safe(in.data(), in.size(), out.data(), &outLength, nullptr),
                  LZO_E_OK);
        EXPECT_EQ(outLength, unpacked);
        p.unpackedBlocks.push_back(out);
        at += packed;
    }
    p.end = at;
    return p;
}

Bytes counting(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) {
        b[i] = static_cast<std::uint8_t>(i + 1);
    }
    return b;
}

TEST(ContainerWriter, LaysOutHeaderTablesAndBlocks) {
    ContainerOptions o;
    o.magic = 0x27BC86AA;
    o.major = 4;
    o.minor = 1;
    o.plainBlocks = {2, 3};
    o.compressedBlockContent = 4;
    Bytes content = counting(10);
    Bytes f = writeContainer(content, o);
    Parsed p = parse(f);
    EXPECT_EQ(p.magic, 0x27BC86AAu);
    EXPECT_EQ(p.major, 4u);
    EXPECT_EQ(p.minor, 1u);
    EXPECT_EQ(p.plainBuffer, 3u);
    EXPECT_EQ(p.plainBlocks, (std::vector<Bytes>{{1, 2}, {3, 4, 5}}));
    // Content 6..10 in blocks of four content bytes, each behind a flag byte 0.
    EXPECT_EQ(p.unpackedBlocks, (std::vector<Bytes>{{0, 6, 7, 8, 9}, {0, 10}}));
    EXPECT_EQ(p.maxUnpacked, 5u);
    EXPECT_EQ(p.end, f.size());
}

TEST(ContainerWriter, VersionTwoBlocksHaveNoFlagByte) {
    ContainerOptions o;
    o.major = 2;
    o.plainBlocks = {};
    o.compressedBlockContent = 3;
    Parsed p = parse(writeContainer(counting(7), o));
    EXPECT_TRUE(p.plainBlocks.empty());
    EXPECT_EQ(p.unpackedBlocks, (std::vector<Bytes>{{1, 2, 3}, {4, 5, 6}, {7}}));
}

TEST(ContainerWriter, PlainRunStopsWhereTheContentEnds) {
    ContainerOptions o;
    o.plainBlocks = {3, 4, 9};
    Bytes f = writeContainer(counting(5), o);
    Parsed p = parse(f);
    EXPECT_EQ(p.plainBlocks, (std::vector<Bytes>{{1, 2, 3}, {4, 5}}));
    EXPECT_EQ(p.plainBuffer, 3u);
    EXPECT_TRUE(p.unpackedBlocks.empty());
    EXPECT_EQ(p.end, f.size());
}

TEST(ContainerWriter, EmptyContentGivesEmptyTables) {
    Bytes f = writeContainer(Bytes{}, ContainerOptions{});
    Parsed p = parse(f);
    EXPECT_TRUE(p.plainBlocks.empty());
    EXPECT_TRUE(p.unpackedBlocks.empty());
    EXPECT_EQ(f.size(), 12u + 4 + 8 + 4 + 12);
}

TEST(ContainerWriter, NonContentBlockFollowsTheFirstCompressedBlock) {
    ContainerOptions o;
    o.major = 3;
    o.plainBlocks = {1};
    o.compressedBlockContent = 2;
    o.insertNonContentBlock = true;
    Parsed p = parse(writeContainer(counting(5), o));
    ASSERT_EQ(p.unpackedBlocks.size(), 3u);
    EXPECT_EQ(p.unpackedBlocks[0], (Bytes{0, 2, 3}));
    ASSERT_FALSE(p.unpackedBlocks[1].empty());
    EXPECT_NE(p.unpackedBlocks[1][0], 0);
    EXPECT_EQ(p.unpackedBlocks[2], (Bytes{0, 4, 5}));
}

TEST(ContainerWriter, CompressesRepetitiveContent) {
    ContainerOptions o;
    o.compressedBlockContent = 1 << 16;
    Bytes content(200000, 0x5A);
    Bytes f = writeContainer(content, o);
    EXPECT_LT(f.size(), content.size() / 10);
    Parsed p = parse(f);
    Bytes joined;
    for (const Bytes& b : p.plainBlocks) {
        joined.insert(joined.end(), b.begin(), b.end());
    }
    for (const Bytes& b : p.unpackedBlocks) {
        ASSERT_EQ(b.at(0), 0);
        joined.insert(joined.end(), b.begin() + 1, b.end());
    }
    EXPECT_EQ(joined, content);
}

TEST(ContainerWriter, RefusesOptionsItCannotHonour) {
    ContainerOptions noRoom;
    noRoom.compressedBlockContent = 0;
    EXPECT_THROW(writeContainer(counting(3), noRoom), std::invalid_argument);
    ContainerOptions flagless;
    flagless.major = 2;
    flagless.insertNonContentBlock = true;
    EXPECT_THROW(writeContainer(counting(3), flagless), std::invalid_argument);
}

}  // namespace
}  // namespace jz
