#include "engine/search/t9/T9Match.h"

#include "engine/data/Cp1250Text.h"
#include "engine/search/t9/T9Code.h"

namespace trasovnik {

namespace {

std::uint8_t byteAt(std::string_view s, std::size_t i) {
    return static_cast<std::uint8_t>(s[i]);
}

// The name begins with the typed text over `length`, ignoring case and diacritics.
bool beginsWithFolded(std::string_view name, std::string_view typed, std::size_t length) {
    if (name.size() < length) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (foldByte(byteAt(name, i)) != foldByte(byteAt(typed, i))) {
            return false;
        }
    }
    return true;
}

// Typed words against the name's words in order, from the first typed separator on.
bool matchesWords(std::string_view name, std::string_view typed, std::size_t start) {
    std::size_t i = start;
    std::size_t j = start;
    while (j < typed.size()) {
        if (isT9Separator(byteAt(typed, j))) {
            while (i < name.size() && !isT9Separator(byteAt(name, i))) {
                ++i;
            }
            if (i >= name.size()) {
                return false;
            }
            while (j < typed.size() && isT9Separator(byteAt(typed, j))) {
                ++j;
            }
            while (i < name.size() && isT9Separator(byteAt(name, i))) {
                ++i;
            }
            continue;
        }
        if (i >= name.size() || isT9Separator(byteAt(name, i)) ||
            foldByte(byteAt(name, i)) != foldByte(byteAt(typed, j))) {
            return false;
        }
        ++i;
        ++j;
    }
    return true;
}

}  // namespace

T9Input T9Input::fromKeys(std::int32_t runningCode, const std::uint8_t* digitBuffer,
                          std::size_t length) {
    T9Input in;
    const std::size_t covered = length < kT9CodedChars ? length : kT9CodedChars;
    in.modulus = t9PowerOfTen(covered);
    in.code = runningCode % in.modulus;
    in.extraKeys = length > kT9CodedChars ? length - kT9CodedChars : 0;
    in.digits.assign(reinterpret_cast<const char*>(digitBuffer), length);
    return in;
}

T9Input T9Input::fromText(std::string_view typed) {
    T9Input in;
    in.letters = true;
    in.text = std::string(typed);
    std::size_t covered = typed.size() < kT9CodedChars ? typed.size() : kT9CodedChars;
    for (std::size_t i = 1; i < typed.size(); ++i) {
        if (isT9Separator(byteAt(typed, i))) {
            in.multiWord = true;
            in.firstSeparator = i;
            if (i < covered) {
                covered = i;
            }
            break;
        }
    }
    in.modulus = t9PowerOfTen(covered);
    in.code = t9CodeOfWord(typed.substr(0, covered));
    in.digits.resize(typed.size());
    for (std::size_t i = 0; i < typed.size(); ++i) {
        in.digits[i] = static_cast<char>(t9KeyOfChar(byteAt(typed, i)));
    }
    return in;
}

bool t9MatchesName(const T9Input& input, std::string_view name, std::int32_t nameCode) {
    if (nameCode % 10 != input.code % 10 || nameCode % input.modulus != input.code) {
        return false;
    }
    if (!input.letters) {
        if (input.extraKeys == 0) {
            return true;
        }
        if (name.size() < kT9CodedChars + input.extraKeys) {
            return false;
        }
        for (std::size_t k = kT9CodedChars; k < kT9CodedChars + input.extraKeys; ++k) {
            if (t9KeyOfChar(byteAt(name, k)) != static_cast<std::uint8_t>(input.digits[k])) {
                return false;
            }
        }
        return true;
    }
    if (!input.multiWord) {
        return beginsWithFolded(name, input.text, input.text.size());
    }
    return beginsWithFolded(name, input.text, input.firstSeparator) &&
           matchesWords(name, input.text, input.firstSeparator);
}

}  // namespace trasovnik
