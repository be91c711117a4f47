#include "platform/controls/Edit.h"

#include "platform/controls/Clipboard.h"
#include "platform/controls/Control.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/ControlStyle.h"
#include "platform/controls/ControlWindow.h"
#include "platform/controls/EditLines.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace platform::controls {
namespace {

using draw::Rect;

constexpr char16_t kCtrlC = 0x03;
constexpr char16_t kCtrlV = 0x16;
constexpr char16_t kCtrlX = 0x18;
constexpr int kMargin = 2;

class Edit : public detail::Control {
public:
    const ui::MessageMapBase& messageMap() const override {
        static const auto map = ui::MessageMap<Edit>(&Control::messageMap())
                                    .message(ui::WM_CREATE, &Edit::onCreate)
                                    .message(ui::WM_SETTEXT, &Edit::onSetText)
                                    .message(ui::WM_GETTEXT, &Edit::onGetText)
                                    .message(ui::WM_LBUTTONDOWN, &Edit::onFingerDown)
                                    .message(ui::WM_LBUTTONDBLCLK, &Edit::onFingerDown)
                                    .message(ui::WM_MOUSEMOVE, &Edit::onFingerMove)
                                    .message(ui::WM_LBUTTONUP, &Edit::onFingerUp)
                                    .message(ui::WM_CAPTURECHANGED, &Edit::onFingerUp)
                                    .message(ui::WM_KEYDOWN, &Edit::onKeyDown)
                                    .message(ui::WM_KEYUP, &Edit::onKeyUp)
                                    .message(ui::WM_CHAR, &Edit::onChar)
                                    .message(EM_GETSEL, &Edit::onGetSel)
                                    .message(EM_SETSEL, &Edit::onSetSel)
                                    .message(EM_SCROLLCARET, &Edit::onScrollCaret)
                                    .message(EM_REPLACESEL, &Edit::onReplaceSel)
                                    .message(EM_LIMITTEXT, &Edit::onLimitText)
                                    .message(EM_SETREADONLY, &Edit::onSetReadOnly)
                                    .message(WM_COPY, &Edit::onCopy)
                                    .message(WM_CUT, &Edit::onCut)
                                    .message(WM_PASTE, &Edit::onPaste)
                                    .message(WM_CLEAR, &Edit::onClear);
        return map;
    }

private:
    void fontChanged() override { scrollToCaret(handle()); }
    MsgResult onCreate(std::uintptr_t, std::intptr_t lp) {
        const auto* params = reinterpret_cast<const ui::CreateParams*>(lp);
        if (params) {
            text_ = params->text;
        }
        return 0;
    }

    MsgResult onSetText(std::uintptr_t, std::intptr_t lp) {
        const WindowHandle h = handle();
        const auto* text = reinterpret_cast<const std::u16string*>(lp);
        if (!text) {
            return 0;
        }
        text_ = *text;
        anchor_ = caret_ = 0;
        scroll_ = 0;
        firstLine_ = 0;
        changed(h);
        return 1;
    }

    MsgResult onGetText(std::uintptr_t, std::intptr_t lp) {
        auto* out = reinterpret_cast<std::u16string*>(lp);
        if (!out) {
            return 0;
        }
        *out = text_;
        return static_cast<MsgResult>(out->size());
    }

    void focusChanged() override {
        detail::notifyParent(handle(), focused() ? EN_SETFOCUS : EN_KILLFOCUS);
    }

    MsgResult onFingerDown(std::uintptr_t, std::intptr_t lp) {
        const WindowHandle h = handle();
        if (ui::getFocus() != h) {
            ui::setFocus(h);
        }
        selecting_ = true;
        anchor_ = caret_ = hit(h, ui::xOfLParam(lp), ui::yOfLParam(lp));
        scrollToCaret(h);
        ui::invalidateRect(h);
        return 0;
    }

    MsgResult onFingerMove(std::uintptr_t, std::intptr_t lp) {
        const WindowHandle h = handle();
        if (selecting_) {
            caret_ = hit(h, ui::xOfLParam(lp), ui::yOfLParam(lp));
            scrollToCaret(h);
            ui::invalidateRect(h);
        }
        return 0;
    }

    MsgResult onFingerUp(std::uintptr_t, std::intptr_t) {
        selecting_ = false;
        return 0;
    }

    MsgResult onKeyDown(std::uintptr_t wp, std::intptr_t) {
        const WindowHandle h = handle();
        keyDown(h, static_cast<std::uint32_t>(wp));
        return 0;
    }

    MsgResult onKeyUp(std::uintptr_t wp, std::intptr_t) {
        if (wp == ui::VK_SHIFT) {
            shift_ = false;
        }
        return 0;
    }

