#pragma once
// Internal: helpers over the tree shared by its parts.

#include "platform/ui/WindowNode.h"

namespace platform::ui::detail {

// The node when the calling thread owns the window; null otherwise.
WindowNode* ownNode(WindowHandle h);
// True when `inner` is `outer` or lies below it.
bool isSelfOrDescendant(WindowHandle outer, WindowHandle inner);
// The screen position of the window's top-left corner and of its client area's.
Point windowOrigin(const WindowNode& n);
Point clientOrigin(const WindowNode& n);
// A window and its ancestors carry WS_VISIBLE / none of them carries WS_DISABLED.
bool visibleChain(const WindowNode& n);
bool enabledChain(const WindowNode& n);
// Places a window in its sibling list after taking it out: at the top (of its layer, for
// top-level windows below the topmost ones), at the bottom, or just below a sibling.
enum class ZPlace { Top, Bottom, Below };
void placeInSiblings(WindowNode& n, ZPlace place, WindowHandle below = kNullWindow);

// Called when a window is hidden, disabled or destroyed: the focus and the capture leave the
// subtree below `root`.
void dropFocusAndCapture(WindowHandle root);

}  // namespace platform::ui::detail
