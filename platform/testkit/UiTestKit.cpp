#include "platform/testkit/UiTestKit.h"

#include "platform/draw/Utf.h"
#include "platform/shell/MessageBox.h"
#include "platform/testkit/ControlContents.h"
#include "platform/ui/Capture.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Input.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiLoop.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace platform::testkit {
namespace {

ui::DeviceProfile profileNamed(std::string_view name) {
    auto p = ui::findDeviceProfile(name);
    if (!p) {
        throw std::invalid_argument("unknown device profile: " + std::string(name));
    }
    return *p;
}

void dumpWindow(std::string& out, WindowHandle h, int depth) {
    const draw::Rect r = ui::getWindowRectInParent(h);
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    out += ui::getClassName(h);
    out += " id=" + std::to_string(ui::getDlgCtrlId(h));
    out += " [" + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.width()) + "x" + std::to_string(r.height()) + "]";
    out += (ui::getStyle(h) & ui::WS_VISIBLE) ? " visible" : " hidden";
    if (ui::getStyle(h) & ui::WS_DISABLED) {
        out += " disabled";
    }
    if (ui::getFocus() == h) {
        out += " focus";
    }
    out += " \"" + draw::toUtf8(ui::getWindowText(h)) + "\"" + controlSummary(h) + "\n";
    out += controlRows(h, (depth + 1) * 2);
    for (WindowHandle c : ui::getChildren(h)) {
        dumpWindow(out, c, depth + 1);
    }
}

WindowHandle findIn(const std::vector<WindowHandle>& level, const std::string& cls,
                    std::uintptr_t id) {
    for (WindowHandle h : level) {
        if (ui::getClassName(h) == cls && ui::getDlgCtrlId(h) == id) {
            return h;
        }
        if (WindowHandle f = findIn(ui::getChildren(h), cls, id); f != kNullWindow) {
            return f;
        }
    }
    return kNullWindow;
}

// How long a modal loop may wait with nothing queued before the kit gives up on the test.
constexpr std::uint64_t kPatienceVirtualMs = 10 * 60 * 1000;
constexpr std::uint64_t kPatienceRealMs = 20 * 1000;

std::uint64_t realMs() {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

}  // namespace

UiTestKit::UiTestKit(std::string_view profile, Text text)
    : clock_(0), backend_(profileNamed(profile)), previousMode_(draw::textMetricMode()) {
    draw::setTextMetricMode(text == Text::Synthetic ? draw::TextMetricMode::Synthetic
                                                    : draw::TextMetricMode::Real);
    ui::resetInput();
    previousIdle_ = setIdleWait([this](std::uint32_t) { idle(); });
}

UiTestKit::~UiTestKit() {
    for (WindowHandle h : ui::getTopLevelWindows()) {
        ui::destroyWindow(h);
    }
    ui::setFocus(kNullWindow);
    ui::releaseCapture();
    ui::resetInput();
    ui::pumpMessages();
    setIdleWait(std::move(previousIdle_));
    draw::setTextMetricMode(previousMode_);
}

void UiTestKit::afterInput() {
    // Inside a modal loop's wait the input is left for that loop to handle.
    if (!inModalAction_) {
        pump();
    }
}

void UiTestKit::idle() {
    if (!modalActions_.empty()) {
        std::function<void()> action = std::move(modalActions_.front());
        modalActions_.pop_front();
        struct Acting {
            bool& flag;
            explicit Acting(bool& f) : flag(f) { flag = true; }
            ~Acting() { flag = false; }
        } acting(inModalAction_);
        action();
        idleSince_ = clock_.now();
        idleSinceRealMs_ = realMs();
        return;
    }
    if (idleSinceRealMs_ == 0) {
        idleSince_ = clock_.now();
        idleSinceRealMs_ = realMs();
    }
    if (clock_.now() - idleSince_ >= kPatienceVirtualMs &&
        realMs() - idleSinceRealMs_ >= kPatienceRealMs) {
        std::fprintf(stderr, "UiTestKit: a modal loop waits for input the test never gave\n%s",
                     dumpTree().c_str());
        std::fflush(stderr);
        std::abort();
    }
    clock_.advance(1);
}

