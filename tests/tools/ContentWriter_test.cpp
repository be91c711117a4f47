#include "tools/jzwriter/ContentWriter.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace jz {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ContentWriter, IntegersAreBigEndian) {
    ContentWriter w;
    w.u8(0x01);
    w.u16(0x0203);
    w.u32(0x04050607);
    w.i16(-2);
    EXPECT_EQ(w.data(), (Bytes{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0xFF, 0xFE}));
}

TEST(ContentWriter, TextHasLengthWord) {
    ContentWriter w;
    w.text("ab");
    EXPECT_EQ(w.data(), (Bytes{0, 0, 0, 2, 'a', 'b'}));
}

TEST(ContentWriter, NestedSectionsGetTheirLengths) {
    ContentWriter w;
    w.beginSection();
    w.u8(9);
    w.beginSection();
    w.u16(7);
    w.endSection();
    w.endSection();
    EXPECT_EQ(w.data(), (Bytes{0, 0, 0, 7, 9, 0, 0, 0, 2, 0, 7}));
}

TEST(ContentWriter, EndWithoutBeginIsAnError) {
    ContentWriter w;
    EXPECT_THROW(w.endSection(), std::logic_error);
}

}  // namespace
}  // namespace jz
