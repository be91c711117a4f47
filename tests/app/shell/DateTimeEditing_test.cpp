// The editing rules of the date and time field: digits at each position in both entry modes,
// stepping with wrap at month ends, leap days and centuries, moving, taps and the calendar's
// packed date.

#include "app/shell/DateTimeEditing.h"
#include "app/shell/DateTimeValue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace pelorvant {
namespace {

class DateTimeEditingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
};

DateTimeParts at(int hour, int minute, int day, int month, int year) {
    return DateTimeParts{hour, minute, day, month, year};
}

bool operator==(const DateTimeParts& a, const DateTimeParts& b) {
    return a.hour == b.hour && a.minute == b.minute && a.day == b.day && a.month == b.month &&
           a.year == b.year;
}

TEST_F(DateTimeEditingTest, KeypadDigitAtEachPosition) {
    struct Case {
        int position;
        int digit;
        DateTimeParts expected;
        int next;
    };
    const DateTimeParts start = at(12, 34, 15, 11, 2009);
    const Case cases[] = {
        {0, 2, at(22, 34, 15, 11, 2009), 1},  // tens kept open
        {0, 5, at(5, 34, 15, 11, 2009), 2},   // 5 decides the hour
        {1, 7, at(17, 34, 15, 11, 2009), 2},
        {2, 4, at(12, 44, 15, 11, 2009), 3},
        {2, 7, at(12, 7, 15, 11, 2009), 4},
        {3, 9, at(12, 39, 15, 11, 2009), 4},
        {4, 3, at(12, 34, 35, 11, 2009), 5},  // no range check here
        {4, 4, at(12, 34, 4, 11, 2009), 6},
        {5, 0, at(12, 34, 10, 11, 2009), 6},
        {6, 0, at(12, 34, 15, 1, 2009), 7},
        {6, 2, at(12, 34, 15, 2, 2009), 8},
        {7, 2, at(12, 34, 15, 12, 2009), 8},
        {8, 7, at(12, 34, 15, 11, 2079), 9},  // the century stays
        {9, 5, at(12, 34, 15, 11, 2005), 9},  // no position past 9
    };
    for (const Case& c : cases) {
        DateTimeParts p = start;
        EXPECT_EQ(writeDigitKeypad(p, c.position, c.digit), c.next) << c.position << "/" << c.digit;
        EXPECT_TRUE(p == c.expected) << c.position << "/" << c.digit;
    }
}

TEST_F(DateTimeEditingTest, KeypadTwentyNineOClockIsInvalid) {
    DateTimeParts p = at(12, 0, 1, 3, 2009);
    int position = writeDigitKeypad(p, 0, 2);
    position = writeDigitKeypad(p, position, 9);
    EXPECT_EQ(p.hour, 29);
    EXPECT_EQ(position, 2);
    EXPECT_FALSE(isValidParts(p));
}

TEST_F(DateTimeEditingTest, TouchTwoDigitEntry) {
    struct Case {
        const char* keys;
        int startPosition;
        DateTimeParts start;
        DateTimeParts expected;
        int position;
    };
    const Case cases[] = {
        {"29", 0, at(5, 0, 1, 1, 2009), at(9, 0, 1, 1, 2009),
         0},  // 29 is no hour: 9, new hour next
        {"0", 0, at(1, 0, 1, 1, 2009), at(10, 0, 1, 1, 2009), 0},  // hour 1, typing 0 gives 10
        {"23", 0, at(5, 0, 1, 1, 2009), at(23, 0, 1, 1, 2009), 0},
        {"7", 0, at(5, 0, 1, 1, 2009), at(7, 0, 1, 1, 2009), 0},
        {"45", 2, at(5, 0, 1, 1, 2009), at(5, 45, 1, 1, 2009), 2},
        {"8", 2, at(5, 0, 1, 1, 2009), at(5, 8, 1, 1, 2009), 2},
        {"0", 2, at(5, 3, 1, 1, 2009), at(5, 30, 1, 1, 2009), 2},
        {"031", 4, at(5, 0, 7, 1, 2009), at(5, 0, 31, 1, 2009), 4},  // 0 is ignored
        {"35", 4, at(5, 0, 7, 1, 2009), at(5, 0, 5, 1, 2009), 4},    // 35 restarts with 5
        {"12", 6, at(5, 0, 1, 1, 2009), at(5, 0, 1, 12, 2009), 6},
        {"13", 6, at(5, 0, 1, 1, 2009), at(5, 0, 1, 3, 2009), 6},
        {"0", 6, at(5, 0, 1, 4, 2009), at(5, 0, 1, 4, 2009), 6},
        {"17", 8, at(5, 0, 1, 1, 2009), at(5, 0, 1, 1, 2017), 8},  // shifted in from the right
    };
    for (const Case& c : cases) {
        DateTimeParts p = c.start;
        int position = c.startPosition;
        for (const char* k = c.keys; *k; ++k)
            position = writeDigitTouch(p, position, *k - '0');
        EXPECT_TRUE(p == c.expected) << c.keys << " at " << c.startPosition;
        EXPECT_EQ(position, c.position) << c.keys << " at " << c.startPosition;
    }
}

