#pragma once
// The device screen: its profile, and putting the windows together into one image. Each window
// paints into its own surface; composing copies the visible ones in z-order, each clipped to
// its parent's client area, so a screenshot is one copy of the result.

#include "platform/draw/Bitmap.h"
#include "platform/draw/Color.h"
#include "platform/draw/Geometry.h"
#include "platform/ui/DeviceProfile.h"

namespace platform::ui {

// Changes the device; top-level windows that covered the whole old screen are resized to the
// new one (and receive WM_SIZE).
void setDeviceProfile(const DeviceProfile& profile);
const DeviceProfile& deviceProfile();
draw::Size screenSize();
const SystemMetrics& systemMetrics();

// Turns the screen by a quarter (portrait to landscape and back), as a device does when it is
// rotated; full-screen top-level windows follow and receive WM_SIZE.
void rotateScreen();

// The colour of the screen where no window lies.
inline constexpr draw::Color kDesktopColor = draw::rgb(0, 0, 0);

// True when something was painted, moved, shown or hidden since the last compose.
bool screenDirty();
// Composes the screen into `out` (resized to the screen when its size differs).
void composeScreen(draw::Bitmap& out);
// Paints every shown window of the calling thread again from nothing (a fresh surface, its
// background erased and its whole client area painted) and composes the screen from those
// paintings into `out`; the windows keep the surfaces they had. Where this differs from
// composeScreen, a window was not painted after a change: a check for tests and drivers.
void composeRepaintedScreen(draw::Bitmap& out);

}  // namespace platform::ui
