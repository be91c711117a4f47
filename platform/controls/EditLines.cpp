#include "platform/controls/EditLines.h"

#include <algorithm>
#include <cstdlib>

namespace platform::controls {

EditLines::EditLines(const draw::Font& font, std::u16string_view text, int width, bool multiLine,
                     bool wrap)
    : font_(font),
      text_(text),
      lines_(draw::layoutLines(font, text, width,
                               !multiLine ? draw::LineBreaks::Single
                               : wrap     ? draw::LineBreaks::WordWrap
                                          : draw::LineBreaks::Explicit)) {}

std::size_t EditLines::lineOf(std::size_t position) const {
    const auto after =
        std::upper_bound(lines_.begin(), lines_.end(), position,
                         [](std::size_t p, const draw::TextLine& l) { return p < l.start; });
    return after == lines_.begin() ? 0 : static_cast<std::size_t>(after - lines_.begin()) - 1;
}

int EditLines::xOf(std::size_t position) const {
    const draw::TextLine& l = lines_[lineOf(position)];
    const std::size_t end = std::min(position, l.start + l.length);
    return font_.measure(text_.substr(l.start, end - l.start)).width;
}

std::size_t EditLines::positionAt(std::size_t line, int x) const {
    const draw::TextLine& l = lines_[std::min(line, lines_.size() - 1)];
    std::size_t best = l.start;
    int bestDistance = std::abs(x);
    for (std::size_t i = 1; i <= l.length; ++i) {
        const int d = std::abs(font_.measure(text_.substr(l.start, i)).width - x);
        if (d < bestDistance) {
            best = l.start + i;
            bestDistance = d;
        }
    }
    return best;
}

std::u16string_view EditLines::textOf(std::size_t line) const {
    const draw::TextLine& l = lines_[line];
    return text_.substr(l.start, l.length);
}

}  // namespace platform::controls
