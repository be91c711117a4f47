#include "app/core/ActualizeValue.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

TEST(ActualizeValue, FourPartsAreRead) {
    const ActualizeValue v = parseActualize("/opt/pelorvant/pelorvant|3|1234567891|8123");
    EXPECT_EQ(v.programPath, "/opt/pelorvant/pelorvant");
    EXPECT_TRUE(v.enabled);
    EXPECT_TRUE(v.startsProgram);
    EXPECT_EQ(v.stamp, 1234567891);
    EXPECT_EQ(v.day, 8123);
}

TEST(ActualizeValue, OtherPartCountsGiveTheDefaults) {
    for (const char* text : {"/p|1|20", "/p|1|20|5|9", "", "/p"}) {
        const ActualizeValue v = parseActualize(text);
        EXPECT_EQ(v.programPath, "") << text;
        EXPECT_FALSE(v.enabled) << text;
        EXPECT_FALSE(v.startsProgram) << text;
        EXPECT_EQ(v.stamp, 0) << text;
        EXPECT_EQ(v.day, 0) << text;
    }
}

TEST(ActualizeValue, PercentInThePathRoundTrips) {
    ActualizeValue v;
    v.programPath = "/home/u/100%/pelorvant %s %d";
    v.enabled = true;
    v.stamp = 42;
    v.day = 7;
    const ActualizeValue back = parseActualize(formatActualize(v));
    EXPECT_EQ(back.programPath, v.programPath);
    EXPECT_TRUE(back.enabled);
    EXPECT_FALSE(back.startsProgram);
    EXPECT_EQ(back.stamp, 42);
    EXPECT_EQ(back.day, 7);
}

// A bar inside the path makes five parts: the record written cannot be read back.
TEST(ActualizeValue, BarInThePathMakesTheRecordUnreadable) {
    ActualizeValue v;
    v.programPath = "/odd|folder/pelorvant";
    v.enabled = true;
    v.day = 3;
    const ActualizeValue back = parseActualize(formatActualize(v));
    EXPECT_EQ(back.programPath, "");
    EXPECT_FALSE(back.enabled);
    EXPECT_EQ(back.day, 0);
}

TEST(ActualizeValue, HandEditedNumbersAreReadLikeTheCLibraryAndSaturate) {
    const ActualizeValue v = parseActualize("/p| 2x|99999999999999999999999|-99999999999");
    EXPECT_FALSE(v.enabled);
    EXPECT_TRUE(v.startsProgram);
    EXPECT_EQ(v.stamp, INT64_MAX);
    EXPECT_EQ(v.day, INT32_MIN);
    EXPECT_EQ(formatActualize(ActualizeValue{"/p", true, true, 5, 6}), "/p|3|5|6");
}

}  // namespace
}  // namespace pelorvant
