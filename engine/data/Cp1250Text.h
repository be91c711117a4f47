#pragma once
// Engine text: 8-bit Windows-1250 bytes with an explicit length and no terminator. This file
// converts them to and from UTF-16 and compares them in Czech order, ignoring case and, in the
// "folded" forms, diacritics. Four 256-entry tables indexed by the byte carry all of it.
//
// Ranks are defined for lowercased bytes; the rank table gives an upper-case letter the rank of
// its lower-case letter, so rank(b) == rank(lower(b)) for every byte.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace trasovnik {

// Windows-1250 byte -> UTF-16 code unit; the five bytes the code page leaves undefined
// (0x81, 0x83, 0x88, 0x90, 0x98) give 0.
extern const char16_t kCp1250ToWide[256];
// Upper-case letter -> its lower-case letter; every other byte to itself.
extern const std::uint8_t kCp1250Lower[256];
// Letter with a diacritic -> its base letter of the same case (and the sharp s -> 'B'); every
// other byte to itself.
extern const std::uint8_t kCp1250Strip[256];
// Czech collation rank of a byte (letters from 124, each base letter followed by its variants).
extern const std::uint8_t kCp1250Rank[256];

inline std::uint8_t lowerByte(std::uint8_t b) {
    return kCp1250Lower[b];
}
inline std::uint8_t stripByte(std::uint8_t b) {
    return kCp1250Strip[b];
}
inline std::uint8_t rankByte(std::uint8_t b) {
    return kCp1250Rank[kCp1250Lower[b]];
}
// Lower-case base letter of a byte, as typed-text matching (T9, folded searches) sees it:
// strip(lower(b)), lowercased once more so that the sharp s folds to 'b' like every other
// letter folds to a lower-case letter.
inline std::uint8_t foldByte(std::uint8_t b) {
    return kCp1250Lower[kCp1250Strip[kCp1250Lower[b]]];
}

// ---- Conversion ----------------------------------------------------------------------------

// One byte to its UTF-16 code unit (0 for the undefined bytes).
inline char16_t cp1250CharToWide(std::uint8_t b) {
    return kCp1250ToWide[b];
}
// One UTF-16 code unit to its Windows-1250 byte; ASCII 0-127 unchanged, a character that the
// code page cannot show gives 0.
std::uint8_t wideCharToCp1250(char16_t c);
// Whole texts, one character per byte.
std::u16string cp1250ToWide(std::string_view bytes);
std::string wideToCp1250(std::u16string_view wide);
// The text as UTF-8 (file names on Linux, readable dumps).
std::string cp1250ToUtf8(std::string_view bytes);

// Lowercases every byte through the lowercase table.
void lowercaseInPlace(std::string& text);
void lowercaseInPlace(char* text, std::size_t length);

// ---- Comparison (all return -1, 0 or 1) ------------------------------------------------------

// Compares the ranks of two bytes after lowercasing.
int rankCompare(std::uint8_t a, std::uint8_t b);

// Three-way Czech compare: ranks over the shorter length decide; when that part is equal the
// shorter text is smaller; equal lengths give 0.
int collateCompare(std::string_view a, std::string_view b);
// The same over a[aStart, aStart + aLength) and b[bStart, bStart + bLength); a range that does
// not lie inside its text raises ENGINE_EXC_INDEX.
int collateCompare(std::string_view a, std::size_t aStart, std::size_t aLength, std::string_view b,
                   std::size_t bStart, std::size_t bLength);
// As collateCompare with both sides lowercased and stripped of diacritics. When the common part
// is equal the result is -1 if a is shorter than b, else 0 (a text longer than b that begins
// with b counts as equal: b is then a folded prefix of a).
int collateCompareFolded(std::string_view a, std::string_view b);
// As collateCompare over the shorter length only: 0 when one text begins with the other.
int collatePrefixCompare(std::string_view a, std::string_view b);
// Matches what a user typed against a stored name: the typed text is lowercased and stripped,
// the stored text only lowercased, both ranked over the shorter length; 0 when that part is
// equal.
int collatePrefixCompareFolded(std::string_view typed, std::string_view stored);

// ---- Byte operations -------------------------------------------------------------------------

// Position of the first `b` at or after `from`, or -1 when there is none (also when `from` lies
// past the end).
std::ptrdiff_t findByte(std::string_view text, std::uint8_t b, std::size_t from = 0);
// Bytes [start, start + length) of `text`; a range outside the text raises ENGINE_EXC_INDEX.
std::string copyRange(std::string_view text, std::size_t start, std::size_t length);
// Removes leading spaces and tabs (the rest moves left); returns the new length.
std::size_t trimLeading(std::string& text);
std::size_t trimLeading(char* text, std::size_t length);
// Removes trailing spaces and tabs; returns the new length.
std::size_t trimTrailing(std::string& text);
std::size_t trimTrailing(const char* text, std::size_t length);
// The view without its leading and trailing spaces and tabs.
std::string_view trimmedBlanks(std::string_view text);
// Copies `text` into `dest` (room for `capacity` bytes) followed by a zero byte; raises
// ENGINE_EXC_INDEX when text and terminator do not fit. Returns the number of text bytes.
std::size_t copyWithTerminator(std::string_view text, char* dest, std::size_t capacity);

}  // namespace trasovnik
