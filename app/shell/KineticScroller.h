#pragma once
// Turns finger drags and flicks on a scrolling list into scroll steps (WM_KINETIC_SCROLL to
// the list) that go on, slowing down, after the finger lifts. A hidden child window of its
// list, so that its decay timer has a window to run on.

#include "platform/core/Types.h"
#include "platform/ui/WindowObject.h"

#include <cstdint>

namespace pelorvant {

inline constexpr std::uintptr_t kKineticScrollerId = 342;
inline constexpr std::uintptr_t kKineticTimer = 111;
// The decay ends at the tick that finds the interval at this mark or above.
inline constexpr int kKineticStopInterval = 11;
// Releases later than this after the press are no flick.
inline constexpr std::uint64_t kFlickMaxDuration = 500;

class KineticScroller : public platform::ui::WindowObject {
public:
    // Creates the hidden child window of the list.
    bool createFor(platform::WindowHandle list);

    void press(int x, int y, platform::WindowHandle target);
    void drag(int x, int y);
    void release(int x, int y);
    // Ends a motion at once.
    void stop();

    bool hasTarget() const { return target_ != platform::kNullWindow; }
    bool running() const { return timerRunning_; }

    int tickInterval = 0;  // ms; the stop mark at kKineticStopInterval
    double speed = 0;      // pixels per tick; positive when the finger moved up
    int lastX = 0;
    int lastY = 0;
    int pressX = 0;
    int pressY = 0;
    std::uint64_t pressTime = 0;
    std::uint64_t releaseTime = 0;
    bool moving = false;
    int sampleCount = 0;
    bool direction = false;  // 1 when the last horizontal step went left or stayed
    bool lastDirection = false;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    platform::MsgResult onTimer(std::uintptr_t id, std::intptr_t);
    // Sends a step to the target; false when the target could not move (an end is reached).
    bool step(int pixels);
    void startTimer(int interval);
    platform::WindowHandle target_ = platform::kNullWindow;
    bool timerRunning_ = false;
};

}  // namespace pelorvant
