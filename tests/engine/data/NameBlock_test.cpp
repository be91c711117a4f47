#include "engine/data/NameBlock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/engine/data/SectionFixture.h"

namespace trasovnik {
namespace {

using testing::engineCodeOf;
using testing::openContent;

// A name block built by the compiler from `texts` (and `pairs`), read back.
struct Names {
    Names(const std::vector<std::string>& texts,
          const std::vector<std::pair<std::string, std::string>>& pairs = {}) {
        nlohmann::json doc = nlohmann::json::object();
        jz::CompileContext ctx{doc};
        for (const auto& p : pairs) {
            ctx.names.addPair(p.first, p.second);
        }
        for (const auto& t : texts) {
            refs.push_back(ctx.names.intern(t));
        }
        jz::ContentWriter out;
        jz::compileNameBlock(ctx, out);
        out.u32(0xABCDEF01);
        auto reader = openContent(out);
        names.read(*reader);
        EXPECT_EQ(reader->readU32(), 0xABCDEF01u);
    }
    cNazvy names;
    std::vector<std::uint32_t> refs;
};

// A name block holding `block` as its packed entries, with `pairCount` empty pairs.
cNazvy rawBlock(const std::string& block, std::uint32_t pairCount = 0) {
    jz::ContentWriter w;
    w.skippedSection();
    w.u8(pairCount > 0 ? 1 : 0);
    if (pairCount > 0) {
        w.u32(pairCount);
        for (std::uint32_t i = 0; i < 2 * pairCount; ++i) {
            w.text("p");
        }
    }
    w.text(block);
    w.skippedSection();
    cNazvy names;
    names.read(*openContent(w));
    return names;
}

TEST(NameBlock, EntriesRoundTrip) {
    Names n({"Alfa", "",
             "\xc8\x65ske Bud\xec"
             "jovice",
             "Alfa"});
    EXPECT_FALSE(n.names.hasPrefixes());
    EXPECT_EQ(n.refs[0], n.refs[3]);  // interned once
    EXPECT_EQ(n.names.readPackedEntry(n.refs[0]), "Alfa");
    EXPECT_EQ(n.names.packedEntryLength(n.refs[1]), 0u);
    EXPECT_EQ(n.names.readPackedEntry(n.refs[2]),
              "\xc8\x65ske Bud\xec"
              "jovice");
}

TEST(NameBlock, LongEntryUsesTheLengthEscape) {
    std::string longName(300, 'x');
    longName[299] = 'y';
    Names n({"a", longName, "b"});
    const std::string& block = n.names.block();
    std::uint32_t at = n.refs[1];
    EXPECT_EQ(static_cast<std::uint8_t>(block[at]), 255);
    EXPECT_EQ(static_cast<std::uint8_t>(block[at + 1]), 0x01);
    EXPECT_EQ(static_cast<std::uint8_t>(block[at + 2]), 0x2C);
    EXPECT_EQ(n.names.readPackedEntry(at), longName);
    EXPECT_EQ(n.names.readPackedEntry(n.refs[2]), "b");

    // 254 bytes still fit in the length byte.
    Names edge({std::string(254, 'z')});
    EXPECT_EQ(static_cast<std::uint8_t>(edge.names.block()[0]), 254);
    EXPECT_EQ(edge.names.packedEntryLength(0), 254u);
}

TEST(NameBlock, WithPairsEveryReferencePointsAtThePrefix) {
    Names n({"Alfa", "Beta"}, {{"k1", "v1"}, {"k2", "v2"}});
    ASSERT_TRUE(n.names.hasPrefixes());
    EXPECT_EQ(n.names.pairs().size(), 2u);
    EXPECT_EQ(n.names.pairs()[1].first, "k2");
    EXPECT_EQ(n.names.pairs()[1].second, "v2");
    EXPECT_EQ(n.refs[0], 0u);
    EXPECT_EQ(n.refs[1], 7u);  // 2 prefix bytes + 1 length byte + 4 text bytes
    EXPECT_EQ(static_cast<std::uint8_t>(n.names.block()[n.refs[1] + 2]), 4);
    EXPECT_EQ(n.names.readPackedEntry(n.refs[1]), "Beta");
    EXPECT_EQ(n.names.entryPrefix(n.refs[1]), 0);
}

TEST(NameBlock, ReferencesOutsideTheBlockAreRefused) {
    struct Case {
        std::string block;
        std::uint32_t pairs;
        std::uint32_t reference;
    };
    const Case cases[] = {
        {std::string("\x03"
                     "abc",
                     4),
         0, 4},  // past the end
        {std::string("\x03"
                     "abc",
                     4),
         0, 0xFFFFFFFF},
        {std::string("\x05"
                     "abc",
                     4),
         0, 0},                              // text runs past the end
        {std::string("\xff\x01", 2), 0, 0},  // escape cut short
        {std::string("\xff\x00\x04"
                     "abc",
                     6),
         0, 0},  // escaped length too long
        {std::string("\x00\x00\x01"
                     "a",
                     4),
         1, 3},                          // prefix at the last byte
        {std::string("\x00", 1), 1, 0},  // prefix cut short
    };
    for (const Case& c : cases) {
        cNazvy names = rawBlock(c.block, c.pairs);
        EXPECT_EQ(engineCodeOf([&] { names.readPackedEntry(c.reference); }), ENGINE_EXC_INDEX)
            << c.reference;
        EXPECT_FALSE(names.tryEntryText(c.reference).has_value());
    }
    // The last entry ending exactly at the block's end is fine.
    EXPECT_EQ(rawBlock(std::string("\x00\x00\x01"
                                   "a",
                                   4),
                       1)
                  .readPackedEntry(0),
              "a");
}

TEST(NameBlock, HugeCountsFailAsShortReads) {
    jz::ContentWriter pairs;
    pairs.skippedSection();
    pairs.u8(1);
    pairs.u32(0x40000000);
    jz::ContentWriter block;
    block.skippedSection();
    block.u8(0);
    block.u32(0xFFFFFFF0u);
    for (const auto* w : {&pairs, &block}) {
        cNazvy names;
        EXPECT_EQ(engineCodeOf([&] { names.read(*openContent(w->data())); }),
                  ENGINE_EXC_SHORT_READ);
    }
}

TEST(NameBlock, Comparisons) {
    // "Nádraží" in Windows-1250.
    const std::string station =
        "N\xe1"
        "dra\x9e\xed";
    Names n({station});
    struct Case {
        std::string text;
        bool exact;
        bool folded;
    };
    const Case cases[] = {
        {station, true, true},
        {"nadrazi", false, true},
        {"NADRAZI", false, true},
        {"N\xc1"
         "DRA\x8e\xcd",
         false, true},
        {"nadraz", false, false},
        {"nadrazik", false, false},
        {"", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(n.names.packedEntryEquals(n.refs[0], c.text), c.exact) << c.text;
        EXPECT_EQ(n.names.packedEntryEqualsFolded(n.refs[0], c.text), c.folded) << c.text;
    }
}

TEST(NameBlock, CountingOccurrences) {
    // "Zastávky a ZASTÁVKY" in Windows-1250.
    Names n({"aaaa", "Zast\xe1vky a ZAST\xc1VKY"});
    struct Case {
        std::size_t entry;
        std::string pattern;
        std::size_t exact;
        std::size_t folded;
    };
    const Case cases[] = {
        {0, "aa", 3, 3},    {0, "A", 0, 4},        {0, "", 0, 0},
        {0, "aaaaa", 0, 0}, {1, "zastavky", 0, 2}, {1, "Zast\xe1vky", 1, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(n.names.countOccurrences(n.refs[c.entry], c.pattern), c.exact) << c.pattern;
        EXPECT_EQ(n.names.countOccurrencesFolded(n.refs[c.entry], c.pattern), c.folded)
            << c.pattern;
    }
}

TEST(NameBlock, CopyIntoTheCallersBuffer) {
    Names n({"Beta"});
    char buf[4] = {};
    EXPECT_EQ(n.names.copyPackedEntryInto(n.refs[0], buf, sizeof buf), 4u);
    EXPECT_EQ(std::string(buf, 4), "Beta");
    char small[3] = {};
    EXPECT_EQ(engineCodeOf([&] { n.names.copyPackedEntryInto(n.refs[0], small, sizeof small); }),
              ENGINE_EXC_BAD_ARGUMENT);
}

}  // namespace
}  // namespace trasovnik
