#include "app/program/ProgramHooks.h"

#include "app/core/life/FatalError.h"
#include "app/core/life/RestartApplication.h"
#include "app/core/life/UpdaterInstall.h"

namespace pelorvant {

void ProgramHooks::installUpdater(bool enable) { pelorvant::installUpdater(enable, programFolder_); }

void ProgramHooks::restartApplication(std::u16string_view question, bool force) {
    pelorvant::restartApplication(question, mainFrameWindow(), force);
}

}  // namespace pelorvant
