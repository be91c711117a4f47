#pragma once
// Internal: what the window layer keeps for each of its windows, and the table of them.
// Everything here is used on the thread that owns the windows (the user-interface thread);
// only the table's lookups are guarded for other threads.

#include "platform/core/Types.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Color.h"
#include "platform/draw/Geometry.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform::ui {
class WindowObject;
}

namespace platform::ui::detail {

using draw::Point;
using draw::Rect;

struct WindowNode {
    WindowHandle handle = kNullWindow;
    WindowHandle parent = kNullWindow;   // null for a top-level window
    WindowHandle owner = kNullWindow;    // the window a popup belongs to
    std::vector<WindowHandle> children;  // front is the top of the z-order
    ThreadId thread = 0;

    std::string className;
    std::uint32_t classStyle = 0;
    std::optional<draw::Color> background;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::uintptr_t id = 0;
    std::u16string text;
    Rect rect;  // the window's rectangle in its parent's client area (screen for top level)

    Rect invalid;        // client coordinates; waits for WM_PAINT
    bool erase = false;  // the invalid part needs its background first
    Rect paintRect;      // what the WM_PAINT being handled repaints
    bool paintErase = false;
    // The whole window, frame included; made when first painted or composed (ensureSurface),
    // dropped when the size changes, so a window that is placed and sized several times
    // before it shows gets one surface of its final size. Shared, so a context drawing into it
    // stays valid when the window is resized or destroyed meanwhile.
    std::shared_ptr<draw::Bitmap> surface;
    bool paintQueued = false;
    WindowObject* object = nullptr;
    bool dying = false;
};

// The node of a live window of this layer; null for other and stale handles.
WindowNode* findNode(WindowHandle h);
WindowNode* addNode(WindowHandle h);
void removeNode(WindowHandle h);
// Every live node, in no particular order.
std::vector<WindowNode*> allNodes();

// The list a window sits in: its parent's children or the top-level list.
std::vector<WindowHandle>& siblingList(const WindowNode& n);
std::vector<WindowHandle>& topLevelList();

// The frame's thickness on each side, from the style and the metrics.
struct Insets {
    int left = 0, top = 0, right = 0, bottom = 0;
};
Insets frameInsets(const WindowNode& n);
// The client area within the window's own surface.
Rect clientInSurface(const WindowNode& n);

// The window's size changed: its surface goes (the next paint makes one of the new size) and
// its whole client area is invalid.
void rebuildSurface(WindowNode& n);
// The window's surface, made of its size with its background and frame when it has none.
const std::shared_ptr<draw::Bitmap>& ensureSurface(WindowNode& n);
// Paints the frame into the surface, when there is one.
void paintFrame(WindowNode& n);

// Puts a window with an invalid part on its thread's list of windows to paint.
void queuePaint(WindowNode& n);
// A window now shows on the screen (shown itself, through an ancestor, or moved under a shown
// parent): it and every window below it that shows with it are painted whole, since whatever
// they drew while hidden may be lost.
void paintShownTree(WindowNode& n);

// The screen needs composing again.
void markScreenDirty();

}  // namespace platform::ui::detail
