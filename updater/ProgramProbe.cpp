#include "updater/ProgramProbe.h"

#include "platform/services/instance/SingleInstance.h"
#include "updater/UpdaterRun.h"

namespace obnovnik {

bool programRunsWithMainWindow(const std::filesystem::path& program, const std::filesystem::path& runtimeFolder,
                               std::chrono::milliseconds answer) {
    if (program.empty()) return false;
    auto instance = platform::services::makeSingleInstance(program, runtimeFolder, {answer});
    if (!instance)
        return false;
    std::unique_ptr<platform::services::RunningInstance> running = instance->find();
    return running && running->title() == kProgramTitle;
}

}  // namespace obnovnik
