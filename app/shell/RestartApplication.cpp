#include "app/shell/RestartApplication.h"

#include "app/core/CommandWords.h"
#include "platform/resources/StringTable.h"
#include "platform/services/instance/PeerCheck.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"

#include <unistd.h>

namespace pelorvant {
namespace {

std::vector<std::string>& restartOptions() {
    static std::vector<std::string> options;
    return options;
}

}  // namespace

void setRestartOptions(std::vector<std::string> options) {
    restartOptions() = std::move(options);
}

bool restartApplication(std::u16string_view question, platform::WindowHandle owner, bool force,
                        RestartServices& services) {
    if (!force && services.ask(owner, question, services.title) != static_cast<int>(platform::shell::IDYES)) return false;
    std::vector<std::string> args = services.options;
    args.emplace_back(kRestartWord);
    if (!services.launcher.start(services.program, args))
        return false;
    services.exitProcess(0);
    return true;
}

bool restartApplication(std::u16string_view question, platform::WindowHandle owner, bool force) {
    auto launcher = platform::services::makeProcessLauncher();
    RestartServices services{
        *launcher,
        platform::services::programOfSelf(),
        [](platform::WindowHandle box, std::u16string_view text, std::u16string_view caption) {
            return platform::shell::messageBox(box, text, caption,
                                               platform::shell::MB_YESNO | platform::shell::MB_ICONINFORMATION);
        },
        [](int exitCode) { ::_exit(exitCode); },
        platform::resources::loadResString(128),
        restartOptions()};
    return restartApplication(question, owner, force, services);
}

}  // namespace pelorvant
