#include "app/shell/DateTimeEditing.h"

#include "app/shell/DateTimeValue.h"

#include <algorithm>

namespace pelorvant {
namespace {

int tens(int value) {
    return value / 10 % 10;
}
int units(int value) {
    return value % 10;
}
int withTens(int value, int digit) {
    return digit * 10 + units(value);
}
int withUnits(int value, int digit) {
    return tens(value) * 10 + digit;
}
int withYearTens(int year, int digit) {
    return year / 100 * 100 + digit * 10 + units(year);
}
int withYearUnits(int year, int digit) {
    return year / 10 * 10 + digit;
}

}  // namespace

int writeDigitKeypad(DateTimeParts& parts, int position, int digit) {
    bool decided = false;
    switch (position) {
        case 0:
            if (digit < 3) {
                parts.hour = withTens(parts.hour, digit);
            } else {
                parts.hour = digit;
                decided = true;
            }
            break;
        case 2:
            if (digit < 6) {
                parts.minute = withTens(parts.minute, digit);
            } else {
                parts.minute = digit;
                decided = true;
            }
            break;
        case 4:
            if (digit <= 3) {
                parts.day = withTens(parts.day, digit);
            } else {
                parts.day = digit;
                decided = true;
            }
            break;
        case 6:
            if (digit <= 1) {
                parts.month = withTens(parts.month, digit);
            } else {
                parts.month = digit;
                decided = true;
            }
            break;
        case 8:
            parts.year = withYearTens(parts.year, digit);
            break;
        case 1:
            parts.hour = withUnits(parts.hour, digit);
            break;
        case 3:
            parts.minute = withUnits(parts.minute, digit);
            break;
        case 5:
            parts.day = withUnits(parts.day, digit);
            break;
        case 7:
            parts.month = withUnits(parts.month, digit);
            break;
        case 9:
            parts.year = withYearUnits(parts.year, digit);
            break;
        default:
            return position;
    }
    return std::min(position + (decided ? 2 : 1), kLastPosition);
}

int writeDigitTouch(DateTimeParts& parts, int position, int digit) {
    switch (position) {
        case 0:
            if (digit == 0 && (parts.hour == 1 || parts.hour == 2)) {
                parts.hour *= 10;
                return 0;
            }
            parts.hour = digit;
            return digit <= 2 ? 1 : 0;
        case 1: {
            const int hour = parts.hour * 10 + digit;
            // Past 23 the digit starts a new hour.
            parts.hour = hour > 23 ? digit : hour;
            return 0;
        }
        case 2:
            if (digit == 0 && parts.minute >= 1 && parts.minute <= 5) {
                parts.minute *= 10;
                return 2;
            }
            parts.minute = digit;
            return digit <= 5 ? 3 : 2;
        case 3: {
            const int minute = parts.minute * 10 + digit;
            parts.minute = minute >= 60 ? digit : minute;
            return 2;
        }
        case 4:
            if (digit == 0)
                return 4;
            parts.day = digit;
            return digit <= 3 ? 5 : 4;
        case 5: {
            const int day = parts.day * 10 + digit;
            parts.day = day >= 32 ? digit : day;
            return 4;
        }
        case 6:
            if (digit == 0)
                return 6;
            parts.month = digit;
            return digit == 1 ? 7 : 6;
        case 7: {
            const int month = 10 + digit;
            parts.month = month > 12 ? digit : month;
            return 6;
        }
        case 8:
        case 9:
            parts.year = parts.year / 100 * 100 + units(parts.year) * 10 + digit;
            return 8;
        default:
            return position;
    }
}

void stepField(DateTimeParts& parts, int position, bool up) {
    switch (position) {
        case 0:
        case 1:
            parts.hour = up ? (parts.hour >= 23 ? 0 : parts.hour + 1)
                            : (parts.hour <= 0 ? 23 : parts.hour - 1);
            break;
        case 2:
        case 3:
            parts.minute = up ? (parts.minute >= 59 ? 0 : parts.minute + 1)
                              : (parts.minute <= 0 ? 59 : parts.minute - 1);
            break;
        case 4:
            if (up) {
                const int next = parts.day + 1;
                parts.day = next > 31 || next > lastDayOfMonth(parts.month, parts.year) ? 1 : next;
            } else {
                parts.day =
                    parts.day - 1 < 1 ? lastDayOfMonth(parts.month, parts.year) : parts.day - 1;
            }
            break;
        case 6:
            parts.month = up ? (parts.month >= 12 ? 1 : parts.month + 1)
                             : (parts.month <= 1 ? 12 : parts.month - 1);
            break;
        case 8: {
            const int century = parts.year / 100 * 100;
            const int inCentury = parts.year % 100;
            parts.year = century + (up ? (inCentury + 1) % 100 : (inCentury + 99) % 100);
            break;
        }
        default:
            break;
    }
}

int moveRight(int position, bool touch) {
    return std::min(position + 1, touch ? 3 : kLastPosition);
}

int moveLeft(int position, bool timeShown) {
    return std::max(position - 1, timeShown ? 0 : kPositionDay);
}

int jumpNextField(int position) {
    if (position >= kPositionYear)
        return position;
    return position / 2 * 2 + 2;
}

int jumpPreviousField(int position, bool timeShown) {
    const int field = position / 2 * 2;
    if (field == 0)
        return position;
    if (field <= kPositionDay && !timeShown)
        return position;
    return field - 2;
}

int positionFromTap(int x, int w, int d, bool timeShown) {
    int dateStart = w + (w / 10) * 2;
    if (timeShown) {
        if (x < w + d / 2 + (w / 10) * 3 + w)
            return kPositionHour;
        const int minuteEnd = 4 * w + (w / 10) * 5 + (d / 2) * 2;
        if (x < minuteEnd)
            return kPositionMinute;
        dateStart = minuteEnd + 2 * w;
    }
    if (x < dateStart + w)
        return kPositionDay;
    if (x < dateStart + 3 * w + d)
        return kPositionMonth;
    return kPositionYear;
}

std::uintptr_t packPickedDate(int day, int month, int year) {
    return static_cast<std::uintptr_t>(day) * 65000u + static_cast<std::uintptr_t>(month) * 5000u +
           static_cast<std::uintptr_t>(year);
}

void unpackPickedDate(std::uintptr_t packed, int& day, int& month, int& year) {
    year = static_cast<int>(packed % 5000);
    month = static_cast<int>(packed % 65000 / 5000);
    day = static_cast<int>(packed / 65000);
}

}  // namespace pelorvant
