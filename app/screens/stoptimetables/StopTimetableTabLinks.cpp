#include "app/screens/stoptimetables/StopTimetableTabLinks.h"

#include "app/screens/stoptimetables/StopTimetableChoices.h"
#include "app/screens/stoptimetables/StopTimetableFailure.h"
#include "app/screens/stoptimetables/ZJRShowFrame.h"

#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"

namespace pelorvant {

using platform::resources::loadResString;

namespace {
constexpr std::uint32_t kTextWarning = 344;
constexpr std::uint32_t kTextEngineFailure = 279;
}  // namespace

bool StopTimetableTabLinks::openListing(const cUsekSpojeni& leg, int returnView) {
    return openListingView && openListingView(leg, returnView);
}

void StopTimetableTabLinks::searchAgain(const StopTimetableQuery& query) {
    const StopTimetableAnswer answer = runStopTimetableSearch(*context_.api, query);
    if (endOnEngineFailure(answer.engineStatus)) return;
    if (answer.status == 0) {
        view_.buildStopTimetableText(answer.result.get(), query, answer.groupCount, answer.routeStopCount);
        return;
    }
    const StatusReaction reaction = reactionToStatus(answer.status);
    if ((reaction.showsLines || reaction.showsFrom || reaction.showsDirection) && showQueryChoices) {
        showQueryChoices(answer, query);
        return;
    }
    // Nothing to choose: the message over the timetable, which stays as it was.
    platform::shell::messageBox(view_.handle(), loadResString(reaction.text != 0 ? reaction.text : kTextEngineFailure),
                                loadResString(kTextWarning), platform::shell::MB_OK | platform::shell::MB_ICONWARNING);
}

}  // namespace pelorvant
