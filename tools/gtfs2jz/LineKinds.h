#pragma once
// GTFS route types (basic and extended) as the line kinds of a timetable file.

#include <cstdint>
#include <string>

namespace gtfs2jz {

struct LineKindOfType {
    int code;              // the kind's code: the basic route type it stands for
    const char* name;      // shown before the line name
    std::uint32_t colour;  // 0xRRGGBB when no route of the kind has a colour
    bool urban;            // served by city transport
};

LineKindOfType lineKindOf(int routeType);

}  // namespace gtfs2jz
