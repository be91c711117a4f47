#pragma once
// What the stop-timetable view asks of the rest of the program: the trip listing of a
// departure, and a new search of the query page (from another stop of the route, or the other
// way). The tab page provides it once those screens exist.
#include "app/screens/stoptimetables/StopTimetableSearch.h"
#include "engine/api/trasovnik.h"

namespace pelorvant {

class StopTimetableLinks {
public:
    virtual ~StopTimetableLinks() = default;
    // Fills the listing view with the leg and shows it (return view `returnView`); false when
    // the listing could not be filled.
    virtual bool openListing(const cUsekSpojeni& leg, int returnView) = 0;
    // Runs the query again as the query page does: a new result shows in the view, any other
    // status as a message and choices on the query page.
    virtual void searchAgain(const StopTimetableQuery& query) = 0;
};

}  // namespace pelorvant
