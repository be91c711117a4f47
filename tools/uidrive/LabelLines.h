#pragma once
// The lines of the visible rich-text labels as they are drawn: each line's text and the x at
// which its first character is drawn, relative to the label's left edge. A line that starts
// left of the edge shows its first character cut.
#include "platform/core/Types.h"

#include <string>
#include <vector>

namespace uidrive {

struct DrawnLabelLine {
    std::u16string text;
    int left = 0;
};

void collectLabelLines(platform::WindowHandle window, std::vector<DrawnLabelLine>& lines);

}  // namespace uidrive
