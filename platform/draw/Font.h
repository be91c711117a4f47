#pragma once
// Fonts by pixel height and weight. The program asks for "Verdana" (or leaves the face empty);
// the font machinery draws DejaVu Sans in its place, found through fontconfig and rendered by
// FreeType. A positive height is the cell height (ascent + descent), a negative one the em
// size, as the program's font descriptions mean them.
//
// For logic tests a synthetic fixed-width metric can replace the real fonts: every character
// is height / 2 pixels wide (at least 1) and the cell is exactly `height` high, so layout
// arithmetic is exact; such fonts draw each visible character as a solid box.

#include "platform/draw/Geometry.h"

#include <memory>
#include <string>
#include <string_view>

namespace platform::draw {

struct FontSpec {
    std::string face = "Verdana";
    int height = 13;
    int weight = 400;  // 700 and above 600 is bold
    bool italic = false;
    bool underline = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct TextMetrics {
    int height = 0;  // ascent + descent
    int ascent = 0;
    int descent = 0;
    int averageCharWidth = 0;  // width of "x"
};

enum class TextMetricMode { Real, Synthetic };

// Chooses how fonts made from now on measure and draw; the default is Real.
void setTextMetricMode(TextMetricMode mode);
TextMetricMode textMetricMode();

class Font {
public:
    explicit Font(FontSpec spec);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    const FontSpec& spec() const { return spec_; }
    bool synthetic() const { return synthetic_; }
    const TextMetrics& metrics() const { return metrics_; }
    // Width of the text as drawn in one line, and the cell height.
    Size measure(std::u16string_view text) const;
    // Underline offset below the baseline and thickness, in pixels.
    int underlineOffset() const { return underlineOffset_; }
    int underlineThickness() const { return underlineThickness_; }

    // The font drawn when a context has none selected.
    static const Font& defaultFont();

    struct Impl;
    const Impl* impl() const { return impl_.get(); }

private:
    FontSpec spec_;
    bool synthetic_ = false;
    TextMetrics metrics_;
    int underlineOffset_ = 1;
    int underlineThickness_ = 1;
    std::unique_ptr<Impl> impl_;
};

// The width of one character of a synthetic font of the given height.
int syntheticCharWidth(int height);

}  // namespace platform::draw
