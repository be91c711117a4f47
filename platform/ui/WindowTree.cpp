#include "platform/ui/WindowTree.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/Thread.h"
#include "platform/ui/Capture.h"
#include "platform/ui/Focus.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTreeAccess.h"

#include <algorithm>
#include <utility>

namespace platform::ui {

using detail::WindowNode;

namespace detail {

WindowNode* ownNode(WindowHandle h) {
    WindowNode* n = findNode(h);
    return n && n->thread == currentThreadId() ? n : nullptr;
}

bool isSelfOrDescendant(WindowHandle outer, WindowHandle inner) {
    for (WindowHandle h = inner; h != kNullWindow;) {
        if (h == outer) {
            return true;
        }
        WindowNode* n = findNode(h);
        h = n ? n->parent : kNullWindow;
    }
    return false;
}

Point windowOrigin(const WindowNode& n) {
    if (n.parent == kNullWindow) {
        return Point{n.rect.left, n.rect.top};
    }
    WindowNode* p = findNode(n.parent);
    if (!p) {
        return Point{n.rect.left, n.rect.top};
    }
    const Point po = clientOrigin(*p);
    return Point{po.x + n.rect.left, po.y + n.rect.top};
}

Point clientOrigin(const WindowNode& n) {
    const Point o = windowOrigin(n);
    const Rect c = clientInSurface(n);
    return Point{o.x + c.left, o.y + c.top};
}

bool visibleChain(const WindowNode& n) {
    for (const WindowNode* p = &n; p;
         p = p->parent == kNullWindow ? nullptr : findNode(p->parent)) {
        if (!(p->style & WS_VISIBLE)) {
            return false;
        }
    }
    return true;
}

bool enabledChain(const WindowNode& n) {
    for (const WindowNode* p = &n; p;
         p = p->parent == kNullWindow ? nullptr : findNode(p->parent)) {
        if (p->style & WS_DISABLED) {
            return false;
        }
    }
    return true;
}

void placeInSiblings(WindowNode& n, ZPlace place, WindowHandle below) {
    std::vector<WindowHandle>& list = siblingList(n);
    std::erase(list, n.handle);
    const bool topLevel = n.parent == kNullWindow;
    // Top-level windows keep the topmost ones in front of all others.
    std::size_t first = 0;
    std::size_t last = list.size();
    if (topLevel) {
        std::size_t topmostCount = 0;
        while (topmostCount < list.size()) {
            WindowNode* s = findNode(list[topmostCount]);
            if (!s || !(s->exStyle & WS_EX_TOPMOST)) {
                break;
            }
            ++topmostCount;
        }
        if (n.exStyle & WS_EX_TOPMOST) {
            last = topmostCount;
        } else {
            first = topmostCount;
        }
    }
    std::size_t at = place == ZPlace::Top ? first : last;
    if (place == ZPlace::Below) {
        auto it = std::find(list.begin(), list.end(), below);
        at = it == list.end() ? first : static_cast<std::size_t>(it - list.begin()) + 1;
        at = std::clamp(at, first, last);
    }
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), n.handle);
}

void dropFocusAndCapture(WindowHandle root) {
    WindowNode* n = findNode(root);
    if (isSelfOrDescendant(root, getCapture())) {
        releaseCapture();
    }
    if (isSelfOrDescendant(root, getFocus())) {
        // The focus goes to the parent when that can take it, else nowhere.
        WindowHandle parent = n ? n->parent : kNullWindow;
        WindowNode* p = findNode(parent);
        if (p && visibleChain(*p) && enabledChain(*p) && !isSelfOrDescendant(root, parent)) {
            setFocus(parent);
        }
        if (isSelfOrDescendant(root, getFocus())) {
            setFocus(kNullWindow);
        }
    }
}

}  // namespace detail

