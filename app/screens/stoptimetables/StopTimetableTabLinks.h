#pragma once
// The stop-timetable view's links within its tab: a search again from the route shows its new
// result in the view; one that asks for a choice goes to the query page with its message and
// choices (showQueryChoices); one with nothing to choose tells its status over the view. A
// departure opens in the listing view once the tab gives one (openListingView).
#include "app/core/ProgramContext.h"
#include "app/screens/stoptimetables/StopTimetableLinks.h"

#include <functional>

namespace pelorvant {

class cZJRShowFrame;

class StopTimetableTabLinks final : public StopTimetableLinks {
public:
    // Both must outlive the object.
    StopTimetableTabLinks(ProgramContext& context, cZJRShowFrame& view) : context_(context), view_(view) {}

    bool openListing(const cUsekSpojeni& leg, int returnView) override;
    void searchAgain(const StopTimetableQuery& query) override;

    // Fills the tab's listing view with a leg and shows it; false when it could not. Empty
    // while the tab has no listing view.
    std::function<bool(const cUsekSpojeni&, int)> openListingView;
    // Shows the query page with the choices of a search again (status -202, -204 or -205); the
    // answer's result is released by the caller afterwards. Empty while the tab has no page.
    std::function<void(const StopTimetableAnswer&, const StopTimetableQuery&)> showQueryChoices;

private:
    ProgramContext& context_;
    cZJRShowFrame& view_;
};

}  // namespace pelorvant
