#pragma once
// What the user has typed, reduced for matching, and the test of one name against it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/search/t9/T9Code.h"

namespace trasovnik {

class cOblibeneHistorie;

struct T9Input {
    std::int32_t code = 0;     // keys of the first `covered` characters
    std::int32_t modulus = 1;  // 10^covered
    bool letters = false;      // letters typed (else keypad keys)
    bool multiWord = false;    // letter input with a separator after its first character
    std::size_t firstSeparator = 0;
    std::size_t extraKeys = 0;  // keys typed beyond the ninth
    std::string digits;         // the keys typed, one byte each (positions 9 on are used)
    std::string text;           // the letters typed

    // Keypad input: the running code, the 30-byte digit buffer and the typed length.
    static T9Input fromKeys(std::int32_t runningCode, const std::uint8_t* digitBuffer,
                            std::size_t length);
    // Letter input of a typed text (of any length).
    static T9Input fromText(std::string_view typed);
};

// The match test of a name whose code is `nameCode` (t9CodeOfWord of the name).
bool t9MatchesName(const T9Input& input, std::string_view name, std::int32_t nameCode);
// The same, with the name's code worked out.
inline bool t9MatchesName(const T9Input& input, std::string_view name) {
    return t9MatchesName(input, name, t9CodeOfWord(name));
}

// Whether entry `i` of a favourites or history store matches the input.
bool matchT9(const cOblibeneHistorie& store, std::size_t i, const T9Input& input);

}  // namespace trasovnik
