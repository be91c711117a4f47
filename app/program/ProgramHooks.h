#pragma once
// The running program's system hooks: the updater installed for device events from the
// program's folder, and the restart through a new process of the program.
#include "app/core/SystemHooks.h"

#include <filesystem>

namespace pelorvant {

class ProgramHooks final : public SystemHooks {
public:
    // programFolder: the folder of the running program, which holds the updater.
    explicit ProgramHooks(std::filesystem::path programFolder) : programFolder_(std::move(programFolder)) {}
    void installUpdater(bool enable) override;
    void restartApplication(std::u16string_view question, bool force) override;

private:
    std::filesystem::path programFolder_;
};

}  // namespace pelorvant
