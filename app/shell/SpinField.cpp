#include "app/shell/SpinField.h"

#include "app/shell/DateTimeValue.h"
#include "app/shell/FieldControls.h"
#include "app/shell/FieldLook.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ShellWindowClass.h"

#include "platform/controls/Controls.h"
#include "platform/controls/UpDown.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Capture.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;

namespace {

int frameWidth() {
    return shellSettings().highResolution() ? 2 : 1;
}

}  // namespace

bool cSpinField::createSpin(platform::WindowHandle parent, const Rect& rect, std::uintptr_t id) {
    return create(shellCreateParams(ui::WS_CHILD | ui::WS_VISIBLE, rect, parent, id));
}

MsgResult cSpinField::OnCreate(std::uintptr_t, std::intptr_t) {
    controls::registerControlClasses();
    field.createField(handle(), Rect{0, 0, 10, 10});
    if (touchScreen()) {
        nowButton = createPushButton(handle(), u"A", kNowButtonId);
        ui::CreateParams u;
        u.className = std::string(controls::kUpDownClass);
        u.style = ui::WS_CHILD | ui::WS_VISIBLE;
        u.rect = Rect{0, 0, 10, 10};
        u.parent = handle();
        u.id = kSpinUpDownCreateId;
        upDown = ui::createWindow(u);
        ui::setDlgCtrlId(upDown, kSpinUpDownId);
        platform::sendMessage(upDown, controls::UDM_SETBUDDY, static_cast<std::uintptr_t>(handle()),
                              0);
    }
    return 0;
}

MsgResult cSpinField::OnSize(std::uintptr_t, std::intptr_t) {
    Layout();
    return 0;
}

void cSpinField::Layout() {
    const Rect client = ui::getClientRect(handle());
    const int w = client.width();
    const int h = client.height();
    const ShellSettings& s = shellSettings();
    const int fh = s.fontHeight();
    if (touchScreen()) {
        const int highRes = s.highResolution() ? 1 : 0;
        const int touch = s.touchFriendly() ? 1 : 0;
        const double k = fh * (1.0 + 0.25 * (1.0 + 1.5 * highRes) * touch);
        ui::moveWindow(nowButton, w - h, 0, h, h);
        ui::moveWindow(upDown, 0, 0, h * 3 / 4, h);
        ui::moveWindow(field.handle(), static_cast<int>(1.2 * k), 2,
                       static_cast<int>(w - 2 * k - 2 - h), h - 4);
    } else {
        ui::moveWindow(field.handle(), static_cast<int>(fh * 0.5), 1,
                       static_cast<int>(w - 1.5 * fh - 2), h - 2);
    }
}

std::time_t cSpinField::GetTime() const {
    return timeFromParts(field.parts);
}

bool cSpinField::IsValid() const {
    return isValidParts(field.parts);
}

void cSpinField::SetTime(std::time_t time) {
    field.parts = partsFromTime(time);
    ui::invalidateRect(field.handle());
}

void cSpinField::OnNowButton() {
    SetTime(currentTime());
    ui::setFocus(field.handle());
}

void cSpinField::OnDeltaPos(const ui::NotifyHeader& header, MsgResult& result) {
    const auto& notify = reinterpret_cast<const controls::UpDownNotify&>(header);
    if (ui::getFocus() != field.handle())
        ui::setFocus(field.handle());
    const bool down = notify.delta > 0;
    arrowZone = down ? 3 : 2;
    field.stepCurrent(!down);
    result = 0;
}

void cSpinField::OnSetFocus() {
    ui::setFocus(field.handle());
}

bool cSpinField::inDropDownZone(int x) const {
    const Rect client = ui::getClientRect(handle());
    const int h = client.height();
    const int fh = shellSettings().fontHeight();
    const double left = client.width() - h - fh / 3.0 - 1.5 * static_cast<int>(0.36 * h);
    return x > left && x < client.width() - h;
}

MsgResult cSpinField::OnFingerDown(std::uintptr_t, std::intptr_t lParam) {
    if (inDropDownZone(ui::xOfLParam(lParam))) {
        pressed = true;
        arrowZone = 1;
        ui::setCapture(handle());
        ui::invalidateRect(handle());
    }
    return 0;
}

MsgResult cSpinField::OnFingerUp(std::uintptr_t, std::intptr_t lParam) {
    if (!pressed)
        return 0;
    pressed = false;
    arrowZone = 0;
    ui::releaseCapture();
    ui::invalidateRect(handle());
    const Rect client = ui::getClientRect(handle());
    const int x = ui::xOfLParam(lParam);
    const int y = ui::yOfLParam(lParam);
    if (inDropDownZone(x) && y >= 0 && y < client.height()) {
        field.openCalendar();
    }
    return 0;
}

MsgResult cSpinField::OnFingerMove(std::uintptr_t, std::intptr_t lParam) {
    const Rect client = ui::getClientRect(handle());
    const int x = ui::xOfLParam(lParam);
    const int y = ui::yOfLParam(lParam);
    if (pressed && (x < 0 || y < 0 || x >= client.width() || y >= client.height())) {
        pressed = false;
        arrowZone = 0;
        ui::releaseCapture();
        ui::invalidateRect(handle());
    }
    return 0;
}

void cSpinField::OnPaint() {
    ui::PaintContext paint(handle());
    platform::draw::DeviceContext& dc = paint.dc();
    const Rect client = ui::getClientRect(handle());
    dc.fillRect(client, kWhite);
    const bool touch = touchScreen();
    if (field.focused || touch) {
        drawFrame(dc, client, frameWidth());
    }
    const int h = client.height();
    const int fh = shellSettings().fontHeight();
    const int markRight = touch ? client.width() - h : client.width();
    const int markWidth = fh / 3 + static_cast<int>(1.5 * static_cast<int>(0.36 * h));
    const Rect box{markRight - markWidth - 1, frameWidth(), markRight - 1, h - frameWidth()};
    const bool inverted = touch && pressed;
    if (inverted)
        dc.fillRect(box, kBlack);
    drawTriangle(dc, box, TriangleDirection::Down, inverted ? kWhite : kBlack);
}

const ui::MessageMapBase& cSpinField::messageMap() const {
    static const auto map =
        ui::MessageMap<cSpinField>(&WindowObject::messageMap())
            .command(kNowButtonId, &cSpinField::OnNowButton)
            .notify(kSpinUpDownId, controls::UDN_DELTAPOS, &cSpinField::OnDeltaPos)
            .message(ui::WM_CREATE, &cSpinField::OnCreate)
            .message(ui::WM_SIZE, &cSpinField::OnSize)
            .message(ui::WM_SETFOCUS, &cSpinField::OnSetFocus)
            .message(ui::WM_LBUTTONDOWN, &cSpinField::OnFingerDown)
            .message(ui::WM_LBUTTONUP, &cSpinField::OnFingerUp)
            .message(ui::WM_MOUSEMOVE, &cSpinField::OnFingerMove)
            .message(ui::WM_PAINT, &cSpinField::OnPaint);
    return map;
}

}  // namespace pelorvant