    MsgResult onChar(std::uintptr_t wp, std::intptr_t) {
        const WindowHandle h = handle();
        character(h, static_cast<char16_t>(wp));
        return 0;
    }

    MsgResult onGetSel(std::uintptr_t wp, std::intptr_t lp) {
        auto* start = reinterpret_cast<int*>(wp);
        auto* end = reinterpret_cast<int*>(lp);
        const int s = static_cast<int>(selStart());
        const int e = static_cast<int>(selEnd());
        if (start) {
            *start = s;
        }
        if (end) {
            *end = e;
        }
        return static_cast<MsgResult>(
            ui::makeWParam(static_cast<unsigned>(s), static_cast<unsigned>(e)));
    }

    MsgResult onSetSel(std::uintptr_t wp, std::intptr_t lp) {
        const WindowHandle h = handle();
        setSelection(h, static_cast<std::intptr_t>(wp), lp);
        return 0;
    }

    MsgResult onScrollCaret(std::uintptr_t, std::intptr_t) {
        const WindowHandle h = handle();
        scrollToCaret(h);
        ui::invalidateRect(h);
        return 1;
    }

    MsgResult onReplaceSel(std::uintptr_t, std::intptr_t lp) {
        const WindowHandle h = handle();
        const auto* text = reinterpret_cast<const std::u16string*>(lp);
        if (text) {
            replaceSelection(h, *text);
        }
        return 0;
    }

    MsgResult onLimitText(std::uintptr_t wp, std::intptr_t) {
        limit_ = wp;
        return 0;
    }

    MsgResult onSetReadOnly(std::uintptr_t wp, std::intptr_t) {
        const WindowHandle h = handle();
        const std::uint32_t style = ui::getStyle(h);
        ui::setStyle(h, wp ? (style | ES_READONLY) : (style & ~ES_READONLY));
        ui::invalidateRect(h);
        return 1;
    }

    MsgResult onCopy(std::uintptr_t, std::intptr_t) {
        copy();
        return 0;
    }

    MsgResult onCut(std::uintptr_t, std::intptr_t) {
        const WindowHandle h = handle();
        if (!readOnly(h)) {
            copy();
            replaceSelection(h, u"");
        }
        return 0;
    }

    MsgResult onPaste(std::uintptr_t, std::intptr_t) {
        const WindowHandle h = handle();
        if (!readOnly(h) && clipboardHasText()) {
            replaceSelection(h, clipboardText());
        }
        return 0;
    }

    MsgResult onClear(std::uintptr_t, std::intptr_t) {
        const WindowHandle h = handle();
        if (!readOnly(h)) {
            replaceSelection(h, u"");
        }
        return 0;
    }

private:
    static bool readOnly(WindowHandle h) { return (ui::getStyle(h) & ES_READONLY) != 0; }
    std::size_t selStart() const { return std::min(anchor_, caret_); }
    std::size_t selEnd() const { return std::max(anchor_, caret_); }
    static bool multiLine(WindowHandle h) { return (ui::getStyle(h) & ES_MULTILINE) != 0; }
    int lineHeight() const { return font().metrics().height; }

    // The text's lines as the edit shows them now.
    EditLines lines(WindowHandle h) const {
        const int width = std::max(1, ui::getClientRect(h).width() - 2 * kMargin);
        const bool multi = multiLine(h);
        return EditLines(font(), text_, width, multi,
                         multi && (ui::getStyle(h) & ES_AUTOHSCROLL) == 0);
    }

    // The margin above the lines of a multi-line edit: less in a box hardly taller than one
    // line, so that the line is shown whole.
    int topMargin(WindowHandle h) const {
        return std::clamp((ui::getClientRect(h).height() - lineHeight()) / 2, 0, kMargin);
    }

    // How many whole lines the client area shows (at least one).
    int visibleLines(WindowHandle h) const {
        return std::max(1, (ui::getClientRect(h).height() - 2 * topMargin(h)) / lineHeight());
    }

    // The top of a shown line: a single line is centred, several start at the margin.
    int lineTop(WindowHandle h, std::size_t line) const {
        const Rect client = ui::getClientRect(h);
        if (!multiLine(h)) {
            return client.top + (client.height() - lineHeight()) / 2;
        }
        return client.top + topMargin(h) +
               (static_cast<int>(line) - static_cast<int>(firstLine_)) * lineHeight();
    }