void UiTestKit::duringModal(std::function<void()> action) {
    modalActions_.push_back(std::move(action));
}

void UiTestKit::answerMessageBox(std::u16string_view button) {
    duringModal([this, text = std::u16string(button)] {
        WindowHandle target = kNullWindow;
        for (WindowHandle h : ui::getTopLevelWindows()) {
            if (target == kNullWindow && ui::getClassName(h) == shell::kMessageBoxClass &&
                ui::isWindowVisible(h)) {
                target = ui::findWindowInTree(h, text);
            }
        }
        if (target == kNullWindow) {
            // The box's loop cannot be left by an exception: end the test program instead.
            std::fprintf(stderr, "UiTestKit: no button \"%s\" in the message box\n%s",
                         draw::toUtf8(text).c_str(), dumpTree().c_str());
            std::fflush(stderr);
            std::abort();
        }
        tap(target);
    });
}

void UiTestKit::rotate() {
    ui::rotateScreen();
    pump();
}

void UiTestKit::tap(Point screen) {
    press(screen);
    release(screen);
}

void UiTestKit::tap(WindowHandle window) {
    const draw::Rect r = ui::getWindowRect(window);
    tap(Point{r.left + r.width() / 2, r.top + r.height() / 2});
}

void UiTestKit::press(Point screen) {
    ui::fingerDown(screen);
    afterInput();
}

void UiTestKit::move(Point screen) {
    ui::fingerMove(screen);
    afterInput();
}

void UiTestKit::release(Point screen) {
    ui::fingerUp(screen);
    afterInput();
}

void UiTestKit::drag(Point from, Point to, std::uint64_t ms, int steps) {
    steps = std::max(steps, 1);
    press(from);
    std::uint64_t elapsed = 0;
    for (int i = 1; i <= steps; ++i) {
        const std::uint64_t at =
            ms * static_cast<std::uint64_t>(i) / static_cast<std::uint64_t>(steps);
        advance(at - elapsed);
        elapsed = at;
        move(Point{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    }
    release(to);
}

void UiTestKit::key(std::uint32_t vk) {
    keyDown(vk);
    keyUp(vk);
}

void UiTestKit::keyDown(std::uint32_t vk) {
    ui::keyDown(vk);
    afterInput();
}

void UiTestKit::keyUp(std::uint32_t vk) {
    ui::keyUp(vk);
    afterInput();
}

void UiTestKit::type(std::u16string_view text) {
    for (char16_t c : text) {
        ui::characterInput(c);
    }
    afterInput();
}

void UiTestKit::softKey(int which) {
    key(which == 1 ? ui::VK_TSOFT1 : ui::VK_TSOFT2);
}

void UiTestKit::advance(std::uint64_t ms) {
    pump();
    for (std::uint64_t i = 0; i < ms; ++i) {
        clock_.advance(1);
        pump();
    }
}

void UiTestKit::pump() {
    ui::pumpMessages();
}

bool UiTestKit::pumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 20000 && !done(); ++i) {
        pump();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return done();
}

const draw::Bitmap& UiTestKit::screenshot() {
    pump();
    return backend_.present();
}

bool UiTestKit::saveScreenshot(const std::string& path) {
    return screenshot().savePng(path);
}

std::string UiTestKit::dumpTree() const {
    std::string out;
    for (WindowHandle h : ui::getTopLevelWindows()) {
        dumpWindow(out, h, 0);
    }
    return out;
}

WindowHandle UiTestKit::find(std::u16string_view title) const {
    return ui::findWindowInTree(kNullWindow, title);
}

WindowHandle UiTestKit::find(const std::string& className, std::uintptr_t id) const {
    return findIn(ui::getTopLevelWindows(), className, id);
}

}  // namespace platform::testkit
