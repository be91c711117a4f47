#include "app/program/life/ProgramSystemHooks.h"

#include "app/program/life/UpdaterInstall.h"
#include "app/shell/FatalError.h"
#include "app/shell/RestartApplication.h"
#include "platform/services/registry/Registry.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"

namespace pelorvant {

void ProgramSystemHooks::removeUpdaterRegistrations() {
    auto registrations = platform::services::makeFileEventRegistrations(platform::services::defaultConfigHome());
    registrations->removeProgram(programFolder_ / kUpdaterFileName);
}

void ProgramSystemHooks::installUpdater(bool enable) { pelorvant::installUpdater(enable, programFolder_); }

void ProgramSystemHooks::restartApplication(std::u16string_view question, bool force) {
    pelorvant::restartApplication(question, mainFrameWindow(), force);
}

void MessageBoxNotice::showMessage(std::u16string_view text, std::u16string_view caption) {
    platform::shell::messageBox(mainFrameWindow(), text, caption, platform::shell::MB_OK);
}

bool MessageBoxNotice::askYesNo(std::u16string_view text, std::u16string_view caption) {
    return answerYesNo(text, caption).value_or(false);
}

std::optional<bool> MessageBoxNotice::answerYesNo(std::u16string_view text,
                                                  std::u16string_view caption) {
    const int button =
        platform::shell::messageBox(mainFrameWindow(), text, caption,
                                    platform::shell::MB_YESNO | platform::shell::MB_ICONQUESTION);
    if (button == static_cast<int>(platform::shell::IDYES))
        return true;
    if (button == static_cast<int>(platform::shell::IDNO))
        return false;
    return std::nullopt;
}

}  // namespace pelorvant
