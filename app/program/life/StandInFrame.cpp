#include "app/program/life/StandInFrame.h"

#include "app/core/PrivateMessages.h"
#include "app/program/life/PelorvantMain.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

platform::WindowHandle createStandInFrame(ProgramSteps& steps) {
    platform::ui::CreateParams params;
    params.className = "PelorvantFrame";
    params.text = platform::resources::loadResString(128);
    const auto screen = platform::ui::screenSize();
    params.rect = platform::ui::Rect{0, 0, screen.width, screen.height};
    return platform::ui::createWindow(params, [&steps](platform::WindowHandle window, std::uint32_t message,
                                                       std::uintptr_t wParam, std::intptr_t lParam) -> platform::MsgResult {
        switch (message) {
            case WM_APP_TERMINATE:
                shutDownProgram(steps);
                return 0;
            case WM_UPDATE_HANDOVER:
                handleUpdateHandOver(steps);
                return 0;
            case platform::ui::WM_CLOSE:
                platform::ui::destroyWindow(window);
                return 0;
            case platform::WM_DESTROY:
                platform::postQuitMessage(0);
                return 0;
            default:
                return platform::ui::defWindowProc(window, message, wParam, lParam);
        }
    });
}

}  // namespace pelorvant
