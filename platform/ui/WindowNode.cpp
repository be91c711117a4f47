#include "platform/ui/WindowNode.h"

#include "platform/core/Window.h"
#include "platform/draw/DeviceContext.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiLoopSources.h"
#include "platform/ui/WindowStyles.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace platform::ui::detail {
namespace {

struct Table {
    std::mutex mutex;
    std::unordered_map<std::uintptr_t, std::unique_ptr<WindowNode>> nodes;
    std::vector<WindowHandle> topLevel;
};

Table& table() {
    static Table t;
    return t;
}

std::atomic<bool> gScreenDirty{true};

constexpr draw::Color kFrameColor = draw::rgb(0, 0, 0);
constexpr draw::Color kScrollAreaColor = draw::rgb(0xD4, 0xD0, 0xC8);

}  // namespace

WindowNode* findNode(WindowHandle h) {
    Table& t = table();
    WindowNode* n = nullptr;
    {
        std::lock_guard lock(t.mutex);
        auto it = t.nodes.find(static_cast<std::uintptr_t>(h));
        if (it == t.nodes.end()) {
            return nullptr;
        }
        n = it->second.get();
    }
    // A window destroyed through the core alone is no longer ours either.
    if (n->dying || !platform::isWindow(h)) {
        return nullptr;
    }
    return n;
}

WindowNode* addNode(WindowHandle h) {
    installLoopSources();
    Table& t = table();
    std::lock_guard lock(t.mutex);
    auto& slot = t.nodes[static_cast<std::uintptr_t>(h)];
    slot = std::make_unique<WindowNode>();
    slot->handle = h;
    return slot.get();
}

void removeNode(WindowHandle h) {
    Table& t = table();
    std::unique_ptr<WindowNode> gone;
    std::lock_guard lock(t.mutex);
    auto it = t.nodes.find(static_cast<std::uintptr_t>(h));
    if (it != t.nodes.end()) {
        gone = std::move(it->second);
        t.nodes.erase(it);
    }
    std::erase(t.topLevel, h);
}

std::vector<WindowNode*> allNodes() {
    Table& t = table();
    std::vector<WindowNode*> out;
    std::lock_guard lock(t.mutex);
    for (auto& [k, n] : t.nodes) {
        if (!n->dying) {
            out.push_back(n.get());
        }
    }
    return out;
}

std::vector<WindowHandle>& topLevelList() {
    return table().topLevel;
}

std::vector<WindowHandle>& siblingList(const WindowNode& n) {
    if (n.parent != kNullWindow) {
        if (WindowNode* p = findNode(n.parent)) {
            return p->children;
        }
    }
    return topLevelList();
}

Insets frameInsets(const WindowNode& n) {
    const SystemMetrics& m = systemMetrics();
    Insets in;
    if (n.style & WS_BORDER) {
        in.left = in.top = in.right = in.bottom = m.borderWidth;
    }
    if (n.style & WS_VSCROLL) {
        in.right += m.scrollBarWidth;
    }
    if (n.style & WS_HSCROLL) {
        in.bottom += m.scrollBarWidth;
    }
    return in;
}

Rect clientInSurface(const WindowNode& n) {
    const Insets in = frameInsets(n);
    const int w = n.rect.width();
    const int h = n.rect.height();
    Rect r{in.left, in.top, w - in.right, h - in.bottom};
    if (r.right < r.left) {
        r.right = r.left;
    }
    if (r.bottom < r.top) {
        r.bottom = r.top;
    }
    return r;
}

void paintFrame(WindowNode& n) {
    if (!n.surface || n.surface->empty()) {
        return;
    }
    const Rect all = n.surface->bounds();
    const Rect client = clientInSurface(n);
    draw::DeviceContext dc(*n.surface);
    const int b = (n.style & WS_BORDER) ? systemMetrics().borderWidth : 0;
    if (n.style & WS_VSCROLL) {
        dc.fillRect(Rect{client.right, b, all.right - b, all.bottom - b}, kScrollAreaColor);
    }
    if (n.style & WS_HSCROLL) {
        dc.fillRect(Rect{b, client.bottom, all.right - b, all.bottom - b}, kScrollAreaColor);
    }
    if (b > 0) {
        dc.selectBrush(draw::Brush::none());
        dc.selectPen(draw::Pen{kFrameColor});
        dc.rectangle(all);
    }
}

void rebuildSurface(WindowNode& n) {
    n.surface.reset();
    const Rect client = clientInSurface(n);
    n.invalid = Rect{0, 0, client.width(), client.height()};
    n.erase = true;
    queuePaint(n);
}

const std::shared_ptr<draw::Bitmap>& ensureSurface(WindowNode& n) {
    if (!n.surface) {
        const int w = std::clamp(n.rect.width(), 0, draw::Bitmap::kMaxSide);
        const int h = std::clamp(n.rect.height(), 0, draw::Bitmap::kMaxSide);
        n.surface =
            std::make_shared<draw::Bitmap>(w, h, n.background.value_or(draw::rgb(255, 255, 255)));
        paintFrame(n);
    }
    return n.surface;
}

void markScreenDirty() {
    gScreenDirty = true;
}

}  // namespace platform::ui::detail

namespace platform::ui {

bool screenDirty() {
    return detail::gScreenDirty;
}

namespace detail {
void clearScreenDirty() {
    gScreenDirty = false;
}
}  // namespace detail

}  // namespace platform::ui
