// The library version, the memory figures and the date conversions.
#include <string_view>

#include "engine/api/BoundaryBuffers.h"
#include "engine/api/ExportFrame.h"
#include "engine/data/DayNumber.h"

using namespace trasovnik;
using namespace trasovnik::api;

namespace {
constexpr std::string_view kLibraryVersion = "4.4.1";
}

extern "C" {

int32_t api_getVerziKnihovny(char** text, int32_t* length) {
    return guarded([&] { handText(kLibraryVersion, text, length); });
}

int32_t api_pamet(int32_t* first, int32_t* second) {
    return guarded([&] {
        auto& a = out(first);
        auto& b = out(second);
        a = 0;
        b = 0;
    });
}

int32_t api_DatumToShortDen(int32_t day, int32_t month, int32_t year, int16_t* dayNumber) {
    return guarded([&] { out(dayNumber) = dateToDayNumber(day, month, year); });
}

int32_t api_ShortDenToDatum(int16_t dayNumber, uint8_t* day, uint8_t* month, int16_t* year) {
    return guarded([&] {
        auto& d = out(day);
        auto& m = out(month);
        auto& y = out(year);
        const CalendarDate date = dayNumberToDate(dayNumber);
        d = date.day;
        m = date.month;
        y = static_cast<int16_t>(date.year);
    });
}

}  // extern "C"
