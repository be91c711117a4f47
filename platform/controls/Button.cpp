#include "platform/controls/Button.h"

#include "platform/controls/Control.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/ControlStyle.h"
#include "platform/controls/ControlWindow.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowTree.h"

namespace platform::controls {
namespace {

using draw::Rect;

class Button : public detail::Control {
public:
    const ui::MessageMapBase& messageMap() const override {
        static const auto map = ui::MessageMap<Button>(&Control::messageMap())
                                    .message(ui::WM_SETTEXT, &Button::onSetText)
                                    .message(ui::WM_LBUTTONDOWN, &Button::onFingerDown)
                                    .message(ui::WM_LBUTTONDBLCLK, &Button::onFingerDown)
                                    .message(ui::WM_MOUSEMOVE, &Button::onFingerMove)
                                    .message(ui::WM_LBUTTONUP, &Button::onFingerUp)
                                    .message(ui::WM_CAPTURECHANGED, &Button::onCaptureChanged)
                                    .message(ui::WM_KEYDOWN, &Button::onKeyDown)
                                    .message(BM_CLICK, &Button::onClick)
                                    .message(BM_GETCHECK, &Button::onGetCheck)
                                    .message(BM_SETCHECK, &Button::onSetCheck)
                                    .message(BM_GETSTATE, &Button::onGetState)
                                    .message(BM_SETSTATE, &Button::onSetState);
        return map;
    }

private:
    MsgResult onSetText(std::uintptr_t wp, std::intptr_t lp) {
        ui::invalidateRect(handle());
        return defaultProc(ui::WM_SETTEXT, wp, lp);
    }
    MsgResult onFingerDown(std::uintptr_t, std::intptr_t) {
        ui::setFocus(handle());
        tracking_ = true;
        setPushed(handle(), true);
        return 0;
    }
    MsgResult onFingerMove(std::uintptr_t, std::intptr_t lp) {
        if (tracking_) {
            setPushed(handle(), inside(handle(), lp));
        }
        return 0;
    }
    MsgResult onFingerUp(std::uintptr_t, std::intptr_t lp) {
        const bool click = tracking_ && inside(handle(), lp);
        tracking_ = false;
        setPushed(handle(), false);
        if (click) {
            clicked(handle());
        }
        return 0;
    }
    MsgResult onCaptureChanged(std::uintptr_t, std::intptr_t) {
        tracking_ = false;
        setPushed(handle(), false);
        return 0;
    }
    MsgResult onKeyDown(std::uintptr_t wp, std::intptr_t) {
        if (wp == ui::VK_SPACE || wp == ui::VK_RETURN) {
            clicked(handle());
        }
        return 0;
    }
    MsgResult onClick(std::uintptr_t, std::intptr_t) {
        clicked(handle());
        return 0;
    }
    MsgResult onGetCheck(std::uintptr_t, std::intptr_t) { return check_; }
    MsgResult onSetCheck(std::uintptr_t wp, std::intptr_t) {
        setCheck(handle(), wp == 1 ? BST_CHECKED : BST_UNCHECKED);
        return 0;
    }
    MsgResult onGetState(std::uintptr_t, std::intptr_t) {
        return check_ | (pushed_ ? BST_PUSHED : 0) | (focused() ? BST_FOCUS : 0);
    }
    MsgResult onSetState(std::uintptr_t wp, std::intptr_t) {
        setPushed(handle(), wp != 0);
        return 0;
    }

    static std::uint32_t kind(WindowHandle h) { return ui::getStyle(h) & BS_TYPEMASK; }
    static bool isCheckBox(std::uint32_t k) { return k == BS_CHECKBOX || k == BS_AUTOCHECKBOX; }
    static bool isRadio(std::uint32_t k) { return k == BS_RADIOBUTTON || k == BS_AUTORADIOBUTTON; }

    static bool inside(WindowHandle h, std::intptr_t lp) {
        return ui::getClientRect(h).contains(draw::Point{ui::xOfLParam(lp), ui::yOfLParam(lp)});
    }

