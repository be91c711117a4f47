#include "platform/controls/ComboBox.h"

#include "platform/controls/Control.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/ControlStyle.h"
#include "platform/controls/ControlWindow.h"
#include "platform/controls/ListPainter.h"
#include "platform/draw/TextCase.h"
#include "platform/ui/Capture.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace platform::controls {
namespace {

using draw::Point;
using draw::Rect;

class ComboBox : public detail::Control {
public:
    const ui::MessageMapBase& messageMap() const override {
        static const auto map =
            ui::MessageMap<ComboBox>(&Control::messageMap())
                .message(ui::WM_DESTROY, &ComboBox::onDestroy)
                .message(ui::WM_LBUTTONDOWN, &ComboBox::onFingerDown)
                .message(ui::WM_LBUTTONDBLCLK, &ComboBox::onFingerDown)
                .message(ui::WM_KEYDOWN, &ComboBox::onKeyDown)
                .message(CB_ADDSTRING, &ComboBox::onAddString<CB_ADDSTRING>)
                .message(CB_INSERTSTRING, &ComboBox::onAddString<CB_INSERTSTRING>)
                .message(CB_DELETESTRING, &ComboBox::onDeleteString)
                .message(CB_RESETCONTENT, &ComboBox::onResetContent)
                .message(CB_GETCOUNT, &ComboBox::onGetCount)
                .message(CB_GETCURSEL, &ComboBox::onGetCurSel)
                .message(CB_SETCURSEL, &ComboBox::onSetCurSel)
                .message(CB_GETLBTEXT, &ComboBox::onGetLbText)
                .message(CB_FINDSTRING, &ComboBox::onFindString<CB_FINDSTRING>)
                .message(CB_FINDSTRINGEXACT, &ComboBox::onFindString<CB_FINDSTRINGEXACT>)
                .message(CB_SHOWDROPDOWN, &ComboBox::onShowDropDown)
                .message(CB_GETDROPPEDSTATE, &ComboBox::onGetDroppedState)
                .message(CB_SETMINVISIBLE, &ComboBox::onSetMinVisible)
                .message(CB_GETMINVISIBLE, &ComboBox::onGetMinVisible);
        return map;
    }

private:
    MsgResult onDestroy(std::uintptr_t, std::intptr_t) {
        if (list_ != kNullWindow) {
            ui::destroyWindow(list_);
            list_ = kNullWindow;
        }
        return 0;
    }

    void focusChanged() override {
        if (!focused()) {
            close(false);
        }
        detail::notifyParent(handle(), focused() ? CBN_SETFOCUS : CBN_KILLFOCUS);
    }

    MsgResult onFingerDown(std::uintptr_t, std::intptr_t) {
        const WindowHandle h = handle();
        if (ui::getFocus() != h) {
            ui::setFocus(h);
        }
        if (ui::getFocus() == h) {
            open();
        }
        return 0;
    }

    MsgResult onKeyDown(std::uintptr_t wp, std::intptr_t) {
        keyDown(static_cast<std::uint32_t>(wp));
        return 0;
    }

    template <std::uint32_t m>
    MsgResult onAddString(std::uintptr_t wp, std::intptr_t lp) {
        const auto* text = reinterpret_cast<const std::u16string*>(lp);
        if (!text) {
            return CB_ERR;
        }
        auto at = static_cast<std::intptr_t>(wp);
        const auto size = static_cast<std::intptr_t>(items_.size());
        if (m == CB_ADDSTRING || at < 0) {
            at = size;
        } else if (at > size) {
            return CB_ERR;
        }
        items_.insert(items_.begin() + at, *text);
        if (m == CB_INSERTSTRING && selected_ >= at) {
            ++selected_;
        }
        listChanged();
        return at;
    }

