// The trips section: route records (with the line tables at their place), validity calendars
// and entries, time patterns, stop items, the distance overflow table and the trips.
#include <string>

#include "tools/jzwriter/CalendarsCompiler.h"
#include "tools/jzwriter/SectionCompilers.h"
#include "tools/jzwriter/TimetableCompiler.h"
#include "tools/jzwriter/TripLayout.h"

namespace jz {

void prepareTrips(CompileContext& ctx) {
    ctx.passageCountOfStop = layoutTrips(ctx).passageCountOfStop;
}

void writeTripsSection(CompileContext& ctx, const TripLayout& layout, ContentWriter& out) {
    out.skippedSection("trips");

    out.skippedSection("lines");
    compileLineTables(ctx, out);
    out.u32(static_cast<std::uint32_t>(layout.routes.size()));
    for (const LaidRoute& r : layout.routes) {
        out.u32(r.offset);
        out.u16(r.lineNameIndex);
        out.u8(r.inThousands ? 1 : 0);
        out.u16(r.line);
    }
    out.skippedSection("end of routes");

    out.skippedSection("validity");
    writeCalendars(ctx, out);
    out.u32(static_cast<std::uint32_t>(layout.validity.size()));
    for (const ValidityEntry& v : layout.validity) {
        out.u16(v.notes);
        out.u16(v.value);
        out.u16(v.calendar);
    }
    out.skippedSection("end of validity");

    out.skippedSection("patterns");
    out.u32(static_cast<std::uint32_t>(layout.packedPatterns.size()));
    for (const auto& row : layout.packedPatterns) {
        out.u8(static_cast<std::uint8_t>(row.size()));
        for (std::uint16_t v : row) {
            out.u16(v);
        }
    }
    out.u32(static_cast<std::uint32_t>(layout.plainPatterns.size()));
    for (const auto& row : layout.plainPatterns) {
        out.u8(static_cast<std::uint8_t>(row.size()));
        for (std::int16_t v : row) {
            out.i16(v);
        }
    }
    out.skippedSection("end of patterns");

    out.u8(layout.itemNotes ? 1 : 0);
    if (layout.itemNotes) {
        out.u32(static_cast<std::uint32_t>(layout.passageNoteTable.size()));
        for (std::uint32_t a : layout.passageNoteTable) {
            out.u32(a);
        }
    }
    out.u32(static_cast<std::uint32_t>(layout.items.size()));
    for (const LaidStopItem& item : layout.items) {
        out.u16(item.stop);
        out.u16(item.packed);
        if (layout.itemNotes) {
            out.u8(item.note);
        }
    }

    out.u32(static_cast<std::uint32_t>(layout.overflow.size()));
    for (const auto& [item, value] : layout.overflow) {
        out.u32(item);
        out.u32(value);
    }

    out.u32(static_cast<std::uint32_t>(layout.trips.size()));
    for (const LaidTrip& t : layout.trips) {
        out.u16(static_cast<std::uint16_t>(t.start));
        out.u8(t.reversed ? 1 : 0);
        out.u32(t.route);
        out.u16(t.arrivalPattern);
        out.u16(t.departurePattern);
        out.u16(t.validity);
        out.u8(t.firstOffset);
        out.u8(t.stopCount);
        out.u8(t.noRideWithinGroup ? 1 : 0);
    }
    out.skippedSection("end of trips");
}

}  // namespace jz
