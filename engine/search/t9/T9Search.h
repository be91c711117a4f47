#pragma once
// Places whose names fit what the user has typed: history entries first, then favourites, then
// category elements of the set's files, at most kT9MaxCandidates objects, each a vector of the
// (file, kind, element) triples that name it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "engine/data/IndexTripleVector.h"
#include "engine/search/t9/T9Match.h"

namespace trasovnik {

class cJizdniRadySestavy;

// The caller's candidate array holds this many objects; at most one less are filled.
inline constexpr std::size_t kT9CandidateSlots = 100;
inline constexpr std::size_t kT9MaxCandidates = 99;
// Keys or letters a keypad entry keeps.
inline constexpr std::int32_t kT9MaxTyped = 30;

struct T9Counts {
    std::int32_t total = 0;
    std::int32_t history = 0;
    std::int32_t favourites = 0;
};

// Which categories are searched: a negative selector takes every kind of every file; 0 or more
// with file index -1 the merged category of that number; 0 or more with a file index that kind
// of that file. ENGINE_EXC_INDEX for a file, kind or merged category outside the set.
struct T9Scope {
    std::int32_t fileIndex = -1;
    std::int32_t selector = -1;
};

// One search over the set. Empties all kT9CandidateSlots candidates and fills them from the
// front. ENGINE_EXC_BAD_ARGUMENT when `candidates` is shorter than kT9CandidateSlots.
T9Counts t9FindCandidates(const cJizdniRadySestavy& set, T9Scope scope, const T9Input& input,
                          std::span<IndexTripleVector> candidates);

// The caller-owned state of a keypad entry.
struct T9TypedState {
    std::int32_t* code = nullptr;
    std::uint8_t* digits = nullptr;  // 30 bytes
    std::uint8_t* text = nullptr;    // 30 bytes
    std::int32_t* length = nullptr;
};

// A key press of a keypad entry: key 1 to 9, or -1 to delete; a letter when `isLetter`. When
// nothing matches, keys are taken back from the end until something does or nothing is left.
T9Counts t9KeyPress(const cJizdniRadySestavy& set, T9Scope scope, std::int32_t key,
                    std::int32_t character, bool isLetter, const T9TypedState& state,
                    std::span<IndexTripleVector> candidates);

// A whole typed text from a full keyboard.
T9Counts t9TypedText(const cJizdniRadySestavy& set, T9Scope scope, std::string_view typed,
                     std::span<IndexTripleVector> candidates);

}  // namespace trasovnik
