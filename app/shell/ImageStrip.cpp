#include "app/shell/ImageStrip.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/ImageNameRegistry.h"
#include "app/shell/ShellWindowClass.h"

#include "platform/core/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;
using platform::draw::Bitmap;

namespace {

Bitmap loadIfNamed(std::u16string_view name) {
    return name.empty() ? Bitmap{} : loadNamedImage(name);
}

}  // namespace

cImageStrip::cImageStrip(std::u16string_view normalName, std::u16string_view pressedName,
                         std::u16string_view focusedName, bool variants, int reportValue)
    : normal(loadIfNamed(normalName)),
      pressedImage(loadIfNamed(pressedName)),
      focused(loadIfNamed(focusedName)),
      variants(variants),
      reportValue(reportValue),
      hasImages(!normalName.empty()) {
    if (variants) {
        for (int i = 0; i < 3; ++i) {
            std::u16string name(pressedName);
            name += static_cast<char16_t>(u'1' + i);
            pressedItem[i] = loadNamedImage(name);
        }
    }
}

bool cImageStrip::createStrip(platform::WindowHandle parent, const Rect& rect, std::uintptr_t id) {
    return create(shellCreateParams(ui::WS_CHILD | ui::WS_VISIBLE, rect, parent, id));
}

void cImageStrip::setImages(std::u16string_view normalName, std::u16string_view pressedName,
                            bool stretchImages) {
    // Load both first, so that a failure leaves the strip as it was.
    Bitmap newNormal = loadIfNamed(normalName);
    Bitmap newPressed = loadIfNamed(pressedName);
    normal = std::move(newNormal);
    pressedImage = std::move(newPressed);
    hasImages = !normalName.empty();
    stretch = stretchImages;
    redraw();
}

int cImageStrip::itemAt(const Rect& client, platform::draw::Point p) {
    const int right = 2 * (p.x - client.left) >= client.width() ? 1 : 0;
    const int lower = 2 * (p.y - client.top) >= client.height() ? 1 : 0;
    return right + 2 * lower;
}

const Bitmap& cImageStrip::currentImage() const {
    if (!pressed) {
        return focusLook && !focused.empty() ? focused : normal;
    }
    if (variants && activeItem >= 1 && activeItem <= 3) {
        return pressedItem[activeItem - 1];
    }
    return pressedImage;
}

void cImageStrip::redraw() {
    ui::invalidateRect(handle(), nullptr, false);
}

void cImageStrip::OnPaint() {
    ui::PaintContext paint(handle());
    if (!hasImages) {
        return;
    }
    const Bitmap& image = currentImage();
    const Rect client = ui::getClientRect(handle());
    // A picture with transparent parts lies over the background, never over its own last
    // painting (the rounded corners would darken with every repaint).
    if (image.hasAlpha())
        defaultProc(ui::WM_ERASEBKGND, reinterpret_cast<std::uintptr_t>(&paint.dc()), 0);
    if (stretch) {
        paint.dc().stretchBlt(client, image, normal.bounds());
    } else {
        paint.dc().bitBlt(0, 0, client.width(), client.height(), image, 0, 0);
    }
}

MsgResult cImageStrip::OnEraseBackground(std::uintptr_t wParam, std::intptr_t lParam) {
    // Without images the strip shows its background; with them the picture covers it.
    return hasImages ? 1 : defaultProc(ui::WM_ERASEBKGND, wParam, lParam);
}

void cImageStrip::tellParent(std::uint32_t message, std::uintptr_t wParam) {
    platform::sendMessage(ui::getParent(handle()), message, wParam, 0);
}

MsgResult cImageStrip::OnFingerDown(std::uintptr_t, std::intptr_t) {
    fingerDown = true;
    pressed = true;
    redraw();
    return 0;
}

MsgResult cImageStrip::OnFingerMove(std::uintptr_t, std::intptr_t lParam) {
    if (!ui::getClientRect(handle()).contains({ui::xOfLParam(lParam), ui::yOfLParam(lParam)})) {
        pressed = false;
        focusLook = false;
        redraw();
    }
    return 0;
}

MsgResult cImageStrip::OnFingerUp(std::uintptr_t, std::intptr_t lParam) {
    if (!fingerDown) {
        return 0;
    }
    fingerDown = false;
    pressed = false;
    redraw();
    const auto value = static_cast<std::uintptr_t>(reportValue);
    if (variants) {
        activeItem = itemAt(ui::getClientRect(handle()), {ui::xOfLParam(lParam), ui::yOfLParam(lParam)});
        tellParent(WM_IMAGESTRIP_ITEM0 + static_cast<std::uint32_t>(activeItem), value);
    } else {
        tellParent(WM_IMAGEBUTTON_CLICK, value);
    }
    return 0;
}

MsgResult cImageStrip::OnKeyDown(std::uintptr_t vk, std::intptr_t) {
    fingerDown = true;
    if (vk == ui::VK_RETURN) {
        pressed = true;
    } else {
        tellParent(WM_IMAGEBUTTON_KEY, vk);
    }
    redraw();
    return 0;
}

MsgResult cImageStrip::OnKeyUp(std::uintptr_t vk, std::intptr_t) {
    if (!fingerDown) {
        return 0;
    }
    fingerDown = false;
    if (vk == ui::VK_RETURN) {
        tellParent(WM_IMAGEBUTTON_ENTER, ui::VK_RETURN);
    }
    pressed = false;
    redraw();
    return 0;
}

void cImageStrip::OnSetFocus() {
    focusLook = true;
    redraw();
}

void cImageStrip::OnKillFocus() {
    pressed = false;
    focusLook = false;
    redraw();
}

const ui::MessageMapBase& cImageStrip::messageMap() const {
    static const auto map = ui::MessageMap<cImageStrip>(&WindowObject::messageMap())
                                .message(ui::WM_PAINT, &cImageStrip::OnPaint)
                                .message(ui::WM_ERASEBKGND, &cImageStrip::OnEraseBackground)
                                .message(ui::WM_LBUTTONDOWN, &cImageStrip::OnFingerDown)
                                .message(ui::WM_LBUTTONDBLCLK, &cImageStrip::OnFingerDown)
                                .message(ui::WM_MOUSEMOVE, &cImageStrip::OnFingerMove)
                                .message(ui::WM_LBUTTONUP, &cImageStrip::OnFingerUp)
                                .message(ui::WM_KEYDOWN, &cImageStrip::OnKeyDown)
                                .message(ui::WM_KEYUP, &cImageStrip::OnKeyUp)
                                .message(ui::WM_SETFOCUS, &cImageStrip::OnSetFocus)
                                .message(ui::WM_KILLFOCUS, &cImageStrip::OnKillFocus);
    return map;
}

}  // namespace pelorvant