    void setPushed(WindowHandle h, bool pushed) {
        if (pushed_ != pushed) {
            pushed_ = pushed;
            ui::invalidateRect(h);
        }
    }

    void setCheck(WindowHandle h, MsgResult check) {
        if (check_ != check) {
            check_ = check;
            ui::invalidateRect(h);
        }
    }

    void clicked(WindowHandle h) {
        const std::uint32_t k = kind(h);
        if (k == BS_AUTOCHECKBOX) {
            setCheck(h, check_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        } else if (k == BS_AUTORADIOBUTTON) {
            // The automatic radio buttons of one parent form one group.
            for (WindowHandle sibling : ui::getChildren(ui::getParent(h))) {
                if (sibling != h && ui::getClassName(sibling) == "Button" &&
                    (ui::getStyle(sibling) & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
                    sendMessage(sibling, BM_SETCHECK, 0);
                }
            }
            setCheck(h, BST_CHECKED);
        }
        detail::notifyParent(h, BN_CLICKED);
    }

    void paint() override {
        const WindowHandle h = handle();
        ui::PaintContext paint(h);
        draw::DeviceContext& dc = paint.dc();
        const Rect client = ui::getClientRect(h);
        const std::uint32_t k = kind(h);
        const std::u16string text = ui::getWindowText(h);
        const bool enabled = ui::isWindowEnabled(h);
        dc.selectFont(&font());
        dc.setBkMode(draw::BackgroundMode::Transparent);
        dc.setTextColor(enabled ? kTextColor : kDisabledTextColor);
        if (!isCheckBox(k) && !isRadio(k)) {
            dc.fillRect(client, pushed_ ? kPushedColor : kFaceColor);
            drawFrame(dc, client, kFrameColor);
            if (focused() || k == BS_DEFPUSHBUTTON) {
                drawFrame(
                    dc, Rect{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1},
                    kFrameColor);
            }
            dc.drawText(text, client,
                        draw::kTextSingleLine | draw::kTextVCenter | draw::kTextCenter);
            return;
        }
        dc.fillRect(client, kWindowColor);
        const int box = std::min(client.height(), dc.textMetrics().height);
        const int top = client.top + (client.height() - box) / 2;
        const Rect mark{client.left, top, client.left + box, top + box};
        const draw::Color frame = enabled ? kFrameColor : kDisabledTextColor;
        const draw::Color dot = enabled ? kSelectionColor : kDisabledTextColor;
        const int inset = std::max(2, box / 4);
        const Rect inner{mark.left + inset, mark.top + inset, mark.right - inset,
                         mark.bottom - inset};
        if (isRadio(k)) {
            // Radio buttons are round: a ring, and a disc inside while chosen.
            dc.selectPen(draw::Pen{frame});
            dc.selectBrush(draw::Brush{pushed_ ? kFaceColor : kWindowColor});
            dc.ellipse(mark);
            if (check_ == BST_CHECKED) {
                dc.selectPen(draw::Pen{dot});
                dc.selectBrush(draw::Brush{dot});
                dc.ellipse(inner);
            }
        } else {
            dc.fillRect(mark, pushed_ ? kFaceColor : kWindowColor);
            drawFrame(dc, mark, frame);
            if (check_ == BST_CHECKED) {
                dc.fillRect(inner, dot);
            }
        }
        Rect label{mark.right + 4, client.top, client.right, client.bottom};
        if (focused()) {
            const int w = dc.textExtent(text).width;
            dc.fillRect(
                Rect{label.left - 1, top, std::min(label.right, label.left + w + 1), top + box},
                kSelectionColor);
            dc.setTextColor(kSelectionTextColor);
        }
        dc.drawText(text, label, draw::kTextSingleLine | draw::kTextVCenter);
    }

    MsgResult check_ = BST_UNCHECKED;
    bool pushed_ = false;
    bool tracking_ = false;
};

}  // namespace

WindowProc buttonProc() {
    return detail::controlClassProc<Button>();
}

}  // namespace platform::controls
