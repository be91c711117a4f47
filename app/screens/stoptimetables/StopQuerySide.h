#pragma once
// What an object chosen in the stop-timetable page's "Z:" or "Směr:" box gives the search. The
// search reads an element number as one of the file's stops category, so only an object that
// is exactly one element of that category, in the file searched, is passed on. Anything else
// (a town, a place, an object standing for several elements, an object of another file) is
// an object of several stops: the page says so and searches without that side, so that the
// engine offers the stops to choose from.
#include "app/shell/TextBoxElement.h"

#include <cstdint>

namespace pelorvant {

struct StopQuerySide {
    std::int32_t element = -1;  // an element of the stops category, or -1
    bool severalStops = false;  // the object stands for more than one stop element
};

// stopsKind: the file's stops category (-1 when it has none).
StopQuerySide stopQuerySide(const cTextBoxKategorieElement& object, std::int32_t fileIndex,
                            std::int32_t stopsKind);

}  // namespace pelorvant
