#pragma once
// The navigation view's link to the program's GPS receiver. The view itself waits for the
// first fix (its map says "Mapa není k dispozici" meanwhile), so the receiver sends every
// message to the view; when the receiver cannot be opened, the view is told it gave up.
#include "app/core/ProgramContext.h"
#include "app/screens/navigation/NavigationReceiver.h"

namespace pelorvant {

class GpsReceiverLink final : public NavigationReceiver {
public:
    // The context must outlive the link; its receiver is looked up on every call, as it is
    // made at the end of the start-up.
    explicit GpsReceiverLink(ProgramContext& context) : context_(context) {}

    GeoPoint positionOf(std::uintptr_t wParam) const override;
    int getHeading() const override;
    void restartTimeout() override;
    void start(int viewId, int returnView, int returnArgument, platform::WindowHandle target) override;
    void detachWindow() override;

private:
    ProgramContext& context_;
};

}  // namespace pelorvant
