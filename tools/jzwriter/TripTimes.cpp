#include "tools/jzwriter/TripTimes.h"

#include <charconv>
#include <string>

#include "tools/jzwriter/CompileContext.h"

namespace jz {

namespace {

bool parseNumber(std::string_view text, int& out) {
    if (text.empty()) {
        return false;
    }
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

// Days from 1 January 1970 to a date of the proleptic Gregorian calendar.
long daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int daysInMonth(int y, int m) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : kDays[m - 1];
}

}  // namespace

int parseTripTime(const nlohmann::json& value, std::string_view where) {
    if (value.is_number_integer()) {
        int minutes = value.get<int>();
        if (minutes < 0) {
            throw CompileError(std::string(where) + ": a time may not be negative");
        }
        return minutes;
    }
    if (value.is_string()) {
        std::string text = value.get<std::string>();
        std::size_t colon = text.find(':');
        int h = 0, m = 0;
        if (colon != std::string::npos && parseNumber(std::string_view(text).substr(0, colon), h) &&
            parseNumber(std::string_view(text).substr(colon + 1), m) && h >= 0 && m >= 0 &&
            m < 60 && text.size() - colon == 3) {
            return h * 60 + m;
        }
    }
    throw CompileError(std::string(where) + ": expected a time \"HH:MM\" or whole minutes, got " +
                       value.dump());
}

int parseCalendarDate(const nlohmann::json& value, std::string_view where) {
    if (value.is_string()) {
        std::string text = value.get<std::string>();
        int y = 0, m = 0, d = 0;
        if (text.size() == 10 && text[4] == '-' && text[7] == '-' &&
            parseNumber(std::string_view(text).substr(0, 4), y) &&
            parseNumber(std::string_view(text).substr(5, 2), m) &&
            parseNumber(std::string_view(text).substr(8, 2), d) && m >= 1 && m <= 12 && d >= 1 &&
            d <= daysInMonth(y, m)) {
            long day = daysFromCivil(y, m, d) - daysFromCivil(2004, 1, 1);
            if (day < -32768 || day > 32767) {
                throw CompileError(std::string(where) + ": date " + text +
                                   " lies outside the 16-bit day numbers");
            }
            return static_cast<int>(day);
        }
    }
    throw CompileError(std::string(where) + ": expected a date \"YYYY-MM-DD\", got " +
                       value.dump());
}

}  // namespace jz
