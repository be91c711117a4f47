#include "platform/ui/Screen.h"

#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/WindowTreeAccess.h"

#include <cstring>
#include <mutex>

namespace platform::ui {

namespace detail {
void clearScreenDirty();
}

namespace {

DeviceProfile& current() {
    static DeviceProfile profile = *findDeviceProfile("240x320");
    return profile;
}

void applyProfile(const DeviceProfile& next) {
    const DeviceProfile old = current();
    current() = next;
    const Rect oldScreen{0, 0, old.width, old.height};
    for (WindowHandle h : getTopLevelWindows()) {
        detail::WindowNode* n = detail::findNode(h);
        if (n && n->rect == oldScreen) {
            setWindowPos(h, kNullWindow, 0, 0, next.width, next.height,
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
        } else if (n) {
            // The frame depends on the metrics, which may have changed.
            setStyle(h, n->style);
        }
    }
    detail::markScreenDirty();
}

void composeWindow(draw::Bitmap& out, detail::WindowNode& n, draw::Point origin, const Rect& clip) {
    if (!(n.style & WS_VISIBLE)) {
        return;
    }
    // A window shown before its first paint shows its background.
    detail::ensureSurface(n);
    const Rect placed = Rect::fromSize(origin.x, origin.y, n.rect.width(), n.rect.height());
    const Rect area = placed.intersect(clip);
    if (area.empty()) {
        return;
    }
    const draw::Bitmap& s = *n.surface;
    const int w = std::min(area.width(), s.width() - (area.left - placed.left));
    for (int y = area.top; y < area.bottom && w > 0; ++y) {
        const int sy = y - placed.top;
        if (sy >= s.height()) {
            break;
        }
        std::memcpy(out.row(y) + area.left, s.row(sy) + (area.left - placed.left),
                    static_cast<std::size_t>(w) * sizeof(std::uint32_t));
    }
    const Rect client = detail::clientInSurface(n);
    const draw::Point clientOrigin{origin.x + client.left, origin.y + client.top};
    const Rect childClip = client.offset(origin.x, origin.y).intersect(area);
    if (childClip.empty()) {
        return;
    }
    for (auto it = n.children.rbegin(); it != n.children.rend(); ++it) {
        if (detail::WindowNode* c = detail::findNode(*it)) {
            composeWindow(out, *c,
                          draw::Point{clientOrigin.x + c->rect.left, clientOrigin.y + c->rect.top},
                          childClip);
        }
    }
}

}  // namespace

void setDeviceProfile(const DeviceProfile& profile) {
    applyProfile(profile);
}
const DeviceProfile& deviceProfile() {
    return current();
}
draw::Size screenSize() {
    return draw::Size{current().width, current().height};
}
const SystemMetrics& systemMetrics() {
    return current().metrics;
}

void rotateScreen() {
    applyProfile(current().rotated());
}

void composeScreen(draw::Bitmap& out) {
    const draw::Size size = screenSize();
    if (out.width() != size.width || out.height() != size.height) {
        out = draw::Bitmap(size.width, size.height, kDesktopColor);
    } else {
        out.fill(out.bounds(), kDesktopColor);
    }
    const std::vector<WindowHandle> tops = getTopLevelWindows();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        if (detail::WindowNode* n = detail::findNode(*it)) {
            composeWindow(out, *n, draw::Point{n->rect.left, n->rect.top}, out.bounds());
        }
    }
    detail::clearScreenDirty();
}

}  // namespace platform::ui
