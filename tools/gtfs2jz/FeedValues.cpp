#include "tools/gtfs2jz/FeedValues.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace gtfs2jz {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

bool digits(std::string_view s, int& out) {
    if (s.empty() || s.size() > 6) {
        return false;
    }
    out = 0;
    for (char c : s) {
        if (c < '0' || c > '9') {
            return false;
        }
        out = out * 10 + (c - '0');
    }
    return true;
}

long daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long z, int& y, int& m, int& d) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

}  // namespace

bool parseFeedTime(std::string_view text, int& minutes) {
    text = trim(text);
    std::size_t c1 = text.find(':');
    if (c1 == std::string_view::npos) {
        return false;
    }
    std::size_t c2 = text.find(':', c1 + 1);
    int h = 0, m = 0, s = 0;
    if (!digits(text.substr(0, c1), h) || c1 > 3) {
        return false;
    }
    std::string_view mm =
        text.substr(c1 + 1, c2 == std::string_view::npos ? text.npos : c2 - c1 - 1);
    if (mm.size() != 2 || !digits(mm, m) || m > 59) {
        return false;
    }
    if (c2 != std::string_view::npos) {
        std::string_view ss = text.substr(c2 + 1);
        if (ss.size() != 2 || !digits(ss, s) || s > 59) {
            return false;
        }
    }
    minutes = h * 60 + m;
    return true;
}

bool parseFeedDate(std::string_view text, int& day) {
    text = trim(text);
    int y = 0, m = 0, d = 0;
    if (text.size() != 8 || !digits(text.substr(0, 4), y) || !digits(text.substr(4, 2), m) ||
        !digits(text.substr(6, 2), d) || m < 1 || m > 12 || d < 1) {
        return false;
    }
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (d > (m == 2 && leap ? 29 : kDays[m - 1])) {
        return false;
    }
    day = static_cast<int>(daysFromCivil(y, m, d));
    return true;
}

bool parseFeedInt(std::string_view text, long long& value) {
    text = trim(text);
    if (text.empty()) {
        return false;
    }
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

bool parseFeedDouble(std::string_view text, double& value) {
    text = trim(text);
    if (text.empty() || text.size() > 40) {
        return false;
    }
    std::string s(text);
    char* end = nullptr;
    value = std::strtod(s.c_str(), &end);
    return end == s.c_str() + s.size() && std::isfinite(value);
}

std::string isoDate(int day) {
    int y = 0, m = 0, d = 0;
    civilFromDays(day, y, m, d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    return buf;
}

std::string czechDate(int day) {
    int y = 0, m = 0, d = 0;
    civilFromDays(day, y, m, d);
    return std::to_string(d) + ". " + std::to_string(m) + ". " + std::to_string(y);
}

int weekdayOf(int day) {
    // 1 January 1970 was a Thursday.
    return ((day % 7) + 7 + 3) % 7;
}

int yearOf(int day) {
    int y = 0, m = 0, d = 0;
    civilFromDays(day, y, m, d);
    return y;
}

}  // namespace gtfs2jz
