#pragma once
// Invalidation and painting. An invalid part of a window's client area is repainted by
// WM_PAINT, which the window's thread receives only when no sent or posted message waits
// (before timers). A window paints into its own surface through a PaintContext, which limits
// drawing to the invalid part and validates it.

#include "platform/core/Types.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Geometry.h"

#include <memory>
#include <optional>

namespace platform::ui {

// Adds a client rectangle (the whole client area when null) to the invalid part.
bool invalidateRect(WindowHandle window, const draw::Rect* rect = nullptr, bool erase = true);
bool validateRect(WindowHandle window, const draw::Rect* rect = nullptr);
// The invalid part of the client area; empty when none.
draw::Rect getUpdateRect(WindowHandle window);
// Sends WM_PAINT at once when the visible window has an invalid part.
bool updateWindow(WindowHandle window);

// Opened in WM_PAINT: the context draws into the window's client area, clipped to the part
// being repainted; the background is erased first (WM_ERASEBKGND) when asked for. Closing it
// (the destructor) finishes the paint.
class PaintContext {
public:
    explicit PaintContext(WindowHandle window);
    ~PaintContext();
    PaintContext(const PaintContext&) = delete;
    PaintContext& operator=(const PaintContext&) = delete;

    draw::DeviceContext& dc() { return *dc_; }
    // The client rectangle being repainted.
    const draw::Rect& paintRect() const { return paintRect_; }

private:
    std::shared_ptr<draw::Bitmap> surface_;
    std::optional<draw::DeviceContext> dc_;
    draw::Rect paintRect_;
};

// A context over the whole client area, for drawing outside WM_PAINT.
class ClientContext {
public:
    explicit ClientContext(WindowHandle window);
    ~ClientContext();
    ClientContext(const ClientContext&) = delete;
    ClientContext& operator=(const ClientContext&) = delete;
    draw::DeviceContext& dc() { return *dc_; }

private:
    std::shared_ptr<draw::Bitmap> surface_;
    std::optional<draw::DeviceContext> dc_;
};

}  // namespace platform::ui
