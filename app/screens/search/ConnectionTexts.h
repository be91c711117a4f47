#pragma once
// The texts the results view hands on: the notes of a trip (markup for the message view), the
// listing of connections for a text message, and the calendar entry of a connection.
#include "app/core/CalendarWriter.h"
#include "app/core/EngineBinding.h"
#include "app/screens/search/ConnectionRow.h"

#include <string>
#include <vector>

namespace pelorvant {

// The icon of a note by its mark: "LINE_NAME", "OWNER" → "infoZ"; "RESERV", "RESERV2" →
// "infoR"; anything else "infoO".
std::u16string NoteKindToIcon(std::u16string_view mark);

// The trip's date note and its notes with their icons, as label markup.
std::u16string BuildConnectionNotesText(const EngineApi& api, std::int32_t set, const cUsekSpojeni& leg);

// "1.A>B(7:05>7:30-Bus 1); 2...." for the first `count` rows.
std::u16string smsListingText(const std::vector<cConnectionRow>& rows, int count);


// The entry of a row: first stop " - " last stop, the first departure to the last arrival,
// and a body with each trip and walk. False when the row has no leg or a day cannot be read.
bool calendarEntryOf(const EngineApi& api, const cConnectionRow& row, bool extendedForm, CalendarEntry& out);

}  // namespace pelorvant
