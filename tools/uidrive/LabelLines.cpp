#include "tools/uidrive/LabelLines.h"

#include "app/shell/ImageLabel.h"
#include "platform/ui/WindowObject.h"
#include "platform/ui/WindowTree.h"

namespace uidrive {

namespace ui = platform::ui;

namespace {

// Walks the runs as the label's renderer does: every run moves the drawing position by its
// width, and each line starts again at 0.
void addLines(const pelorvant::LabelLayout& layout, std::vector<DrawnLabelLine>& lines) {
    const std::size_t first = lines.size();
    lines.resize(first + layout.lineHeights.size());
    std::vector<bool> started(layout.lineHeights.size(), false);
    std::vector<int> x(layout.lineHeights.size(), 0);
    for (const pelorvant::LabelRun& run : layout.runs) {
        const auto line = static_cast<std::size_t>(run.line);
        if (line >= started.size())
            continue;
        DrawnLabelLine& drawn = lines[first + line];
        const bool shows = run.type == pelorvant::LabelRunType::Image ||
                           (run.type == pelorvant::LabelRunType::Text && !run.text.empty());
        if (shows && !started[line]) {
            started[line] = true;
            drawn.left = x[line];
        }
        drawn.text += run.text;
        x[line] += run.width;
    }
}

}  // namespace

void collectLabelLines(platform::WindowHandle window, std::vector<DrawnLabelLine>& lines) {
    if (window == platform::kNullWindow || !ui::isWindowVisible(window))
        return;
    if (const auto* label =
            dynamic_cast<const pelorvant::ImageLabel*>(ui::WindowObject::fromHandle(window)))
        addLines(label->layout(), lines);
    for (platform::WindowHandle child : ui::getChildren(window))
        collectLabelLines(child, lines);
}

}  // namespace uidrive
