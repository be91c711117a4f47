#pragma once
// Driving the interface in tests as a person would, on the headless backend with virtual
// time: taps, presses, drags and flicks with timing, keys, typing, the soft keys and their
// menus, turning the device; time moving on with timers firing in order; answering what a
// modal loop (a message box, a popup menu) waits for; and looking at the result: screenshots,
// a text dump of the window tree with the controls' contents for golden files, finding
// windows.
//
// While the kit lives it is the idle wait of its thread: when a modal loop has nothing to do,
// the kit runs the next action queued by duringModal (input given there is handled by that
// loop), or else lets virtual time pass a millisecond at a time. A modal loop left waiting for
// ten minutes of virtual time and twenty seconds of real time with nothing queued ends the
// test program, with a message, instead of hanging it.
//
// By default text is measured with the synthetic fixed-width metric (every character half the
// font height wide), so layout arithmetic is exact; pixel tests ask for the real fonts.

#include "platform/backends/HeadlessBackend.h"
#include "platform/core/MessageSources.h"
#include "platform/core/Types.h"
#include "platform/core/VirtualClock.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Font.h"
#include "platform/draw/Geometry.h"

#include <cstdint>
#include <deque>
#include <functional>
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
    // Chooses through the soft keys' menus: the soft key with the first text, then each item
    // of the path with Down and Enter, e.g. u"Menu › Nastavení". Throws std::runtime_error
    // naming the step that is missing, grayed or not a menu.
    void chooseMenu(std::u16string_view path);
    // Turns the device by a quarter (portrait to landscape and back).
    void rotate();

    // Queues what the person does the next time a modal loop waits for input.
    void duringModal(std::function<void()> action);
    // Queues a tap on the button with this text of the message box shown then; a box without
    // it ends the test program with a message, as a modal loop cannot be left by an exception.
    void answerMessageBox(std::u16string_view button);

    // Moves virtual time on by ms, one millisecond at a time, handling every message (timers
    // included) at each instant, so timers restarted by their handlers keep exact times.
    void advance(std::uint64_t ms);
    // Handles every message that waits, paints included.
    void pump();
    // Pumps, a moment of real time apart, until `done` holds (other threads work meanwhile)
    // or a generous bound of a few seconds passes; done's last answer.
    bool pumpUntil(const std::function<bool()>& done);

    // The composed screen.
    const draw::Bitmap& screenshot();
    bool saveScreenshot(const std::string& path);
    // One line per window, children indented below their parent, top of the z-order first:
    //   class id=N [left,top widthxheight] visible|hidden[ disabled][ focus] "text"[ contents]
    // (rectangles in the parent's client area; text as UTF-8). Contents: a combo box's
    // ` selected=N "text" of COUNT` (or `selected=none`, and ` dropped` while open), an
    // edit's ` selection=START-END`, a check box's or radio button's ` checked`/` unchecked`,
    // a list view's ` rows=N` and below it one line per row:
    //   row N[ [x]|[ ]] "text" "subitem"...[ selected][ focused]
    std::string dumpTree() const;
    // The first window of the whole tree with the title.
    WindowHandle find(std::u16string_view title) const;
    // The first window of the tree with the class name and id.
    WindowHandle find(const std::string& className, std::uintptr_t id) const;

private:
    void afterInput();
    void idle();
    VirtualClock clock_;
    backends::HeadlessBackend backend_;
    draw::TextMetricMode previousMode_;
    std::deque<std::function<void()>> modalActions_;
    bool inModalAction_ = false;
    std::uint64_t idleSince_ = 0;  // virtual time of the last action or message given
    std::uint64_t idleSinceRealMs_ = 0;
    IdleWait previousIdle_;
};

}  // namespace platform::testkit