    MsgResult onDeleteString(std::uintptr_t wp, std::intptr_t) {
        const auto at = static_cast<std::intptr_t>(wp);
        if (at < 0 || at >= static_cast<std::intptr_t>(items_.size())) {
            return CB_ERR;
        }
        items_.erase(items_.begin() + at);
        if (selected_ == at) {
            selected_ = -1;
        } else if (selected_ > at) {
            --selected_;
        }
        listChanged();
        return static_cast<MsgResult>(items_.size());
    }

    MsgResult onResetContent(std::uintptr_t, std::intptr_t) {
        items_.clear();
        selected_ = -1;
        close(false);
        listChanged();
        return 0;
    }

    MsgResult onGetCount(std::uintptr_t, std::intptr_t) {
        return static_cast<MsgResult>(items_.size());
    }

    MsgResult onGetCurSel(std::uintptr_t, std::intptr_t) {
        return selected_ >= 0 ? selected_ : CB_ERR;
    }

    MsgResult onSetCurSel(std::uintptr_t wp, std::intptr_t) {
        const auto at = static_cast<std::intptr_t>(wp);
        if (at < 0 || at >= static_cast<std::intptr_t>(items_.size())) {
            setSelected(-1);
            return CB_ERR;
        }
        setSelected(at);
        return at;
    }

    MsgResult onGetLbText(std::uintptr_t wp, std::intptr_t lp) {
        const auto at = static_cast<std::intptr_t>(wp);
        auto* out = reinterpret_cast<std::u16string*>(lp);
        if (!out || at < 0 || at >= static_cast<std::intptr_t>(items_.size())) {
            return CB_ERR;
        }
        *out = items_[static_cast<std::size_t>(at)];
        return static_cast<MsgResult>(out->size());
    }

    template <std::uint32_t m>
    MsgResult onFindString(std::uintptr_t wp, std::intptr_t lp) {
        const auto* text = reinterpret_cast<const std::u16string*>(lp);
        return text ? find(static_cast<std::intptr_t>(wp), *text, m == CB_FINDSTRINGEXACT) : CB_ERR;
    }

    MsgResult onShowDropDown(std::uintptr_t wp, std::intptr_t) {
        if (wp) {
            open();
        } else {
            close(false);
        }
        return 1;
    }

    MsgResult onGetDroppedState(std::uintptr_t, std::intptr_t) {
        return list_ != kNullWindow ? 1 : 0;
    }

    MsgResult onSetMinVisible(std::uintptr_t wp, std::intptr_t) {
        if (wp == 0) {
            return 0;
        }
        visibleItems_ = static_cast<int>(std::min<std::uintptr_t>(wp, 100));
        return 1;
    }

    MsgResult onGetMinVisible(std::uintptr_t, std::intptr_t) { return visibleItems_; }

private:
    int itemHeight() const { return listRowHeight(font()); }
    int count() const { return static_cast<int>(items_.size()); }

    static bool startsWith(const std::u16string& s, const std::u16string& prefix, bool whole) {
        return whole ? draw::equalsIgnoringCase(s, prefix)
                     : draw::startsWithIgnoringCase(s, prefix);
    }

    // Searches from the item after `after` to the end, then from the start, as the customary
    // box does; ignores the case of letters, Czech and Slovak ones too.
    MsgResult find(std::intptr_t after, const std::u16string& text, bool whole) const {
        const int n = count();
        if (n == 0) {
            return CB_ERR;
        }
        const int first = (after < 0 || after >= n) ? 0 : static_cast<int>(after) + 1;
        for (int k = 0; k < n; ++k) {
            const int i = (first + k) % n;
            if (startsWith(items_[static_cast<std::size_t>(i)], text, whole)) {
                return i;
            }
        }
        return CB_ERR;
    }

    void listChanged() {
        ui::invalidateRect(handle());
        if (list_ != kNullWindow) {
            placeList();
            ui::invalidateRect(list_);
        }
    }

    void setSelected(std::intptr_t at) {
        if (selected_ != at) {
            selected_ = at;
            ui::invalidateRect(handle());
        }
    }

