#pragma once
// A client of an X display for tests and benchmarks that look at another program's windows
// from the outside, as the display server holds them: the top-level windows in stacking order,
// their titles and their pixels, and a plain window of its own to lay over them.

#include "platform/draw/Bitmap.h"

#include <memory>
#include <string>
#include <vector>

namespace platform::testkit {

// True when every pixel of the image has one colour (a window that shows nothing yet).
bool showsOnePlainColour(const draw::Bitmap& image);

class XDisplayProbe {
public:
    // Connects to the display (":N"); ok() is false when that fails.
    explicit XDisplayProbe(const std::string& display);
    ~XDisplayProbe();
    XDisplayProbe(const XDisplayProbe&) = delete;
    XDisplayProbe& operator=(const XDisplayProbe&) = delete;

    bool ok() const;

    // The top-level windows that are mapped and viewable, the bottom one first (the server's
    // stacking order).
    std::vector<unsigned long> viewableTopLevels();
    // The window's title (WM_NAME); empty when it has none.
    std::string title(unsigned long window);
    // The first viewable top-level window with that title; 0 when there is none.
    unsigned long findByTitle(const std::string& title);
    // The window's size; 0 x 0 when it cannot be read.
    draw::Size size(unsigned long window);
    // What the window shows, in its own size; empty when it cannot be read (also when it lies
    // partly off the screen).
    draw::Bitmap capture(unsigned long window);
    // A plain window of its own at the rectangle, mapped above the others; its id.
    unsigned long coverWith(int x, int y, int width, int height);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform::testkit
