#pragma once
// What the navigation view needs of the GPS receiver: reading the position a WM_GPS_POSITION
// carries, the heading, keeping the receiver on while the view is shown, and starting and
// leaving it. The program's receiver provides it; tests drive it with positions of their own.
#include "app/screens/navigation/NavigationTrack.h"

#include "platform/core/Types.h"

#include <cstdint>

namespace pelorvant {

class NavigationReceiver {
public:
    virtual ~NavigationReceiver() = default;
    // The position a WM_GPS_POSITION message carries (its wParam as the receiver posted it);
    // called once per message, which it then owns.
    virtual GeoPoint positionOf(std::uintptr_t wParam) const = 0;
    // Degrees; -999999 while no heading is recorded.
    virtual int getHeading() const = 0;
    virtual void restartTimeout() = 0;
    // Positions go to target from now on; the tab shows the view once a fix is known.
    virtual void start(int viewId, int returnView, int returnArgument, platform::WindowHandle target) = 0;
    virtual void detachWindow() = 0;
};

}  // namespace pelorvant
