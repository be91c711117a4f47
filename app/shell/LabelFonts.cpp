#include "app/shell/LabelFonts.h"

namespace pelorvant {

void LabelFontState::toggle(char16_t letter) {
    switch (letter) {
        case u'b':
            bold = !bold;
            break;
        case u'i':
            italic = !italic;
            break;
        case u'u':
            underline = !underline;
            break;
        default:
            break;
    }
}

const platform::draw::Font& LabelFonts::font(const LabelFontState& s) {
    const bool synthetic =
        platform::draw::textMetricMode() == platform::draw::TextMetricMode::Synthetic;
    const Key key{s.height, s.bold, s.italic, s.underline, synthetic};
    auto& slot = fonts_[key];
    if (!slot) {
        slot = std::make_unique<platform::draw::Font>(
            platform::draw::FontSpec{"Verdana", s.height, s.bold ? 700 : 400, s.italic, s.underline});
    }
    return *slot;
}

}  // namespace pelorvant
