// The progress view's wait for a GPS fix: a search from the current position (or any view that
// needs one) waits here while the receiver finds its device and a valid signal. The fix that
// ends the wait goes on to the view that waited; a receiver that gives up is reported.
#include "app/core/GpsReceiver.h"
#include "app/core/PrivateMessages.h"
#include "app/screens/progress/ProgressFormView.h"
#include "app/screens/progress/ProgressTexts.h"
#include "app/screens/progress/TabServices.h"
#include "app/shell/ShellSettings.h"

#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"

#include <memory>

namespace pelorvant {

using platform::MsgResult;
using platform::resources::loadResString;

namespace {

constexpr std::uint32_t kTextGpsNotFound = 432;

}  // namespace

void cProgressFormView::showGpsWaitText(bool deviceFound) {
    showTitle(deviceFound ? kTextGpsWaiting : kTextGpsConnecting);
    const DetailRows rows = gpsWaitDetails(deviceFound, shellSettings().fontHeight());
    setDetailColumns(rows.left, rows.right);
}

void cProgressFormView::startGpsWait(int viewId, platform::WindowHandle waiting) {
    endLastOperation();
    mode_ = ProgressMode::GpsWait;
    // One operation at a time: the tabs stay as they are until the wait is over.
    context_.settings->idle = false;
    gpsWaitView_ = viewId;
    gpsWaiting_ = waiting;
    setBar(0);
    const Rect client = platform::ui::getClientRect(handle());
    Layout(0, client.width(), client.height());
    showGpsWaitText(false);
    if (context_.gps == nullptr) {
        // No receiver in this program: the wait ends as with a receiver that gave up.
        platform::postMessage(handle(), WM_GPS_STOPPED, 0, 0);
        return;
    }
    if (context_.gps->start(waiting, handle()) == cGpsReceiver::StartResult::ShowViewNow) {
        // A fix is known already: the view goes on with it at once.
        if (const std::optional<GpsPosition> known = context_.gps->position()) {
            OnGpsPosition(reinterpret_cast<std::uintptr_t>(new GpsPosition(*known)), 1);
        }
    }
}

MsgResult cProgressFormView::OnGpsPosition(std::uintptr_t wParam, std::intptr_t) {
    std::unique_ptr<GpsPosition> fix = cGpsReceiver::takePosition(wParam);
    if (mode_ != ProgressMode::GpsWait || !fix)
        return 0;
    setBar(100);
    const platform::WindowHandle waiting = leaveGpsWait();
    // The positions that follow go to the view that waited.
    if (context_.gps != nullptr)
        context_.gps->start(waiting, handle());
    showViewThatWaited();
    platform::sendMessage(waiting, WM_GPS_POSITION, reinterpret_cast<std::uintptr_t>(fix.release()),
                          1);
    return 0;
}

MsgResult cProgressFormView::OnGpsNoFix(std::uintptr_t, std::intptr_t) {
    if (mode_ == ProgressMode::GpsWait)
        showGpsWaitText(true);
    return 0;
}

MsgResult cProgressFormView::OnGpsStopped(std::uintptr_t, std::intptr_t) {
    if (mode_ != ProgressMode::GpsWait)
        return 0;
    showWarning(loadResString(kTextGpsNotFound));
    endGpsWaitWithoutFix();
    return 0;
}

void cProgressFormView::endGpsWaitWithoutFix() {
    const platform::WindowHandle waiting = leaveGpsWait();
    if (context_.gps != nullptr)
        context_.gps->detachWindow();
    showViewThatWaited();
    platform::sendMessage(waiting, WM_GPS_STOPPED, 0, 0);
}

platform::WindowHandle cProgressFormView::leaveGpsWait() {
    mode_ = ProgressMode::None;
    context_.settings->idle = true;
    const platform::WindowHandle waiting = gpsWaiting_;
    gpsWaiting_ = platform::kNullWindow;
    return waiting;
}

void cProgressFormView::showViewThatWaited() {
    if (TabServices* tab = parentTabServices(handle()))
        tab->showView(gpsWaitView_, -1);
}

}  // namespace pelorvant
