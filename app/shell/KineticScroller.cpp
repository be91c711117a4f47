#include "app/shell/KineticScroller.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ShellWindowClass.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/Timer.h"
#include "platform/ui/WindowStyles.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;

bool KineticScroller::createFor(platform::WindowHandle list) {
    return create(shellCreateParams(ui::WS_CHILD, platform::draw::Rect{}, list, kKineticScrollerId));
}

void KineticScroller::press(int x, int y, platform::WindowHandle target) {
    moving = false;
    lastX = pressX = x;
    lastY = pressY = y;
    pressTime = platform::getTickCount();
    sampleCount = 0;
    target_ = target;
    stop();
}

void KineticScroller::drag(int x, int y) {
    if (!hasTarget()) {
        return;
    }
    const int previousX = lastX;
    const int previousY = lastY;
    lastX = x;
    lastY = y;
    direction = previousX - x >= 0;
    if (direction != lastDirection && sampleCount > 2) {
        // A change of horizontal direction: this sample does not scroll.
        lastDirection = direction;
        sampleCount = 0;
        return;
    }
    lastDirection = direction;
    ++sampleCount;
    int pixels = previousY - y;
    if (!moving) {
        // Below the threshold the finger is still tapping; a drag of exactly the threshold
        // already scrolls.
        const int threshold = 4 * (shellSettings().highResolution() ? 2 : 1);
        if (std::abs(y - pressY) < threshold) {
            return;
        }
        pixels = pressY - y;
    }
    moving = true;
    step(pixels);
}

void KineticScroller::release(int, int y) {
    releaseTime = platform::getTickCount();
    if (!hasTarget()) {
        return;  // no press began on a list
    }
    const int distance = std::abs(pressY - y);
    const auto elapsed = static_cast<long long>(std::max<std::uint64_t>(releaseTime - pressTime, 1));
    const int clientHeight = ui::getClientRect(target_).height();
    if (distance < clientHeight / 30 || elapsed > static_cast<long long>(kFlickMaxDuration)) {
        return;
    }
    tickInterval = static_cast<int>(std::min<long long>(distance / elapsed, 1));
    speed = 7.0 * distance / (static_cast<double>(elapsed) / 3.0);
    if (y > pressY) {
        speed = -speed;
    }
    startTimer(tickInterval);
}

void KineticScroller::stop() {
    platform::killTimer(handle(), kKineticTimer);
    timerRunning_ = false;
}

void KineticScroller::startTimer(int interval) {
    timerRunning_ = platform::setTimer(handle(), kKineticTimer, static_cast<std::uint32_t>(interval));
}

bool KineticScroller::step(int pixels) {
    if (target_ == platform::kNullWindow || pixels == 0) {
        return true;
    }
    return platform::sendMessage(target_, WM_KINETIC_SCROLL, static_cast<std::uintptr_t>(pixels),
                                 0) != 0;
}

MsgResult KineticScroller::onTimer(std::uintptr_t id, std::intptr_t) {
    if (id != kKineticTimer) {
        return 0;
    }
    stop();
    if (tickInterval >= kKineticStopInterval) {
        return 0;  // the motion ends
    }
    speed = speed * 10.0 / 11.0;
    tickInterval = std::min(static_cast<int>(1.2 * tickInterval), tickInterval + 1);
    if (!step(static_cast<int>(speed))) {
        return 0;  // the list reached an end: nothing more to scroll that way
    }
    if (std::fabs(speed) < 2.0) {
        tickInterval = kKineticStopInterval;
    }
    startTimer(tickInterval);
    return 0;
}

const ui::MessageMapBase& KineticScroller::messageMap() const {
    static const auto map = ui::MessageMap<KineticScroller>(&WindowObject::messageMap())
                                .message(ui::WM_TIMER, &KineticScroller::onTimer);
    return map;
}

}  // namespace pelorvant