    // The user chose an item: the box shows it and the parent is told when it changed.
    void choose(std::intptr_t at) {
        if (at < 0 || at >= count() || at == selected_) {
            return;
        }
        setSelected(at);
        detail::notifyParent(handle(), CBN_SELCHANGE);
    }

    void keyDown(std::uint32_t vk) {
        if (list_ == kNullWindow) {
            if (vk == ui::VK_DOWN && selected_ + 1 < count()) {
                choose(selected_ + 1);
            } else if (vk == ui::VK_UP && selected_ > 0) {
                choose(selected_ - 1);
            } else if (vk == ui::VK_RETURN && count() > 0) {
                open();
            }
            return;
        }
        if (vk == ui::VK_DOWN && highlight_ + 1 < count()) {
            setHighlight(highlight_ + 1);
        } else if (vk == ui::VK_UP && highlight_ > 0) {
            setHighlight(highlight_ - 1);
        } else if (vk == ui::VK_RETURN) {
            close(true);
        } else if (vk == ui::VK_ESCAPE) {
            close(false);
        }
    }

    void setHighlight(std::intptr_t at) {
        highlight_ = at;
        const int shown = std::min(visibleItems_, count());
        if (highlight_ < top_) {
            top_ = static_cast<int>(highlight_);
        } else if (highlight_ >= top_ + shown) {
            top_ = static_cast<int>(highlight_) - shown + 1;
        }
        ui::invalidateRect(list_);
    }

    // The list below the box, or above it when the screen has no room below.
    void placeList() {
        const int shown = std::max(1, std::min(visibleItems_, count()));
        const int height = shown * itemHeight() + 2;
        const Rect box = ui::getWindowRect(handle());
        int top = box.bottom;
        if (top + height > ui::screenSize().height && box.top - height >= 0) {
            top = box.top - height;
        }
        top_ = std::max(0, std::min(top_, count() - shown));
        ui::moveWindow(list_, box.left, top, box.width(), height);
    }

    void open() {
        if (list_ != kNullWindow || !ui::isWindowEnabled(handle())) {
            return;
        }
        detail::notifyParent(handle(), CBN_DROPDOWN);
        if (list_ != kNullWindow) {
            return;  // the parent opened it meanwhile
        }
        highlight_ = selected_;
        top_ = 0;
        listPressed_ = false;
        ui::CreateParams p;
        p.className = "ComboLBox";
        p.style = ui::WS_POPUP | ui::WS_BORDER;
        p.exStyle = ui::WS_EX_TOPMOST;
        p.parent = handle();
        p.id = kComboListId;
        // The list goes before the box does (at the box's WM_DESTROY), so it may call the box.
        list_ = ui::createWindow(p, [this](WindowHandle w, std::uint32_t m, std::uintptr_t wp,
                                           std::intptr_t lp) { return listProc(w, m, wp, lp); });
        if (list_ == kNullWindow) {
            return;
        }
        placeList();
        if (highlight_ >= 0) {
            setHighlight(highlight_);
        }
        ui::showWindow(list_, ui::SW_SHOW);
        ui::setCapture(list_);
    }

    // Closes the open list; `take` chooses the highlighted item.
    void close(bool take) {
        if (list_ == kNullWindow) {
            return;
        }
        const WindowHandle list = list_;
        list_ = kNullWindow;
        if (ui::getCapture() == list) {
            ui::releaseCapture();
        }
        ui::destroyWindow(list);
        detail::notifyParent(handle(), CBN_CLOSEUP);
        if (take) {
            choose(highlight_);
        }
    }

