#pragma once
// What the program asks of the system that the program entry provides: registering the updater
// for device events and restarting the program. The defaults do nothing, so the core runs (and
// is tested) on its own; the program entry installs the real mechanisms.
#include <optional>
#include <string_view>

namespace pelorvant {

class SystemHooks {
public:
    virtual ~SystemHooks() = default;
    // Removes every device-event registration of the updater in the program folder.
    virtual void removeUpdaterRegistrations() {}
    // Removes the updater's registrations; with enable, installs it and registers it again.
    virtual void installUpdater(bool /*enable*/) {}
    // Asks (unless force) and starts the program anew with "restart", ending this process.
    virtual void restartApplication(std::u16string_view /*question*/, bool /*force*/) {}
};

// Boxes shown to the user. The program entry connects them to the shell's message boxes.
class UserNotice {
public:
    virtual ~UserNotice() = default;
    virtual void showMessage(std::u16string_view text, std::u16string_view caption) = 0;
    // True when the user answered Yes.
    virtual bool askYesNo(std::u16string_view text, std::u16string_view caption) = 0;
    // The user's answer: true for Yes, false for No; nothing when the box ended without one
    // (the program was told to end while it asked).
    virtual std::optional<bool> answerYesNo(std::u16string_view text, std::u16string_view caption) {
        return askYesNo(text, caption);
    }
};

}  // namespace pelorvant
