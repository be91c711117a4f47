#include "engine/data/TimetableFileReader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/data/EngineException.h"
#include "tools/jzwriter/ContainerWriter.h"
#include "tools/jzwriter/ContentWriter.h"

namespace trasovnik {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Runs `f` and returns the engine code it raised (0 when it returned normally).
std::uint32_t codeOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EngineException& e) {
        return e.code();
    }
    return 0;
}

jz::ContainerOptions layout(std::vector<std::size_t> plain, std::size_t blockContent,
                            std::uint32_t major = 4, bool nonContent = false) {
    jz::ContainerOptions o;
    o.major = major;
    o.plainBlocks = std::move(plain);
    o.compressedBlockContent = blockContent;
    o.insertNonContentBlock = nonContent;
    return o;
}

void openWithTable(TimetableFileReader& r, const Bytes& file) {
    r.openBytes(file, "test.jz");
    r.readPlainBlockTable();
}

std::uint32_t getU32(const Bytes& b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
           (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}

void putU32(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v >> 24);
    b[at + 1] = static_cast<std::uint8_t>(v >> 16);
    b[at + 2] = static_cast<std::uint8_t>(v >> 8);
    b[at + 3] = static_cast<std::uint8_t>(v);
}

// Where the parts of a container lie, worked out from its tables.
struct Offsets {
    std::size_t plainTable;       // the L1 word
    std::size_t compressedTable;  // the L2 word
    std::size_t firstPacked;      // first byte of the first compressed block
};

Offsets offsetsOf(const Bytes& f) {
    Offsets o{};
    o.plainTable = 12;
    std::uint32_t n = getU32(f, 20);
    std::size_t at = 16 + getU32(f, 12);
    for (std::uint32_t i = 0; i < n; ++i) {
        at += getU32(f, 24 + 4 * i);
    }
    o.compressedTable = at;
    o.firstPacked = at + 4 + getU32(f, at);
    return o;
}

// A sequence of values of every width the reader offers, written by the compiler's content
// writer and read back through the reader.
jz::ContentWriter mixedContent() {
    jz::ContentWriter w;
    for (std::uint32_t i = 0; i < 300; ++i) {
        w.u32(0xA1B2C3D4u ^ (i * 2654435761u));
        w.u8(static_cast<std::uint8_t>(i));
        w.u16(static_cast<std::uint16_t>(0xF00D + i));
        w.i32(-static_cast<std::int32_t>(i) * 1000);
        w.i16(static_cast<std::int16_t>(-static_cast<int>(i)));
        w.i8(static_cast<std::int8_t>(-static_cast<int>(i % 100)));
        w.u8(i % 3 == 0 ? 1 : (i % 3 == 1 ? 0 : 2));  // read as bool
        w.rawDouble(49.5 + i / 1000.0);
        w.text(std::string(i % 7, static_cast<char>('a' + i % 26)));
    }
    return w;
}

void readMixedContent(TimetableFileReader& r) {
    for (std::uint32_t i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(r.readU32(), 0xA1B2C3D4u ^ (i * 2654435761u));
        ASSERT_EQ(r.readU8(), static_cast<std::uint8_t>(i));
        ASSERT_EQ(r.readU16(), static_cast<std::uint16_t>(0xF00D + i));
        ASSERT_EQ(r.readI32(), -static_cast<std::int32_t>(i) * 1000);
        ASSERT_EQ(r.readI16(), static_cast<std::int16_t>(-static_cast<int>(i)));
        ASSERT_EQ(r.readI8(), static_cast<std::int8_t>(-static_cast<int>(i % 100)));
        ASSERT_EQ(r.readBool(), i % 3 == 0);
        ASSERT_EQ(r.readRawDouble(), 49.5 + i / 1000.0);
        ASSERT_EQ(r.readText(), std::string(i % 7, static_cast<char>('a' + i % 26)));
    }
}

