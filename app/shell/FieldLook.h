#pragma once
// What the entry fields share when they draw: the selection colours, the grey of secondary
// text, the frame and the small filled triangles of drop-down marks and arrows.

#include "platform/draw/Color.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Font.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pelorvant {

// White on this blue marks the selected item or digit.
inline constexpr platform::draw::Color kSelectionColor = platform::draw::rgb(49, 150, 214);
inline constexpr platform::draw::Color kSecondaryTextColor = platform::draw::rgb(110, 110, 110);
inline constexpr platform::draw::Color kWhite = platform::draw::rgb(255, 255, 255);
inline constexpr platform::draw::Color kBlack = platform::draw::rgb(0, 0, 0);
// The outline of a field that has not the focus.
inline constexpr platform::draw::Color kIdleFrameColor = platform::draw::rgb(160, 160, 160);

// A Verdana font of the height (weight 400 unless told); the caller owns it.
std::unique_ptr<platform::draw::Font> makeVerdana(int height, bool italic = false);

// A text fitted whole into a field: Verdana as large as fits, at most `largest` high, on one
// line, or on two lines split at a space when one line would need a font much smaller than
// `largest`; made again only when the text or the room change.
class FittedText {
public:
    void fit(std::u16string_view text, int largest, int width, int height);
    // Draws the lines centred in the rectangle's height from its left edge.
    void draw(platform::draw::DeviceContext& dc, const platform::draw::Rect& rect,
              platform::draw::Color color) const;
    const platform::draw::Font* font() const { return font_.get(); }
    const std::vector<std::u16string>& lines() const { return lines_; }

private:
    std::unique_ptr<platform::draw::Font> font_;
    std::vector<std::u16string> lines_;
    std::u16string text_;
    int largest_ = -1;
    int width_ = -1;
    int height_ = -1;
};

// A frame of `width` pixels inside the rectangle, black unless told.
void drawFrame(platform::draw::DeviceContext& dc, const platform::draw::Rect& rect, int width,
               platform::draw::Color color = kBlack);

enum class TriangleDirection { Down, Left, Right };
// A filled triangle centred in the box.
void drawTriangle(platform::draw::DeviceContext& dc, const platform::draw::Rect& box,
                  TriangleDirection direction, platform::draw::Color color);

}  // namespace pelorvant
