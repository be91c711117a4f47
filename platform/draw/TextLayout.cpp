#include "platform/draw/TextLayout.h"

#include <algorithm>

namespace platform::draw {
namespace {

bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t';
}

bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c < 0xE000;
}

int widthOf(const Font& font, std::u16string_view text, std::size_t from, std::size_t to) {
    return font.measure(text.substr(from, to - from)).width;
}

// The lines of one paragraph [from, to) wrapped to the width; the last one goes on to `after`.
void wrapParagraph(const Font& font, std::u16string_view text, std::size_t from, std::size_t to,
                   std::size_t after, int width, std::vector<TextLine>& out) {
    std::size_t start = from;
    for (;;) {
        if (widthOf(font, text, start, to) <= width) {
            out.push_back(TextLine{start, to - start, after});
            return;
        }
        // The last gap between words before which the line still fits.
        std::size_t fit = start;
        for (std::size_t i = start + 1; i < to; ++i) {
            if (!isSpace(text[i]) || isSpace(text[i - 1])) {
                continue;
            }
            if (widthOf(font, text, start, i) > width) {
                break;
            }
            fit = i;
        }
        std::size_t next = fit;
        if (fit == start) {
            // One word wider than the line: as many characters as fit, at least one.
            fit = start + 1;
            while (fit < to &&
                   (isLowSurrogate(text[fit]) || widthOf(font, text, start, fit + 1) <= width)) {
                ++fit;
            }
            next = fit;
        }
        while (next < to && isSpace(text[next])) {
            ++next;
        }
        out.push_back(TextLine{start, fit - start, next < to ? next : after});
        if (next >= to) {
            return;
        }
        start = next;
    }
}

}  // namespace

std::vector<TextLine> layoutLines(const Font& font, std::u16string_view text, int width,
                                  LineBreaks breaks) {
    std::vector<TextLine> lines;
    if (breaks == LineBreaks::Single) {
        lines.push_back(TextLine{0, text.size(), text.size()});
        return lines;
    }
    std::size_t start = 0;
    for (;;) {
        // A line ends at "\r\n", "\n" or a lone "\r".
        const std::size_t cut = text.find_first_of(u"\r\n", start);
        const bool last = cut == std::u16string_view::npos;
        const std::size_t end = last ? text.size() : cut;
        std::size_t after = last ? text.size() : cut + 1;
        if (!last && text[cut] == u'\r' && cut + 1 < text.size() && text[cut + 1] == u'\n') {
            ++after;
        }
        if (breaks == LineBreaks::WordWrap && width > 0) {
            wrapParagraph(font, text, start, end, after, width, lines);
        } else {
            lines.push_back(TextLine{start, end - start, after});
        }
        if (last) {
            return lines;
        }
        start = after;
    }
}

Size measureLines(const Font& font, std::u16string_view text, int width, LineBreaks breaks) {
    const std::vector<TextLine> lines = layoutLines(font, text, width, breaks);
    int widest = 0;
    for (const TextLine& line : lines) {
        widest = std::max(widest, widthOf(font, text, line.start, line.start + line.length));
    }
    return Size{widest, font.metrics().height * static_cast<int>(lines.size())};
}

}  // namespace platform::draw
