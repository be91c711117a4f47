#include "app/screens/stoptimetables/StopTimetableFailure.h"

#include "app/core/EngineBinding.h"
#include "app/shell/FatalError.h"

#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"

namespace pelorvant {

namespace {
constexpr std::uint32_t kTextError = 162;
constexpr std::uint32_t kTextOutOfMemory = 280;
constexpr std::uint32_t kTextEngineFailure = 279;
}  // namespace

bool endOnEngineFailure(std::int32_t engineStatus) {
    if (engineStatus == ENGINE_OK)
        return false;
    using platform::resources::loadResString;
    platform::shell::messageBox(
        mainFrameWindow(),
        loadResString(engineStatus == ENGINE_OUT_OF_MEMORY ? kTextOutOfMemory : kTextEngineFailure),
        loadResString(kTextError), platform::shell::MB_OK | platform::shell::MB_ICONERROR);
    terminateProgram();
    return true;
}

}  // namespace pelorvant