    MsgResult listProc(WindowHandle w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) {
        switch (m) {
            case ui::WM_ERASEBKGND:
                return 1;
            case ui::WM_PAINT:
                paintList(w);
                return 0;
            case ui::WM_LBUTTONDOWN:
            case ui::WM_MOUSEMOVE: {
                const Point p{ui::xOfLParam(lp), ui::yOfLParam(lp)};
                if (m == ui::WM_LBUTTONDOWN) {
                    listPressed_ = true;
                }
                if (ui::getClientRect(w).contains(p)) {
                    const int at = top_ + p.y / itemHeight();
                    if (at < count() && at != highlight_) {
                        highlight_ = at;
                        ui::invalidateRect(w);
                    }
                }
                return 0;
            }
            case ui::WM_LBUTTONUP: {
                const Point p{ui::xOfLParam(lp), ui::yOfLParam(lp)};
                const bool onItem =
                    ui::getClientRect(w).contains(p) && top_ + p.y / itemHeight() < count();
                // The finger that opened the list comes up outside it: the list stays open.
                // Dragged from the box onto an item, it chooses that item.
                if (listPressed_ || onItem) {
                    close(onItem);
                }
                return 0;
            }
            case ui::WM_CAPTURECHANGED:
                // Something else took the finger input: the list cannot stay open.
                if (list_ == w) {
                    close(false);
                }
                return 0;
            default:
                return ui::defWindowProc(w, m, wp, lp);
        }
    }

    void paint() override { paintBox(handle()); }

    void paintBox(WindowHandle h) {
        ui::PaintContext paint(h);
        draw::DeviceContext& dc = paint.dc();
        const Rect client = ui::getClientRect(h);
        const bool enabled = ui::isWindowEnabled(h);
        dc.fillRect(client, kWindowColor);
        dc.selectFont(&font());
        dc.setBkMode(draw::BackgroundMode::Transparent);
        const int arrow = std::max(9, client.height());
        const Rect textRect{client.left + 1, client.top + 1, client.right - arrow,
                            client.bottom - 1};
        if (selected_ >= 0) {
            beginListRow(dc, textRect, focused(), enabled);
            drawListRowText(dc, items_[static_cast<std::size_t>(selected_)],
                            Rect{textRect.left + kListTextInset, textRect.top, textRect.right,
                                 textRect.bottom});
        }
        // The drop-down arrow: a small downward triangle at the right.
        const int cx = client.right - arrow / 2;
        const int cy = client.top + client.height() / 2;
        const int half = std::max(2, arrow / 5);
        const std::array<Point, 3> triangle = {Point{cx - half, cy - half / 2},
                                               Point{cx + half + 1, cy - half / 2},
                                               Point{cx, cy + half / 2 + 1}};
        dc.selectPen(draw::Pen{enabled ? kTextColor : kDisabledTextColor});
        dc.selectBrush(draw::Brush{enabled ? kTextColor : kDisabledTextColor});
        dc.polygon(triangle);
    }

    void paintList(WindowHandle w) {
        ui::PaintContext paint(w);
        draw::DeviceContext& dc = paint.dc();
        const Rect client = ui::getClientRect(w);
        dc.fillRect(client, kWindowColor);
        dc.selectFont(&font());
        dc.setBkMode(draw::BackgroundMode::Transparent);
        const int ih = itemHeight();
        for (int i = top_, y = 0; i < count() && y < client.height(); ++i, y += ih) {
            const Rect row{0, y, client.right, y + ih};
            beginListRow(dc, row, i == highlight_);
            drawListRowText(dc, items_[static_cast<std::size_t>(i)],
                            Rect{row.left + kListTextInset, row.top, row.right, row.bottom});
        }
    }

    WindowHandle list_ = kNullWindow;
    std::vector<std::u16string> items_;
    std::intptr_t selected_ = -1;
    std::intptr_t highlight_ = -1;
    int top_ = 0;
    int visibleItems_ = 6;
    bool listPressed_ = false;  // a finger went down while the list was open
};

}  // namespace

WindowProc comboBoxProc() {
    return detail::controlClassProc<ComboBox>();
}

}  // namespace platform::controls
