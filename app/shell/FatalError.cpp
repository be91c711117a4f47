#include "app/shell/FatalError.h"

#include "app/core/ExceptionExit.h"
#include "app/core/PrivateMessages.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Thread.h"
#include "platform/core/Window.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"

#include <atomic>
#include <string>

namespace pelorvant {
namespace {

std::atomic<std::uintptr_t> frameHandle = 0;


}  // namespace

platform::WindowHandle mainFrameWindow() { return platform::WindowHandle{frameHandle.load()}; }

void setMainFrameWindow(platform::WindowHandle frame) { frameHandle.store(static_cast<std::uintptr_t>(frame)); }

void terminateProgram() {
    platform::WindowHandle frame = mainFrameWindow();
    if (frame == platform::kNullWindow) return;
    if (platform::windowThreadId(frame) == platform::currentThreadId()) {
        platform::sendMessage(frame, WM_APP_TERMINATE);
    } else {
        platform::postMessage(frame, WM_APP_TERMINATE);
    }
}

void ShowFatalError(std::u16string_view message, platform::WindowHandle owner, bool endProgram) {
    std::u16string text(message);
    text += platform::resources::loadResString(kTextEndNotice);
    platform::shell::messageBox(owner, text, platform::resources::loadResString(kTextFatalCaption),
                                platform::shell::MB_OK);
    if (endProgram) terminateProgram();
}

}  // namespace pelorvant
