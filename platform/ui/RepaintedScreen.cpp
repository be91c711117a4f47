// The screen as every shown window would paint it now, for checking that no paint was lost.

#include "platform/core/MessageLoop.h"
#include "platform/ui/PaintQueue.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/WindowTreeAccess.h"

#include <memory>
#include <vector>

namespace platform::ui {
namespace {

// A shown window's own state, kept while it paints into a fresh surface.
struct Kept {
    WindowHandle handle;
    std::shared_ptr<draw::Bitmap> surface;
    std::shared_ptr<draw::Bitmap> fresh;
    Rect invalid;
    bool erase;
};

void collectShown(WindowHandle h, std::vector<WindowHandle>& out) {
    const detail::WindowNode* n = detail::ownNode(h);
    if (!n || !(n->style & WS_VISIBLE)) {
        return;
    }
    out.push_back(h);
    for (WindowHandle child : n->children) {
        collectShown(child, out);
    }
}

// Far more paints than any screen needs: a window that invalidates itself in every paint
// would otherwise never let the check end.
constexpr int kMostPaints = 100000;

}  // namespace

void composeRepaintedScreen(draw::Bitmap& out) {
    std::vector<WindowHandle> shown;
    for (WindowHandle h : getTopLevelWindows()) {
        collectShown(h, shown);
    }
    std::vector<Kept> kept;
    kept.reserve(shown.size());
    for (WindowHandle h : shown) {
        detail::WindowNode* n = detail::findNode(h);
        Kept k{h, n->surface, nullptr, n->invalid, n->erase};
        detail::rebuildSurface(*n);
        // Made now, so a surface the painting made of another size is told apart.
        k.fresh = detail::ensureSurface(*n);
        kept.push_back(std::move(k));
    }
    Message m;
    for (int i = 0; i < kMostPaints && detail::nextPaint(m, true); ++i) {
        dispatchMessage(m);
    }
    composeScreen(out);
    for (const Kept& k : kept) {
        detail::WindowNode* n = detail::findNode(k.handle);
        // A window resized by its own painting keeps its new surface.
        if (!n || n->surface != k.fresh) {
            continue;
        }
        n->surface = k.surface;
        n->invalid = k.invalid;
        n->erase = k.erase;
        if (!n->invalid.empty()) {
            detail::queuePaint(*n);
        }
    }
    detail::markScreenDirty();
}

}  // namespace platform::ui
