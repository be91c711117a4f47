#pragma once
// The window tree: windows with a parent, children in z-order, an id, styles, text and a
// rectangle. Child windows lie in their parent's client area; top-level windows (and popups,
// which may have an owner) lie on the screen, the topmost ones above all others.
//
// These functions belong to the thread that owns the windows (the user-interface thread).
// Other threads talk to windows through sendMessage and postMessage. Every function is
// harmless with a null or stale handle: it does nothing and returns 0, false or empty.

#include "platform/core/Types.h"
#include "platform/core/Window.h"
#include "platform/draw/Geometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::ui {

using draw::Point;
using draw::Rect;

struct CreateParams {
    std::string className;  // a registered class, or any name when a procedure is given
    std::u16string text;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    Rect rect;  // in the parent's client area; on the screen for top-level windows
    // The parent of a child (WS_CHILD), or the owner of a popup or top-level window.
    WindowHandle parent = kNullWindow;
    std::uintptr_t id = 0;
    std::intptr_t createParam = 0;
};

// Creates a window: WM_CREATE (lParam: the CreateParams; -1 refuses the window), then WM_SIZE.
// `proc` replaces the class's procedure. Returns kNullWindow when the class is unknown and no
// procedure is given, when a child's parent is not a window, or when WM_CREATE refuses.
// A child is placed at the top of its siblings.
WindowHandle createWindow(const CreateParams& params, WindowProc proc = {});

// Destroys a window with its children and owned popups: the focus and the capture leave it,
// then each window receives WM_DESTROY and WM_NCDESTROY (a parent before its children). A
// window destroyed inside its own handler is freed once the handler returns.
bool destroyWindow(WindowHandle window);

// The default handling of messages (painting, erasing, text, hit-testing, closing).
MsgResult defWindowProc(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                        std::intptr_t lParam);

bool isUiWindow(WindowHandle window);
WindowHandle getParent(WindowHandle window);
WindowHandle getOwner(WindowHandle window);
// Children from the top of the z-order down.
// Moves a window under another parent (a null parent makes it a top-level window). The window
// goes to the top of its new siblings and keeps its rectangle's numbers, now counted in the new
// parent's client area; the caller moves it where it belongs. It keeps its procedure, children,
// id and text; WS_CHILD follows the new parent. The focus and the capture stay when the window
// is still visible and enabled under the new parent, else they leave it as when it is hidden.
// Returns the previous parent; kNullWindow on failure (a window of another thread, a new
// parent that is the window itself or lies below it) and when the window was top-level.
WindowHandle setParent(WindowHandle window, WindowHandle newParent);
std::vector<WindowHandle> getChildren(WindowHandle window);
// Top-level windows from the top down.
std::vector<WindowHandle> getTopLevelWindows();
std::string getClassName(WindowHandle window);

std::uintptr_t getDlgCtrlId(WindowHandle window);
std::uintptr_t setDlgCtrlId(WindowHandle window, std::uintptr_t id);
// The direct child with the id.
WindowHandle getDlgItem(WindowHandle parent, std::uintptr_t id);

// The first top-level window with the class (any when empty) and the title.
WindowHandle findWindow(const std::string& className, std::u16string_view title);
// The first window of the subtree below `root` (the whole tree when null) with the title,
// searched parent before children, top of the z-order first.
WindowHandle findWindowInTree(WindowHandle root, std::u16string_view title);

std::uint32_t getStyle(WindowHandle window);
// Replaces the style; the frame (border, scroll bars) follows at once and a changed client
// size sends WM_SIZE. WS_VISIBLE and WS_DISABLED are changed through showWindow and
// enableWindow; setStyle leaves those two bits as they are.
std::uint32_t setStyle(WindowHandle window, std::uint32_t style);
std::uint32_t getExStyle(WindowHandle window);
std::uint32_t setExStyle(WindowHandle window, std::uint32_t exStyle);

bool setWindowText(WindowHandle window, std::u16string_view text);
std::u16string getWindowText(WindowHandle window);

// Show and hide; returns whether the window was visible before. A hidden window gives up the
// focus (to its parent) and the capture.
bool showWindow(WindowHandle window, int command);
// True when the window and all its ancestors are visible.
bool isWindowVisible(WindowHandle window);
// Returns whether the window was disabled before. A disabled window takes no input and gives
// up the focus and the capture.
bool enableWindow(WindowHandle window, bool enable);
bool isWindowEnabled(WindowHandle window);

// Moves, sizes and reorders a window (flags SWP_*). insertAfter is a sibling (the window goes
// just below it), HWND_TOP, HWND_BOTTOM, HWND_TOPMOST or HWND_NOTOPMOST. WM_MOVE and WM_SIZE
// follow when the position or the client size changed.
bool setWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int width,
                  int height, std::uint32_t flags);
bool moveWindow(WindowHandle window, int x, int y, int width, int height, bool repaint = true);
bool bringWindowToTop(WindowHandle window);

// The client area (origin 0, 0) and the window's rectangle on the screen.
Rect getClientRect(WindowHandle window);
Rect getWindowRect(WindowHandle window);
// The window's rectangle in its parent's client area (on the screen for top-level windows).
Rect getWindowRectInParent(WindowHandle window);
Point clientToScreen(WindowHandle window, Point p);
Point screenToClient(WindowHandle window, Point p);

// The deepest visible window at a screen point and the WM_NCHITTEST answer it gave
// (HTTRANSPARENT windows let the search go on below them). Disabled windows are found too:
// they swallow the input meant for them.
struct HitResult {
    WindowHandle window = kNullWindow;
    MsgResult code = 0;
};
HitResult windowFromPoint(Point screen);

}  // namespace platform::ui
