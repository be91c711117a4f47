#include "app/screens/other/LabelPlainText.h"

namespace pelorvant {

namespace {
constexpr char16_t kZeroWidthSpace = u'\u200B';
}

std::u16string plainLabelText(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        const bool opensTag = (text[i] == u'<' || text[i] == u'#') && i + 1 < text.size() && text[i + 1] == u'*';
        const bool closesImage = text[i] == u'*' && i + 1 < text.size() && text[i + 1] == u'#';
        if (opensTag || closesImage) out += kZeroWidthSpace;
    }
    return out;
}

}  // namespace pelorvant
