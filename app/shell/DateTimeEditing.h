#pragma once
// The editing rules of the date and time field on its value: the ten digit positions, one
// digit at a time on the keypad, two-digit entry on the touch screen, stepping a field with
// wrap-around, moving between positions, the position under a tap and the calendar's packed
// date. Nothing here checks ranges: the field reports an impossible value through
// isValidParts.

#include "app/core/DateTexts.h"

#include <cstdint>

namespace pelorvant {

// Positions: 0/1 hour tens/units, 2/3 minute, 4/5 day, 6/7 month, 8/9 year (tens/units).
inline constexpr int kPositionHour = 0;
inline constexpr int kPositionMinute = 2;
inline constexpr int kPositionDay = 4;
inline constexpr int kPositionMonth = 6;
inline constexpr int kPositionYear = 8;
inline constexpr int kLastPosition = 9;

// Keypad: writes the digit at the position and returns the next position (one on, or two when
// the digit decides the whole field; never past 9).
int writeDigitKeypad(DateTimeParts& parts, int position, int digit);
// Touch screen: the position stands for a field, an odd one while the field waits for its
// second digit. Returns the new position.
int writeDigitTouch(DateTimeParts& parts, int position, int digit);
// Steps the field of the position up or down with wrap-around (positions 5, 7, 9: nothing).
void stepField(DateTimeParts& parts, int position, bool up);

// One position right: on the touch screen up to 3, else up to 9.
int moveRight(int position, bool touch);
// One position left: not below 0, nor below 4 without the time.
int moveLeft(int position, bool timeShown);
// Touch screen field jumps.
int jumpNextField(int position);
int jumpPreviousField(int position, bool timeShown);
// The first position when the field gets the focus.
inline int focusPosition(bool timeShown) {
    return timeShown ? kPositionHour : kPositionDay;
}

// The field under x, from the widths of "0" and "." in the field's font.
int positionFromTap(int x, int zeroWidth, int dotWidth, bool timeShown);

// The calendar's answer: day × 65000 + month × 5000 + year.
std::uintptr_t packPickedDate(int day, int month, int year);
void unpackPickedDate(std::uintptr_t packed, int& day, int& month, int& year);

}  // namespace pelorvant