struct LayoutCase {
    const char* name;
    jz::ContainerOptions options;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class ReaderLayouts : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ReaderLayouts, ValuesReadTheSameWhereverTheBlockBordersFall) {
    jz::ContentWriter w = mixedContent();
    Bytes file = jz::writeContainer(w, GetParam().options);
    TimetableFileReader r;
    openWithTable(r, file);
    readMixedContent(r);
    EXPECT_EQ(codeOf([&] { r.readU8(); }), ENGINE_EXC_SHORT_READ);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ReaderLayouts,
    ::testing::Values(LayoutCase{"defaults", jz::ContainerOptions{}},
                      LayoutCase{"noPlainBlocks", layout({}, 4093)},
                      LayoutCase{"onlyPlainBlocks", layout({1 << 20}, 4093)},
                      LayoutCase{"tinyBlocksEverywhere", layout({1, 2, 3, 0, 5}, 3)},
                      LayoutCase{"oneByteCompressedBlocks", layout({}, 1)},
                      LayoutCase{"versionTwoNoFlags", layout({7, 61}, 5, 2)},
                      LayoutCase{"versionThree", layout({7, 61}, 5, 3)},
                      LayoutCase{"nonContentBlockSkipped", layout({10}, 7, 4, true)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TimetableFileReader, U32StraddlingThePlainToCompressedBorder) {
    jz::ContentWriter w;
    w.u32(0x11223344);
    w.u32(0x55667788);  // bytes 4..7: two in the plain run, two in the first compressed block
    w.u16(0x99AA);
    Bytes file = jz::writeContainer(w, layout({6}, 3));
    TimetableFileReader r;
    openWithTable(r, file);
    EXPECT_EQ(r.readU32(), 0x11223344u);
    EXPECT_EQ(r.readU32(), 0x55667788u);
    EXPECT_EQ(r.readU16(), 0x99AAu);
}

TEST(TimetableFileReader, EmptyPlainRunStartsWithTheFirstCompressedBlock) {
    jz::ContentWriter w;
    w.u8(0x42);
    w.u32(0xCAFEBABE);
    Bytes file = jz::writeContainer(w, layout({}, 64));
    ASSERT_EQ(getU32(file, 20), 0u);  // N = 0
    TimetableFileReader r;
    openWithTable(r, file);
    EXPECT_EQ(r.readU8(), 0x42);
    EXPECT_EQ(r.readU32(), 0xCAFEBABEu);
}

TEST(TimetableFileReader, HeaderAndNameAreReported) {
    jz::ContainerOptions o = layout({}, 8, 3);
    o.minor = 7;
    o.magic = 0x01020304;
    TimetableFileReader r;
    r.openBytes(jz::writeContainer(Bytes{}, o), "CD-2011.jz");
    EXPECT_EQ(r.magic(), 0x01020304u);
    EXPECT_EQ(r.majorVersion(), 3);
    EXPECT_EQ(r.minorVersion(), 7);
    EXPECT_EQ(r.fileName(), "CD-2011.jz");
}

TEST(TimetableFileReader, Raw8KeepsTheStreamOrderInMemory) {
    Bytes content{1, 2, 3, 4, 5, 6, 7, 8};
    TimetableFileReader r;
    openWithTable(r, jz::writeContainer(content, layout({3}, 2)));
    std::uint64_t expected;
    std::memcpy(&expected, content.data(), 8);
    EXPECT_EQ(r.readRaw8(), expected);
}

struct FlagCase {
    const char* name;
    std::uint32_t major;
    bool nonContent;
    // Stream positions after each of the two 32-bit reads.
    std::uint64_t afterFirst;
    std::uint64_t afterSecond;
};

void PrintTo(const FlagCase& c, std::ostream* os) {
    *os << c.name;
}

class FlagBytes : public ::testing::TestWithParam<FlagCase> {};

TEST_P(FlagBytes, FlagByteIsSkippedAndCountedOnlyFromVersionThree) {
    const FlagCase& c = GetParam();
    jz::ContentWriter w;
    w.u32(0x01020304);
    w.u32(0x05060708);
    Bytes file = jz::writeContainer(w, layout({}, 4, c.major, c.nonContent));
    TimetableFileReader r;
    openWithTable(r, file);
    EXPECT_EQ(r.readU32(), 0x01020304u);
    EXPECT_EQ(r.streamPosition(), c.afterFirst);
    EXPECT_EQ(r.readU32(), 0x05060708u);
    EXPECT_EQ(r.streamPosition(), c.afterSecond);
    EXPECT_EQ(codeOf([&] { r.readU8(); }), ENGINE_EXC_SHORT_READ);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, FlagBytes,
    ::testing::Values(FlagCase{"version2", 2, false, 4, 8}, FlagCase{"version3", 3, false, 5, 10},
                      // The non-content block between the two counts its flag byte only.
                      FlagCase{"version4NonContent", 4, true, 5, 11}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TimetableFileReader, PlainBlocksHaveNoFlagByte) {
    jz::ContentWriter w;
    w.u32(7);
    TimetableFileReader r;
    openWithTable(r, jz::writeContainer(w, layout({4}, 4, 4)));
    EXPECT_EQ(r.readU32(), 7u);
    EXPECT_EQ(r.streamPosition(), 4u);
}

// Sections. Each case lays out a section followed by the marker 0x5EC7 and reads part of the
// section before ending it; the marker must follow in every case.
struct SectionCase {
    const char* name;
    std::function<void(jz::ContentWriter&)> write;
    std::function<void(TimetableFileReader&)> read;
};

void PrintTo(const SectionCase& c, std::ostream* os) {
    *os << c.name;
}

class Sections : public ::testing::TestWithParam<SectionCase> {};

TEST_P(Sections, EndSectionLandsOnTheNextValue) {
    jz::ContentWriter w;
    GetParam().write(w);
    w.u16(0x5EC7);
    // Small compressed blocks so that sections span block borders and flag bytes.
    for (auto options : {layout({5}, 3, 4), layout({}, 2, 3), layout({2, 9}, 4, 2)}) {
        TimetableFileReader r;
        openWithTable(r, jz::writeContainer(w, options));
        GetParam().read(r);
        EXPECT_EQ(r.readU16(), 0x5EC7u) << "major " << options.major;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Sections,
                         ::testing::Values(SectionCase{"endRightAfterBeginSkipsAll",
                                                       [](jz::ContentWriter& w) {
                                                           w.beginSection();
                                                           w.bytes(std::string(23, 'x'));
                                                           w.endSection();
                                                       },
                                                       [](TimetableFileReader& r) {
                                                           r.beginSection();
                                                           r.endSection();
                                                       }},
                                           SectionCase{"partlyReadSkipsTheRest",
                                                       [](jz::ContentWriter& w) {
                                                           w.beginSection();
                                                           w.u32(9);
                                                           w.bytes(std::string(17, 'y'));
                                                           w.endSection();
                                                       },
                                                       [](TimetableFileReader& r) {
                                                           r.beginSection();
                                                           EXPECT_EQ(r.readU32(), 9u);
                                                           r.endSection();
                                                       }},
                                           SectionCase{"readToTheEndSkipsNothing",
                                                       [](jz::ContentWriter& w) {
                                                           w.beginSection();
                                                           w.u16(0x1111);
                                                           w.endSection();
                                                       },
                                                       [](TimetableFileReader& r) {
                                                           r.beginSection();
                                                           // Reads the section's two bytes and
                                                           // nothing more: exactly at its end.
                                                           EXPECT_EQ(r.readU16(), 0x1111u);
                                                           r.endSection();
                                                       }},
                                           SectionCase{"nested",
                                                       [](jz::ContentWriter& w) {
                                                           w.beginSection();
                                                           w.u8(1);
                                                           w.beginSection();
                                                           w.u32(2);
                                                           w.u32(3);
                                                           w.endSection();
                                                           w.u16(4);
                                                           w.bytes("tail");
                                                           w.endSection();
                                                       },
                                                       [](TimetableFileReader& r) {
                                                           r.beginSection();
                                                           EXPECT_EQ(r.readU8(), 1u);
                                                           r.beginSection();
                                                           EXPECT_EQ(r.readU32(), 2u);
                                                           r.endSection();
                                                           EXPECT_EQ(r.readU16(), 4u);
                                                           r.endSection();
                                                       }},
                                           SectionCase{
                                               "skipSection",
                                               [](jz::ContentWriter& w) {
                                                   w.skippedSection("some junk of any size");
                                               },
                                               [](TimetableFileReader& r) { r.skipSection(); }}),
                         [](const auto& info) { return std::string(info.param.name); });

// In the file a section's length counts stream bytes: the flag byte of every compressed block
// that begins inside the section belongs to it. Content: a length word, a section of 10
// content bytes, a marker, over compressed blocks of 4 content bytes: the blocks that begin at
// content offsets 4, 8 and 12 lie inside the section, so its length is 10 + 3.
TEST(TimetableFileReader, SectionLengthsCountTheFlagBytesInside) {
    Bytes raw = {0, 0, 0, 13, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 0x5E, 0xC7};
    TimetableFileReader r;
    openWithTable(r, jz::writeContainer(raw, layout({}, 4, 4)));
    r.skipSection();
    EXPECT_EQ(r.readU16(), 0x5EC7u);

    // The writer completes the lengths of the content's own sections in the same way.
    jz::ContentWriter w;
    w.skippedSection("abcdefghij");
    Bytes file = jz::writeContainer(w, layout({}, 4, 4));
    TimetableFileReader direct;
    openWithTable(direct, file);
    EXPECT_EQ(direct.readU32(), 13u);
}

TEST(TimetableFileReader, EndSectionAfterReadingPastTheEndSkipsNothing) {
    jz::ContentWriter w;
    w.beginSection();
    w.u16(0x1111);
    w.endSection();
    w.u32(0x22334455);
    TimetableFileReader r;
    openWithTable(r, jz::writeContainer(w, layout({}, 3)));
    r.beginSection();
    EXPECT_EQ(r.readU32(), 0x11112233u);  // two bytes beyond the section
    r.endSection();
    EXPECT_EQ(r.readU16(), 0x4455u);
}

TEST(TimetableFileReader, EndSectionWithoutMarkIsAnIndexFailure) {
    jz::ContentWriter w;
    w.skippedSection();
    TimetableFileReader r;
    openWithTable(r, jz::writeContainer(w, jz::ContainerOptions{}));
    EXPECT_EQ(codeOf([&] { r.endSection(); }), ENGINE_EXC_INDEX);
    r.beginSection();
    r.endSection();
    EXPECT_EQ(codeOf([&] { r.endSection(); }), ENGINE_EXC_INDEX);
}

TEST(TimetableFileReader, SectionLongerThanTheContentFailsWhenSkipped) {
    jz::ContentWriter w;
    w.u32(1000);  // a section length with only 3 bytes behind it
    w.bytes("abc");
    TimetableFileReader r;
    openWithTable(r, jz::writeContainer(w, layout({2}, 2)));
    r.beginSection();
    EXPECT_EQ(codeOf([&] { r.endSection(); }), ENGINE_EXC_SHORT_READ);
}

// requireContent: exact once the compressed table is known (when every block is a content
// block), and it must not disturb the order in which the values are read.
TEST(TimetableFileReader, RequireContentKnowsTheExactRest) {
    jz::ContentWriter w = mixedContent();
    const std::uint64_t size = w.size();
    for (auto options : {layout({7, 61, 333}, 100, 4), layout({}, 100, 3), layout({size}, 100, 4),
                         layout({5}, 100, 2)}) {
        TimetableFileReader r;
        openWithTable(r, jz::writeContainer(w, options));
        EXPECT_EQ(codeOf([&] { r.requireContent(size + 1); }), ENGINE_EXC_SHORT_READ);
        EXPECT_EQ(codeOf([&] { r.requireContent(size); }), 0u);
        readMixedContent(r);
        EXPECT_EQ(codeOf([&] { r.requireContent(0); }), 0u);
        EXPECT_EQ(codeOf([&] { r.requireContent(1); }), ENGINE_EXC_SHORT_READ);
    }
}

TEST(TimetableFileReader, RequireContentInTheMiddleOfTheStream) {
    Bytes content(1000);
    for (std::size_t i = 0; i < content.size(); ++i) {
        content[i] = static_cast<std::uint8_t>(i * 7);
    }
    TimetableFileReader r;
    openWithTable(r, jz::writeContainer(content, layout({10, 20}, 33)));
    r.skip(15);  // inside the second plain block
    EXPECT_EQ(codeOf([&] { r.requireContent(985); }), 0u);
    EXPECT_EQ(codeOf([&] { r.requireContent(986); }), ENGINE_EXC_SHORT_READ);
    EXPECT_EQ(r.readU8(), content[15]);
    r.skip(500);
    EXPECT_EQ(codeOf([&] { r.requireContent(484); }), 0u);
    EXPECT_EQ(codeOf([&] { r.requireContent(485); }), ENGINE_EXC_SHORT_READ);
    EXPECT_EQ(r.readU8(), content[516]);
}

TEST(TimetableFileReader, BogusLengthsAreRefusedBeforeAllocating) {
    jz::ContentWriter w;
    w.u32(0xFFFFFFF0);  // a text length far beyond the content
    w.bytes("short");
    TimetableFileReader r;
    openWithTable(r, jz::writeContainer(w, jz::ContainerOptions{}));
    EXPECT_EQ(codeOf([&] { r.readText(); }), ENGINE_EXC_SHORT_READ);
    TimetableFileReader r2;
    openWithTable(r2, jz::writeContainer(w, jz::ContainerOptions{}));
    EXPECT_EQ(codeOf([&] { r2.readBytes(std::size_t{1} << 40); }), ENGINE_EXC_SHORT_READ);
}

TEST(TimetableFileReader, ReadingPastTheEndFails) {
    jz::ContentWriter w;
    w.u16(0xABCD);
    TimetableFileReader r;
    openWithTable(r, jz::writeContainer(w, layout({1}, 4)));
    EXPECT_EQ(codeOf([&] { r.readU32(); }), ENGINE_EXC_SHORT_READ);
    TimetableFileReader r2;
    openWithTable(r2, jz::writeContainer(w, layout({1}, 4)));
    EXPECT_EQ(codeOf([&] { r2.skip(3); }), ENGINE_EXC_SHORT_READ);
}

TEST(TimetableFileReader, ReadingOutOfOrderIsRefused) {
    Bytes file = jz::writeContainer({1, 2, 3}, jz::ContainerOptions{});
    TimetableFileReader r;
    EXPECT_EQ(codeOf([&] { r.readU8(); }), ENGINE_EXC_BAD_ARGUMENT);
    r.openBytes(file, "x.jz");
    EXPECT_EQ(codeOf([&] { r.readU8(); }), ENGINE_EXC_BAD_ARGUMENT);
    r.readPlainBlockTable();
    EXPECT_EQ(codeOf([&] { r.readPlainBlockTable(); }), ENGINE_EXC_BAD_ARGUMENT);
    EXPECT_EQ(r.readU8(), 1);
    r.close();
    EXPECT_EQ(codeOf([&] { r.readU8(); }), ENGINE_EXC_BAD_ARGUMENT);
}

// Corrupt containers: each case changes a valid file and names the failure it must give when
// the whole content is read.
struct CorruptCase {
    const char* name;
    std::function<void(Bytes&)> spoil;
    std::uint32_t code;
};

void PrintTo(const CorruptCase& c, std::ostream* os) {
    *os << c.name;
}

class CorruptContainers : public ::testing::TestWithParam<CorruptCase> {};

Bytes validFile() {
    jz::ContentWriter w = mixedContent();
    return jz::writeContainer(w, layout({7, 61}, 2000, 4));
}

TEST_P(CorruptContainers, FailWithTheirCode) {
    Bytes file = validFile();
    GetParam().spoil(file);
    TimetableFileReader r;
    std::uint32_t code = codeOf([&] {
        openWithTable(r, file);
        r.skip(mixedContent().size());
    });
    EXPECT_EQ(code, GetParam().code) << engineCodeName(static_cast<EngineCode>(code));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CorruptContainers,
    ::testing::Values(
        CorruptCase{"garbledPackedBytes",
                    [](Bytes& f) {
                        std::size_t at = offsetsOf(f).firstPacked;
                        for (std::size_t i = 0; i < 16; ++i) {
                            f[at + i] = 0xFF;
                        }
                    },
                    ENGINE_EXC_DECOMPRESS},
        CorruptCase{"unpackedSizeLargerThanTheBlock",
                    [](Bytes& f) {
                        std::size_t t = offsetsOf(f).compressedTable + 4;
                        putU32(f, t, getU32(f, t) + 1);            // largest unpacked
                        putU32(f, t + 12, getU32(f, t + 12) + 1);  // first block
                    },
                    ENGINE_EXC_DECOMPRESS},
        CorruptCase{"unpackedSizeSmallerThanTheBlock",
                    [](Bytes& f) {
                        std::size_t t = offsetsOf(f).compressedTable + 4;
                        putU32(f, t + 12, getU32(f, t + 12) - 1);
                    },
                    ENGINE_EXC_DECOMPRESS},
        CorruptCase{"unpackedSizeAboveTheLargest",
                    [](Bytes& f) {
                        std::size_t t = offsetsOf(f).compressedTable + 4;
                        putU32(f, t + 12, getU32(f, t) + 1);
                    },
                    ENGINE_EXC_DECOMPRESS},
        CorruptCase{"packedSizeAboveTheLargest",
                    [](Bytes& f) {
                        std::size_t t = offsetsOf(f).compressedTable + 4;
                        putU32(f, t + 16, getU32(f, t + 4) + 1);
                    },
                    ENGINE_EXC_DECOMPRESS},
        CorruptCase{"unpackedSizeNoCompressorCanReach",
                    [](Bytes& f) {
                        std::size_t t = offsetsOf(f).compressedTable + 4;
                        putU32(f, t, 0x00FFFFFF);
                        putU32(f, t + 12, 0x00FFFFFF);
                    },
                    ENGINE_EXC_DECOMPRESS},
        CorruptCase{"plainTableLengthLies", [](Bytes& f) { putU32(f, 12, getU32(f, 12) + 4); },
                    ENGINE_EXC_DECOMPRESS},
        CorruptCase{"plainTableLengthTooSmall", [](Bytes& f) { putU32(f, 12, 4); },
                    ENGINE_EXC_DECOMPRESS},
        CorruptCase{"plainTableLengthBeyondTheFile", [](Bytes& f) { putU32(f, 12, 0xFFFFFFF8); },
                    ENGINE_EXC_SHORT_READ},
        CorruptCase{"plainCountLies", [](Bytes& f) { putU32(f, 20, getU32(f, 20) + 1); },
                    ENGINE_EXC_DECOMPRESS},
        CorruptCase{"plainBlockLongerThanItsBuffer",
                    [](Bytes& f) { putU32(f, 24, getU32(f, 16) + 1); }, ENGINE_EXC_DECOMPRESS},
        CorruptCase{"hugePlainBuffer", [](Bytes& f) { putU32(f, 16, 0xFFFFFFFF); },
                    ENGINE_EXC_DECOMPRESS},
        CorruptCase{"plainBlocksBeyondTheFile",
                    [](Bytes& f) {
                        putU32(f, 16, 0x00F00000);
                        putU32(f, 24, 0x00F00000);
                    },
                    ENGINE_EXC_SHORT_READ},
        CorruptCase{"compressedTableLengthLies",
                    [](Bytes& f) {
                        std::size_t t = offsetsOf(f).compressedTable;
                        putU32(f, t, getU32(f, t) - 8);
                    },
                    ENGINE_EXC_DECOMPRESS},
        CorruptCase{"compressedTableLengthBeyondTheFile",
                    [](Bytes& f) { putU32(f, offsetsOf(f).compressedTable, 0x7FFFFFF4); },
                    ENGINE_EXC_SHORT_READ},
        CorruptCase{"hugeLargestUnpacked",
                    [](Bytes& f) { putU32(f, offsetsOf(f).compressedTable + 4, 0xFFFFFFFF); },
                    ENGINE_EXC_DECOMPRESS},
        CorruptCase{"hugeLargestPacked",
                    [](Bytes& f) { putU32(f, offsetsOf(f).compressedTable + 8, 0x40000000); },
                    ENGINE_EXC_DECOMPRESS},
        CorruptCase{"packedBlocksBeyondTheFile",
                    [](Bytes& f) {
                        std::size_t t = offsetsOf(f).compressedTable + 4;
                        putU32(f, t + 4, 0x00100000);
                        putU32(f, t + 16, 0x00100000);
                    },
                    ENGINE_EXC_SHORT_READ},
        CorruptCase{"trailingBytesAfterTheLastBlock", [](Bytes& f) { f.push_back(0); }, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TimetableFileReader, EveryTruncationFailsAsAShortRead) {
    jz::ContentWriter w;
    w.u32(0x01020304);
    w.text("Praha hl.n.");
    w.skippedSection();
    w.u16(77);
    for (auto options : {layout({3, 5}, 6, 4, true), layout({}, 5, 2)}) {
        Bytes file = jz::writeContainer(w, options);
        for (std::size_t cut = 0; cut < file.size(); ++cut) {
            SCOPED_TRACE(cut);
            Bytes prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut));
            TimetableFileReader r;
            EXPECT_EQ(codeOf([&] {
                          openWithTable(r, prefix);
                          r.skip(w.size());
                      }),
                      ENGINE_EXC_SHORT_READ);
        }
    }
}

class ReaderFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("reader_test_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string write(const std::string& name, const Bytes& bytes) {
        std::string path = (dir_ / name).string();
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    std::filesystem::path dir_;
};

TEST_F(ReaderFiles, ReadsAFileFromDisk) {
    jz::ContentWriter w = mixedContent();
    std::string path = write("mixed.jz", jz::writeContainer(w, jz::ContainerOptions{}));
    TimetableFileReader r;
    r.openFile(path);
    EXPECT_EQ(r.fileName(), path);
    EXPECT_EQ(r.majorVersion(), 4);
    r.readPlainBlockTable();
    readMixedContent(r);
    EXPECT_EQ(codeOf([&] { r.readU8(); }), ENGINE_EXC_SHORT_READ);
}

TEST_F(ReaderFiles, TruncatedFileFailsAsAShortRead) {
    jz::ContentWriter w = mixedContent();
    Bytes file = jz::writeContainer(w, layout({7, 61}, 1000));
    Offsets o = offsetsOf(file);
    // Inside the plain table, the plain blocks, the compressed table and the last block.
    for (std::size_t cut : {o.plainTable + 6, o.compressedTable - 3, o.compressedTable + 9,
                            o.firstPacked + 1, file.size() - 1}) {
        SCOPED_TRACE(cut);
        std::string path = write("cut.jz", Bytes(file.begin(), file.begin() + cut));
        TimetableFileReader r;
        EXPECT_EQ(codeOf([&] {
                      r.openFile(path);
                      r.readPlainBlockTable();
                      r.skip(w.size());
                  }),
                  ENGINE_EXC_SHORT_READ);
    }
}

TEST_F(ReaderFiles, OpenFailures) {
    TimetableFileReader r;
    EXPECT_EQ(codeOf([&] { r.openFile((dir_ / "missing.jz").string()); }), ENGINE_EXC_OPEN);
    EXPECT_EQ(codeOf([&] { r.openFile(dir_.string()); }), ENGINE_EXC_OPEN);
    EXPECT_EQ(codeOf([&] { r.openFile(std::string("a\0b", 3)); }), ENGINE_EXC_OPEN);
    EXPECT_EQ(codeOf([&] { r.openFile(""); }), ENGINE_EXC_OPEN);
}

TEST_F(ReaderFiles, ShorterThanTheHeaderIsAShortRead) {
    Bytes header = jz::writeContainer(Bytes{}, jz::ContainerOptions{});
    for (std::size_t size : {0, 1, 4, 11}) {
        SCOPED_TRACE(size);
        Bytes prefix(header.begin(), header.begin() + static_cast<std::ptrdiff_t>(size));
        TimetableFileReader r;
        EXPECT_EQ(codeOf([&] { r.openFile(write("short.jz", prefix)); }), ENGINE_EXC_SHORT_READ);
        EXPECT_EQ(codeOf([&] { r.openBytes(prefix, "short.jz"); }), ENGINE_EXC_SHORT_READ);
    }
    TimetableFileReader r;
    Bytes twelve(header.begin(), header.begin() + 12);
    EXPECT_EQ(codeOf([&] { r.openFile(write("twelve.jz", twelve)); }), 0u);
    EXPECT_EQ(codeOf([&] { r.readPlainBlockTable(); }), ENGINE_EXC_SHORT_READ);
}

TEST(TimetableFileReader, ReopeningStartsAfresh) {
    jz::ContentWriter a;
    a.u32(0xAAAAAAAA);
    jz::ContentWriter b;
    b.u32(0xBBBBBBBB);
    TimetableFileReader r;
    openWithTable(r, jz::writeContainer(a, layout({}, 4, 2)));
    r.beginSection();
    openWithTable(r, jz::writeContainer(b, layout({2}, 4, 4)));
    EXPECT_EQ(r.majorVersion(), 4);
    EXPECT_EQ(r.streamPosition(), 0u);
    EXPECT_EQ(codeOf([&] { r.endSection(); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(r.readU32(), 0xBBBBBBBBu);
}

}  // namespace
}  // namespace trasovnik
