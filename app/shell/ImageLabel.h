#pragma once
// The program's rich-text label: markup text (LabelLayout.h) laid out into lines of the
// label's width, drawn once into an off-screen bitmap and, when taller than the label,
// scrolled by the arrow keys, the scroll bar and the finger. A tap tells the parent
// (WM_LABEL_TAPPED).

#include "app/shell/LabelFonts.h"
#include "app/shell/LabelLayout.h"
#include "app/shell/LabelRenderer.h"
#include "app/shell/ScrollList.h"

#include "platform/draw/Bitmap.h"

#include <string>
#include <string_view>

namespace pelorvant {

// Texts taller than this are drawn in parts of this height as they scroll into view.
inline constexpr int kLabelBitmapMaxHeight = 4096;

class ImageLabel : public cScrollList {
public:
    explicit ImageLabel(bool scrolling) { scrollingOn = scrolling; }

    // Parses, lays out and draws the text and scrolls back to the top. An image token naming
    // no registered image, or an image that does not load, is reported on the error stream and
    // shown as the text it is written with: a label never throws.
    void SetText(std::u16string_view markup);
    // SetText with every wrapped line indented by a space when `indent` is set.
    void SetTextWithIndent(std::u16string_view markup, bool indent);
    int GetTextHeight() const { return textHeight; }
    void setColors(const LabelColors& colors);

    void ScrollTo(int position) override;
    void ScrollLine(bool up) override;

    const LabelLayout& layout() const { return layout_; }
    // The off-screen picture of the text (or of the part in view for very tall texts).
    const platform::draw::Bitmap& offscreen() const { return bitmap_; }

    int wrapWidth = 0;
    int textHeight = 0;
    std::u16string markupText;
    bool indentWraps = false;
    LabelColors colors;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void redrawBitmap(int top);
    // The line at the scroll position: the first whose bottom lies below it.
    int lineAtScrollPos() const;
    void scrollByKey(bool up);
    void OnPaint();
    platform::MsgResult OnEraseBackground(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnKeyDown(std::uintptr_t vk, std::intptr_t lParam);
    platform::MsgResult OnTap(std::uintptr_t wParam, std::intptr_t lParam);

    LabelFonts fonts_;
    LabelLayout layout_;
    platform::draw::Bitmap bitmap_;
    int bitmapTop_ = 0;  // the text position of the bitmap's first row
};

}  // namespace pelorvant
