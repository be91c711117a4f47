// The passages section: per stop a row of its passages ordered by departure minute (the
// engine finds departures by binary search), filled through one slot number per trip
// position, then the mirrored rows of the arrival search as further rows.
#include <vector>

#include "tools/jzwriter/SectionCompilers.h"
#include "tools/jzwriter/TripLayout.h"

namespace jz {

namespace {

// Four 2-bit trip-index extensions to a byte, the first passage in the lowest bits.
std::vector<std::uint8_t> extensionsOf(const std::vector<LaidPassage>& row) {
    std::vector<std::uint8_t> ext(row.size() / 4 + 1, 0);
    for (std::size_t i = 0; i < row.size(); ++i) {
        ext[i / 4] =
            static_cast<std::uint8_t>(ext[i / 4] | ((row[i].trip >> 16) & 3u) << (2 * (i % 4)));
    }
    return ext;
}

}  // namespace

PassageSection layoutPassageSection(const TripLayout& layout) {
    PassageSection section;
    const std::size_t stopCount = layout.passageCountOfStop.size();
    section.rows = layoutPassages(layout, stopCount);
    std::uint64_t passages = 0, bytes = 0;
    for (const auto* side : {&section.rows.byStop, &section.rows.mirrored}) {
        for (const auto& row : *side) {
            passages += row.size();
            bytes += row.size() + row.size() / 4 + 1;
        }
    }
    section.bytes = static_cast<std::uint32_t>(bytes);
    section.passages = static_cast<std::uint32_t>(passages);
    section.rowCount = static_cast<std::uint32_t>(2 * stopCount);
    section.slots.resize(layout.trips.size());
    for (std::size_t t = 0; t < layout.trips.size(); ++t) {
        section.slots[t].resize(layout.trips[t].stops.size());
    }
    for (const auto& row : section.rows.byStop) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            section.slots[row[i].trip][row[i].position] = static_cast<std::uint16_t>(i);
        }
    }
    return section;
}

void writePassageSection(const PassageSection& section, ContentWriter& out) {
    out.skippedSection("passages");
    out.u32(section.bytes);
    out.u32(section.passages);
    out.u32(section.rowCount);
    for (const auto& row : section.rows.byStop) {
        out.bytes(extensionsOf(row));
    }
    for (const auto& tripSlots : section.slots) {
        for (std::uint16_t slot : tripSlots) {
            out.u16(slot);
        }
    }
    for (const auto& row : section.rows.mirrored) {
        out.u32(static_cast<std::uint32_t>(row.size()));
        out.bytes(extensionsOf(row));
        for (const LaidPassage& p : row) {
            out.u32(p.trip);
            out.u8(p.position);
        }
    }
    out.skippedSection("end of passages");
}

}  // namespace jz