    // The caret position nearest to a client point.
    std::size_t hit(WindowHandle h, int x, int y) const {
        const EditLines l = lines(h);
        std::size_t line = 0;
        if (multiLine(h)) {
            const int top = topMargin(h);
            const int row = (y - top) < 0 ? -1 : (y - top) / lineHeight();
            line = static_cast<std::size_t>(
                std::clamp<long long>(static_cast<long long>(firstLine_) + row, 0,
                                      static_cast<long long>(l.count()) - 1));
        }
        return l.positionAt(line, x - kMargin + scroll_);
    }

    // Steps over a line break ("\r\n") as over one character.
    std::size_t previousPosition(std::size_t p) const {
        if (p >= 2 && text_[p - 1] == u'\n' && text_[p - 2] == u'\r') {
            return p - 2;
        }
        return p > 0 ? p - 1 : 0;
    }
    std::size_t nextPosition(std::size_t p) const {
        if (p + 1 < text_.size() && text_[p] == u'\r' && text_[p + 1] == u'\n') {
            return p + 2;
        }
        return std::min(p + 1, text_.size());
    }

    void scrollToCaret(WindowHandle h) {
        const EditLines l = lines(h);
        const std::size_t line = l.lineOf(caret_);
        const int visible = std::max(1, ui::getClientRect(h).width() - 2 * kMargin);
        const int x = l.xOf(caret_);
        if (x < scroll_) {
            scroll_ = x;
        } else if (x > scroll_ + visible - 1) {
            scroll_ = x - visible + 1;
        }
        // Never leave empty room on the right while text lies hidden on the left.
        const int lineWidth = font().measure(l.textOf(line)).width;
        scroll_ = std::max(0, std::min(scroll_, std::max(0, lineWidth - visible + 1)));
        if (multiLine(h)) {
            const std::size_t rows = static_cast<std::size_t>(visibleLines(h));
            if (line < firstLine_) {
                firstLine_ = line;
            } else if (line >= firstLine_ + rows) {
                firstLine_ = line - rows + 1;
            }
            firstLine_ = std::min(firstLine_, l.count() > rows ? l.count() - rows : 0);
        }
    }

    void setSelection(WindowHandle h, std::intptr_t start, std::intptr_t end) {
        const auto size = static_cast<std::intptr_t>(text_.size());
        if (start < 0) {
            anchor_ = caret_;  // -1 removes the selection, the caret stays
        } else {
            const std::intptr_t e = (end < 0 || end > size) ? size : end;
            anchor_ = static_cast<std::size_t>(std::min(start, size));
            caret_ = static_cast<std::size_t>(e);
        }
        ui::invalidateRect(h);
    }

    void moveCaret(WindowHandle h, std::size_t to) {
        caret_ = to;
        if (!shift_) {
            anchor_ = caret_;
        }
        scrollToCaret(h);
        ui::invalidateRect(h);
    }

    void keyDown(WindowHandle h, std::uint32_t vk) {
        switch (vk) {
            case ui::VK_SHIFT:
                shift_ = true;
                break;
            case ui::VK_LEFT:
                if (!shift_ && anchor_ != caret_) {
                    moveCaret(h, selStart());
                } else {
                    moveCaret(h, previousPosition(caret_));
                }
                break;
            case ui::VK_RIGHT:
                if (!shift_ && anchor_ != caret_) {
                    moveCaret(h, selEnd());
                } else {
                    moveCaret(h, nextPosition(caret_));
                }
                break;
            case ui::VK_UP:
            case ui::VK_DOWN:
                if (multiLine(h)) {
                    // To the same x on the line above or below; nothing beyond the first or last.
                    const EditLines l = lines(h);
                    const std::size_t line = l.lineOf(caret_);
                    if (vk == ui::VK_UP ? line > 0 : line + 1 < l.count()) {
                        moveCaret(
                            h, l.positionAt(vk == ui::VK_UP ? line - 1 : line + 1, l.xOf(caret_)));
                    }
                }
                break;
            case ui::VK_HOME:
            case ui::VK_END: {
                // The start or end of the caret's line (of the whole text on one line).
                const EditLines l = lines(h);
                const draw::TextLine& line = l.line(l.lineOf(caret_));
                moveCaret(h, vk == ui::VK_HOME ? line.start : line.start + line.length);
                break;
            }
            case ui::VK_DELETE:
                if (readOnly(h)) {
                    break;
                }
                if (anchor_ == caret_ && caret_ < text_.size()) {
                    caret_ = nextPosition(caret_);
                }
                replaceSelection(h, u"");
                break;
            default:
                break;
        }
    }

