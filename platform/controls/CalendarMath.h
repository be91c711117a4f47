#pragma once
// Internal: day arithmetic of the month calendar, on the proleptic Gregorian calendar.

namespace platform::controls::detail {

bool isLeapYear(int year);
int daysInMonth(int year, int month);
// Days since 1970-01-01 (negative before), and back.
long daysFromCivil(int year, int month, int day);
void civilFromDays(long days, int& year, int& month, int& day);
// 0 Sunday to 6 Saturday.
int weekday(int year, int month, int day);

}  // namespace platform::controls::detail
