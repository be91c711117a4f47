#include "app/core/LabelPlainText.h"

namespace pelorvant {

namespace {
constexpr char16_t kZeroWidthSpace = u'\u200B';
}

std::u16string plainLabelText(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        out += c < u' ' ? u' ' : c;
        // A "<" or "#" at the end is broken too: the markup that follows the text is not its own.
        const bool last = i + 1 == text.size();
        const bool opensTag = (c == u'<' || c == u'#') && (last || text[i + 1] == u'*');
        const bool closesImage = c == u'*' && !last && text[i + 1] == u'#';
        if (opensTag || closesImage)
            out += kZeroWidthSpace;
    }
    return out;
}

}  // namespace pelorvant
