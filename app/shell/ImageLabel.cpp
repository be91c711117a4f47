#include "app/shell/ImageLabel.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/ShellException.h"
#include "app/shell/ShellSettings.h"

#include "platform/controls/ScrollBar.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/VirtualKeys.h"

#include <algorithm>
#include <cstdio>

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;

void ImageLabel::SetText(std::u16string_view markup) {
    const Rect client = ui::getClientRect(handle());
    const int wc = client.width();
    wrapWidth = scrollingOn ? wc - static_cast<int>(1.3 * scrollBarWidth()) : wc;
    markupText = std::u16string(markup);
    LabelLayoutOptions options;
    options.wrapWidth = wrapWidth;
    options.fontHeight = shellSettings().fontHeight();
    options.highResolution = shellSettings().highResolution();
    options.indentWraps = indentWraps;
    try {
        layout_ = layOutLabelText(markupText, options, fonts_);
    } catch (const ShellException& e) {
        // A faulty text is the program's own fault, never the traveller's: it is reported and
        // shown with the faulty image tokens as written, and the program goes on.
        std::fprintf(stderr, "pelorvant: %s in a label text\n", e.what());
        options.strictImages = false;
        layout_ = layOutLabelText(markupText, options, fonts_);
    }
    textHeight = layout_.textHeight;
    scrollPos = 0;
    redrawBitmap(0);
    SetContentHeight(textHeight);
    ui::invalidateRect(handle(), nullptr, false);
}

void ImageLabel::SetTextWithIndent(std::u16string_view markup, bool indent) {
    indentWraps = indent;
    try {
        SetText(markup);
    } catch (...) {
        indentWraps = false;
        throw;
    }
    indentWraps = false;
}

void ImageLabel::setColors(const LabelColors& newColors) {
    colors = newColors;
    redrawBitmap(bitmapTop_);
    ui::invalidateRect(handle(), nullptr, false);
}

void ImageLabel::redrawBitmap(int top) {
    const Rect client = ui::getClientRect(handle());
    const int full = std::max(textHeight, client.height());
    const int height = std::min(full, std::max(kLabelBitmapMaxHeight, client.height()));
    // Keep the part in view inside the bitmap, as far down as the text goes.
    bitmapTop_ = std::clamp(top, 0, std::max(0, full - height));
    if (bitmap_.width() != client.width() || bitmap_.height() != height) {
        bitmap_ = platform::draw::Bitmap(client.width(), height, colors.background);
    }
    if (bitmap_.empty()) {
        return;
    }
    platform::draw::DeviceContext dc(bitmap_);
    try {
        renderLabel(layout_, dc, client.width(), height, bitmapTop_, shellSettings().fontHeight(),
                    colors, fonts_);
    } catch (const ShellException& e) {
        // An image that no longer loads leaves the rest of the text drawn; painting never
        // ends the program.
        std::fprintf(stderr, "pelorvant: %s while drawing a label\n", e.what());
    }
}

void ImageLabel::OnPaint() {
    ui::PaintContext paint(handle());
    const Rect client = ui::getClientRect(handle());
    if (scrollPos < bitmapTop_ || scrollPos + client.height() > bitmapTop_ + bitmap_.height()) {
        redrawBitmap(scrollPos);
    }
    paint.dc().bitBlt(0, 0, client.width(), client.height(), bitmap_, 0, scrollPos - bitmapTop_);
}

MsgResult ImageLabel::OnEraseBackground(std::uintptr_t, std::intptr_t) {
    return 1;  // the bitmap covers the whole client area
}

void ImageLabel::ScrollTo(int position) {
    scrollPos = position;
    ui::invalidateRect(handle(), nullptr, false);
}

int ImageLabel::lineAtScrollPos() const {
    int bottom = 0;
    const int lines = static_cast<int>(layout_.lineHeights.size());
    for (int i = 0; i < lines; ++i) {
        bottom += layout_.lineHeights[i];
        if (bottom > scrollPos) {
            return i;
        }
    }
    return lines - 1;
}

void ImageLabel::scrollByKey(bool up) {
    const int line = lineAtScrollPos();
    if (line < 0) {
        return;
    }
    const int lineHeight = layout_.lineHeights[line];
    const int clientHeight = ui::getClientRect(handle()).height();
    int target = scrollPos;
    if (up) {
        if (scrollPos <= 0) {
            return;
        }
        target = scrollPos - std::min(lineHeight, scrollPos);
    } else {
        if (clientHeight + scrollPos >= textHeight) {
            return;
        }
        target = scrollPos + std::min(lineHeight, textHeight - clientHeight - scrollPos);
    }
    if (scrollBarVisible()) {
        platform::controls::ScrollInfo info;
        info.mask = platform::controls::SIF_POS;
        info.pos = target;
        platform::controls::setScrollInfo(scrollBar, info, true);
    }
    ScrollTo(target);
}

void ImageLabel::ScrollLine(bool up) {
    scrollByKey(up);
}

MsgResult ImageLabel::OnKeyDown(std::uintptr_t vk, std::intptr_t lParam) {
    if (vk == ui::VK_DOWN || vk == ui::VK_UP) {
        scrollByKey(vk == ui::VK_UP);
        return 0;
    }
    return defaultProc(ui::WM_KEYDOWN, vk, lParam);
}

MsgResult ImageLabel::OnTap(std::uintptr_t wParam, std::intptr_t lParam) {
    platform::sendMessage(ui::getParent(handle()), WM_LABEL_TAPPED, 0, 0);
    return OnFingerDown(wParam, lParam);
}

const ui::MessageMapBase& ImageLabel::messageMap() const {
    static const auto map = ui::MessageMap<ImageLabel>(&cScrollList::messageMap())
                                .message(ui::WM_PAINT, &ImageLabel::OnPaint)
                                .message(ui::WM_ERASEBKGND, &ImageLabel::OnEraseBackground)
                                .message(ui::WM_KEYDOWN, &ImageLabel::OnKeyDown)
                                .message(ui::WM_LBUTTONDOWN, &ImageLabel::OnTap)
                                .message(ui::WM_LBUTTONDBLCLK, &ImageLabel::OnTap);
    return map;
}

}  // namespace pelorvant
