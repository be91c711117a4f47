#include "app/program/tabs/TabStrip.h"

#include "app/core/PrivateMessages.h"
#include "app/program/tabs/TabColors.h"
#include "app/program/tabs/TabFitting.h"
#include "app/program/tabs/TabHost.h"
#include "app/shell/ShellWindowClass.h"

#include "platform/core/MessageLoop.h"
#include "platform/draw/DeviceContext.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <string>

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;

namespace {

std::u16string closeImageName(int size) {
    const std::string digits = "tab_close_" + std::to_string(size);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

cTabStrip::cTabStrip(cTabHost& host) : host_(host) {
    const int h = scaledFontHeight();
    platform::draw::FontSpec spec;
    spec.face = "Verdana";
    spec.height = std::max(1, static_cast<int>(h * 0.8));
    font = std::make_unique<platform::draw::Font>(spec);
    headerPadding = h / 2;
    heightPadding = h / 5;
    closeSize = std::max(11, static_cast<int>(h * 0.85));
    closeInset = h / 10;
    activeExtra = tabPageGap();
    closeButton = std::make_unique<cImageStrip>(u"", u"", u"", false, 1);
}

bool cTabStrip::createHeader(platform::WindowHandle hostWindow, int x, int headerIndex) {
    index = headerIndex;
    if (!create(shellCreateParams(ui::WS_CHILD | ui::WS_VISIBLE, Rect::fromSize(x, 0, 50, 50), hostWindow,
                                  kTabHeaderId))) {
        return false;
    }
    closeButton->createStrip(handle(), Rect::fromSize(0, 0, closeSize, closeSize), kTabCloseButtonId);
    ui::showWindow(closeButton->handle(), ui::SW_HIDE);
    return true;
}

bool cTabStrip::isActive() const { return host_.activeIndex == index; }

void cTabStrip::resizeWindow() {
    const Rect r = ui::getWindowRectInParent(handle());
    ui::moveWindow(handle(), r.left, 1, width, (isActive() ? height + activeExtra : height) - 1);
}

void cTabStrip::SetTitle(std::u16string_view text) {
    title = std::u16string(text);
    shownText = title;
    ui::setWindowText(handle(), title);
    const platform::draw::Size size = font->measure(title);
    width = naturalWidth = headerPadding + scaledFontHeight() / 7 + closeSize + size.width;
    height = heightPadding + size.height;
    resizeWindow();
    ui::moveWindow(closeButton->handle(), width - closeInset - closeSize, closeInset, closeSize, closeSize);
    ui::invalidateRect(handle());
}

void cTabStrip::Refresh(bool reserveClose) {
    int available = width - headerPadding;
    if (reserveClose) available -= closeInset + closeSize;
    const platform::draw::Size full = font->measure(title);
    if (full.width > available) {
        const int letter = font->measure(u"a").width;
        std::u16string shortened;
        for (char16_t c : title) {
            const std::u16string next = shortened + c;
            if (font->measure(next).width + letter >= available) break;
            shortened = next;
        }
        shownText = shortened + u"..";
    } else {
        shownText = title;
    }
    height = full.height + heightPadding;
    resizeWindow();
    closeSize = closeImageSize(closeSize);
    ui::moveWindow(closeButton->handle(), width - closeSize - closeInset, closeInset, closeSize, closeSize);
    const std::u16string image = closeImageName(closeSize);
    closeButton->setImages(image, image, true);
    ui::invalidateRect(handle());
}

void cTabStrip::placeAt(int x) {
    const Rect r = ui::getWindowRectInParent(handle());
    ui::moveWindow(handle(), x, 1, r.width(), r.height());
}

void cTabStrip::OnPaint() {
    ui::PaintContext paint(handle());
    auto& dc = paint.dc();
    const Rect client = ui::getClientRect(handle());
    ui::showWindow(closeButton->handle(), ui::SW_HIDE);
    const bool active = isActive();
    if (active) {
        dc.fillRect(client, kTabLightBlue);
        dc.fillRect(Rect{0, client.bottom - 1, client.right, client.bottom}, kTabDarkGrey);
        if (focusHighlight) {
            dc.fillRect(Rect{0, 0, client.right, client.bottom - activeExtra / 2}, kTabBlue);
        }
        dc.fillRect(Rect{0, 0, 1, client.bottom}, kTabBlue);
        dc.fillRect(Rect{0, 0, client.right, 1}, kTabBlue);
        dc.fillRect(Rect{client.right - 1, 0, client.right, client.bottom}, kTabBlue);
        ui::showWindow(closeButton->handle(), ui::SW_SHOW);
    } else {
        dc.fillRect(client, kTabPaleBlue);
    }
    dc.selectFont(font.get());
    dc.setBkMode(platform::draw::BackgroundMode::Transparent);
    dc.setTextColor(active && focusHighlight ? platform::draw::rgb(255, 255, 255) : platform::draw::rgb(0, 0, 0));
    const platform::draw::Size text = font->measure(shownText);
    const int x = std::max(headerPadding / 2, (width - text.width - closeSize) / 2 - headerPadding / 2);
    const int h = active ? client.height() + 1 - activeExtra : client.height() + 2;
    int y = (h - text.height) / 2;
    if (y < 1) y += 2;
    dc.textOut(x, y, shownText);
}

MsgResult cTabStrip::OnFingerDown(std::uintptr_t, std::intptr_t) {
    pressed = true;
    ui::invalidateRect(handle());
    if (!isActive()) host_.headerTapped(index);
    return 0;
}

MsgResult cTabStrip::OnFingerUp(std::uintptr_t, std::intptr_t) {
    pressed = false;
    ui::invalidateRect(handle());
    return 0;
}

MsgResult cTabStrip::OnCloseClick(std::uintptr_t wParam, std::intptr_t lParam) {
    const bool wasPressed = pressed;
    pressed = false;
    if (!wasPressed) platform::sendMessage(host_.handle(), WM_IMAGEBUTTON_CLICK, wParam, lParam);
    return 0;
}

const platform::ui::MessageMapBase& cTabStrip::messageMap() const {
    static const auto map = platform::ui::MessageMap<cTabStrip>()
                                .message(ui::WM_PAINT, &cTabStrip::OnPaint)
                                .message(ui::WM_LBUTTONDOWN, &cTabStrip::OnFingerDown)
                                .message(ui::WM_LBUTTONDBLCLK, &cTabStrip::OnFingerDown)
                                .message(ui::WM_LBUTTONUP, &cTabStrip::OnFingerUp)
                                .message(WM_IMAGEBUTTON_CLICK, &cTabStrip::OnCloseClick);
    return map;
}

}  // namespace pelorvant