    void character(WindowHandle h, char16_t c) {
        if (c == kCtrlC) {
            copy();
            return;
        }
        if (c == kCtrlX) {
            windowProc(WM_CUT, 0, 0);
            return;
        }
        if (c == kCtrlV) {
            windowProc(WM_PASTE, 0, 0);
            return;
        }
        if (readOnly(h)) {
            return;
        }
        if (c == u'\b') {
            if (anchor_ == caret_ && caret_ > 0) {
                anchor_ = previousPosition(caret_);
            }
            if (anchor_ != caret_) {
                replaceSelection(h, u"");
            }
            return;
        }
        if ((c == u'\r' || c == u'\n') && multiLine(h)) {
            replaceSelection(h, u"\r\n");
            return;
        }
        if (c < 0x20 || c == 0x7F) {
            return;  // Enter, Tab, Escape and other controls are not text
        }
        replaceSelection(h, std::u16string(1, c));
    }

    void copy() const {
        if (anchor_ != caret_) {
            setClipboardText(std::u16string_view(text_).substr(selStart(), selEnd() - selStart()));
        }
    }

    void replaceSelection(WindowHandle h, std::u16string_view with) {
        const std::size_t start = selStart();
        const std::size_t removed = selEnd() - start;
        std::u16string_view insert = with;
        if (limit_ > 0) {
            const std::size_t room =
                text_.size() - removed < limit_ ? limit_ - (text_.size() - removed) : 0;
            if (insert.size() > room) {
                insert = insert.substr(0, room);
                detail::notifyParent(h, EN_MAXTEXT);
            }
        }
        if (removed == 0 && insert.empty()) {
            return;
        }
        text_.replace(start, removed, insert);
        anchor_ = caret_ = start + insert.size();
        scrollToCaret(h);
        changed(h);
    }

    // The text changed: the window's own copy follows (for searches and dumps), the look is
    // redrawn, and the parent learns of it in the customary order.
    void changed(WindowHandle h) {
        ui::defWindowProc(h, ui::WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(&text_));
        ui::invalidateRect(h);
        detail::notifyParent(h, EN_UPDATE);
        detail::notifyParent(h, EN_CHANGE);
    }

    void paint() override {
        const WindowHandle h = handle();
        ui::PaintContext paint(h);
        draw::DeviceContext& dc = paint.dc();
        const Rect client = ui::getClientRect(h);
        const bool enabled = ui::isWindowEnabled(h);
        // A read-only edit keeps black text on a neutral ground; only a disabled one is grey.
        dc.fillRect(client, readOnly(h) ? kReadOnlyColor : kWindowColor);
        dc.selectFont(&font());
        dc.intersectClip(
            Rect{client.left + kMargin, client.top, client.right - kMargin, client.bottom});
        dc.setBkMode(draw::BackgroundMode::Transparent);
        const int height = lineHeight();
        const int x0 = kMargin - scroll_;
        const draw::Color ink = enabled ? kTextColor : kDisabledTextColor;
        const EditLines l = lines(h);
        const std::size_t last =
            multiLine(h)
                ? std::min(l.count(), firstLine_ + static_cast<std::size_t>(visibleLines(h)) + 1)
                : 1;
        for (std::size_t i = multiLine(h) ? firstLine_ : 0; i < last; ++i) {
            const draw::TextLine& line = l.line(i);
            const int top = lineTop(h, i);
            const auto xIn = [&](std::size_t p) {
                return x0 +
                       font()
                           .measure(std::u16string_view(text_).substr(line.start, p - line.start))
                           .width;
            };
            dc.setTextColor(ink);
            dc.textOut(x0, top, l.textOf(i));
            const std::size_t from = std::max(selStart(), line.start);
            const std::size_t to = std::min(selEnd(), line.start + line.length);
            if (focused() && from < to) {
                // The selected part again, white on the selection colour.
                dc.fillRect(Rect{xIn(from), top, xIn(to), top + height}, kSelectionColor);
                dc.setTextColor(kSelectionTextColor);
                dc.textOut(xIn(from), top, std::u16string_view(text_).substr(from, to - from));
            }
        }
        if (focused()) {
            const int x = x0 + l.xOf(caret_);
            const int top = lineTop(h, l.lineOf(caret_));
            dc.fillRect(Rect{x, top, x + 1, top + height}, kTextColor);
        }
    }

    std::u16string text_;
    std::size_t anchor_ = 0;
    std::size_t caret_ = 0;
    std::size_t limit_ = 0;
    int scroll_ = 0;             // pixels of text hidden on the left
    std::size_t firstLine_ = 0;  // the top shown line of a multi-line edit
    bool selecting_ = false;
    bool shift_ = false;
};

}  // namespace

WindowProc editProc() {
    return detail::controlClassProc<Edit>();
}

}  // namespace platform::controls
