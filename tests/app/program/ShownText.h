#pragma once
// Whether a shot of the program's window shows a text, drawn as the program draws its texts:
// in the real fonts at a cell height of 10 to 40 pixels, regular or bold, in `ink` on a plain
// `paper`, anywhere inside an area. The text is found pixel for pixel, so a shot that shows
// another text, or the same text in another colour, does not count.
#include "platform/draw/Bitmap.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Font.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace pelorvant::testing {

inline constexpr platform::draw::Rect kAnywhere{0, 0, 100000, 100000};

class ShownText {
public:
    explicit ShownText(std::u16string_view text,
                       platform::draw::Color ink = platform::draw::rgb(0, 0, 0),
                       platform::draw::Color paper = platform::draw::rgb(255, 255, 255)) {
        using namespace platform::draw;
        for (int height = 10; height <= 40; ++height) {
            for (const int weight : {400, 700}) {
                const Font font(FontSpec{"Verdana", height, weight});
                const Size size = font.measure(text);
                Bitmap drawn(size.width + 4, size.height + 2, paper);
                {
                    DeviceContext dc(drawn);
                    dc.selectFont(&font);
                    dc.setTextColor(ink);
                    dc.setBkMode(BackgroundMode::Transparent);
                    dc.textOut(2, 1, text);
                }
                addInk(drawn, pixelOf(paper) & 0xFFFFFFu);
            }
        }
    }

    bool in(const platform::draw::Bitmap& shot, platform::draw::Rect area = kAnywhere) const {
        return where(shot, area).has_value();
    }
    // The middle of the text where the shot shows it first; nothing when it does not.
    std::optional<platform::draw::Point> where(const platform::draw::Bitmap& shot,
                                               platform::draw::Rect area = kAnywhere) const {
        for (const Look& look : looks_) {
            if (const std::optional<platform::draw::Point> at = found(look, shot, area))
                return platform::draw::Point{at->x + look.width / 2, at->y + look.height / 2};
        }
        return std::nullopt;
    }

private:
    // The ink's bounding box of one font's drawing, as rows of pixels.
    struct Look {
        int width = 0;
        int height = 0;
        std::vector<std::uint32_t> pixels;
    };

    void addInk(const platform::draw::Bitmap& drawn, std::uint32_t plain) {
        int left = drawn.width(), top = drawn.height(), right = -1, bottom = -1;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                if ((drawn.row(y)[x] & 0xFFFFFFu) != plain) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        if (right < 0)
            return;
        Look look{right - left + 1, bottom - top + 1, {}};
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x)
                look.pixels.push_back(drawn.row(y)[x] & 0xFFFFFFu);
        }
        looks_.push_back(std::move(look));
    }

    static std::optional<platform::draw::Point> found(const Look& look, const platform::draw::Bitmap& shot,
                                                      platform::draw::Rect area) {
        const int x0 = std::max(0, area.left);
        const int y0 = std::max(0, area.top);
        const int x1 = std::min(shot.width(), area.right) - look.width;
        const int y1 = std::min(shot.height(), area.bottom) - look.height;
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                if (matches(look, shot, x, y))
                    return platform::draw::Point{x, y};
            }
        }
        return std::nullopt;
    }

    static bool matches(const Look& look, const platform::draw::Bitmap& shot, int x, int y) {
        const std::uint32_t* want = look.pixels.data();
        for (int ty = 0; ty < look.height; ++ty) {
            const std::uint32_t* got = shot.row(y + ty) + x;
            for (int tx = 0; tx < look.width; ++tx, ++want) {
                if ((got[tx] & 0xFFFFFFu) != *want)
                    return false;
            }
        }
        return true;
    }

    std::vector<Look> looks_;
};

}  // namespace pelorvant::testing
