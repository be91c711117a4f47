#include "platform/testkit/XDisplayProbe.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace platform::testkit {

struct XDisplayProbe::Impl {
    Display* display = nullptr;
    ~Impl() {
        if (display) {
            XCloseDisplay(display);
        }
    }
};

namespace {

// A window that went away or lies partly off the screen is an answer, not the end of the
// process (which Xlib's own handler makes of every error).
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

}  // namespace

bool showsOnePlainColour(const draw::Bitmap& image) {
    if (image.empty()) {
        return true;
    }
    const std::uint32_t first = image.row(0)[0];
    for (int y = 0; y < image.height(); ++y) {
        const std::uint32_t* row = image.row(y);
        if (!std::all_of(row, row + image.width(),
                         [first](std::uint32_t p) { return p == first; })) {
            return false;
        }
    }
    return true;
}

XDisplayProbe::XDisplayProbe(const std::string& display) : impl_(std::make_unique<Impl>()) {
    XSetErrorHandler(ignoreError);
    impl_->display = XOpenDisplay(display.c_str());
}

XDisplayProbe::~XDisplayProbe() = default;

bool XDisplayProbe::ok() const {
    return impl_->display != nullptr;
}

std::vector<unsigned long> XDisplayProbe::viewableTopLevels() {
    std::vector<unsigned long> windows;
    if (!ok()) {
        return windows;
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(impl_->display, DefaultRootWindow(impl_->display), &root, &parent, &children,
                    &count)) {
        return windows;
    }
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(impl_->display, children[i], &attributes) &&
            attributes.map_state == IsViewable) {
            windows.push_back(children[i]);
        }
    }
    if (children) {
        XFree(children);
    }
    return windows;
}

std::string XDisplayProbe::title(unsigned long window) {
    char* name = nullptr;
    std::string text;
    if (ok() && XFetchName(impl_->display, window, &name) && name) {
        text = name;
        XFree(name);
    }
    return text;
}

unsigned long XDisplayProbe::findByTitle(const std::string& wanted) {
    for (unsigned long window : viewableTopLevels()) {
        if (title(window) == wanted) {
            return window;
        }
    }
    return 0;
}

draw::Size XDisplayProbe::size(unsigned long window) {
    XWindowAttributes attributes;
    if (!ok() || !XGetWindowAttributes(impl_->display, window, &attributes)) {
        return draw::Size{0, 0};
    }
    return draw::Size{attributes.width, attributes.height};
}

draw::Bitmap XDisplayProbe::capture(unsigned long window) {
    if (!ok()) {
        return draw::Bitmap();
    }
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(impl_->display, window, &attributes) ||
        attributes.map_state != IsViewable) {
        return draw::Bitmap();
    }
    XImage* image = XGetImage(impl_->display, window, 0, 0, attributes.width, attributes.height,
                              AllPlanes, ZPixmap);
    if (!image) {
        return draw::Bitmap();
    }
    draw::Bitmap out(image->width, image->height);
    // The usual true-colour image is 0x00RRGGBB words already: rows copied as they are.
    const bool plainWords = image->bits_per_pixel == 32 && image->byte_order == LSBFirst &&
                            image->red_mask == 0xFF0000 && image->blue_mask == 0xFF;
    for (int y = 0; y < image->height; ++y) {
        std::uint32_t* row = out.row(y);
        const auto* words = reinterpret_cast<const std::uint32_t*>(
            image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line);
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = plainWords ? words[x] : XGetPixel(image, x, y);
            row[x] = static_cast<std::uint32_t>(pixel) | 0xFF000000u;
        }
    }
    out.markDirty();
    XDestroyImage(image);
    return out;
}

unsigned long XDisplayProbe::coverWith(int x, int y, int width, int height) {
    if (!ok()) {
        return 0;
    }
    Display* d = impl_->display;
    const Window w =
        XCreateSimpleWindow(d, DefaultRootWindow(d), x, y, width, height, 0,
                            BlackPixel(d, DefaultScreen(d)), WhitePixel(d, DefaultScreen(d)));
    XMapRaised(d, w);
    XSync(d, False);
    return w;
}

}  // namespace platform::testkit
