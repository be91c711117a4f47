#pragma once
// A loaded timetable file: its header, search defaults and SMS tickets, and the whole
// timetable model (names, notes, stops, categories, trips, passages, and for city files the
// line routes), read once by nactiJizdniRad and never changed.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "engine/data/Categories.h"
#include "engine/data/LineRoutes.h"
#include "engine/data/NameBlock.h"
#include "engine/data/Notes.h"
#include "engine/data/Passages.h"
#include "engine/data/SearchDefaults.h"
#include "engine/data/Stops.h"
#include "engine/data/TimetableHeader.h"
#include "engine/data/Trips.h"

namespace trasovnik {

class TimetableFileReader;
struct LoadObserver;

class cJizdniRad {
public:
    cJizdniRad() = default;
    // The passages refer to the trips, so a loaded timetable stays where it was made.
    cJizdniRad(const cJizdniRad&) = delete;
    cJizdniRad& operator=(const cJizdniRad&) = delete;

    cHlavicka header;
    cNazvy names;
    cPoznamky notes;
    cZastavky stops;
    cKategorie categories;
    cSpoje trips;
    cPrujezdyZastavek passages;
    std::unique_ptr<cTrasyLinek> routes;  // city files only
    cSmsJizdenky smsTickets;
    SearchDefaults defaults;

    // The notes attached to items, seen through this file's notes and names.
    cVazbyPoznamek noteLinks() const { return cVazbyPoznamek(notes, names); }
    // Every note attached to stop s, in pool order; none when the file has no stop notes.
    // ENGINE_EXC_INDEX for a stop outside the file.
    std::span<const std::uint16_t> stopNotes(std::size_t s) const {
        const std::optional<std::uint32_t> attachment = stops.noteAttachment(s);
        return attachment ? notes.attachedNotes(*attachment) : std::span<const std::uint16_t>();
    }
};

// Loads the timetable from a reader opened on the file (container header read). Checks the
// magic (ENGINE_EXC_BAD_MAGIC) and the major version (ENGINE_EXC_TOO_NEW from 5,
// ENGINE_EXC_TOO_OLD below 3) before anything else, then reads the sections in file order,
// reporting progress 0, 10, 20, 30, 40 (43-55 inside the trips), 65 (70-95 inside the
// passages) and 100. When `observer` says to stop, the load stops between sections or trips
// and returns false, without the 100. The reader is closed on every path.
bool nactiJizdniRad(cJizdniRad& timetable, TimetableFileReader& reader, LoadObserver& observer);

// Opens and loads a timetable file; none when the load was stopped.
std::unique_ptr<cJizdniRad> loadTimetableFile(std::string_view path, LoadObserver& observer);
// The same over the bytes of a file in memory.
std::unique_ptr<cJizdniRad> loadTimetableBytes(std::vector<std::uint8_t> bytes,
                                               LoadObserver& observer);

}  // namespace trasovnik
