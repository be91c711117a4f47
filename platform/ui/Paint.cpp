#include "platform/ui/Paint.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/Timer.h"
#include "platform/ui/PaintQueue.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/WindowTreeAccess.h"

#include <algorithm>
#include <vector>

namespace platform::ui {

using detail::WindowNode;

namespace detail {
namespace {

struct ThreadPaints {
    std::vector<WindowHandle> queue;
};

ThreadPaints& paints() {
    thread_local ThreadPaints p;
    return p;
}

}  // namespace

void queuePaint(WindowNode& n) {
    ThreadPaints& p = paints();
    if (!n.paintQueued) {
        n.paintQueued = true;
        p.queue.push_back(n.handle);
    }
}

void paintShownTree(WindowNode& n) {
    const Rect client = clientInSurface(n);
    n.invalid = Rect{0, 0, client.width(), client.height()};
    n.erase = true;
    queuePaint(n);
    for (WindowHandle h : n.children) {
        WindowNode* child = findNode(h);
        // A hidden child's own subtree is painted when it is shown.
        if (child && (child->style & WS_VISIBLE)) {
            paintShownTree(*child);
        }
    }
}

bool nextPaint(Message& out, bool take) {
    ThreadPaints& p = paints();
    for (std::size_t i = 0; i < p.queue.size();) {
        WindowNode* n = findNode(p.queue[i]);
        if (!n || n->invalid.empty() || !visibleChain(*n)) {
            // Gone, painted meanwhile, or hidden (whatever shows it again paints it whole).
            if (n) {
                n->paintQueued = false;
            }
            p.queue.erase(p.queue.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        out = Message{n->handle, WM_PAINT, 0, 0, getTickCount()};
        if (!take) {
            return true;
        }
        n->paintQueued = false;
        p.queue.erase(p.queue.begin() + static_cast<std::ptrdiff_t>(i));
        n->paintRect = n->paintRect.unite(n->invalid);
        n->paintErase = n->paintErase || n->erase;
        n->invalid = Rect{};
        n->erase = false;
        return true;
    }
    return false;
}

}  // namespace detail

bool invalidateRect(WindowHandle window, const draw::Rect* rect, bool erase) {
    WindowNode* n = detail::ownNode(window);
    if (!n) {
        return false;
    }
    const Rect client = getClientRect(window);
    const Rect part = rect ? rect->intersect(client) : client;
    if (part.empty()) {
        return true;
    }
    n->invalid = n->invalid.unite(part);
    n->erase = n->erase || erase;
    detail::queuePaint(*n);
    return true;
}

bool validateRect(WindowHandle window, const draw::Rect* rect) {
    WindowNode* n = detail::ownNode(window);
    if (!n) {
        return false;
    }
    // A rectangle validates the invalid part only when it covers it all (the invalid part is
    // kept as one rectangle).
    if (!rect || (rect->intersect(n->invalid) == n->invalid)) {
        n->invalid = Rect{};
        n->erase = false;
    }
    return true;
}

draw::Rect getUpdateRect(WindowHandle window) {
    WindowNode* n = detail::findNode(window);
    return n ? n->invalid : Rect{};
}

bool updateWindow(WindowHandle window) {
    WindowNode* n = detail::ownNode(window);
    if (!n) {
        return false;
    }
    if (n->invalid.empty() || !detail::visibleChain(*n)) {
        return true;
    }
    n->paintRect = n->paintRect.unite(n->invalid);
    n->paintErase = n->paintErase || n->erase;
    n->invalid = Rect{};
    n->erase = false;
    sendMessage(window, WM_PAINT, 0, 0);
    return true;
}

PaintContext::PaintContext(WindowHandle window) {
    WindowNode* n = detail::ownNode(window);
    if (!n) {
        surface_ = std::make_shared<draw::Bitmap>();
        dc_.emplace(*surface_);
        return;
    }
    // Whatever is invalid now is painted by this context, and is valid from here on.
    paintRect_ = n->paintRect.unite(n->invalid);
    const bool erase = n->paintErase || n->erase;
    n->paintRect = Rect{};
    n->paintErase = false;
    n->invalid = Rect{};
    n->erase = false;
    surface_ = detail::ensureSurface(*n);
    const Rect client = detail::clientInSurface(*n);
    dc_.emplace(*surface_, Point{client.left, client.top},
                paintRect_.offset(client.left, client.top).intersect(client));
    detail::markScreenDirty();
    if (erase && !paintRect_.empty()) {
        sendMessage(window, WM_ERASEBKGND, reinterpret_cast<std::uintptr_t>(&*dc_), 0);
    }
}

PaintContext::~PaintContext() {
    detail::markScreenDirty();
}

ClientContext::ClientContext(WindowHandle window) {
    WindowNode* n = detail::ownNode(window);
    if (!n) {
        surface_ = std::make_shared<draw::Bitmap>();
        dc_.emplace(*surface_);
        return;
    }
    surface_ = detail::ensureSurface(*n);
    const Rect client = detail::clientInSurface(*n);
    dc_.emplace(*surface_, Point{client.left, client.top}, client);
}

ClientContext::~ClientContext() {
    detail::markScreenDirty();
}

}  // namespace platform::ui
