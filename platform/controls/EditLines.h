#pragma once
// The lines of an edit's text and the caret positions on them: a single-line edit has one
// line; a multi-line edit breaks its text at line breaks and, when it wraps, between words to
// its width. Positions are indices into the text (0 … size).

#include "platform/draw/Font.h"
#include "platform/draw/TextLayout.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace platform::controls {

class EditLines {
public:
    // `text` must stay alive and unchanged while the lines are used.
    EditLines(const draw::Font& font, std::u16string_view text, int width, bool multiLine,
              bool wrap);

    std::size_t count() const { return lines_.size(); }
    const draw::TextLine& line(std::size_t i) const { return lines_[i]; }
    // The line a caret position is on: a position where a line wrapped is the next line's.
    std::size_t lineOf(std::size_t position) const;
    // The caret's x from its line's start (a position past the drawn characters, among the
    // spaces where the line wrapped or at a line break, is at the line's end).
    int xOf(std::size_t position) const;
    // The caret position on a line nearest to an x from the line's start.
    std::size_t positionAt(std::size_t line, int x) const;
    // The drawn characters of a line.
    std::u16string_view textOf(std::size_t line) const;

private:
    const draw::Font& font_;
    std::u16string_view text_;
    std::vector<draw::TextLine> lines_;
};

}  // namespace platform::controls
