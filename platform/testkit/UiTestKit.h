#pragma once
// Driving the interface in tests as a person would, on the headless backend with virtual
// time: taps, presses, drags and flicks with timing, keys, typing and the soft keys; time
// moving on with timers firing in order; and looking at the result: screenshots, a text dump
// of the window tree for golden files, finding windows.
//
// By default text is measured with the synthetic fixed-width metric (every character half the
// font height wide), so layout arithmetic is exact; pixel tests ask for the real fonts.

#include "platform/backends/HeadlessBackend.h"
#include "platform/core/Types.h"
#include "platform/core/VirtualClock.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Font.h"
#include "platform/draw/Geometry.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace platform::testkit {

using draw::Point;

enum class Text { Synthetic, Real };

class UiTestKit {
public:
    explicit UiTestKit(std::string_view profile = "240x320", Text text = Text::Synthetic);
    // Destroys every window that is left and forgets focus, capture and input state.
    ~UiTestKit();
    UiTestKit(const UiTestKit&) = delete;
    UiTestKit& operator=(const UiTestKit&) = delete;

    VirtualClock& clock() { return clock_; }

    // A finger down and up at a screen point, or at the centre of a window.
    void tap(Point screen);
    void tap(WindowHandle window);
    void press(Point screen);
    void move(Point screen);
    void release(Point screen);
    // Press at `from`, move in `steps` even steps to `to` over `ms` milliseconds of virtual
    // time, release there. A short, quick drag is a flick.
    void drag(Point from, Point to, std::uint64_t ms, int steps = 10);

    void key(std::uint32_t vk);  // down and up
    void keyDown(std::uint32_t vk);
    void keyUp(std::uint32_t vk);
    // Characters as the input panel types them (WM_CHAR to the focus window).
    void type(std::u16string_view text);
    // The left (1) or right (2) soft key.
    void softKey(int which);

    // Moves virtual time on by ms, one millisecond at a time, handling every message (timers
    // included) at each instant, so timers restarted by their handlers keep exact times.
    void advance(std::uint64_t ms);
    // Handles every message that waits, paints included.
    void pump();

    // The composed screen.
    const draw::Bitmap& screenshot();
    bool saveScreenshot(const std::string& path);
    // One line per window, children indented below their parent, top of the z-order first:
    //   class id=N [left,top widthxheight] visible|hidden[ disabled][ focus] "text"
    // (rectangles in the parent's client area; text as UTF-8).
    std::string dumpTree() const;
    // The first window of the whole tree with the title.
    WindowHandle find(std::u16string_view title) const;
    // The first window of the tree with the class name and id.
    WindowHandle find(const std::string& className, std::uintptr_t id) const;

private:
    void afterInput();
    VirtualClock clock_;
    backends::HeadlessBackend backend_;
    draw::TextMetricMode previousMode_;
};

}  // namespace platform::testkit
