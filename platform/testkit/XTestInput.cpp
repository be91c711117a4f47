#include "platform/testkit/XTestInput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cctype>
#include <chrono>
#include <thread>

namespace platform::testkit {

struct XTestInput::Impl {
    Display* display = nullptr;
    ~Impl() {
        if (display)
            XCloseDisplay(display);
    }
    // A person's pace: the program sees each event on its own.
    void settle() const {
        XSync(display, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    void press(KeySym symbol, bool shifted) const {
        const KeyCode code = XKeysymToKeycode(display, symbol);
        if (code == 0)
            return;
        const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
        if (shifted)
            XTestFakeKeyEvent(display, shift, True, CurrentTime);
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XTestFakeKeyEvent(display, code, False, CurrentTime);
        if (shifted)
            XTestFakeKeyEvent(display, shift, False, CurrentTime);
        settle();
    }
};

XTestInput::XTestInput(const std::string& display) : impl_(std::make_unique<Impl>()) {
    impl_->display = XOpenDisplay(display.c_str());
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (impl_->display && !XTestQueryExtension(impl_->display, &event, &error, &major, &minor)) {
        XCloseDisplay(impl_->display);
        impl_->display = nullptr;
    }
}

XTestInput::~XTestInput() = default;

bool XTestInput::ok() const { return impl_->display != nullptr; }

void XTestInput::tap(unsigned long window, int x, int y) {
    if (!ok())
        return;
    Display* d = impl_->display;
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    XTranslateCoordinates(d, window, DefaultRootWindow(d), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(d, DefaultScreen(d), rootX, rootY, CurrentTime);
    impl_->settle();
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    impl_->settle();
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
    impl_->settle();
}

void XTestInput::key(const std::string& keysymName) {
    if (!ok())
        return;
    const KeySym symbol = XStringToKeysym(keysymName.c_str());
    if (symbol != NoSymbol)
        impl_->press(symbol, false);
}

void XTestInput::type(const std::string& text) {
    if (!ok())
        return;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == ' ') {
            impl_->press(XK_space, false);
        } else if (std::isalnum(u)) {
            // Latin letters and digits are their own keysyms; a capital is the shifted small one.
            impl_->press(static_cast<KeySym>(std::tolower(u)), std::isupper(u) != 0);
        }
    }
}

}  // namespace platform::testkit