TEST_F(DateTimeEditingTest, SteppingWrapsWithinEachField) {
    struct Case {
        DateTimeParts start;
        int position;
        bool up;
        DateTimeParts expected;
    };
    const Case cases[] = {
        {at(23, 0, 1, 1, 2009), 0, true, at(0, 0, 1, 1, 2009)},
        {at(0, 0, 1, 1, 2009), 1, false, at(23, 0, 1, 1, 2009)},
        {at(5, 59, 1, 1, 2009), 2, true, at(5, 0, 1, 1, 2009)},
        {at(5, 0, 1, 1, 2009), 3, false, at(5, 59, 1, 1, 2009)},
        {at(5, 0, 31, 1, 2009), 4, true, at(5, 0, 1, 1, 2009)},
        {at(5, 0, 30, 4, 2009), 4, true, at(5, 0, 1, 4, 2009)},
        {at(5, 0, 1, 3, 2009), 4, false, at(5, 0, 31, 3, 2009)},
        {at(5, 0, 1, 2, 2009), 4, false, at(5, 0, 28, 2, 2009)},
        {at(5, 0, 1, 2, 2008), 4, false, at(5, 0, 29, 2, 2008)},  // leap day
        {at(5, 0, 28, 2, 2008), 4, true, at(5, 0, 29, 2, 2008)},
        {at(5, 0, 28, 2, 2009), 4, true, at(5, 0, 1, 2, 2009)},
        {at(5, 0, 1, 12, 2009), 6, true, at(5, 0, 1, 1, 2009)},
        {at(5, 0, 1, 1, 2009), 6, false, at(5, 0, 1, 12, 2009)},
        {at(5, 0, 1, 1, 2099), 8, true, at(5, 0, 1, 1, 2000)},
        {at(5, 0, 1, 1, 2000), 8, false, at(5, 0, 1, 1, 2099)},
        {at(5, 0, 1, 1, 2009), 5, true, at(5, 0, 1, 1, 2009)},  // units positions do not step
        {at(5, 0, 1, 1, 2009), 9, false, at(5, 0, 1, 1, 2009)},
    };
    for (const Case& c : cases) {
        DateTimeParts p = c.start;
        stepField(p, c.position, c.up);
        EXPECT_TRUE(p == c.expected)
            << "position " << c.position << (c.up ? " up" : " down") << " from " << c.start.day
            << "." << c.start.month << "." << c.start.year;
    }
}

TEST_F(DateTimeEditingTest, MovingStaysWithinTheShownPositions) {
    EXPECT_EQ(moveRight(3, true), 3);
    EXPECT_EQ(moveRight(8, false), 9);
    EXPECT_EQ(moveRight(9, false), 9);
    EXPECT_EQ(moveLeft(0, true), 0);
    EXPECT_EQ(moveLeft(4, false), 4);  // a date-only field cannot move left of the day
    EXPECT_EQ(moveLeft(5, false), 4);
    EXPECT_EQ(jumpNextField(1), 2);
    EXPECT_EQ(jumpNextField(7), 8);
    EXPECT_EQ(jumpNextField(8), 8);
    EXPECT_EQ(jumpPreviousField(9, true), 6);
    EXPECT_EQ(jumpPreviousField(4, true), 2);
    EXPECT_EQ(jumpPreviousField(4, false), 4);
    EXPECT_EQ(jumpPreviousField(1, true), 1);
}

TEST_F(DateTimeEditingTest, TapPicksTheFieldUnderTheFinger) {
    // "0" 10 pixels wide, "." 4: hour below 25, minute below 49, day below 79, month below 103.
    const int w = 10;
    const int d = 4;
    struct Case {
        int x;
        bool timeShown;
        int position;
    };
    const Case cases[] = {{0, true, 0},   {24, true, 0}, {25, true, 2},  {48, true, 2},
                          {49, true, 4},  {78, true, 4}, {79, true, 6},  {102, true, 6},
                          {103, true, 8}, {0, false, 4}, {21, false, 4}, {22, false, 6},
                          {46, false, 8}};
    for (const Case& c : cases) {
        EXPECT_EQ(positionFromTap(c.x, w, d, c.timeShown), c.position)
            << c.x << (c.timeShown ? " with time" : "");
    }
}

TEST_F(DateTimeEditingTest, PickedDateIsPackedAndUnpacked) {
    EXPECT_EQ(packPickedDate(29, 2, 2008), 29u * 65000 + 2u * 5000 + 2008);
    int day = 0;
    int month = 0;
    int year = 0;
    unpackPickedDate(packPickedDate(31, 12, 2099), day, month, year);
    EXPECT_EQ(day, 31);
    EXPECT_EQ(month, 12);
    EXPECT_EQ(year, 2099);
}

TEST_F(DateTimeEditingTest, ValidityFollowsTheCalendar) {
    EXPECT_TRUE(isValidParts(at(23, 59, 29, 2, 2008)));
    EXPECT_FALSE(isValidParts(at(12, 0, 29, 2, 2009)));
    EXPECT_FALSE(isValidParts(at(12, 0, 31, 4, 2009)));
    EXPECT_FALSE(isValidParts(at(24, 0, 1, 1, 2009)));
    EXPECT_FALSE(isValidParts(at(12, 60, 1, 1, 2009)));
    EXPECT_FALSE(isValidParts(at(12, 0, 1, 13, 2009)));
    const DateTimeParts p = at(7, 5, 10, 12, 2026);
    EXPECT_TRUE(partsFromTime(timeFromParts(p)) == p);
}

}  // namespace
}  // namespace pelorvant
