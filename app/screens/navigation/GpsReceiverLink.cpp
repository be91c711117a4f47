#include "app/screens/navigation/GpsReceiverLink.h"

#include "app/core/GpsReceiver.h"
#include "app/core/PrivateMessages.h"
#include "app/screens/progress/TabServices.h"

#include "platform/core/MessageLoop.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

GeoPoint GpsReceiverLink::positionOf(std::uintptr_t wParam) const {
    const std::unique_ptr<GpsPosition> position = cGpsReceiver::takePosition(wParam);
    return position ? GeoPoint{position->latitude, position->longitude} : GeoPoint{};
}

int GpsReceiverLink::getHeading() const { return context_.gps != nullptr ? context_.gps->getHeading() : kGpsNoHeading; }

void GpsReceiverLink::restartTimeout() {
    if (context_.gps != nullptr) context_.gps->restartTimeout();
}

void GpsReceiverLink::start(int viewId, int, int, platform::WindowHandle target) {
    if (TabServices* tab = parentTabServices(target)) tab->showView(viewId, -1);
    if (context_.gps == nullptr) {
        platform::postMessage(target, WM_GPS_STOPPED, 0, 0);
        return;
    }
    // The view is its own waiting window: every message of the receiver comes to it.
    context_.gps->start(target, target);
}

void GpsReceiverLink::detachWindow() {
    if (context_.gps != nullptr) context_.gps->detachWindow();
}

}  // namespace pelorvant