WindowHandle createWindow(const CreateParams& params, WindowProc proc) {
    WindowNode* parent = nullptr;
    if (params.parent != kNullWindow) {
        parent = detail::ownNode(params.parent);
        if (!parent && (params.style & WS_CHILD)) {
            return kNullWindow;
        }
    } else if (params.style & WS_CHILD) {
        return kNullWindow;
    }
    std::optional<WindowClass> cls = findClass(params.className);
    if (!proc) {
        if (!cls || !cls->proc) {
            return kNullWindow;
        }
        proc = cls->proc;
    }
    const WindowHandle h = platform::createWindow(std::move(proc));
    if (h == kNullWindow) {
        return kNullWindow;
    }
    WindowNode* n = detail::addNode(h);
    n->thread = currentThreadId();
    n->className = params.className;
    if (cls) {
        n->classStyle = cls->style;
        n->background = cls->background;
    } else {
        n->background = draw::rgb(255, 255, 255);
    }
    n->style = params.style;
    n->exStyle = params.exStyle;
    n->id = params.id;
    n->text = params.text;
    n->rect =
        Rect{params.rect.left, params.rect.top, params.rect.left + std::max(0, params.rect.width()),
             params.rect.top + std::max(0, params.rect.height())};
    if (params.style & WS_CHILD) {
        n->parent = params.parent;
        n->exStyle &= ~WS_EX_TOPMOST;
    } else if (parent) {
        n->owner = params.parent;
    }
    detail::placeInSiblings(*n, detail::ZPlace::Top);
    detail::rebuildSurface(*n);
    if (n->style & WS_VISIBLE) {
        detail::markScreenDirty();
    }
    CreateParams copy = params;
    if (sendMessage(h, WM_CREATE, 0, reinterpret_cast<std::intptr_t>(&copy)) == -1) {
        ui::destroyWindow(h);
        return kNullWindow;
    }
    n = detail::findNode(h);
    if (!n) {
        return kNullWindow;
    }
    const Rect c = detail::clientInSurface(*n);
    sendMessage(h, WM_SIZE, 0, makeLParam(c.width(), c.height()));
    return isUiWindow(h) ? h : kNullWindow;
}

bool destroyWindow(WindowHandle window) {
    WindowNode* n = detail::findNode(window);
    if (!n) {
        return platform::destroyWindow(window);
    }
    if (n->thread != currentThreadId()) {
        return false;
    }
    detail::dropFocusAndCapture(window);
    // Popups owned by the window go first.
    // Handles first: destroying one popup may destroy others (and free their nodes).
    std::vector<WindowHandle> owned;
    for (WindowNode* other : detail::allNodes()) {
        if (other->owner == window) {
            owned.push_back(other->handle);
        }
    }
    for (WindowHandle popup : owned) {
        ui::destroyWindow(popup);
    }
    n = detail::findNode(window);
    if (!n) {
        return true;  // a handler destroyed it meanwhile
    }
    if (detail::visibleChain(*n)) {
        detail::markScreenDirty();
    }
    const std::vector<WindowHandle> children = n->children;
    std::erase(detail::siblingList(*n), window);
    n->dying = true;
    platform::destroyWindow(window);
    for (WindowHandle child : children) {
        ui::destroyWindow(child);
    }
    detail::removeNode(window);
    return true;
}

bool isUiWindow(WindowHandle window) {
    return detail::findNode(window) != nullptr;
}

WindowHandle getParent(WindowHandle window) {
    WindowNode* n = detail::findNode(window);
    return n ? n->parent : kNullWindow;
}

WindowHandle getOwner(WindowHandle window) {
    WindowNode* n = detail::findNode(window);
    return n ? n->owner : kNullWindow;
}

std::vector<WindowHandle> getChildren(WindowHandle window) {
    WindowNode* n = detail::findNode(window);
    std::vector<WindowHandle> out;
    if (n) {
        for (WindowHandle c : n->children) {
            if (detail::findNode(c)) {
                out.push_back(c);
            }
        }
    }
    return out;
}

std::vector<WindowHandle> getTopLevelWindows() {
    std::vector<WindowHandle> out;
    for (WindowHandle h : detail::topLevelList()) {
        if (detail::findNode(h)) {
            out.push_back(h);
        }
    }
    return out;
}

std::string getClassName(WindowHandle window) {
    WindowNode* n = detail::findNode(window);
    return n ? n->className : std::string();
}

std::uintptr_t getDlgCtrlId(WindowHandle window) {
    WindowNode* n = detail::findNode(window);
    return n ? n->id : 0;
}

std::uintptr_t setDlgCtrlId(WindowHandle window, std::uintptr_t id) {
    WindowNode* n = detail::ownNode(window);
    return n ? std::exchange(n->id, id) : 0;
}

WindowHandle getDlgItem(WindowHandle parent, std::uintptr_t id) {
    for (WindowHandle c : getChildren(parent)) {
        if (getDlgCtrlId(c) == id) {
            return c;
        }
    }
    return kNullWindow;
}

WindowHandle findWindow(const std::string& className, std::u16string_view title) {
    for (WindowHandle h : getTopLevelWindows()) {
        WindowNode* n = detail::findNode(h);
        if (n && (className.empty() || n->className == className) && n->text == title) {
            return h;
        }
    }
    return kNullWindow;
}

WindowHandle findWindowInTree(WindowHandle root, std::u16string_view title) {
    const std::vector<WindowHandle> level =
        root == kNullWindow ? getTopLevelWindows() : getChildren(root);
    for (WindowHandle h : level) {
        WindowNode* n = detail::findNode(h);
        if (n && n->text == title) {
            return h;
        }
        if (WindowHandle found = findWindowInTree(h, title); found != kNullWindow) {
            return found;
        }
    }
    return kNullWindow;
}

}  // namespace platform::ui
