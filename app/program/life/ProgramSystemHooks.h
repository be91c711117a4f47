#pragma once
// The system's side of what the settings and screens ask for: the updater's device-event
// registrations, the restart of the program, and boxes through the shell's message boxes.
#include "app/core/SystemHooks.h"

#include <filesystem>

namespace pelorvant {

class ProgramSystemHooks final : public SystemHooks {
public:
    // programFolder: the folder of the running program, which holds the updater.
    explicit ProgramSystemHooks(std::filesystem::path programFolder) : programFolder_(std::move(programFolder)) {}
    void removeUpdaterRegistrations() override;
    void installUpdater(bool enable) override;
    void restartApplication(std::u16string_view question, bool force) override;

private:
    std::filesystem::path programFolder_;
};

// Boxes owned by the main frame (when there is one), shown by the user-interface thread.
class MessageBoxNotice final : public UserNotice {
public:
    void showMessage(std::u16string_view text, std::u16string_view caption) override;
    bool askYesNo(std::u16string_view text, std::u16string_view caption) override;
    // Nothing when the box ended without a button (the loop was told to quit).
    std::optional<bool> answerYesNo(std::u16string_view text, std::u16string_view caption) override;
};

}  // namespace pelorvant
