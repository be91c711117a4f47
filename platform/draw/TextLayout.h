#pragma once
// Breaking a text into the lines it is drawn in: at line breaks ("\r\n", "\n" or a lone "\r")
// and, when the text wraps, between words where a line would grow wider than the width. A
// word wider than the whole width is broken between characters, so that nothing is lost at
// the edge.

#include "platform/draw/Font.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace platform::draw {

// One line of a laid-out text, by positions in the text: the characters drawn are
// [start, start + length); the next line starts at `next` (after the line break or the spaces
// where the text wrapped). The last line's `next` is the text's length.
struct TextLine {
    std::size_t start = 0;
    std::size_t length = 0;
    std::size_t next = 0;
    friend bool operator==(const TextLine&, const TextLine&) = default;
};

enum class LineBreaks {
    Single,    // one line, whatever the text holds
    Explicit,  // only at line breaks
    WordWrap,  // at line breaks and between words to fit the width
};

// The lines of the text. There is always at least one line (an empty text has one empty
// line; a text ending in a line break has an empty last line). A width of 0 or less does not
// wrap. The caller owns the returned lines.
std::vector<TextLine> layoutLines(const Font& font, std::u16string_view text, int width,
                                  LineBreaks breaks);

// The size of the laid-out text: its widest line by its lines' height.
Size measureLines(const Font& font, std::u16string_view text, int width, LineBreaks breaks);

}  // namespace platform::draw
