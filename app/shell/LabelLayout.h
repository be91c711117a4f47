#pragma once
// Parses a label's markup into runs and wraps them into lines of a width:
//   TAB         a run of five spaces
//   CR          a new line (LF is an ordinary character)
//   #*name*#    an inline image registered under the name
//   <*b*> <*i*> <*u*>  toggle bold, italic, underline (the tag is five characters)
//   <*20*>      font height 20 (text that is not a number: the settings' height)
// Markup comes from timetable files and downloaded texts too, so malformed markup is shown
// as it is written and nothing is read past the end of the text.

#include "app/shell/LabelFonts.h"
#include "app/shell/LabelRun.h"

#include <string_view>
#include <vector>

namespace pelorvant {

// Font heights of the markup are kept within these bounds.
inline constexpr int kLabelMinFontHeight = 6;
inline constexpr int kLabelMaxFontHeight = 96;

struct LabelLayoutOptions {
    int wrapWidth = 0;
    int fontHeight = 13;  // the settings' font height
    bool highResolution = false;  // inline images are drawn at twice their size
    bool indentWraps = false;     // every line begun by wrapping starts with a space
    // Off: an image token naming no image, or an image that does not load, is shown as the
    // text it is written with instead of failing the whole text.
    bool strictImages = true;
};

struct LabelLayout {
    std::vector<LabelRun> runs;
    std::vector<int> lineHeights;  // per line: the largest run height on it (0 when none)
    std::vector<int> lineWidths;   // per line: the sum of its run widths
    int textHeight = 0;
    // The widest line, at least 0.
    int longestLineWidth() const;
    // The top of a line (the sum of the heights before it).
    int lineTop(int line) const;
};

// With strictImages, throws ShellException "ImageLabel wrong text Exception" for an image name
// that is not registered and "ImageLabel bad image Exception" for a registered image that does
// not load.
LabelLayout layOutLabelText(std::u16string_view text, const LabelLayoutOptions& options,
                            LabelFonts& fonts);

}  // namespace pelorvant
