#pragma once
// The engine writes the validity texts and route notes of a stop timetable with placeholders
// in braces; these put the program's own texts in their place, and letter the notes.
#include <cstdint>
#include <string>
#include <string_view>

namespace pelorvant {

// Every day placeholder ("{stDateWorkingDays}" and the others) replaced by its string-table
// text. Anything else in braces, a placeholder the program does not know or one left open,
// stays as the engine wrote it.
std::u16string replaceDayPlaceholders(std::u16string_view text);
// The three route placeholders ("{stRunsThourgh}" and the others) replaced; the space the
// engine writes after each stays.
std::u16string replaceRoutePlaceholders(std::u16string_view text);

// A route note as the notes page shows it: the engine's text without the space it starts with
// and the ", " it leaves after its last list of stops.
std::u16string trimNoteText(std::u16string_view text);

// The mark of note n: "A" to "Z", then "AA", "AB", … so that every note keeps a letter of its
// own however many there are; "" for a negative n.
std::u16string noteLetter(std::int32_t n);

}  // namespace pelorvant
