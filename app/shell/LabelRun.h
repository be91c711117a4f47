#pragma once
// One run of a laid-out label text: a piece of text, an inline image, a style toggle or a
// change of font height, with the line it lies on. Runs stay in text order and their line
// numbers never decrease.

#include <string>

namespace pelorvant {

enum class LabelRunType : int { Text = 0, Image = 1, Style = 2, FontHeight = 3 };

struct LabelRun {
    int height = -1;       // text: the font height; image: bitmap height + 2; else -1
    int width = -1;        // text: measured (-1 when empty); image: bitmap width; else -1
    std::u16string text;   // text runs only
    int imageId = -1;      // bitmap resource id of an image run
    int fontHeight = -1;   // the new height of a font-height run
    char16_t style = 0;    // 'b', 'i' or 'u' of a style run
    int line = 0;
    LabelRunType type = LabelRunType::Text;
};

}  // namespace pelorvant
