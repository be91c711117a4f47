#include "app/screens/other/StopTimetableTabLinks.h"

#include "app/core/life/FatalError.h"
#include "app/screens/other/ZJRShowFrame.h"

#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"

namespace pelorvant {

using platform::resources::loadResString;

namespace {
constexpr std::uint32_t kTextError = 162;
constexpr std::uint32_t kTextWarning = 344;
constexpr std::uint32_t kTextOutOfMemory = 280;
constexpr std::uint32_t kTextEngineFailure = 279;
}  // namespace

bool StopTimetableTabLinks::openListing(const cUsekSpojeni& leg, int returnView) {
    return openListingView && openListingView(leg, returnView);
}

void StopTimetableTabLinks::searchAgain(const StopTimetableQuery& query) {
    const StopTimetableAnswer answer = runStopTimetableSearch(*context_.api, query);
    if (answer.engineStatus != ENGINE_OK) {
        platform::shell::messageBox(
            mainFrameWindow(), loadResString(answer.engineStatus == ENGINE_OUT_OF_MEMORY ? kTextOutOfMemory : kTextEngineFailure),
            loadResString(kTextError), platform::shell::MB_OK | platform::shell::MB_ICONERROR);
        terminateProgram();
        return;
    }
    if (answer.status == 0) {
        view_.buildStopTimetableText(answer.result.get(), query, answer.groupCount, answer.routeStopCount);
        return;
    }
    const std::uint32_t text = stopTimetableStatusText(answer.status);
    platform::shell::messageBox(view_.handle(), text != 0 ? loadResString(text) : loadResString(kTextEngineFailure),
                                loadResString(kTextWarning), platform::shell::MB_OK | platform::shell::MB_ICONWARNING);
}

}  // namespace pelorvant
