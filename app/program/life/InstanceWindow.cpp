#include "app/program/life/InstanceWindow.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/FatalError.h"
#include "platform/core/MessageIds.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"

#include <utility>

namespace pelorvant {
namespace {

// Messages of the instance window only.
constexpr std::uint32_t kAskTitle = platform::WM_USER + 1;  // lParam: std::string* to fill
constexpr std::uint32_t kAskRaise = platform::WM_USER + 2;
constexpr std::uint32_t kAskHandOver = platform::WM_USER + 3;

}  // namespace

InstanceWindow::InstanceWindow(ProgramSteps& steps, std::string titleWhileStarting)
    : steps_(steps), titleWhileStarting_(std::move(titleWhileStarting)) {
    window_ = platform::createWindow([this](platform::WindowHandle, std::uint32_t message, std::uintptr_t,
                                            std::intptr_t lParam) -> platform::MsgResult {
        switch (message) {
            case kAskTitle:
                *reinterpret_cast<std::string*>(lParam) = steps_.mainWindowTitle();
                return 1;
            case kAskRaise:
                steps_.raiseMainWindow();
                return 1;
            case kAskHandOver:
                platform::sendMessage(mainFrameWindow(), WM_UPDATE_HANDOVER, 0, 0);
                return 1;
            default:
                return 0;
        }
    });
}

InstanceWindow::~InstanceWindow() { closeWindow(); }

void InstanceWindow::closeWindow() { platform::destroyWindow(window_); }

AskedWhileStarting InstanceWindow::mainWindowShown() {
    std::lock_guard<std::mutex> hold(lock_);
    windowShown_ = true;
    return std::exchange(asked_, AskedWhileStarting{});
}

std::string InstanceWindow::title() {
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (!windowShown_)
            return titleWhileStarting_;
    }
    std::string title;
    platform::sendMessage(window_, kAskTitle, 0, reinterpret_cast<std::intptr_t>(&title));
    return title;
}

void InstanceWindow::askOrKeep(bool AskedWhileStarting::*kept, std::uint32_t message) {
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (!windowShown_) {
            asked_.*kept = true;
            return;
        }
    }
    platform::sendMessage(window_, message);
}

void InstanceWindow::raise() { askOrKeep(&AskedWhileStarting::raise, kAskRaise); }

void InstanceWindow::handOver() { askOrKeep(&AskedWhileStarting::handOver, kAskHandOver); }

}  // namespace pelorvant
