#include "app/core/ActualizeValue.h"

#include <vector>

namespace pelorvant {
namespace {

// Decimal like strtoll: leading blanks, an optional sign, digits; saturates instead of
// overflowing on hand-edited values.
std::int64_t parseDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    constexpr std::int64_t kLimit = INT64_MAX / 10 - 1;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value > kLimit) return negative ? INT64_MIN : INT64_MAX;
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

}  // namespace

ActualizeValue parseActualize(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t bar = text.find('|', start);
        parts.push_back(text.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    ActualizeValue value;
    if (parts.size() != 4) return value;
    value.programPath = std::string(parts[0]);
    std::int64_t flags = parseDecimal(parts[1]);
    value.enabled = (flags & 1) != 0;
    value.startsProgram = (flags & 2) != 0;
    value.stamp = parseDecimal(parts[2]);
    std::int64_t day = parseDecimal(parts[3]);
    value.day = day > INT32_MAX ? INT32_MAX : day < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(day);
    return value;
}

std::string formatActualize(const ActualizeValue& value) {
    int flags = (value.enabled ? 1 : 0) + (value.startsProgram ? 2 : 0);
    return value.programPath + "|" + std::to_string(flags) + "|" + std::to_string(value.stamp) + "|" +
           std::to_string(value.day);
}

}  // namespace pelorvant
