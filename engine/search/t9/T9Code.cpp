#include "engine/search/t9/T9Code.h"

#include <array>

#include "engine/data/Cp1250Text.h"

namespace trasovnik {

namespace {

constexpr std::array<std::int32_t, 10> kPowers = {1,      10,      100,      1000,      10000,
                                                  100000, 1000000, 10000000, 100000000, 1000000000};

// Keys of the plain lower-case letters a to z.
constexpr std::array<std::uint8_t, 26> kLetterKeys = {2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6,
                                                      6, 6, 7, 7, 7, 7, 8, 8, 8, 9, 9, 9, 9};

}  // namespace

bool isT9Separator(std::uint8_t b) {
    return b == ' ' || b == ',' || b == '-' || b == '.' || b == '/';
}

int t9KeyOfChar(std::uint8_t b) {
    const std::uint8_t plain = lowerByte(stripByte(b));
    if (plain >= 'a' && plain <= 'z') {
        return kLetterKeys[plain - 'a'];
    }
    return 1;
}

std::int32_t t9PowerOfTen(std::size_t n) {
    return kPowers[n < kPowers.size() ? n : kPowers.size() - 1];
}

std::int32_t t9CodeOfWord(std::string_view text) {
    std::int32_t code = 0;
    const std::size_t coded = text.size() < kT9CodedChars ? text.size() : kT9CodedChars;
    for (std::size_t i = 0; i < coded; ++i) {
        code += t9KeyOfChar(static_cast<std::uint8_t>(text[i])) * kPowers[i];
    }
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (isT9Separator(static_cast<std::uint8_t>(text[i]))) {
            code += kT9MultiWordFlag;
            break;
        }
    }
    return code;
}

}  // namespace trasovnik
