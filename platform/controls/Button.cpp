#include "platform/controls/Button.h"

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

class ButtonState {
public:
    explicit ButtonState(WindowHandle) {}

    MsgResult handle(WindowHandle h, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) {
        MsgResult result = 0;
        if (detail::handleFontMessage(h, font_, m, wp, lp, result)) {
            return result;
        }
        if (detail::handleOwnPainting(
                h, m, wp, lp, [&] { paint(h); }, result)) {
            return result;
        }
        switch (m) {
            case ui::WM_CREATE:
                return 0;
            case ui::WM_SETTEXT:
                ui::invalidateRect(h);
                return ui::defWindowProc(h, m, wp, lp);
            case ui::WM_SETFOCUS:
            case ui::WM_KILLFOCUS:
                focused_ = m == ui::WM_SETFOCUS;
                ui::invalidateRect(h);
                return 0;
            case ui::WM_LBUTTONDOWN:
            case ui::WM_LBUTTONDBLCLK:
                ui::setFocus(h);
                tracking_ = true;
                setPushed(h, true);
                return 0;
            case ui::WM_MOUSEMOVE:
                if (tracking_) {
                    setPushed(h, inside(h, lp));
                }
                return 0;
            case ui::WM_LBUTTONUP: {
                const bool click = tracking_ && inside(h, lp);
                tracking_ = false;
                setPushed(h, false);
                if (click) {
                    clicked(h);
                }
                return 0;
            }
            case ui::WM_CAPTURECHANGED:
                tracking_ = false;
                setPushed(h, false);
                return 0;
            case ui::WM_KEYDOWN:
                if (wp == ui::VK_SPACE || wp == ui::VK_RETURN) {
                    clicked(h);
                }
                return 0;
            case BM_CLICK:
                clicked(h);
                return 0;
            case BM_GETCHECK:
                return check_;
            case BM_SETCHECK:
                setCheck(h, wp == 1 ? BST_CHECKED : BST_UNCHECKED);
                return 0;
            case BM_GETSTATE:
                return check_ | (pushed_ ? BST_PUSHED : 0) | (focused_ ? BST_FOCUS : 0);
            case BM_SETSTATE:
                setPushed(h, wp != 0);
                return 0;
            default:
                return ui::defWindowProc(h, m, wp, lp);
        }
    }

private:
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

    void paint(WindowHandle h) {
        ui::PaintContext paint(h);
        draw::DeviceContext& dc = paint.dc();
        const Rect client = ui::getClientRect(h);
        const std::uint32_t k = kind(h);
        const std::u16string text = ui::getWindowText(h);
        const bool enabled = ui::isWindowEnabled(h);
        dc.selectFont(font_ ? font_ : &controlFont());
        dc.setBkMode(draw::BackgroundMode::Transparent);
        dc.setTextColor(enabled ? kTextColor : kDisabledTextColor);
        if (!isCheckBox(k) && !isRadio(k)) {
            dc.fillRect(client, pushed_ ? kPushedColor : kFaceColor);
            drawFrame(dc, client, kFrameColor);
            if (focused_ || k == BS_DEFPUSHBUTTON) {
                drawFrame(
                    dc, Rect{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1},
                    kFrameColor);
            }
            dc.drawText(text, client, draw::kTextSingleLine | draw::kTextVCenter | draw::kTextCenter);
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
        if (focused_) {
            const int w = dc.textExtent(text).width;
            dc.fillRect(
                Rect{label.left - 1, top, std::min(label.right, label.left + w + 1), top + box},
                kSelectionColor);
            dc.setTextColor(kSelectionTextColor);
        }
        dc.drawText(text, label, draw::kTextSingleLine | draw::kTextVCenter);
    }

    const draw::Font* font_ = nullptr;
    MsgResult check_ = BST_UNCHECKED;
    bool pushed_ = false;
    bool tracking_ = false;
    bool focused_ = false;
};

}  // namespace

WindowProc buttonProc() {
    return detail::controlClassProc<ButtonState>();
}

}  // namespace platform::controls
