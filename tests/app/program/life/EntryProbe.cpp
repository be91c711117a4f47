// The program's entry in a process of its own, for the tests of two starts: the real entry,
// the real instance service (in $XDG_RUNTIME_DIR) and restart, with a main frame that is a
// plain window and steps that write what happens to the file $PROBE_RECORD, one
// "<pid> <event>" a line. Waits of a second or more are recorded and cut short.
//   PROBE_RESTART=1: once running, restarts itself, and the old process lingers half a
//   second before it ends, so the new one has to wait for it.
//   PROBE_QUESTION=1: the start-up asks its question ("asking") and waits, handling its
//   messages, until the file $PROBE_RECORD.answer exists ("answered").
//   PROBE_REAL_WAITS=1: waits take their full time.
#include "app/core/CommandWords.h"
#include "app/core/PrivateMessages.h"
#include "app/program/life/PelorvantMain.h"
#include "app/shell/RestartApplication.h"
#include "platform/core/MessageIds.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"
#include "platform/services/instance/PeerCheck.h"
#include "platform/services/instance/PrivateFolder.h"
#include "tests/app/program/life/RecordingSteps.h"

#include <cstdlib>
#include <fstream>
#include <thread>

#include <unistd.h>

namespace {

using namespace pelorvant;

constexpr std::uint32_t WM_CLOSE = 0x0010;

void note(const std::string& event) {
    const char* file = std::getenv("PROBE_RECORD");
    if (file != nullptr) std::ofstream(file, std::ios::app) << ::getpid() << " " << event << "\n";
}

class ProbeSteps final : public testing::RecordingSteps {
public:
    platform::WindowHandle createMainFrame() override {
        frame = platform::createWindow([this](platform::WindowHandle window, std::uint32_t message, std::uintptr_t,
                                              std::intptr_t) -> platform::MsgResult {
            if (message == WM_APP_TERMINATE) shutDownProgram(*this);
            if (message == WM_UPDATE_HANDOVER) {
                note("handover");
                handleUpdateHandOver(*this);
            }
            if (message == WM_CLOSE) {
                platform::destroyWindow(window);
                platform::postQuitMessage(0);
            }
            return 0;
        });
        return frame;
    }
    int runMessageLoop() override {
        note("running");
        if (std::getenv("PROBE_RESTART") != nullptr) restart();
        platform::Message message;
        while (platform::getMessage(message)) platform::dispatchMessage(message);
        return static_cast<int>(message.wParam);
    }
    void loadLanguageLibrary() override {
        if (std::getenv("PROBE_QUESTION") == nullptr)
            return;
        note("asking");
        const std::string answer = std::string(std::getenv("PROBE_RECORD")) + ".answer";
        while (::access(answer.c_str(), F_OK) != 0) {
            platform::Message message;
            while (platform::peekMessage(message))
                platform::dispatchMessage(message);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        note("answered");
    }
    void raiseMainWindow() override { note("raised"); }
    void startUpdateCheck() override { note("update-check"); }
    void saveState() override { note("saved"); }
    void closeMainWindow() override { platform::sendMessage(frame, WM_CLOSE); }

private:
    void restart() {
        ::unsetenv("PROBE_RESTART");
        auto launcher = platform::services::makeProcessLauncher();
        RestartServices services{
            *launcher,
            platform::services::programOfSelf(),
            [](platform::WindowHandle, std::u16string_view, std::u16string_view) { return 0; },
            [](int code) {
                std::this_thread::sleep_for(std::chrono::milliseconds(500));
                note("exit");
                ::_exit(code);
            },
            u"Pelorvant",
            {}};
        restartApplication(u"", platform::kNullWindow, true, services);
    }
};

}  // namespace

int main(int argc, char** argv) {
    const std::string commandLine = commandLineOf(argc, argv);
    note("start " + commandLine);
    ProbeSteps steps;
    cPelorvantMain app(steps);
    auto instance = platform::services::makeSingleInstance(platform::services::programOfSelf(),
                                                           platform::services::defaultRuntimeFolder());
    EntryServices services{*instance,
                           [](std::chrono::milliseconds ms) {
                               if (ms >= std::chrono::milliseconds(1000)) {
                                   note("sleep " + std::to_string(ms.count()));
                                   if (std::getenv("PROBE_REAL_WAITS") == nullptr)
                                       ms = std::chrono::milliseconds(20);
                               }
                               std::this_thread::sleep_for(ms);
                           },
                           "Pelorvant"};
    if (!instance)
        return 3;
    int code = pelorvantWinMain(commandLine, app, services);
    note("end " + std::to_string(code));
    return code;
}
