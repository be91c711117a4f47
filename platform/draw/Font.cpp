#include "platform/draw/Font.h"

#include "platform/draw/FontFaces.h"
#include "platform/draw/FontImpl.h"
#include "platform/draw/Utf.h"

#include <cairo-ft.h>
#include <cairo.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>

namespace platform::draw {
namespace {

std::atomic<TextMetricMode> gMode{TextMetricMode::Real};

// Keeps absurd heights from a caller's arithmetic away from the rasteriser.
constexpr int kMaxHeight = 1000;

cairo_font_options_t* fontOptions() {
    static cairo_font_options_t* options = [] {
        cairo_font_options_t* o = cairo_font_options_create();
        cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_ON);
        cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_SLIGHT);
        return o;
    }();
    return options;
}

cairo_scaled_font_t* makeScaled(cairo_font_face_t* face, double em) {
    cairo_matrix_t fm;
    cairo_matrix_t ctm;
    cairo_matrix_init_scale(&fm, em, em);
    cairo_matrix_init_identity(&ctm);
    return cairo_scaled_font_create(face, &fm, &ctm, fontOptions());
}

}  // namespace

void setTextMetricMode(TextMetricMode mode) {
    gMode = mode;
}
TextMetricMode textMetricMode() {
    return gMode;
}

int syntheticCharWidth(int height) {
    return std::max(1, std::abs(height) / 2);
}

Font::Impl::~Impl() {
    if (scaled) {
        cairo_scaled_font_destroy(scaled);
    }
}

Font::Font(FontSpec spec) : spec_(std::move(spec)), synthetic_(gMode == TextMetricMode::Synthetic) {
    const int h = std::clamp(spec_.height == 0 ? 13 : std::abs(spec_.height), 1, kMaxHeight);
    if (synthetic_) {
        metrics_.height = h;
        metrics_.descent = h / 5;
        metrics_.ascent = h - metrics_.descent;
        metrics_.averageCharWidth = syntheticCharWidth(h);
        underlineOffset_ = 0;
        underlineThickness_ = 1;
        return;
    }
    cairo_font_face_t* face =
        detail::findFace(detail::substituteFamily(spec_.face), spec_.weight >= 600, spec_.italic);
    double em = h;
    if (spec_.height > 0) {
        // A cell height: find the em size whose ascent + descent gives it.
        cairo_scaled_font_t* probe = makeScaled(face, 1000.0);
        cairo_font_extents_t fe;
        cairo_scaled_font_extents(probe, &fe);
        cairo_scaled_font_destroy(probe);
        const double cell = (fe.ascent + fe.descent) / 1000.0;
        if (cell > 0.1) {
            em = h / cell;
        }
    }
    impl_ = std::make_unique<Impl>();
    impl_->scaled = makeScaled(face, em);
    cairo_font_extents_t fe;
    cairo_scaled_font_extents(impl_->scaled, &fe);
    metrics_.ascent = static_cast<int>(std::lround(fe.ascent));
    metrics_.descent = static_cast<int>(std::lround(fe.descent));
    metrics_.height = metrics_.ascent + metrics_.descent;
    metrics_.averageCharWidth = measure(u"x").width;
    underlineOffset_ = std::max(1, static_cast<int>(std::lround(em * 0.08)));
    underlineThickness_ = std::max(1, static_cast<int>(std::lround(em * 0.045)));
    if (cairo_font_face_get_type(face) == CAIRO_FONT_TYPE_FT) {
        if (FT_Face ft = cairo_ft_scaled_font_lock_face(impl_->scaled)) {
            if (ft->units_per_EM > 0 && ft->underline_thickness > 0) {
                const double unit = em / ft->units_per_EM;
                underlineOffset_ =
                    std::max(1, static_cast<int>(std::lround(-ft->underline_position * unit)));
                underlineThickness_ =
                    std::max(1, static_cast<int>(std::lround(ft->underline_thickness * unit)));
            }
            cairo_ft_scaled_font_unlock_face(impl_->scaled);
        }
    }
}

Font::~Font() = default;

Size Font::measure(std::u16string_view text) const {
    if (synthetic_) {
        int units = 0;
        for (char16_t c : text) {
            units += (c >= 0xDC00 && c < 0xE000) ? 0 : 1;  // a surrogate pair is one character
        }
        return Size{units * metrics_.averageCharWidth, metrics_.height};
    }
    if (text.empty()) {
        return Size{0, metrics_.height};
    }
    const std::string utf8 = toUtf8(text);
    cairo_text_extents_t te;
    cairo_scaled_font_text_extents(impl_->scaled, utf8.c_str(), &te);
    return Size{static_cast<int>(std::lround(te.x_advance)), metrics_.height};
}

const Font& Font::defaultFont() {
    // One per metric mode: each is made while its mode is the current one.
    if (gMode == TextMetricMode::Synthetic) {
        static const Font synthetic(FontSpec{"Verdana", 13, 400, false, false});
        return synthetic;
    }
    static const Font real(FontSpec{"Verdana", 13, 400, false, false});
    return real;
}

}  // namespace platform::draw
