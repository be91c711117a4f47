#pragma once
// Real input events on an X display through the XTest extension, for tests that drive another
// program's window from the outside as a person would: the pointer taps a point of a window,
// and keys are pressed on the keyboard (the window under the pointer gets them).

#include <memory>
#include <string>

namespace platform::testkit {

class XTestInput {
public:
    // Connects to the display (":N"); ok() is false when that fails or it has no XTest.
    explicit XTestInput(const std::string& display);
    ~XTestInput();
    XTestInput(const XTestInput&) = delete;
    XTestInput& operator=(const XTestInput&) = delete;

    bool ok() const;

    // Moves the pointer to the point of the window (its own pixels) and presses and releases
    // the first button there.
    void tap(unsigned long window, int x, int y);
    // Presses and releases the key with that keysym name ("Return", "F1", "Tab", "a").
    void key(const std::string& keysymName);
    // Types the characters one key at a time (letters, digits and space).
    void type(const std::string& text);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform::testkit
